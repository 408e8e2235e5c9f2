#pragma once
/// A short readable notation for a molecule, for tables of known species
/// and for tests, instead of hand-written matrices.
///
/// Heavy atoms separated by spaces, then ";" and the bonds.
///   atoms  C (carbon), c (aromatic carbon), C14, c14, H, D, T, He, N, O; each
///          trailing "." adds one unpaired electron ("C." is a radical centre)
///   bonds  i-j single, i=j double, i#j triple, i:j aromatic (order 1)
/// Every atom is then completed with hydrogens up to its valence; the
/// hydrogens follow the listed atoms, grouped by the atom they sit on.
///
///   "C C C; 0-1 1-2"                       propane (C0..C2, H3..H10)
///   "C C C; 0-1 1=2"                       propene
///   "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0" benzene
///   "C. C; 0-1"                            ethyl radical
///   "H."                                   hydrogen atom
///   "He.."                                 helium

#include <cstdint>
#include <memory>
#include <string_view>

#include "core/molecule.h"
#include "core/result.h"

namespace korvane {

/// The built molecule described, with `id`; an InvalidInput error naming the
/// token at fault for a text that describes none.
TResult<std::unique_ptr<TMolecule>> MoleculeFromNotation(std::string_view description, std::int32_t id = 0);

}  // namespace korvane
