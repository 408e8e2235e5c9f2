#pragma once
/// The bonding rules every generator relies on, checked on a molecule from
/// outside (a structure file, a database, a drawing): the generators keep a
/// valid molecule valid, but cannot mend one that is not.

#include <string>

#include "core/molecule.h"

namespace korvane {

/// Why the molecule breaks the rules; empty when it keeps them. Every atom
/// has a known type (codes 1 to 10) and no aromatic flag of its own (on the
/// diagonal of the aromatic matrix); every bond has order 1, 2 or 3, and an
/// aromatic bond order 1 between aromatic carbons; each atom's bond orders
/// and unpaired electrons add up to its valence.
std::string ValenceProblem(const TMolecule& molecule);

}  // namespace korvane
