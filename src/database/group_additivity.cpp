#include "database/group_additivity.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>

#include "core/atom_types.h"
#include "core/ring_set.h"

namespace korvane {
namespace {

constexpr double kKilocalorie = 4184.0;  // J
constexpr double kCalorie = 4.184;       // J
// ΔH°f(H, 298.15 K) [J/mol]: M. W. Chase, NIST-JANAF Thermochemical Tables,
// 4th ed. (1998).
constexpr double kHydrogenAtomEnthalpy = 217998.0;

TError NoEstimate(std::string reason) { return {TErrorCode::NoValue, std::move(reason)}; }

enum class TCarbonKind { Sp3, Double, Triple, Aromatic, FusedAromatic, Allenic };

int AromaticNeighbours(const TAtom& atom) {
  int count = 0;
  for (const TNeighbour& entry : atom.Entries())
    if (entry.Atom != &atom && entry.Aromatic) ++count;
  return count;
}

TCarbonKind KindOf(const TAtom& carbon) {
  if (IsAromaticType(carbon.GetAtomType()) || carbon.AromaticBondCount() > 0)
    return AromaticNeighbours(carbon) >= 3 ? TCarbonKind::FusedAromatic : TCarbonKind::Aromatic;
  if (carbon.TripleBondCount() > 0) return TCarbonKind::Triple;
  if (carbon.DoubleBondCount() >= 2) return TCarbonKind::Allenic;
  if (carbon.DoubleBondCount() == 1) return TCarbonKind::Double;
  return TCarbonKind::Sp3;
}

char LigandLetter(const TAtom& neighbour) {
  if (IsHydrogenLike(neighbour.GetAtomType())) return 'H';
  switch (KindOf(neighbour)) {
    case TCarbonKind::Sp3: return 'C';
    case TCarbonKind::Double: return 'D';
    case TCarbonKind::Triple: return 'T';
    case TCarbonKind::Aromatic: return 'B';
    case TCarbonKind::FusedAromatic: return 'F';
    case TCarbonKind::Allenic: return 'A';
  }
  return 'C';
}

// The tabulated value of a group, or of the nearest group the tables hold.
const TGroupValue* GroupValueWithFallback(const std::string& key) {
  const auto colon = key.find(':');
  const std::string centre = key.substr(0, colon + 1);
  std::string ligands = key.substr(colon + 1);
  auto look = [&] { return FindGroupValue(centre + ligands); };
  if (const TGroupValue* value = look()) return value;
  auto replaceAll = [&](char from, char to) {
    std::replace(ligands.begin(), ligands.end(), from, to);
    std::sort(ligands.begin(), ligands.end());
  };
  replaceAll('F', 'B');  // only fused carbons write F
  if (const TGroupValue* value = look()) return value;
  for (const char unsaturated : {'A', 'T', 'B'}) {
    replaceAll(unsaturated, 'D');
    if (const TGroupValue* value = look()) return value;
  }
  for (auto d = ligands.find('D'); d != std::string::npos; d = ligands.find('D')) {
    ligands[d] = 'C';
    std::sort(ligands.begin(), ligands.end());
    if (const TGroupValue* value = look()) return value;
  }
  return nullptr;
}

// A running sum of contributions in the tables' units.
struct TSum {
  double Enthalpy = 0, Entropy = 0;
  std::array<double, 7> HeatCapacity{};
  int Points = 7;

