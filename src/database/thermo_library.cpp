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
constexpr std::string_view kNasa = "NASA";

// The table. Coefficients as published, low range first here (a record of
// a CHEMKIN file lists the high range first).
std::vector<TThermoLibraryEntry> Table() {
  return {
      // GRI-Mech 3.0 thermodynamic data: G. P. Smith, D. M. Golden,
      // M. Frenklach et al., GRI-Mech 3.0 (1999), thermo30.dat,
      // http://combustion.berkeley.edu/gri-mech/ (read from Cantera's
      // data/gri30.yaml, converted from it). H and H2 are the literature
      // polynomials of nasa_polynomial.cpp, which are these same data.
      {"hydrogen atom", "[H]", "H.", kGri, LiteraturePolynomial(TLiteratureSpecies::HydrogenAtom)},
      {"hydrogen", "[H][H]", "H H; 0-1", kGri, LiteraturePolynomial(TLiteratureSpecies::Hydrogen)},
      {"carbon atom", "[C]", "C....", kGri,
       {200.0, 1000.0, 3500.0,
        {2.55423955, -3.21537724e-04, 7.33792245e-07, -7.32234889e-10, 2.66521446e-13, 8.54438832e+04, 4.53130848},
        {2.49266888, 4.79889284e-05, -7.2433502e-08, 3.74291029e-11, -4.87277893e-15, 8.54512953e+04, 4.80150373}}},
      {"methylidyne", "[CH]", "C...", kGri,
       {200.0, 1000.0, 3500.0,
        {3.48981665, 3.23835541e-04, -1.68899065e-06, 3.16217327e-09, -1.40609067e-12, 7.07972934e+04, 2.08401108},
        {2.87846473, 9.70913681e-04, 1.44445655e-07, -1.30687849e-10, 1.76079383e-14, 7.10124364e+04, 5.48497999}}},
      // Triplet methylene, the ground state (the graph does not tell the
      // singlet apart).
      {"methylene", "[CH2]", "C..", kGri,
       {200.0, 1000.0, 3500.0,
        {3.76267867, 9.68872143e-04, 2.79489841e-06, -3.85091153e-09, 1.68741719e-12, 4.60040401e+04, 1.56253185},
        {2.87410113, 3.65639292e-03, -1.40894597e-06, 2.60179549e-10, -1.87727567e-14, 4.6263604e+04, 6.17119324}}},
      {"methyl", "[CH3]", "C.", kGri,
       {200.0, 1000.0, 3500.0,
        {3.6735904, 2.01095175e-03, 5.73021856e-06, -6.87117425e-09, 2.54385734e-12, 1.64449988e+04, 1.60456433},
        {2.28571772, 7.23990037e-03, -2.98714348e-06, 5.95684644e-10, -4.67154394e-14, 1.67755843e+04, 8.48007179}}},
      {"methane", "C", "C", kGri,
       {200.0, 1000.0, 3500.0,
        {5.14987613, -0.0136709788, 4.91800599e-05, -4.84743026e-08, 1.66693956e-11, -1.02466476e+04, -4.64130376},
        {0.074851495, 0.0133909467, -5.73285809e-06, 1.22292535e-09, -1.0181523e-13, -9468.34459, 18.437318}}},
      {"ethynyl", "[C]#C", "C. C; 0#1", kGri,
       {200.0, 1000.0, 3500.0,
        {2.88965733, 0.0134099611, -2.84769501e-05, 2.94791045e-08, -1.09331511e-11, 6.68393932e+04, 6.22296438},
        {3.16780652, 4.75221902e-03, -1.83787077e-06, 3.04190252e-10, -1.7723277e-14, 6.7121065e+04, 6.63589475}}},
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
      // The NASA thermodynamic database: B. J. McBride, S. Gordon, M. A. Reno,
      // Coefficients for Calculating Thermodynamic and Transport Properties of
      // Individual Species, NASA TM-4513 (1993), a work of the U.S. Government
      // (read from Cantera's data/nasa_gas.yaml, converted from it). The graph
      // holds no cis/trans arrangement: 2-butene takes the trans isomer.
      {"allene", "C=C=C", "C C C; 0=1 1=2", kNasa,
       {200.0, 1000.0, 6000.0,
        {2.61307487, 0.0121223371, 1.854054e-05, -3.45258475e-08, 1.53353389e-11, 21541.5642, 10.2503319},
        {6.31694869, 0.0111336262, -3.96289018e-06, 6.35633775e-10, -3.78749885e-14, 20117.4617, -10.9718862}}},
      {"propyne", "C#CC", "C C C; 0#1 1-2", kNasa,
       {200.0, 1000.0, 6000.0,
        {2.6804076, 0.0157994429, 2.50775737e-06, -1.36584584e-08, 6.61576607e-12, 20691.6392, 9.89251047},
        {6.02531092, 0.0113364427, -4.02229048e-06, 6.43751365e-10, -3.82990082e-14, 19510.1792, -8.58912592}}},
      {"allyl", "[CH2]C=C", "C. C C; 0-1 1=2", kNasa,
       {200.0, 1000.0, 6000.0,
        {3.78794693, 0.00948414335, 2.42343368e-05, -3.6560401e-08, 1.48592356e-11, 18626.1218, 7.82822499},
        {6.54761132, 0.0133152246, -4.783331e-06, 7.71949814e-10, -4.61930808e-14, 17271.4707, -9.27486841}}},
      {"propene", "C=CC", "C C C; 0=1 1-2", kNasa,
       {200.0, 1000.0, 6000.0,
        {3.83464524, 0.00329078405, 5.05228184e-05, -6.66251418e-08, 2.63707585e-11, 753.838295, 7.53410995},
        {6.03870499, 0.0162963895, -5.82130624e-06, 9.35936483e-10, -5.58602903e-14, -776.595092, -8.43824322}}},
      {"1,3-butadiene", "C=CC=C", "C C C C; 0=1 1-2 2=3", kNasa,
       {200.0, 1000.0, 6000.0,
        {1.68530424, 0.0196120012, 4.46523571e-05, -8.31523114e-08, 3.80651226e-11, 11607.5709, 16.7545967},
        {16.0010139, 0.00391825115, 1.14355733e-06, -2.07925748e-10, 7.57713551e-15, 6517.08221, -62.8204145}}},
      {"1-butene", "C=CCC", "C C C C; 0=1 1-2 2-3", kNasa,
       {200.0, 1000.0, 6000.0,
        {4.42674073, 0.00663946249, 6.80652815e-05, -9.28753562e-08, 3.73473949e-11, -2115.32796, 7.5469486},
        {8.02147991, 0.0226010707, -8.31284033e-06, 1.37803072e-09, -8.42175459e-14, -4308.52153, -17.1170697}}},
      {"2-butene (trans)", "CC=CC", "C C C C; 0-1 1=2 2-3", kNasa,
       {200.0, 1000.0, 6000.0,
        {5.57278967, 0.00376541017, 6.52226708e-05, -8.30909522e-08, 3.20311342e-11, -3579.03301, 0.537796708},
        {7.6251467, 0.0230451042, -8.49424864e-06, 1.41152554e-09, -8.64751757e-14, -5401.02815, -16.198708}}},
      {"isobutene", "C=C(C)C", "C C C C; 0=1 1-2 1-3", kNasa,
       {200.0, 1000.0, 6000.0,
        {3.68049727, 0.0169414445, 3.51963555e-05, -5.43166856e-08, 2.20201636e-11, -4120.99308, 8.11457149},
        {7.8355533, 0.0227459679, -8.36517549e-06, 1.3907625e-09, -8.53329969e-14, -6163.56322, -17.6540719}}},
      {"n-butane", "CCCC", "C C C C; 0-1 1-2 2-3", kNasa,
       {200.0, 1000.0, 6000.0,
        {6.14746806, 0.000155947389, 9.67913517e-05, -1.2548391e-07, 4.97816555e-11, -17599.4402, -1.09409879},
        {9.44535834, 0.0257858073, -9.23619122e-06, 1.48632755e-09, -8.87897158e-14, -20138.2165, -26.3470076}}},
      {"isobutane", "CC(C)C", "C C C C; 0-1 0-2 0-3", kNasa,
       {200.0, 1000.0, 6000.0,
        {4.45479276, 0.00826057985, 8.29886664e-05, -1.14647642e-07, 4.64570101e-11, -18459.3931, 4.92743175},
        {9.76991245, 0.025499721, -9.14142932e-06, 1.47328271e-09, -8.80800188e-14, -21405.2647, -30.0329101}}},
      {"cyclopentadiene", "C1=CCC=C1", "C C C C C; 0=1 1-2 2-3 3=4 4-0", kNasa,
       {200.0, 1000.0, 6000.0,
        {0.861044032, 0.014804587, 7.21072084e-05, -1.13378398e-07, 4.86890482e-11, 14801.7548, 21.3536259},
        {9.97582745, 0.0189055233, -6.841103e-06, 1.10992117e-09, -6.66791427e-14, 11081.6727, -32.2096892}}},
      {"cyclopentane", "C1CCCC1", "C C C C C; 0-1 1-2 2-3 3-4 4-0", kNasa,
       {200.0, 1000.0, 6000.0,
        {3.70327955, -0.0115565354, 0.000164111439, -2.09368134e-07, 8.31054507e-11, -11095.1786, 11.9777761},
        {9.1329579, 0.030113043, -1.09169137e-05, 1.77298767e-09, -1.06575248e-13, -15159.7372, -29.2618828}}},
      {"benzene", "c1ccccc1", "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", kNasa,
       {200.0, 1000.0, 6000.0,
        {0.503469664, 0.0185142363, 7.37864409e-05, -1.18106127e-07, 5.07182527e-11, 8552.66293, 21.6481796},
        {11.0771708, 0.0207067895, -7.516251e-06, 1.22209416e-09, -7.35312513e-14, 4309.88395, -40.011695}}},
      {"cyclohexane", "C1CCCCC1", "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", kNasa,
       {200.0, 1000.0, 6000.0,
        {4.04348764, -0.00619527424, 0.000176621086, -2.22967809e-07, 8.6366739e-11, -16920.2872, 8.52566766},
        {13.2147562, 0.035824241, -1.32110595e-05, 2.17202254e-09, -1.3173054e-13, -22809.1954, -55.3526464}}},
      {"toluene", "Cc1ccccc1", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", kNasa,
       {200.0, 1000.0, 6000.0,
        {1.611914, 0.0211188902, 8.53221453e-05, -1.32566876e-07, 5.59406109e-11, 4096.51976, 20.2973614},
        {12.939475, 0.0266921558, -9.68420108e-06, 1.5739214e-09, -9.46670482e-14, -677.035769, -46.7255302}}},
      {"naphthalene", "c1ccc2ccccc2c1", "c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5", kNasa,
       {200.0, 1000.0, 6000.0,
        {-1.04919326, 0.0462970611, 7.07592203e-05, -1.38408186e-07, 6.20475748e-11, 15984.6388, 30.2121571},
        {18.6129899, 0.0304494141, -1.11224799e-05, 1.81615406e-09, -1.09601224e-13, 8915.52944, -80.0230479}}},
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
  const auto found = m_byCertificate.find(std::string(molecule.Certificate()));
  return found == m_byCertificate.end() ? nullptr : &m_entries[found->second];
}

}  // namespace korvane
