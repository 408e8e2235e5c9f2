#pragma once
/// TKineticsModel: the rates of a network exactly as the exported equations
/// define them, as a sparse system.
///
///   k_i = A_i exp(-1000 E_i / (R T))           R = kExportGasConstant [J/(mol K)]
///   r_i = k_i [cActR] prod_{reactant entries e} c_e   [mol/(m^3 s)]
///   dc_j/dt = sum_i S_ji r_i
///
/// A_i [1/s, m^3/(mol s) per further entry] and E_i [kJ/mol] are those of
/// ReactionKinetics (recipes over the parameter tables, or the explicit
/// pair); cActR [mol/m^3] multiplies the reactions flagged
/// MultiplyByActiveRadicals; a reactant entered twice is squared. S holds the
/// reactions' own coefficients (reactants negative, products positive).
/// Concentration index j is the component's ID (its position).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/result.h"
#include "reactions/kinetic_parameters.h"

namespace korvane {

class TReactionNetwork;

/// What the rates are evaluated with.
struct TKineticsInput {
  /// The global kinetic parameter table (28 entries).
  std::span<const double> Global;
  /// The alternative parameter values (class 11 recipes).
  std::span<const double> Alternative;
  /// Concentration of active radicals cActR [mol/m^3].
  double ActiveRadicals = TRadicalActivity{}.StandardActivity;
};

/// How many times reaction `Reaction`'s recipes name global entry `Parameter`.
struct TParameterLink {
  std::uint32_t Reaction = 0;
  std::uint8_t Parameter = 0;
  /// Times named in the frequency-factor recipe and in the activation-energy recipe.
  std::uint8_t InA = 0, InE = 0;
};

class TKineticsModel {
 public:
  /// The model of `network`; KineticParameters (the exporters' message) when
  /// a recipe names a missing global entry, InvalidInput for a negative cActR.
  static TResult<TKineticsModel> Build(const TReactionNetwork& network, const TKineticsInput& input);

  std::size_t SpeciesCount() const { return m_speciesCount; }
  std::size_t ReactionCount() const { return m_A.size(); }
  /// Frequency factor and activation energy of reaction i, without cActR.
  double FrequencyFactor(std::size_t i) const { return m_A[i]; }
  double ActivationEnergy(std::size_t i) const { return m_E[i]; }

  /// k_i at T [K], times cActR where the reaction carries it.
  void RateConstants(double T, std::span<double> k) const;
  /// r_i from the rate constants and the concentrations [mol/m^3].
  void Rates(std::span<const double> k, std::span<const double> c, std::span<double> r) const;
  /// dc/dt = S r.
  void Production(std::span<const double> r, std::span<double> dcdt) const;
  /// dr_i = sum_e (d r_i / d c_e) v_e: the rates' change along `v`.
  void RateDirection(std::span<const double> k, std::span<const double> c, std::span<const double> v,
                     std::span<double> dr) const;

  /// Pattern of d(dc/dt)/dc in compressed rows: every species' row holds the
  /// reactants of the reactions that change it, and its diagonal.
  const std::vector<std::int64_t>& JacobianRowStart() const { return m_jacobianRowStart; }
  const std::vector<std::int64_t>& JacobianColumns() const { return m_jacobianColumns; }
  /// The values of that pattern at (k, c), exact for mass action.
  void Jacobian(std::span<const double> k, std::span<const double> c, std::span<double> values) const;

  /// Stoichiometry by species, compressed rows: species j's reactions and coefficients.
  const std::vector<std::int64_t>& SpeciesRowStart() const { return m_speciesRowStart; }
  const std::vector<std::uint32_t>& SpeciesReactions() const { return m_speciesReactions; }
  const std::vector<double>& SpeciesCoefficients() const { return m_speciesCoefficients; }

  /// Every (reaction, global entry) pair that the recipes link, by reaction.
  const std::vector<TParameterLink>& ParameterLinks() const { return m_parameterLinks; }
  /// Global entries that some recipe names, ascending.
  std::vector<int> LinkedParameters() const;

 private:
  std::size_t m_speciesCount = 0;
  std::vector<double> m_A, m_E;
  std::vector<bool> m_activeRadicals;
  double m_cActR = 0.0;
  // Reactant entries of every reaction (a species twice when entered twice).
  std::vector<std::int64_t> m_entryStart;
  std::vector<std::uint32_t> m_entries;
  std::vector<std::int64_t> m_speciesRowStart;
  std::vector<std::uint32_t> m_speciesReactions;
  std::vector<double> m_speciesCoefficients;
  std::vector<std::int64_t> m_jacobianRowStart, m_jacobianColumns;
  // For every stoichiometry entry and every reactant entry of its reaction,
  // in that order: the position of its term in the Jacobian values.
  std::vector<std::int64_t> m_jacobianScatter;
  std::vector<TParameterLink> m_parameterLinks;
};

}  // namespace korvane
