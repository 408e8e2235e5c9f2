#pragma once
/// Aromatic rings of generated products: a ring (or a pair of fused rings)
/// of conjugated carbons with 4n+2 pi electrons becomes a ring of aromatic
/// carbons, so that every Kekule form of an aromatic species is one and the
/// same molecule.

#include "core/molecule.h"

namespace korvane {

/// Perceives aromatic rings and stores them as aromatic: their carbons take
/// the aromatic types (C -> aromatic C, 14C -> aromatic 14C) and their ring
/// bonds order 1 with the aromatic flag. Returns whether the molecule
/// changed (it is then rebuilt, with a new certificate).
///
/// Every candidate atom gives one pi electron: an aromatic carbon all of whose
/// bonds have order 1, or a carbon with exactly one double bond and no triple
/// or aromatic bond (an unpaired electron of its own, as in phenyl, is
/// allowed). A ring of candidates is aromatic when its size is 4n+2; so is
/// the perimeter of two fused candidate rings that are not (azulene).
/// Every carbon that becomes aromatic must find its double bond among the
/// ring bonds made aromatic, otherwise its rings stay as drawn: a ring
/// whose atoms' double bonds point out of it (quinodimethane) is no
/// aromatic ring.
bool AromatiseRings(TMolecule& molecule);

}  // namespace korvane
