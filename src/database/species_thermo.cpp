#include "database/species_thermo.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>

#include "core/atom_types.h"
#include "database/joback.h"
#include "database/property_estimation.h"
#include "database/thermo_library.h"

namespace korvane {
namespace {

// Standard entropies of the elements in their reference states at 298.15 K
// [J/(mol·K)], per atom: graphite 5.74 and half of H2's 130.680 (CODATA Key
// Values for Thermodynamics, J. D. Cox, D. D. Wagman, V. A. Medvedev, 1989).
constexpr double kCarbonEntropy = 5.74;
constexpr double kHydrogenEntropyPerAtom = 130.680 / 2;

constexpr double kReferenceTemperature = 298.15;
// The range Joback's cp cubic is written for.
constexpr double kEstimateLow = 300.0, kEstimateCommon = 1000.0, kEstimateHigh = 1500.0;

TError NoEstimate(std::string reason) { return {TErrorCode::NoValue, std::move(reason)}; }

struct TElementCounts {
  int Hydrogen = 0;
  int Carbon = 0;  // plain and aromatic
  int Isotopes = 0;
  int Helium = 0;
  int Nitrogen = 0;
  int Oxygen = 0;
  int Other = 0;
};

TElementCounts CountElements(const TMolecule& molecule) {
  TElementCounts counts;
  for (std::uint8_t type : molecule.AtomTypes()) {
    switch (type) {
      case kHydrogen: ++counts.Hydrogen; break;
      case kCarbon:
      case kAromaticCarbon: ++counts.Carbon; break;
      case kDeuterium:
      case kTritium:
      case kCarbon14:
      case kAromaticCarbon14: ++counts.Isotopes; break;
      case kHelium: ++counts.Helium; break;
      case kNitrogen: ++counts.Nitrogen; break;
      case kOxygen: ++counts.Oxygen; break;
      default: ++counts.Other; break;
    }
  }
  return counts;
}

std::optional<TLiteratureSpecies> LiteratureSpeciesOf(const TMolecule& molecule, const TElementCounts& counts) {
  const std::size_t n = molecule.AtomCount();
  if (counts.Hydrogen == static_cast<int>(n) && n == 1 && molecule.IsRadical()) return TLiteratureSpecies::HydrogenAtom;
  if (counts.Hydrogen == static_cast<int>(n) && n == 2 && !molecule.IsRadical()) return TLiteratureSpecies::Hydrogen;
  if (counts.Helium == 1 && n == 1) return TLiteratureSpecies::Helium;
  if (counts.Nitrogen == 2 && n == 2 && !molecule.IsRadical()) return TLiteratureSpecies::Nitrogen;
  if (counts.Oxygen == 1 && counts.Hydrogen == 2 && n == 3 && !molecule.IsRadical()) return TLiteratureSpecies::Water;
  return std::nullopt;
}

// The molecule with a hydrogen bonded to each unpaired electron; null when
// it would exceed the atom limit.
std::unique_ptr<TMolecule> ParentMolecule(const TMolecule& radical) {
  const TByteMatrix& adjacency = radical.AdjacencyMatrix();
  const std::size_t n = radical.AtomCount();
  std::size_t added = 0;
  for (std::size_t i = 0; i < n; ++i) added += adjacency[i][i];
  const std::size_t total = n + added;
  if (total > kMaxAtoms) return nullptr;

  TByteMatrix parentAdjacency(total, total, 0);
  TBoolMatrix parentAromatic(total, total, false);
  TByteVector types = radical.AtomTypes();
  types.resize(total, kHydrogen);
  std::size_t next = n;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      parentAdjacency[i][j] = i == j ? 0 : adjacency[i][j];
      parentAromatic[i][j] = radical.AromaticMatrix()[i][j];
    }
    for (std::uint8_t k = 0; k < adjacency[i][i]; ++k, ++next) parentAdjacency[i][next] = parentAdjacency[next][i] = 1;
  }
  return TMolecule::FromStructure(radical.ID, std::move(parentAdjacency), std::move(types),
                                  std::move(parentAromatic));
}

