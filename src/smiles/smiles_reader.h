#pragma once
/// Reading species typed as SMILES into molecules.
///
/// Supported: the elements H, He, C, N and O; aromatic carbon ("c", type 3);
/// the isotopes [2H] (deuterium), [3H] (tritium) and [14C] / [14c] (carbon 14,
/// types 6 and 7; a bracket atom states its hydrogens, so the ring carbon of
/// benzene is "[14cH]"); radicals written as bracket atoms with fewer hydrogens than
/// the valence asks ("[CH3]" methyl, "[CH2]" with two unpaired electrons,
/// "[H]" the hydrogen atom); single, double, triple and aromatic bonds.
/// Refused with a message: other elements and isotopes, charges, aromatic
/// atoms other than carbon, bonded helium, other bond kinds, several
/// fragments ("C.C": one species per SMILES), text after the SMILES, and more
/// than 255 atoms once the hydrogens are added.
/// Stereochemistry ("/", "\", "@") and atom maps are read and ignored: the
/// molecule model has neither.
///
/// Aromaticity: the SMILES goes through RDKit's aromaticity perception, so a
/// ring written in Kekulé form reads as its aromatic form ("C1=CC=CC=C1" is
/// benzene with six aromatic carbons, as "c1ccccc1" is). The generator
/// aromatises six-membered rings of alternating double bonds the same way,
/// so a feed typed either way is the species the generator would produce.
/// RDKit's rule is wider than the generator's for rare feeds: it also
/// aromatises other 4n+2 systems such as [10]annulene and azulene.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/molecule.h"
#include "core/result.h"

namespace korvane {

/// The built molecule a SMILES describes, with explicit hydrogens. Atom
/// order: the atoms written in the SMILES, in their order, except hydrogens
/// bonded to a non-hydrogen atom; then the hydrogens grouped by the atom they
/// sit on, for each atom those written as atoms first ("[2H]"), then those of
/// its hydrogen count. Bonds store their order (aromatic bonds 1 with the aromatic flag);
/// unpaired electrons go on the adjacency diagonal; helium carries its two
/// electrons there as everywhere in the system.
///
/// Surrounding white space is ignored. An InvalidInput error, naming the
/// problem and quoting the SMILES, when the SMILES cannot be read or
/// describes something the molecule model cannot hold; whatever it reads,
/// CanonicalSmiles can name. Never throws.
TResult<std::unique_ptr<TMolecule>> MoleculeFromSmiles(std::string_view smiles, std::int32_t id = 0);

}  // namespace korvane