  void Add(const TGroupValue& value, double times = 1.0) {
    Enthalpy += times * value.Enthalpy;
    Entropy += times * value.Entropy;
    for (std::size_t k = 0; k < HeatCapacity.size(); ++k) HeatCapacity[k] += times * value.HeatCapacity[k];
    Points = std::min(Points, value.HeatCapacityPoints);
  }
};

// Bonds of the rings, each as (smaller index, larger index).
std::set<std::pair<int, int>> RingBonds(const std::vector<TRing>& rings) {
  std::set<std::pair<int, int>> bonds;
  for (const TRing& ring : rings)
    for (std::size_t k = 0; k < ring.size(); ++k) {
      const int a = ring[k], b = ring[(k + 1) % ring.size()];
      bonds.emplace(std::min(a, b), std::max(a, b));
    }
  return bonds;
}

const TNeighbour* EntryTo(const TAtom& atom, int index) {
  for (const TNeighbour& entry : atom.Entries())
    if (entry.Atom != &atom && entry.Atom->GetIndex() == index) return &entry;
  return nullptr;
}

// The positions k of a ring's double and aromatic bonds (from ring[k] to
// ring[k + 1]), and how many of them are aromatic; null when a ring bond is
// missing.
struct TRingBonds {
  std::vector<std::size_t> DoublePositions;
  int Aromatic = 0;
};

std::optional<TRingBonds> RingBondsOf(const TMolecule& molecule, const TRing& ring) {
  TRingBonds bonds;
  for (std::size_t k = 0; k < ring.size(); ++k) {
    const TNeighbour* entry = EntryTo(*molecule.GetAtom(ring[k]), ring[(k + 1) % ring.size()]);
    if (!entry) return std::nullopt;
    if (entry->Aromatic)
      ++bonds.Aromatic, bonds.DoublePositions.push_back(k);
    else if (entry->Order >= 2)
      bonds.DoublePositions.push_back(k);
  }
  return bonds;
}

TRingShape RingShapeOf(const TMolecule& molecule, const TRing& ring) {
  const auto bonds = RingBondsOf(molecule, ring);
  if (!bonds) return {};
  return {static_cast<int>(ring.size()), static_cast<int>(bonds->DoublePositions.size()),
          bonds->Aromatic == static_cast<int>(ring.size())};
}

// The ring-strain correction of one ring.
void AddRingCorrection(const TMolecule& molecule, const TRing& ring, TSum& sum) {
  const std::size_t size = ring.size();
  const auto bonds = RingBondsOf(molecule, ring);
  if (!bonds) return;
  if (bonds->Aromatic == static_cast<int>(size)) return;  // a benzene ring has no strain correction
  const std::vector<std::size_t>& doublePositions = bonds->DoublePositions;
  bool exocyclic = false;
  for (std::uint8_t index : ring)
    for (const TNeighbour& entry : molecule.GetAtom(index)->Entries())
      if (entry.Order >= 2 && std::find(ring.begin(), ring.end(), entry.Atom->GetIndex()) == ring.end())
        exocyclic = true;
  bool conjugated = false;
  for (std::size_t a = 0; a < doublePositions.size(); ++a)
    for (std::size_t b = a + 1; b < doublePositions.size(); ++b) {
      const std::size_t apart = (doublePositions[b] - doublePositions[a]) % size;
      if (apart == 2 || size - apart == 2) conjugated = true;
    }
  const bool isolated = doublePositions.size() >= 2 && !conjugated;
  if (const TGroupValue* correction =
          FindRingCorrection(static_cast<int>(size), static_cast<int>(doublePositions.size()), exocyclic, isolated))
    sum.Add(*correction);
}

// The number of atoms two rings share.
int SharedAtoms(const TRing& a, const TRing& b) {
  int shared = 0;
  for (std::uint8_t atom : a) shared += static_cast<int>(std::find(b.begin(), b.end(), atom) != b.end());
  return shared;
}

// The ring-strain corrections of all rings. Two rings that share atoms with
// each other and with no third ring, all of whose atoms are sp3 carbons (a
// saturated bicyclic such as norcarane or bicyclo[2.2.2]octane), take the
// correction of their skeleton as a whole when the tables hold one: the sum
// of the two rings' corrections misses how sharing atoms changes the strain.
// Every other ring takes its own correction, and a bicyclic skeleton whose
// parent's measured enthalpy the result misses (norbornene, indane) its
// enthalpy adjustment on top.
void AddRingCorrections(const TMolecule& molecule, const std::vector<TRing>& rings, TSum& sum) {
  const std::size_t count = rings.size();
  std::vector<std::vector<std::size_t>> touching(count);
  for (std::size_t a = 0; a < count; ++a)
    for (std::size_t b = a + 1; b < count; ++b)
      if (SharedAtoms(rings[a], rings[b]) > 0) touching[a].push_back(b), touching[b].push_back(a);
  auto saturated = [&molecule](const TRing& ring) {
    return std::all_of(ring.begin(), ring.end(),
                       [&molecule](std::uint8_t index) { return KindOf(*molecule.GetAtom(index)) == TCarbonKind::Sp3; });
  };
  std::vector<bool> done(count, false);
  for (std::size_t a = 0; a < count; ++a) {
    if (touching[a].size() != 1) continue;
    const std::size_t b = touching[a].front();
    if (b < a || touching[b].size() != 1) continue;  // each bicyclic pair once
    const int shared = SharedAtoms(rings[a], rings[b]);
    if (saturated(rings[a]) && saturated(rings[b]))
      if (const TGroupValue* correction = FindBicyclicCorrection(shared, static_cast<int>(rings[a].size()),
                                                                 static_cast<int>(rings[b].size()))) {
        sum.Add(*correction);
        done[a] = done[b] = true;
      }
    if (const auto adjustment =
            FindSkeletonEnthalpyAdjustment(shared, RingShapeOf(molecule, rings[a]), RingShapeOf(molecule, rings[b])))
      sum.Enthalpy += *adjustment;
  }
  for (std::size_t k = 0; k < count; ++k)
    if (!done[k]) AddRingCorrection(molecule, rings[k], sum);
}

// Alkane gauche interactions of the bond between two sp3 carbons with a
// and b carbon neighbours (Benson's counting: secondary–tertiary 1,
// secondary–quaternary 2, tertiary–tertiary 2, tertiary–quaternary 4,
// quaternary–quaternary 6).
int GaucheInteractions(int a, int b) {
  if (a > b) std::swap(a, b);
  if (a == 2 && b == 3) return 1;
  if (a == 2 && b == 4) return 2;
  if (a == 3 && b == 3) return 2;
  if (a == 3 && b == 4) return 4;
  if (a == 4 && b == 4) return 6;
  return 0;
}

// Alkane 1,5 interactions centred on an sp3 carbon: between two of its sp3
// carbon neighbours, one with three further sp3 carbons (a tert-butyl-like
// carbon) and the other with at least two (one interaction) or three (two).
int Interactions15(const TAtom& centre) {
  auto furtherSp3 = [&centre](const TAtom& neighbour) {
    int count = 0;
    for (const TNeighbour& entry : neighbour.Entries())
      if (entry.Atom != &neighbour && entry.Atom != &centre && IsCarbonType(entry.Atom->GetAtomType()) &&
          KindOf(*entry.Atom) == TCarbonKind::Sp3)
        ++count;
    return count;
  };
  std::vector<int> further;
  for (const TNeighbour& entry : centre.Entries())
    if (entry.Atom != &centre && IsCarbonType(entry.Atom->GetAtomType()) && KindOf(*entry.Atom) == TCarbonKind::Sp3)
      further.push_back(furtherSp3(*entry.Atom));
  int best = 0;
  for (std::size_t a = 0; a < further.size(); ++a)
    for (std::size_t b = 0; b < further.size(); ++b)
      if (a != b && further[a] >= 3 && further[b] >= 2) best = std::max(best, further[b] >= 3 ? 2 : 1);
  return best;
}

bool HasExocyclicHeavyNeighbour(const TAtom& aromatic) {
  for (const TNeighbour& entry : aromatic.Entries())
    if (entry.Atom != &aromatic && !entry.Aromatic && !IsHydrogenLike(entry.Atom->GetAtomType())) return true;
  return false;
}

// The sum over the groups and corrections of a hydrocarbon; a radical's
// is its parent's (its unpaired electrons read as hydrogens).
TResult<TSum> ClosedShellSum(const TMolecule& molecule) {
  TSum sum;
  int interactions15 = 0;
  for (const TAtom* atom : molecule.Atoms()) {
    if (IsHydrogenLike(atom->GetAtomType())) continue;
    const std::string key = GroupKeyOf(*atom);
    const TGroupValue* value = GroupValueWithFallback(key);
    if (!value) return NoEstimate("no group value for the carbon group " + key);
    sum.Add(*value);
    if (KindOf(*atom) == TCarbonKind::Sp3) interactions15 += Interactions15(*atom);
  }
  sum.Add(Interaction15Correction(), interactions15);
  const std::vector<TRing> rings = SmallestRings(molecule);
  AddRingCorrections(molecule, rings, sum);
  const auto ringBonds = RingBonds(rings);
  int gauche = 0, ortho = 0;
  for (const TBondEntry& bond : molecule.Bonds()) {
    const TAtom& a = *molecule.GetAtom(bond.Row);
    const TAtom& b = *molecule.GetAtom(bond.Column);
    if (IsHydrogenLike(a.GetAtomType()) || IsHydrogenLike(b.GetAtomType())) continue;
    if (KindOf(a) == TCarbonKind::Sp3 && KindOf(b) == TCarbonKind::Sp3 &&
        !ringBonds.contains({std::min(bond.Row, bond.Column), std::max(bond.Row, bond.Column)}))
      gauche += GaucheInteractions(a.SkeletonDegree(), b.SkeletonDegree());
    if (bond.Aromatic && KindOf(a) == TCarbonKind::Aromatic && KindOf(b) == TCarbonKind::Aromatic &&
        HasExocyclicHeavyNeighbour(a) && HasExocyclicHeavyNeighbour(b))
      ++ortho;
  }
  sum.Add(GaucheCorrection(), gauche);
  sum.Add(OrthoCorrection(), ortho);
  return sum;
}

// Carbon neighbours of an atom other than `except`.
std::vector<const TAtom*> CarbonNeighbours(const TAtom& atom, const TAtom* except = nullptr) {
  std::vector<const TAtom*> carbons;
  for (const TNeighbour& entry : atom.Entries())
    if (entry.Atom != &atom && entry.Atom != except && IsCarbonType(entry.Atom->GetAtomType()))
      carbons.push_back(entry.Atom);
  return carbons;
}

// The neighbour joined to `atom` by a bond of the order.
const TAtom* PartnerOfOrder(const TAtom& atom, std::uint8_t order) {
  for (const TNeighbour& entry : atom.Entries())
    if (entry.Atom != &atom && !entry.Aromatic && entry.Order == order) return entry.Atom;
  return nullptr;
}

// Whether the C=C next to a radical site continues into another double bond
// (C=C–C=C–C·).
bool ConjugatedBeyond(const TAtom& doubleBonded) {
  const TAtom* partner = PartnerOfOrder(doubleBonded, 2);
  if (!partner) return false;
  for (const TAtom* next : CarbonNeighbours(*partner, &doubleBonded))
    if (KindOf(*next) == TCarbonKind::Double) return true;
  return false;
}

}  // namespace

std::string GroupKeyOf(const TAtom& carbon) {
  const TCarbonKind kind = KindOf(carbon);
  std::string centre = "Cs:";
  std::string ligands;
  int hydrogens = 0;
  for (const TNeighbour& entry : carbon.Entries()) {
    // An unpaired electron stands for the hydrogen of the parent molecule:
    // a radical's groups are its parent's.
    if (entry.Atom == &carbon) {
      if (kind != TCarbonKind::FusedAromatic && kind != TCarbonKind::Allenic) ++hydrogens, ligands += 'H';
      continue;
    }
    switch (kind) {
      case TCarbonKind::Double:
        if (!entry.Aromatic && entry.Order == 2) continue;
        break;
      case TCarbonKind::Triple:
        if (entry.Order == 3) continue;
        break;
      case TCarbonKind::Aromatic:
        if (entry.Aromatic) continue;
        break;
      case TCarbonKind::FusedAromatic:
        if (!entry.Aromatic) continue;
        break;
      case TCarbonKind::Allenic: continue;
      case TCarbonKind::Sp3: break;
    }
    const char letter = LigandLetter(*entry.Atom);
    hydrogens += letter == 'H';
    ligands += letter;
  }
  switch (kind) {
    case TCarbonKind::Sp3: centre = "Cs:"; break;
    case TCarbonKind::Double: centre = "Cd:"; break;
    case TCarbonKind::Triple: centre = "Ct:"; break;
    case TCarbonKind::Aromatic: centre = "Cb:"; break;
    case TCarbonKind::FusedAromatic: centre = "Cbf:"; break;
    case TCarbonKind::Allenic: centre = "Ca:"; break;
  }
  // Benson's convention: a methyl group is C-(C)(H)3 whatever its neighbour.
  if (kind == TCarbonKind::Sp3 && hydrogens == 3 && ligands.size() == 4) return "Cs:CHHH";
  std::sort(ligands.begin(), ligands.end());
  return centre + ligands;
}

THydrogenBondSite HydrogenBondSiteOf(const TAtom& carbon) {
  switch (KindOf(carbon)) {
    case TCarbonKind::Aromatic:
    case TCarbonKind::FusedAromatic: return THydrogenBondSite::Phenyl;
    case TCarbonKind::Triple: return THydrogenBondSite::Ethynyl;
    case TCarbonKind::Allenic: return THydrogenBondSite::Allenic;
    case TCarbonKind::Double: {
      const TAtom* partner = PartnerOfOrder(carbon, 2);
      if (partner && KindOf(*partner) == TCarbonKind::Allenic) return THydrogenBondSite::Allenic;
      const auto others = CarbonNeighbours(carbon, partner);
      if (others.empty()) return THydrogenBondSite::VinylPrimary;
      for (const TAtom* other : others)
        if (KindOf(*other) != TCarbonKind::Sp3) return THydrogenBondSite::VinylConjugated;
      return THydrogenBondSite::VinylSecondary;
    }
    case TCarbonKind::Sp3: break;
  }
  const auto carbons = CarbonNeighbours(carbon);
  const std::size_t n = carbons.size();
  if (n == 0) return THydrogenBondSite::Methyl;
  int aromatic = 0, doubled = 0, tripled = 0;
  const TAtom* doubleNeighbour = nullptr;
  for (const TAtom* neighbour : carbons) {
    switch (KindOf(*neighbour)) {
      case TCarbonKind::Aromatic:
      case TCarbonKind::FusedAromatic: ++aromatic; break;
      case TCarbonKind::Double:
      case TCarbonKind::Allenic: ++doubled, doubleNeighbour = neighbour; break;
      case TCarbonKind::Triple: ++tripled; break;
      case TCarbonKind::Sp3: break;
    }
  }
  auto byDegree = [n](THydrogenBondSite primary, THydrogenBondSite secondary, THydrogenBondSite tertiary) {
    return n == 1 ? primary : n == 2 ? secondary : tertiary;
  };
  if (aromatic > 0)
    return byDegree(THydrogenBondSite::BenzylPrimary, THydrogenBondSite::BenzylSecondary,
                    THydrogenBondSite::BenzylTertiary);
  if (doubled >= 2) return THydrogenBondSite::DoublyAllylic;
  if (doubled == 1) {
    if (n == 1 && ConjugatedBeyond(*doubleNeighbour)) return THydrogenBondSite::Pentadienyl;
    return byDegree(THydrogenBondSite::AllylPrimary, THydrogenBondSite::AllylSecondary,
                    THydrogenBondSite::AllylTertiary);
  }
  if (tripled > 0)
    return byDegree(THydrogenBondSite::PropargylPrimary, THydrogenBondSite::PropargylSecondary,
                    THydrogenBondSite::PropargylTertiary);
  if (n >= 3) return THydrogenBondSite::Tertiary;
  if (n == 1) {
    switch (CarbonNeighbours(*carbons[0], &carbon).size()) {
      case 0: return THydrogenBondSite::Ethyl;
      case 1: return THydrogenBondSite::Primary;
      case 2: return THydrogenBondSite::Isobutyl;
      default: return THydrogenBondSite::Neopentyl;
    }
  }
  const int methyls = static_cast<int>(CarbonNeighbours(*carbons[0], &carbon).empty()) +
                      static_cast<int>(CarbonNeighbours(*carbons[1], &carbon).empty());
  return methyls == 2 ? THydrogenBondSite::Isopropyl
         : methyls == 1 ? THydrogenBondSite::SecondaryMethyl
                        : THydrogenBondSite::Secondary;
}

TResult<TGroupEstimate> GroupAdditivityEstimate(const TMolecule& molecule) {
  if (molecule.AtomCount() == 0) return NoEstimate("the species has no atoms");
  int carbons = 0;
  for (std::uint8_t type : molecule.AtomTypes()) {
    if (type == kCarbon || type == kAromaticCarbon)
      ++carbons;
    else if (type != kHydrogen)
      return NoEstimate("group additivity covers molecules of carbon and hydrogen only");
  }
  if (carbons == 0) return NoEstimate("the species has no carbon");

  std::vector<THydrogenBondSite> sites;
  for (const TAtom* atom : molecule.Atoms()) {
    if (atom->UnpairedElectrons() == 0) continue;
    if (!IsCarbonType(atom->GetAtomType())) return NoEstimate("an unpaired electron sits on a hydrogen atom");
    sites.insert(sites.end(), atom->UnpairedElectrons(), HydrogenBondSiteOf(*atom));
  }
  // Methane and its radicals (CH3, CH2, CH, C) have no carbon group; the
  // library of small species holds them.
  if (carbons == 1 && molecule.AtomCount() <= 5)
    return NoEstimate("methane and its radicals have no carbon group; the library of small species holds them");
  auto sum = ClosedShellSum(molecule);
  if (!sum) return sum.error();
  for (THydrogenBondSite site : sites) sum->Add(HydrogenBondIncrement(site));

  TGroupEstimate estimate;
  estimate.Enthalpy298 = sum->Enthalpy * kKilocalorie - static_cast<double>(sites.size()) * kHydrogenAtomEnthalpy;
  estimate.IntrinsicEntropy298 = sum->Entropy * kCalorie;
  for (int k = 0; k < sum->Points; ++k)
    estimate.HeatCapacity.emplace_back(kGroupTemperatures[k], sum->HeatCapacity[k] * kCalorie);
  return estimate;
}

}  // namespace korvane