// Joback's estimate of a molecule of carbon and hydrogen.
TResult<TSpeciesThermo> JobackThermo(const TMolecule& molecule, const TElementCounts& counts) {
  const TByteVector groups = JobackGroups(molecule);
  const auto sums = CpCoefficients(groups, molecule);
  const TResult<double> hf = FormationEnthalpy(molecule, groups);
  const TResult<double> gf = FormationGibbsEnergy(molecule, groups);
  const std::string failure = "the group contributions fail: ";
  if (!sums) return NoEstimate(failure + sums.error().Message);
  if (!hf) return NoEstimate(failure + hf.error().Message);
  if (!gf) return NoEstimate(failure + gf.error().Message);

  const TCpPolynomial cp = HeatCapacityPolynomial(sums.value());
  const double R = kNasaGasConstant, T0 = kReferenceTemperature;
  std::array<double, 7> a{cp.C0 / R, cp.C1 / R, cp.C2 / R, cp.C3 / R, 0.0, 0.0, 0.0};
  const double entropy = FormationEntropy(hf.value(), gf.value()) + counts.Carbon * kCarbonEntropy +
                         counts.Hydrogen * kHydrogenEntropyPerAtom;
  a[5] = hf.value() / R - T0 * (a[0] + T0 * (a[1] / 2 + T0 * (a[2] / 3 + T0 * a[3] / 4)));
  a[6] = entropy / R - (a[0] * std::log(T0) + T0 * (a[1] + T0 * (a[2] / 2 + T0 * a[3] / 3)));
  for (double value : a)
    if (!std::isfinite(value)) return NoEstimate("the group contributions give no finite value");
  return TSpeciesThermo{{kEstimateLow, kEstimateCommon, kEstimateHigh, a, a}, "JOBACK"};
}

TResult<TSpeciesThermo> RadicalThermo(const TMolecule& radical) {
  double enthalpyShift = 0.0;
  int unpaired = 0;
  for (const TAtom* atom : radical.Atoms()) {
    if (atom->UnpairedElectrons() == 0) continue;
    if (!IsCarbonType(atom->GetAtomType()))
      return NoEstimate("an unpaired electron sits on a " + AtomSymbol(atom->GetAtomType()) + " atom");
    unpaired += atom->UnpairedElectrons();
    enthalpyShift +=
        atom->UnpairedElectrons() * (SiteBondEnthalpy(RadicalSiteOf(*atom)) - kHydrogenAtomFormationEnthalpy);
  }
  const auto parent = ParentMolecule(radical);
  if (!parent) return NoEstimate("the molecule with a hydrogen on each unpaired electron exceeds 255 atoms");
  auto thermo = JobackThermo(*parent, CountElements(*parent));
  if (!thermo) return thermo;
  // The spin degeneracy of each unpaired electron adds R·ln 2 to the entropy.
  for (auto* range : {&thermo->Polynomial.Low, &thermo->Polynomial.High}) {
    (*range)[5] += enthalpyShift / kNasaGasConstant;
    (*range)[6] += unpaired * std::numbers::ln2;
  }
  thermo->Source = "HBI";
  return thermo;
}

}  // namespace

std::optional<TLiteratureSpecies> LiteratureSpeciesOf(const TMolecule& molecule) {
  return LiteratureSpeciesOf(molecule, CountElements(molecule));
}

