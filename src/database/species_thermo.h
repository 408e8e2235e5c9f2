#pragma once
/// Thermodynamic data of every species a network can hold, as NASA
/// polynomials over 298.15–1000–3000 K for kinetics solvers. SpeciesThermo
/// takes the published polynomial of the small species the library holds
/// (thermo_library.h); EstimateSpeciesThermo estimates the others:
///
/// - hydrocarbons and their radicals: Benson group additivity
///   (group_additivity.h) gives ΔH°f, the intrinsic S° and cp up to 1500 K;
///   S° = S°intrinsic − R ln σ + R ln 2 for a chiral molecule, σ the total
///   symmetry number (core/symmetry_number.h); the points are fitted with a
///   bounded extrapolation (nasa_fit.h), so cp rises monotonically to at
///   most the classical limit;
/// - the hydrogen atom, H2, helium, nitrogen and water: literature
///   polynomials (nasa_polynomial.h).
///
/// A library polynomial that does not cover 298.15–3000 K, or whose cp
/// falls or passes the classical limit there, is refitted the same way from
/// its own values between 300 and 1500 K.

#include <optional>
#include <string>

#include "core/molecule.h"
#include "core/result.h"
#include "database/nasa_fit.h"
#include "database/nasa_polynomial.h"

namespace korvane {

/// Where a polynomial comes from, in at most six characters (the date field
/// of a CHEMKIN thermo record): "BENSON" (group additivity), "HBI" (a
/// radical by hydrogen-bond increments), "LIT", or the library's "GRI30" or
/// "NASA".
struct TSpeciesThermo {
  TNasaPolynomial Polynomial;
  std::string Source;
};

/// Which literature species the molecule is, recognised by its atoms (the
/// network marks only three of them inert, and a file may mark none).
std::optional<TLiteratureSpecies> LiteratureSpeciesOf(const TMolecule& molecule);

/// How the molecule rotates: one atom, a linear chain (every atom with at
/// most two neighbours, the inner ones triple-bonded or cumulated), or
/// nonlinear.
TMolecularShape MolecularShapeOf(const TMolecule& molecule);

/// The estimated polynomial of a species; a NoValue error with the reason
/// for a species the estimates cannot describe: atoms other than carbon and
/// hydrogen (the five literature species aside), deuterium, tritium or
/// carbon 14, an unpaired electron on an atom other than carbon, methane
/// (which the library holds), or a molecule whose symmetry cannot be counted.
TResult<TSpeciesThermo> EstimateSpeciesThermo(const TMolecule& molecule);

/// The polynomial the exports state for a species: the library's where it
/// holds the species, otherwise EstimateSpeciesThermo's. Safe on several
/// threads at once as long as each passes its own molecule.
TResult<TSpeciesThermo> SpeciesThermo(const TMolecule& molecule);

/// Whether cp of the polynomial rises monotonically over 298.15–3000 K, stays
/// at or below `limit` [J/(mol·K)] there, and its ranges cover them.
bool HasBoundedHeatCapacity(const TNasaPolynomial& polynomial, double limit);

}  // namespace korvane
