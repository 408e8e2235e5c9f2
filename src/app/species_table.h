#pragma once
/// Identifying the components of an exported network: their Hill formula,
/// canonical SMILES, standard enthalpy of formation and entropy, and name,
/// listed so that a reader of an exported file knows which species each
/// index or name stands for.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "core/result.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Canonical SMILES of a component, an error where none names it. The caller
/// supplies it (the SMILES layer needs RDKit, which this layer stays free of).
using TSmilesProvider = std::function<TResult<std::string>(const TMolecule&)>;

struct TSpeciesRow {
  /// The component's position in the network.
  std::size_t Index = 0;
  /// Hill formula.
  std::string Formula;
  /// Canonical SMILES, "-" where none names the structure or no provider was given.
  std::string Smiles;
  /// ΔfH° [kJ/mol] and S° [J/(mol·K)] at 298.15 K from the thermodynamic
  /// data the mechanism exports state (database/species_thermo.h); none for
  /// a species they cannot describe (an isotope).
  std::optional<double> FormationEnthalpy, Entropy;
  /// The component's name (a database name where it has one); empty for
  /// the default "Noname".
  std::string Name;
};

/// The row of the component at position `index`. Reads the component
/// without changing it, so rows of different components may be made on
/// several threads at once when `smiles` allows it.
TSpeciesRow SpeciesRowOf(const TReactionNetwork& network, std::size_t index, const TSmilesProvider& smiles);

/// A name made safe for one line of a comment: line breaks and other control
/// characters become spaces, and it is cut to `limit` characters.
std::string OneLineText(const std::string& text, std::size_t limit);

}  // namespace korvane