TRadicalSite RadicalSiteOf(const TAtom& carbon) {
  if (IsAromaticType(carbon.GetAtomType()) || carbon.AromaticBondCount() > 0) return TRadicalSite::Aryl;
  if (carbon.TripleBondCount() > 0) return TRadicalSite::Acetylenic;
  if (carbon.DoubleBondCount() > 0) return TRadicalSite::Vinylic;
  bool benzylic = false, allylic = false;
  for (const TNeighbour& entry : carbon.Entries()) {
    const TAtom& neighbour = *entry.Atom;
    if (&neighbour == &carbon) continue;
    if (IsAromaticType(neighbour.GetAtomType()) || neighbour.AromaticBondCount() > 0)
      benzylic = true;
    else if (neighbour.MultipleBondCount() > 0)
      allylic = true;
  }
  // A site next to a ring and a double bond is benzylic: the ring's value,
  // like its delocalisation, dominates.
  if (benzylic) return TRadicalSite::Benzylic;
  if (allylic) return TRadicalSite::Allylic;
  switch (carbon.SkeletonDegree()) {
    case 0: return TRadicalSite::Methyl;
    case 1: return TRadicalSite::Primary;
    case 2: return TRadicalSite::Secondary;
    default: return TRadicalSite::Tertiary;
  }
}

double SiteBondEnthalpy(TRadicalSite site) {
  // DH298(R–H) in kcal/mol from S. J. Blanksby and G. B. Ellison, "Bond
  // dissociation energies of organic molecules", Acc. Chem. Res. 36 (2003)
  // 255–263, Table 1: CH3–H, C2H5–H, i-C3H7–H, t-C4H9–H, CH2=CHCH2–H,
  // C6H5CH2–H, CH2=CH–H, HC≡C–H and C6H5–H. Propargylic sites take the allyl
  // value (HC≡CCH2–H lies within 1 kcal/mol of it).
  constexpr double kKilocalorie = 4184.0;
  switch (site) {
    case TRadicalSite::Methyl: return 105.0 * kKilocalorie;
    case TRadicalSite::Primary: return 101.1 * kKilocalorie;
    case TRadicalSite::Secondary: return 98.6 * kKilocalorie;
    case TRadicalSite::Tertiary: return 96.5 * kKilocalorie;
    case TRadicalSite::Allylic: return 88.8 * kKilocalorie;
    case TRadicalSite::Benzylic: return 89.7 * kKilocalorie;
    case TRadicalSite::Vinylic: return 110.7 * kKilocalorie;
    case TRadicalSite::Acetylenic: return 133.32 * kKilocalorie;
    case TRadicalSite::Aryl: break;
  }
  return 112.9 * kKilocalorie;
}

TResult<TSpeciesThermo> EstimateSpeciesThermo(const TMolecule& molecule) {
  const TElementCounts counts = CountElements(molecule);
  if (const auto species = LiteratureSpeciesOf(molecule, counts))
    return TSpeciesThermo{LiteraturePolynomial(*species), "LIT"};
  if (molecule.AtomCount() == 0) return NoEstimate("the species has no atoms");
  if (counts.Isotopes > 0) return NoEstimate("it holds deuterium, tritium or carbon 14, which have no estimates");
  if (counts.Helium + counts.Nitrogen + counts.Oxygen + counts.Other > 0)
    return NoEstimate("it holds atoms other than carbon and hydrogen, which have no estimates");
  if (counts.Carbon == 0) return NoEstimate("it holds hydrogen only and is not H or H2");
  // Every unpaired electron counts, also the pair of a carbene, which the
  // radical test (an odd count on some atom) does not see.
  const bool unpaired = std::any_of(molecule.Atoms().begin(), molecule.Atoms().end(),
                                    [](const TAtom* atom) { return atom->UnpairedElectrons() > 0; });
  return unpaired ? RadicalThermo(molecule) : JobackThermo(molecule, counts);
}

TResult<TSpeciesThermo> SpeciesThermo(const TMolecule& molecule) {
  if (const TThermoLibraryEntry* entry = TThermoLibrary::Instance().Find(molecule))
    return TSpeciesThermo{entry->Polynomial, std::string(entry->Source)};
  return EstimateSpeciesThermo(molecule);
}

}  // namespace korvane
