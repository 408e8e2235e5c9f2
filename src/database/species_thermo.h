#pragma once
/// Thermodynamic data of every species a network can hold, as NASA
/// polynomials for kinetics solvers. SpeciesThermo takes the published
/// polynomial of the small species the library holds (thermo_library.h);
/// EstimateSpeciesThermo estimates the others:
///
/// - molecules of carbon and hydrogen: Joback's cp(T) cubic written directly
///   as the polynomial (a5 = 0) with a6 and a7 from the estimated ΔH°f and
///   S° = (ΔH°f − ΔG°f)/298.15 K + the elements' standard entropies, one set
///   for both ranges over 300–1500 K;
/// - radicals: the parent molecule (a hydrogen on each unpaired electron) by
///   the hydrogen-bond-increment rule: ΔH°f adds, per unpaired electron, the
///   C–H bond dissociation enthalpy of its site type minus ΔH°f of the
///   hydrogen atom; S° adds R·ln 2 per unpaired electron; cp is the parent's;
/// - the hydrogen atom, H2, helium, nitrogen and water: literature
///   polynomials (nasa_polynomial.h).

#include <optional>
#include <string>

#include "core/atom.h"
#include "core/molecule.h"
#include "core/result.h"
#include "database/nasa_polynomial.h"

namespace korvane {

/// Where a polynomial comes from, in at most six characters (the date field
/// of a CHEMKIN thermo record): "JOBACK", "HBI", "LIT", or the library's
/// "GRI30".
struct TSpeciesThermo {
  TNasaPolynomial Polynomial;
  std::string Source;
};

/// Which literature species the molecule is, recognised by its atoms (the
/// network marks only three of them inert, and a file may mark none).
std::optional<TLiteratureSpecies> LiteratureSpeciesOf(const TMolecule& molecule);

/// The polynomial of a species; a NoValue error with the reason for a
/// species the estimates cannot describe: atoms other than carbon and
/// hydrogen (the five literature species aside), deuterium, tritium or
/// carbon 14, an unpaired electron on an atom other than carbon, a radical
/// whose parent would exceed 255 atoms, or a group-contribution failure.
TResult<TSpeciesThermo> EstimateSpeciesThermo(const TMolecule& molecule);

/// The polynomial the exports state for a species: the library's where it
/// holds the species, otherwise EstimateSpeciesThermo's. Safe on several
/// threads at once as long as each passes its own molecule.
TResult<TSpeciesThermo> SpeciesThermo(const TMolecule& molecule);

/// The kind of carbon an unpaired electron sits on, which sets the C–H bond
/// dissociation enthalpy of the parent molecule at that site.
enum class TRadicalSite {
  Methyl,      ///< sp3 carbon without carbon neighbours
  Primary,     ///< sp3 carbon with one carbon neighbour
  Secondary,   ///< two carbon neighbours
  Tertiary,    ///< three
  Allylic,     ///< sp3 carbon next to a double or triple bond (propargylic alike)
  Benzylic,    ///< sp3 carbon next to an aromatic ring
  Vinylic,     ///< carbon of a C=C double bond
  Acetylenic,  ///< carbon of a C≡C triple bond
  Aryl,        ///< aromatic ring carbon
};

/// Site type of a carbon atom of a radical (the atom's own unpaired
/// electrons and bonds decide; neighbours decide allylic and benzylic).
TRadicalSite RadicalSiteOf(const TAtom& carbon);

/// C–H bond dissociation enthalpy at 298.15 K of the parent at a site [J/mol].
double SiteBondEnthalpy(TRadicalSite site);

/// ΔH°f of the hydrogen atom at 298.15 K [J/mol].
inline constexpr double kHydrogenAtomFormationEnthalpy = 217998.0;

}  // namespace korvane
