#include "database/species_thermo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/atom_types.h"
#include "core/symmetry_number.h"
#include "database/group_additivity.h"
#include "database/group_values.h"
#include "database/thermo_library.h"

namespace korvane {
namespace {

constexpr double kReferenceTemperature = 298.15;
constexpr double kHighestTemperature = 3000.0;

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

// The fit of thermochemistry given at a few temperatures.
TResult<TNasaPolynomial> Fitted(const TMolecule& molecule, double enthalpy, double entropy,
                                std::vector<std::pair<double, double>> heatCapacity) {
  TThermoPoints points;
  points.Enthalpy298 = enthalpy;
  points.Entropy298 = entropy;
  points.HeatCapacity = std::move(heatCapacity);
  points.AtomCount = static_cast<int>(molecule.AtomCount());
  points.Shape = MolecularShapeOf(molecule);
  auto fitted = FitNasaPolynomial(points);
  if (!fitted) return NoEstimate("the NASA fit fails: " + fitted.error().Message);
  return fitted;
}

// The group-additivity estimate of a hydrocarbon or hydrocarbon radical.
TResult<TSpeciesThermo> GroupThermo(const TMolecule& molecule) {
  const auto estimate = GroupAdditivityEstimate(molecule);
  if (!estimate) return estimate.error();
  const auto symmetry = SymmetryOf(molecule);
  if (!symmetry) return NoEstimate("its symmetry number cannot be counted: " + symmetry.error().Message);
  const double R = kNasaGasConstant;
  const double entropy = estimate->IntrinsicEntropy298 - R * std::log(static_cast<double>(symmetry->Number)) +
                         (symmetry->Chiral ? R * std::numbers::ln2 : 0.0);
  auto polynomial = Fitted(molecule, estimate->Enthalpy298, entropy, estimate->HeatCapacity);
  if (!polynomial) return polynomial.error();
  // Every unpaired electron counts, also the pair of a carbene, which the
  // radical test (an odd count on some atom) does not see.
  const auto unpaired = molecule.UnpairedElectrons();
  const bool radical = std::any_of(unpaired.begin(), unpaired.end(), [](std::uint8_t n) { return n > 0; });
  return TSpeciesThermo{polynomial.value(), radical ? "HBI" : "BENSON"};
}

// The library's polynomial, refitted from its own values between 300 and
// 1500 K when it does not keep cp bounded over 298.15-3000 K.
TResult<TSpeciesThermo> LibraryThermo(const TMolecule& molecule, const TThermoLibraryEntry& entry) {
  const TNasaPolynomial& published = entry.Polynomial;
  const TMolecularShape shape = MolecularShapeOf(molecule);
  const double limit = HighHeatCapacityLimit(shape, static_cast<int>(molecule.AtomCount()));
  if (shape == TMolecularShape::Atom || HasBoundedHeatCapacity(published, limit))
    return TSpeciesThermo{published, std::string(entry.Source)};
  std::vector<std::pair<double, double>> heatCapacity;
  for (double T : kGroupTemperatures) heatCapacity.emplace_back(T, NasaHeatCapacity(published, T));
  auto refitted = Fitted(molecule, NasaEnthalpy(published, kReferenceTemperature),
                         NasaEntropy(published, kReferenceTemperature), std::move(heatCapacity));
  if (!refitted) return refitted.error();
  return TSpeciesThermo{refitted.value(), std::string(entry.Source)};
}

}  // namespace

std::optional<TLiteratureSpecies> LiteratureSpeciesOf(const TMolecule& molecule) {
  return LiteratureSpeciesOf(molecule, CountElements(molecule));
}

TMolecularShape MolecularShapeOf(const TMolecule& molecule) {
  if (molecule.AtomCount() <= 1) return TMolecularShape::Atom;
  if (molecule.AtomCount() == 2) return TMolecularShape::Linear;
  for (const TAtom* atom : molecule.Atoms()) {
    const std::size_t neighbours = atom->NeighbourCount() - atom->UnpairedElectrons();
    if (neighbours > 2) return TMolecularShape::Nonlinear;
    // A bent atom: two neighbours without a triple bond or two double bonds.
    if (neighbours == 2 && atom->TripleBondCount() == 0 && atom->DoubleBondCount() < 2)
      return TMolecularShape::Nonlinear;
  }
  return TMolecularShape::Linear;
}

bool HasBoundedHeatCapacity(const TNasaPolynomial& polynomial, double limit) {
  if (polynomial.TLow > kReferenceTemperature || polynomial.THigh < kHighestTemperature) return false;
  // Every kelvin: far finer than any wiggle a 4th-degree range can make.
  double previous = NasaHeatCapacity(polynomial, kReferenceTemperature);
  for (double T = kReferenceTemperature + 1.0; T <= kHighestTemperature; T += 1.0) {
    const double cp = NasaHeatCapacity(polynomial, T);
    if (cp < previous - 1e-9 * std::abs(previous) || cp > limit * (1 + 1e-9)) return false;
    previous = cp;
  }
  return true;
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
  return GroupThermo(molecule);
}

TResult<TSpeciesThermo> SpeciesThermo(const TMolecule& molecule) {
  if (const TThermoLibraryEntry* entry = TThermoLibrary::Instance().Find(molecule)) return LibraryThermo(molecule, *entry);
  return EstimateSpeciesThermo(molecule);
}

}  // namespace korvane
