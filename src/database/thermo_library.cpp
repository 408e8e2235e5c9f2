#include "database/thermo_library.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <memory>
#include <sstream>

#include "core/atom_types.h"

namespace korvane {
namespace {

constexpr std::string_view kGri = "GRI30";
constexpr std::string_view kBurcat = "BURCAT";

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

      // E. Goos, A. Burcat, B. Ruscic, Extended Third Millennium Ideal Gas
      // and Condensed Phase Thermochemical Database for Combustion with
      // Updates from Active Thermochemical Tables, version of 29 July 2012
      // (BURCAT.THR, http://garfield.chem.elte.hu/Burcat/burcat.html);
      // A. Burcat, B. Ruscic, ANL-05/20 and TAE 960 (2005). Record dates:
      // allene L 8/89, propyne T 2/90, allyl T 9/96, propene g 2/00,
      // 1,3-butadiene T05/04, 1-butene and isobutene T05/09, n-butane g12/00,
      // isobutane g 8/00, benzene g 6/01, toluene g 1/93.
      {"allene", "C=C=C", "C C C; 0=1 1=2", kBurcat,
       {200.0, 1000.0, 6000.0,
        {2.61304450e+00, 1.21225750e-02, 1.85398800e-05, -3.45251490e-08, 1.53350790e-11, 2.15415670e+04, 1.02261390e+01},
        {6.31687220e+00, 1.11337280e-02, -3.96293780e-06, 6.35642380e-10, -3.78755400e-14, 2.01174950e+04, -1.09957660e+01}}},
      {"propyne", "C#CC", "C C C; 0#1 1-2", kBurcat,
       {200.0, 1000.0, 6000.0,
        {2.68038690e+00, 1.57996510e-02, 2.50705960e-06, -1.36576230e-08, 6.61542850e-12, 2.08023740e+04, 9.87693510e+00},
        {6.02524000e+00, 1.13365420e-02, -4.02233910e-06, 6.43760630e-10, -3.82996350e-14, 1.96209420e+04, -8.60437850e+00}}},
      {"allyl", "[CH2]C=C", "C. C C; 0-1 1=2", kBurcat,
       {200.0, 1000.0, 6000.0,
        {1.46980360e+00, 1.90343650e-02, 1.44804250e-05, -3.54686520e-08, 1.66475940e-11, 1.83258310e+04, 1.67241140e+01},
        {7.00945680e+00, 1.31066290e-02, -4.65334420e-06, 7.45143230e-10, -4.43500510e-14, 1.64129090e+04, -1.39461140e+01}}},
      {"propene", "C=CC", "C C C; 0=1 1-2", kBurcat,
       {200.0, 1000.0, 6000.0,
        {3.83464468e+00, 3.29078952e-03, 5.05228001e-05, -6.66251176e-08, 2.63707473e-11, 7.88717123e+02, 7.53408013e+00},
        {6.03870234e+00, 1.62963931e-02, -5.82130800e-06, 9.35936829e-10, -5.58603143e-14, -7.41715057e+02, -8.43825992e+00}}},
      {"1,3-butadiene", "C=CC=C", "C C C C; 0=1 1-2 2=3", kBurcat,
       {200.0, 1000.0, 6000.0,
        {4.10599669e+00, 5.05575563e-03, 5.83885454e-05, -8.05950198e-08, 3.27447711e-11, 1.15092468e+04, 8.42978067e+00},
        {7.62637466e+00, 1.72523403e-02, -6.09184911e-06, 9.70800102e-10, -5.76169721e-14, 9.55306395e+03, -1.48325259e+01}}},
      {"1-butene", "C=CCC", "C C C C; 0=1 1-2 2-3", kBurcat,
       {200.0, 1000.0, 6000.0,
        {5.13226136e+00, 5.33862838e-03, 6.02928960e-05, -7.60364685e-08, 2.87324693e-11, -2.16718358e+03, 3.82936810e+00},
        {7.86795262e+00, 2.24448843e-02, -8.07705438e-06, 1.30179988e-09, -7.77958472e-14, -4.23853340e+03, -1.65662549e+01}}},
      {"isobutene", "C=C(C)C", "C C C C; 0=1 1-2 1-3", kBurcat,
       {200.0, 1000.0, 6000.0,
        {3.30612340e+00, 1.33377057e-02, 5.65726066e-05, -8.46898088e-08, 3.52403438e-11, -4.04128388e+03, 9.92304633e+00},
        {8.94232121e+00, 2.12900129e-02, -7.61851464e-06, 1.22641473e-09, -7.32634442e-14, -6.67292929e+03, -2.46775148e+01}}},
      {"n-butane", "CCCC", "C C C C; 0-1 1-2 2-3", kBurcat,
       {200.0, 1000.0, 6000.0,
        {6.14474013e+00, 1.64500242e-04, 9.67848789e-05, -1.25486208e-07, 4.97846257e-11, -1.75989467e+04, -1.08058878e+00},
        {9.44547835e+00, 2.57856620e-02, -9.23613194e-06, 1.48631762e-09, -8.87891206e-14, -2.01383773e+04, -2.63477585e+01}}},
      {"isobutane", "CC(C)C", "C C C C; 0-1 1-2 1-3", kBurcat,
       {200.0, 1000.0, 6000.0,
        {4.45479140e+00, 8.26058864e-03, 8.29886433e-05, -1.14647616e-07, 4.64569994e-11, -1.84593929e+04, 4.92740653e+00},
        {9.76991697e+00, 2.54997141e-02, -9.14142587e-06, 1.47328201e-09, -8.80799697e-14, -2.14052667e+04, -3.00329670e+01}}},
      {"benzene", "c1ccccc1", "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", kBurcat,
       {200.0, 1000.0, 6000.0,
        {5.04818632e-01, 1.85020642e-02, 7.38345881e-05, -1.18135741e-07, 5.07210429e-11, 8.55247913e+03, 2.16412893e+01},
        {1.10809576e+01, 2.07176746e-02, -7.52145991e-06, 1.22320984e-09, -7.36091279e-14, 4.30641035e+03, -4.00413310e+01}}},
      {"toluene", "Cc1ccccc1", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", kBurcat,
       {200.0, 1000.0, 6000.0,
        {1.61200102e+00, 2.11179855e-02, 8.53239986e-05, -1.32568501e-07, 5.59411406e-11, 4.09654820e+03, 2.02969771e+01},
        {1.29393610e+01, 2.66922277e-02, -9.68422041e-06, 1.57392386e-09, -9.46671699e-14, -6.76971149e+02, -4.67249759e+01}}},
  };
}

