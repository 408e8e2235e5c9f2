#pragma once
/// TReaction: one elementary reaction of a network: reactants and products
/// with integer stoichiometric coefficients (reactants negative, products
/// positive), the reaction class, two descriptions of its kinetics and the
/// selectivities computed during generation.
///
/// A reaction refers to molecules and never owns them: they belong to a
/// network or, while a generator works, to its list of new products.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "core/small_vector.h"
#include "core/vectors.h"

namespace korvane {

/// Reaction class codes.
enum TReactionType : std::int32_t {
  kBetaScission = 1,
  kHydrogenTransfer = 2,
  kRecombination = 3,
  kAllylIzomeration = 4,
  kOtherReaction = 10,
  kOtherReaction2 = 11,  ///< recipes over the alternative parameter table
};

/// Display name of a class code: "Beta-Scission", "Hydrogen transfer",
/// "Recombination", "Allyl-izomeration", "Other", "Other2", else "Unknown".
std::string ReactionTypeName(std::int32_t code);

/// The class identifiers in the order of codes 1, 2, 3, 4, 10, 11.
const std::vector<std::string>& ReactionTypeIdentifiers();
/// Class codes in the order of ReactionTypeIdentifiers().
const std::vector<std::int32_t>& ReactionTypeCodes();

/// Sum of the table entries a recipe names (one index per character); an
/// index named twice counts twice, an empty recipe is 0. Indexes beyond the
/// table (possible only in a damaged file) contribute nothing.
double RecipeValue(const std::string& recipe, std::span<const double> table);

/// One side of a reaction: its participants, and their coefficients, held
/// inside the reaction up to two (every generated reaction's sides).
using TReactionSide = TSmallVector<TMolecule*, 2>;
using TSideCoefficients = TSmallVector<std::int32_t, 2>;

class TReaction {
 public:
  /// Frequency-factor recipe: indexes into a parameter table, one per character.
  std::string FreqFact2;
  /// Activation-energy recipe, same encoding.
  std::string ActEnerg2;
  /// Downstream mark used when a network is pruned.
  bool Mark = false;
  /// Last walk stamp; stops recursive walks at reactions already visited.
  std::int32_t VisitStamp = 0;
  /// Non-owning references to the reacting and the formed components.
  TReactionSide Reactants;
  TReactionSide Products;
  /// One per reactant (negative) and one per product (positive).
  TSideCoefficients ReactantCoefs;
  TSideCoefficients ProductCoefs;
  /// Explicit activation energy E [kJ/mol].
  double ActEnergy = 0.0;
  /// Explicit frequency factor A [1/s].
  double FreqFactor = 0.0;
  /// Class code (TReactionType).
  std::int32_t ReactionType = 0;
  /// Projecting selectivity; 0 until computed.
  double Selectivity = 0.0;
  /// Selectivity after filtering; 0 until computed.
  double SelectivityAfterFilter = 0.0;
  /// The rate is multiplied by the concentration of active radicals.
  bool MultiplyByActiveRadicals = false;
  /// The explicit FreqFactor and ActEnergy are the reaction's kinetics also
  /// for a class that has recipes (a user entered them by hand); class 10
  /// always uses them.
  bool ExplicitKinetics = false;

  void AddReactant(TMolecule* molecule, std::int32_t coefficient);
  void AddProduct(TMolecule* molecule, std::int32_t coefficient);
  /// Replaces both product lists by copies.
  void SetProducts(const TReactionSide& products, const TSideCoefficients& coefficients);
  void SetParameters(std::int32_t reactionType, double activationEnergy, double frequencyFactor);
  /// That very object (not an identical molecule) is among the reactants.
  bool HasReactant(const TMolecule* molecule) const;
  bool HasProduct(const TMolecule* molecule) const;
  std::int32_t TypeOf() const { return ReactionType; }

  /// Whether the kinetics are the explicit pair rather than the recipes:
  /// class 10, or ExplicitKinetics.
  bool UsesExplicitKinetics() const { return ReactionType == kOtherReaction || ExplicitKinetics; }
  /// A over the parameter tables: the explicit value when
  /// UsesExplicitKinetics, else for class 11 the recipe over the
  /// alternative table, for the others the recipe over the global one.
  double FrequencyFactorValue(std::span<const double> global, std::span<const double> alternative) const;
  /// E [kJ/mol] over the parameter tables, chosen like FrequencyFactorValue.
  double ActivationEnergyValue(std::span<const double> global, std::span<const double> alternative) const;

  /// Sets Mark on this reaction and every reaction downstream of it (through
  /// the products' consumed-in links) and Marked on every product reached.
  void MarkDownstream();

  /// Whether a chain of reactions from this one, not passing reactions
  /// already carrying the stamp, forms a non-radical product. Stamps every
  /// reaction it visits.
  bool ReachesMolecule(std::int32_t stamp);
};

/// Non-owning list of reactions.
using TReactionVector = std::vector<TReaction*>;

/// Positions matching the participants of two equal reactions: reactant i
/// of the first is reactant Reactants[i] of the second, likewise products.
struct TReactionMatch {
  std::vector<std::uint8_t> Reactants;
  std::vector<std::uint8_t> Products;
};

/// Whether two reactions are the same reaction: equal class, exactly equal
/// activation energy, and the very same molecule objects on each side up to
/// order (at most four per side; more is never equal). Returns the
/// permutations found first in the fixed trial order.
std::optional<TReactionMatch> MatchReactions(const TReaction& first, const TReaction& second);

/// If the second reaction is the same as the first, adds its coefficients to
/// the first's (matched positions) and returns true; the caller then
/// destroys the second.
bool FoldReaction(TReaction& first, const TReaction& second);

}  // namespace korvane
