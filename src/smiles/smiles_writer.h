#pragma once
/// Naming molecules by their canonical SMILES.

#include <string>

#include "core/molecule.h"
#include "core/result.h"

namespace korvane {

/// RDKit's canonical SMILES of the molecule: independent of the atom order,
/// hydrogens implicit where RDKit writes them so, radicals as bracket atoms
/// ("[CH3]"), deuterium, tritium and carbon 14 as isotopes ("[2H]", "[3H]",
/// "[14CH4]"), helium with its two electrons as "[He]". Aromaticity is
/// RDKit's, so a benzene ring stored in Kekulé form with plain carbons is
/// named "c1ccccc1" like the aromatic one.
///
/// An InvalidInput error with the reason when no SMILES names the
/// structure: a molecule without atoms, an atom without element, a bond of
/// order above 3, an aromatic flag on a bond that does not join two aromatic
/// carbons, bonded helium or helium without its two electrons, an atom whose
/// bonds and unpaired electrons do not make up its valence exactly (a SMILES
/// could not say how many electrons are unpaired), or a structure RDKit
/// cannot sanitise (an aromatic system it cannot kekulise). Never throws.
TResult<std::string> CanonicalSmiles(const TMolecule& molecule);

}  // namespace korvane