// The molecule a structure of the table describes (see the header); null
// when the text is malformed, which the library's tests rule out.
std::unique_ptr<TMolecule> MoleculeOf(std::string_view structure) {
  const std::size_t semicolon = std::min(structure.find(';'), structure.size());
  struct THeavy {
    std::uint8_t Type;
    std::uint8_t Unpaired;
  };
  std::vector<THeavy> heavy;
  std::istringstream atoms{std::string(structure.substr(0, semicolon))};
  for (std::string token; atoms >> token;) {
    const std::size_t dots = token.size() - std::min(token.size(), token.find('.'));
    const std::string symbol = token.substr(0, token.size() - dots);
    const std::uint8_t type = symbol == "C" ? kCarbon : symbol == "c" ? kAromaticCarbon : symbol == "H" ? kHydrogen : 0;
    if (type == 0) return nullptr;
    heavy.push_back({type, static_cast<std::uint8_t>(dots)});
  }
  struct TBond {
    std::size_t A, B;
    std::uint8_t Order;
    bool Aromatic;
  };
  std::vector<TBond> bonds;
  std::vector<int> used(heavy.size());
  for (std::size_t i = 0; i < heavy.size(); ++i) used[i] = heavy[i].Unpaired;
  std::istringstream bondText{std::string(semicolon < structure.size() ? structure.substr(semicolon + 1) : "")};
  for (std::string token; bondText >> token;) {
    const std::size_t sep = token.find_first_of("-=#:");
    if (sep == std::string::npos || sep == 0 || sep + 1 == token.size()) return nullptr;
    const std::size_t a = std::stoul(token.substr(0, sep)), b = std::stoul(token.substr(sep + 1));
    if (a >= heavy.size() || b >= heavy.size() || a == b) return nullptr;
    const char kind = token[sep];
    bonds.push_back({a, b, static_cast<std::uint8_t>(kind == '=' ? 2 : kind == '#' ? 3 : 1), kind == ':'});
    used[a] += bonds.back().Order;
    used[b] += bonds.back().Order;
  }
  std::vector<std::size_t> hydrogenOn;
  for (std::size_t i = 0; i < heavy.size(); ++i)
    for (int k = used[i]; k < Valence(heavy[i].Type); ++k) hydrogenOn.push_back(i);

  const std::size_t h = heavy.size(), n = h + hydrogenOn.size();
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  TByteVector types(n, kHydrogen);
  for (std::size_t i = 0; i < h; ++i) {
    types[i] = heavy[i].Type;
    adjacency[i][i] = heavy[i].Unpaired;
  }
  for (const TBond& bond : bonds) {
    adjacency[bond.A][bond.B] = adjacency[bond.B][bond.A] = bond.Order;
    aromatic[bond.A][bond.B] = aromatic[bond.B][bond.A] = bond.Aromatic;
  }
  for (std::size_t k = 0; k < hydrogenOn.size(); ++k)
    adjacency[h + k][hydrogenOn[k]] = adjacency[hydrogenOn[k]][h + k] = 1;
  return TMolecule::FromStructure(0, std::move(adjacency), std::move(types), std::move(aromatic));
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
