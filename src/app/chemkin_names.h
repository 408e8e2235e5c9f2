#pragma once
/// Species names of a CHEMKIN-II mechanism: unique, at most 16 characters,
/// made of letters, digits and parentheses only.

#include <string>
#include <vector>

#include "core/molecule.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Longest species name CHEMKIN-II readers accept.
inline constexpr std::size_t kChemkinNameLimit = 16;

/// The name of each component, by position: the usual names of the hydrogen
/// atom, H2 and the inert components (H, H2, HE, N2, H2O), else the Hill
/// formula; every component whose name would be shared gets its index
/// appended, as "C6H13(17)". A name that would exceed 16 characters becomes
/// "S" and the index.
std::vector<std::string> ChemkinSpeciesNames(const TReactionNetwork& network);

}  // namespace korvane
