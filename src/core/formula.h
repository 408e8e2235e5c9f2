#pragma once
/// Molecular formulas as users read them.

#include <string>

#include "core/molecule.h"

namespace korvane {

/// Molecular formula in Hill order, a count of 1 left out: "C6H14", "C7H8"
/// (aromatic carbons count as C), "He", "H2O". With carbon present C comes
/// first, then H, then the other symbols alphabetically; without carbon every
/// symbol is alphabetical. Isotopes keep the system's own symbols D, T and
/// (14)C: D and T sort as their letters ("C2H5D"), and carbon-14 counts as
/// carbon and follows C ("C(14)CH6"). Unknown atom types are shown as "?".
std::string HillFormula(const TMolecule& molecule);

}  // namespace korvane
