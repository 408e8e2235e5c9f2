#pragma once
/// What may be fed to a generation: the generators know the chemistry of
/// hydrocarbons only.

#include <string>

#include "core/molecule.h"

namespace korvane {

/// Why the molecule cannot be a feed (a root the user adds); empty when it
/// can. A feed holds only carbon and hydrogen, isotopes included (types 1
/// to 7); any other atom is refused by its index and element. The built-in
/// inert components (helium, nitrogen, water) are never feeds. Bonds and
/// valences must keep the rules of ValenceProblem (valence_check.h).
std::string FeedProblem(const TMolecule& molecule);

}  // namespace korvane
