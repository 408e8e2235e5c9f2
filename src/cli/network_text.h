#pragma once
/// Readable texts of molecules and networks for the batch tool: formulas,
/// the component and reaction tables, equations and summaries.

#include <cstdint>
#include <string>

#include "cli/text_table.h"
#include "core/formula.h"
#include "core/molecule.h"
#include "reactions/reaction.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// The canonical SMILES, or "-" when no SMILES names the molecule.
std::string SmilesText(const TMolecule& molecule);

/// Identification, formulas, SMILES and invariants of one molecule, one
/// "name = value" line each.
std::string StructureDescription(const TMolecule& molecule);

/// "6 [4] -> 6 [0] + 6 [5]": coefficients as amounts and component indexes.
std::string ReactionEquation(const TReaction& reaction);

/// index, name, formula, canonical SMILES, atoms and the radical, root and
/// inert flags of every component.
TextTable ComponentTable(const TReactionNetwork& network);

/// index, class, equation, E, A, projecting and after-filter selectivity of
/// every reaction.
TextTable ReactionTable(const TReactionNetwork& network);

/// The five preferences on one line.
std::string PreferencesText(const TNetworkPreferences& preferences);

/// Component and root counts, the reaction count and the count of each
/// reaction class (the four generated classes always, others when present).
std::string NetworkSummary(const TReactionNetwork& network);

}  // namespace korvane
