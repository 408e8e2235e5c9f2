#pragma once
/// The reactions of a network as a CHEMKIN-II mechanism states them, with
/// the kinetics the Pascal, C and Matlab exports compute.
///
/// The exported code computes reaction i's rate as
///   r_i = k_i [· cActR] · Π c_j over the reactant entries j,
///   k_i = A_i · exp(−1000 · E_i / (R · T)), R = 8.314472 J/(mol·K),
/// and the balance of component j as Σ ν_ij · r_i. The mechanism gives the
/// same rates: irreversible reactions; each species' coefficients summed
/// per side and all of them divided by their greatest common divisor g,
/// with A multiplied by g; a species whose reduced reactant coefficient
/// differs from its number of reactant entries gets that number as its
/// order (FORD); a reaction that carries cActR has it multiplied into A;
/// A converted from m^3 to cm^3 per further reactant entry; E written as
/// the activation temperature 1000·E/R in kelvins.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/export_kinetics.h"
#include "core/result.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

struct TChemkinReaction {
  /// Component index and coefficient (positive), one per species, in order
  /// of first appearance; reduced by their greatest common divisor.
  std::vector<std::pair<std::size_t, int>> Reactants;
  std::vector<std::pair<std::size_t, int>> Products;
  /// Component index and reaction order, where the order differs from the
  /// reduced reactant coefficient.
  std::vector<std::pair<std::size_t, int>> Orders;
  /// Frequency factor in cm^3, mol and s.
  double A = 0.0;
  /// Activation temperature E/R [K].
  double ActivationTemperature = 0.0;
  /// Another reaction has the same reactants and products (CHEMKIN readers
  /// refuse such pairs unless both say DUPLICATE).
  bool Duplicate = false;
};

/// What a mechanism export needs of the kinetic parameters.
struct TMechanismKinetics {
  /// A and E of every reaction (ReactionKinetics).
  std::vector<TReactionKinetics> Reactions;
  /// Concentration of active radicals cActR [mol/m^3]: the given value, else
  /// the set's StandardActivity.
  double ActiveRadicals = 0.0;
  /// Keys the reactions need that the set lacks (StandardActivity among them
  /// when cActR comes from the set and the set lacks it).
  std::vector<std::string> MissingKeys;
};

TMechanismKinetics MechanismKinetics(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     std::optional<double> activeRadicals);

/// A KineticParameters error naming the missing keys, or saying that cActR
/// is negative or not a number; nothing when the kinetics can be exported.
TResult<> CheckMechanismKinetics(const TMechanismKinetics& kinetics);

/// Reaction `index` of the network as the mechanism states it (Duplicate
/// left false); `kinetics` holds its A and E (ReactionKinetics),
/// `activeRadicals` is cActR [mol/m^3]. An InvalidInput error naming the
/// reaction for one without reactants or products, with a coefficient of
/// the wrong sign, or with a negative or non-finite A or a non-finite E.
TResult<TChemkinReaction> ChemkinReaction(const TReactionNetwork& network, std::size_t index,
                                          const TReactionKinetics& kinetics, double activeRadicals);

/// Whether the reaction's reduced products equal its reduced reactants as
/// multisets of species (an allyl radical isomerising into itself, say): it
/// changes no concentration, and the mechanisms leave it out. False for a
/// reaction ChemkinReaction refuses.
bool ProductsEqualReactants(const TReaction& reaction);

/// For each reaction of the network, whether another one has the same
/// reduced reactants and products, whatever their order (such pairs must
/// both say DUPLICATE). A reaction ChemkinReaction refuses has no duplicate.
/// Costs two words per reaction besides the groups of equal reactions.
std::vector<bool> ChemkinDuplicates(const TReactionNetwork& network);

}  // namespace korvane
