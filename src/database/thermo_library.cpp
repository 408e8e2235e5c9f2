#include "database/thermo_library.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>

#include "core/atom_types.h"
#include "core/structure_notation.h"

namespace korvane {
namespace {

constexpr std::string_view kGri = "GRI30";

// The table. Coefficients as published, low range first here (a record of
// either source lists the high range first).
std::vector<TThermoLibraryEntry> Table() {
  return {
      // GRI-Mech 3.0 thermodynamic data: G. P. Smith, D. M. Golden,
      // M. Frenklach et al., GRI-Mech 3.0 (1999), thermo30.dat,
      // http://combustion.berkeley.edu/gri-mech/ (read from Cantera's
      // data/gri30.yaml, converted from it). H and H2 are the literature
      // polynomials of nasa_polynomial.cpp, which are these same data.
      {"hydrogen atom", "[H]", "H.", kGri, LiteraturePolynomial(TLiteratureSpecies::HydrogenAtom)},
      {"hydrogen", "[H][H]", "H H; 0-1", kGri, LiteraturePolynomial(TLiteratureSpecies::Hydrogen)},
      {"methyl", "[CH3]", "C.", kGri,
       {200.0, 1000.0, 3500.0,
        {3.6735904, 2.01095175e-03, 5.73021856e-06, -6.87117425e-09, 2.54385734e-12, 1.64449988e+04, 1.60456433},
        {2.28571772, 7.23990037e-03, -2.98714348e-06, 5.95684644e-10, -4.67154394e-14, 1.67755843e+04, 8.48007179}}},
      {"methane", "C", "C", kGri,
       {200.0, 1000.0, 3500.0,
        {5.14987613, -0.0136709788, 4.91800599e-05, -4.84743026e-08, 1.66693956e-11, -1.02466476e+04, -4.64130376},
        {0.074851495, 0.0133909467, -5.73285809e-06, 1.22292535e-09, -1.0181523e-13, -9468.34459, 18.437318}}},
      {"acetylene", "C#C", "C C; 0#1", kGri,
       {200.0, 1000.0, 3500.0,
        {0.808681094, 0.0233615629, -3.55171815e-05, 2.80152437e-08, -8.50072974e-12, 2.64289807e+04, 13.9397051},
        {4.14756964, 5.96166664e-03, -2.37294852e-06, 4.67412171e-10, -3.61235213e-14, 2.59359992e+04, -1.23028121}}},
      {"vinyl", "[CH]=C", "C. C; 0=1", kGri,
       {200.0, 1000.0, 3500.0,
        {3.21246645, 1.51479162e-03, 2.59209412e-05, -3.57657847e-08, 1.47150873e-11, 3.48598468e+04, 8.51054025},
        {3.016724, 0.0103302292, -4.68082349e-06, 1.01763288e-09, -8.62607041e-14, 3.46128739e+04, 7.78732378}}},
      {"ethylene", "C=C", "C C; 0=1", kGri,
       {200.0, 1000.0, 3500.0,
        {3.95920148, -7.57052247e-03, 5.70990292e-05, -6.91588753e-08, 2.69884373e-11, 5089.77593, 4.09733096},
        {2.03611116, 0.0146454151, -6.71077915e-06, 1.47222923e-09, -1.25706061e-13, 4939.88614, 10.3053693}}},
      {"ethyl", "[CH2]C", "C. C; 0-1", kGri,
       {200.0, 1000.0, 3500.0,
        {4.30646568, -4.18658892e-03, 4.97142807e-05, -5.99126606e-08, 2.30509004e-11, 1.28416265e+04, 4.70720924},
        {1.95465642, 0.0173972722, -7.98206668e-06, 1.75217689e-09, -1.49641576e-13, 1.285752e+04, 13.4624343}}},
      {"ethane", "CC", "C C; 0-1", kGri,
       {200.0, 1000.0, 3500.0,
        {4.29142492, -5.5015427e-03, 5.99438288e-05, -7.08466285e-08, 2.68685771e-11, -1.15222055e+04, 2.66682316},
        {1.0718815, 0.0216852677, -1.00256067e-05, 2.21412001e-09, -1.9000289e-13, -1.14263932e+04, 15.1156107}}},
      {"propane", "CCC", "C C C; 0-1 1-2", kGri,
       {300.0, 1000.0, 5000.0,
        {0.93355381, 0.026424579, 6.1059727e-06, -2.1977499e-08, 9.5149253e-12, -1.395852e+04, 19.201691},
        {7.5341368, 0.018872239, -6.2718491e-06, 9.1475649e-10, -4.7838069e-14, -1.6467516e+04, -17.892349}}},

  };
}

// The molecule a structure of the table describes; null when the text is
// malformed, which the library's tests rule out.
std::unique_ptr<TMolecule> MoleculeOf(std::string_view structure) {
  auto molecule = MoleculeFromNotation(structure);
  return molecule ? std::move(molecule.value()) : nullptr;
}

bool PlainCarbonAndHydrogen(const TMolecule& molecule) {
  return std::all_of(molecule.AtomTypes().begin(), molecule.AtomTypes().end(), [](std::uint8_t type) {
    return type == kHydrogen || type == kCarbon || type == kAromaticCarbon;
  });
}

}  // namespace

TThermoLibrary::TThermoLibrary() : m_entries(Table()) {
  for (std::size_t k = 0; k < m_entries.size(); ++k) {
    const auto molecule = MoleculeOf(m_entries[k].Structure);
    assert(molecule && "a structure of the thermo library is malformed");
    if (!molecule) continue;
    m_largest = std::max(m_largest, molecule->AtomCount());
    [[maybe_unused]] const bool added = m_byCertificate.emplace(molecule->Certificate(), k).second;
    assert(added && "two entries of the thermo library are one species");
  }
}

const TThermoLibrary& TThermoLibrary::Instance() {
  static const TThermoLibrary library;
  return library;
}

const TThermoLibraryEntry* TThermoLibrary::Find(const TMolecule& molecule) const {
  // Cheap refusals first: most species of a network are larger than any
  // entry, and isotopes and other elements never match.
  if (molecule.AtomCount() == 0 || molecule.AtomCount() > m_largest || !PlainCarbonAndHydrogen(molecule))
    return nullptr;
  const auto found = m_byCertificate.find(molecule.Certificate());
  return found == m_byCertificate.end() ? nullptr : &m_entries[found->second];
}

}  // namespace korvane
