#include "reactions/generators.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/certificate.h"

#include "reactions/recipes.h"

namespace korvane {
namespace {

constexpr double kBetaScissionA = 1.0e14;
constexpr double kBetaScissionAtomA = 1.0e13;  // when a lone H, D or T atom is formed
constexpr double kHydrogenTransferA = 3.5775e21;
constexpr double kRecombinationE = 130.0;
constexpr double kRecombinationA = 1.0e14;
constexpr double kAllylE = 130.0;
constexpr double kAllylA = 1.0e14;

// A candidate product as a molecule stores it (TMolecule::Bonds): atom
// types, bonds below the diagonal in row order, unpaired electrons per atom
// and the atoms with an aromatic diagonal entry. Generators write it in time
// proportional to the atoms and bonds, never as n x n matrices.
struct Structure {
  TByteVector Types;
  TBondList Bonds;
  TByteVector Unpaired;
  TByteVector AromaticSelf;

  /// Emptied, keeping its memory between uses.
  void Clear() {
    Types.clear();
    Bonds.clear();
    Unpaired.clear();
    AromaticSelf.clear();
  }
  /// Gives the bond between atoms x and y (which must exist) a new order.
  void SetOrder(std::size_t x, std::size_t y, std::uint8_t order) {
    const std::size_t row = std::max(x, y), column = std::min(x, y);
    for (TBondEntry& bond : Bonds)
      if (bond.Row == row && bond.Column == column) {
        bond.Order = order;
        return;
      }
    assert(false && "the bond to change is missing");
  }
  std::uint8_t Order(std::size_t x, std::size_t y) const {
    const std::size_t row = std::max(x, y), column = std::min(x, y);
    for (const TBondEntry& bond : Bonds)
      if (bond.Row == row && bond.Column == column) return bond.Order;
    return 0;
  }
};

// Makes the products of one generator call. Each candidate is written into a
// buffer the thread reuses, identified by its certificate, and copied into a
// new molecule only when no earlier product of the call is identical: most
// candidates (every hydrogen a molecule can lose, every equivalent fission)
// repeat an earlier one, and then cost no allocation.
class ProductMaker {
 public:
  ProductMaker(TGeneratorResult& result, const TKnownSpecies* known) : m_result(result), m_known(known) {}

  /// The empty buffer for the next candidate.
  Structure& Candidate() {
    m_buffers.Candidate.Clear();
    return m_buffers.Candidate;
  }
  /// The product identical to the candidate in the buffer: an earlier one, or
  /// a new one that the result owns.
  TMolecule* Make() {
    std::string& certificate = m_buffers.Certificate;
    const Structure& candidate = m_buffers.Candidate;
    bool hasRing = false;
    MoleculeCertificate(candidate.Bonds, candidate.Types, candidate.Unpaired, certificate, &hasRing);
    const std::size_t hash = CertificateHash(certificate);
    for (const Made& made : m_made)
      if (made.Hash == hash && made.Molecule->Certificate() == certificate) return made.Molecule;
    // Without a ring, aromatisation leaves the product as it is, so it may be
    // replaced by a known species at once.
    if (m_known && !hasRing) {
      if (TMolecule* known = m_known->Find(certificate, hash)) {
        m_made.push_back({hash, known});
        return known;
      }
    }
    // Generated structures come from valid molecules and never grow past
    // them (recombination checks its size first), so they need no check.
    auto product = TMolecule::FromIdentifiedBonds(candidate.Types, candidate.Bonds, candidate.Unpaired,
                                                  candidate.AromaticSelf, certificate, hasRing);
    TMolecule* made = product.get();
    m_result.Products.push_back(std::move(product));
    m_made.push_back({hash, made});
    return made;
  }

 private:
  struct Buffers {
    Structure Candidate;
    std::string Certificate;
  };
  static Buffers& ThreadBuffers() {
    thread_local Buffers buffers;
    return buffers;
  }
  // A species made by this call, new or known; a call makes a few dozen, so
  // a scan of their hashes is cheaper than a map. A known species'
  // certificate was computed before it became known and is only read.
  struct Made {
    std::size_t Hash;
    TMolecule* Molecule;
  };

  TGeneratorResult& m_result;
  const TKnownSpecies* m_known;
  Buffers& m_buffers = ThreadBuffers();
  std::vector<Made> m_made;
};

// The fragments the molecule falls into when the bond b–c is ignored, ordered
// as TMolecule::Components orders them: by lowest atom index, each fragment's
// atoms ascending. For each atom of the molecule: its fragment and its place
// in that fragment.
struct Fragments {
  std::size_t Count = 0;
  std::vector<std::uint8_t> Sizes;
  std::vector<int> Label;
  std::vector<std::uint8_t> Place;
};

// Fills (and reuses) `fragments`; the molecule is untouched.
void FragmentsWithout(const TMolecule& molecule, std::size_t b, std::size_t c, Fragments& fragments) {
  const std::size_t n = molecule.AtomCount();
  thread_local std::vector<const TAtom*> stack;
  std::vector<int>& label = fragments.Label;
  label.assign(n, -1);
  int count = 0;
  for (std::size_t start = 0; start < n; ++start) {
    if (label[start] >= 0) continue;
    label[start] = count;
    stack.assign(1, molecule.GetAtom(start));
    while (!stack.empty()) {
      const TAtom* atom = stack.back();
      stack.pop_back();
      const std::size_t from = atom->GetIndex();
      for (const TNeighbour& entry : atom->Entries()) {
        const std::size_t to = entry.Atom->GetIndex();
        if (label[to] >= 0 || (from == b && to == c) || (from == c && to == b)) continue;
        label[to] = count;
        stack.push_back(entry.Atom);
      }
    }
    ++count;
  }
  fragments.Count = static_cast<std::size_t>(count);
  fragments.Sizes.assign(fragments.Count, 0);
  fragments.Place.resize(n);
  for (std::size_t i = 0; i < n; ++i) fragments.Place[i] = fragments.Sizes[label[i]]++;
}

// Writes fragment f of the molecule, its atoms renumbered in index order,
// without the bond b–c. Renumbering keeps the order of the atoms, so the
// bonds stay in row order.
void WriteFragment(const TMolecule& whole, const Fragments& fragments, int f, std::size_t b, std::size_t c,
                   Structure& part) {
  const std::size_t n = whole.AtomCount();
  for (std::size_t i = 0; i < n; ++i) {
    if (fragments.Label[i] != f) continue;
    part.Types.push_back(whole.AtomTypes()[i]);
    part.Unpaired.push_back(whole.UnpairedElectrons()[i]);
  }
  for (const TBondEntry& bond : whole.Bonds()) {
    if (fragments.Label[bond.Row] != f || fragments.Label[bond.Column] != f) continue;
    if ((bond.Row == b && bond.Column == c) || (bond.Row == c && bond.Column == b)) continue;
    part.Bonds.push_back({fragments.Place[bond.Row], fragments.Place[bond.Column], bond.Order, bond.Aromatic});
  }
  for (std::uint8_t i : whole.AromaticSelfAtoms())
    if (fragments.Label[i] == f) part.AromaticSelf.push_back(fragments.Place[i]);
}

// A hydrogen-like atom whose only entry is a plain single bond. Two such
// atoms of one type on one partner are interchangeable (swapping them maps
// the molecule onto itself), so what a generator makes by removing or
// cutting off one of them is identical to what it makes from the other: the
// product made for the first is used again, without building it.
bool IsPlainHydrogenLeaf(const TAtom& atom) {
  if (!IsHydrogenLike(atom.GetAtomType()) || atom.NeighbourCount() != 1) return false;
  const TNeighbour& bond = atom.Entries().front();
  return bond.Atom != &atom && bond.Order == 1 && !bond.Aromatic;
}

TReaction* NewReaction(TGeneratorResult& result, TMolecule& reactant, std::int32_t type, double e, double a) {
  auto& reaction = result.Reactions.emplace_back(std::make_unique<TReaction>());
  reaction->SetParameters(type, e, a);
  // Most reactions form two products: one allocation per list, not two.
  reaction->Products.reserve(2);
  reaction->ProductCoefs.reserve(2);
  reaction->AddReactant(&reactant, -1);
  return reaction.get();
}

void SetRecipes(TReaction& reaction, const TRecipes& recipes) {
  reaction.FreqFact2 = recipes.FrequencyFactor;
  reaction.ActEnerg2 = recipes.ActivationEnergy;
}

}  // namespace

TGeneratorResult BetaScission(TMolecule& radical, const TKnownSpecies* known) {
  TGeneratorResult result;
  if (!radical.IsRadical()) return result;
  ProductMaker maker(result, known);
  thread_local Fragments pieces;
  // Fissions that cut a plain hydrogen leaf c off b, by centre, b and type
  // of c: the two fragments made for the first such leaf.
  struct LeafFission {
    std::size_t a, b;
    std::uint8_t type;
    TMolecule* rest;
    TMolecule* leaf;
  };
  std::vector<LeafFission> leafFissions;
  const TIntMatrix& energies = radical.BondEnergyMatrix();
  for (std::uint8_t a : radical.RadicalAtomIndices()) {
    const TAtom* atomA = radical.GetAtom(a);
    for (const TNeighbour& toB : atomA->Entries()) {
      const TAtom* atomB = toB.Atom;
      if (atomB == atomA) continue;
      // The a–b bond gains an order: an aromatic bond cannot (its ring would
      // no longer be one), nor can a triple bond.
      if (toB.Aromatic || toB.Order >= 3) continue;
      const std::size_t b = atomB->GetIndex();
      for (const TNeighbour& toC : atomB->Entries()) {
        const TAtom* atomC = toC.Atom;
        if (atomC == atomA || atomC == atomB) continue;
        // Only a single bond breaks: a cut multiple bond would leave c short
        // of its valence, a cut aromatic bond an open chain of aromatic
        // carbons. (Their bond energies hold 1000 kJ/mol for this reason.)
        if (toC.Aromatic || toC.Order >= 2) continue;
        const std::size_t c = atomC->GetIndex();

        // The fragments are cut from the radical's matrices, then edited:
        // b–c broken, every unpaired electron of a into the raised a–b bond,
        // c the new radical centre.
        FragmentsWithout(radical, b, c, pieces);
        std::vector<TMolecule*> fragments;
        bool atomFormed = false;
        const bool leafCut = pieces.Count == 2 && IsPlainHydrogenLeaf(*atomC);
        const bool leafFirst = leafCut && pieces.Sizes[0] == 1;  // fragments come by lowest atom index
        const auto same = std::find_if(leafFissions.begin(), leafFissions.end(), [&](const LeafFission& made) {
          return leafCut && made.a == a && made.b == b && made.type == atomC->GetAtomType();
        });
        if (same != leafFissions.end()) {
          fragments = leafFirst ? std::vector<TMolecule*>{same->leaf, same->rest}
                                : std::vector<TMolecule*>{same->rest, same->leaf};
          atomFormed = true;
        } else {
          for (std::size_t f = 0; f < pieces.Count; ++f) {
            const int label = static_cast<int>(f);
            Structure& part = maker.Candidate();
            WriteFragment(radical, pieces, label, b, c, part);
            const bool hasA = pieces.Label[a] == label, hasB = pieces.Label[b] == label;
            if (hasA) part.Unpaired[pieces.Place[a]] = 0;
            if (hasA && hasB) {
              const std::size_t newA = pieces.Place[a], newB = pieces.Place[b];
              part.SetOrder(newA, newB, static_cast<std::uint8_t>(part.Order(newA, newB) + 1));
            }
            if (pieces.Label[c] == label) part.Unpaired[pieces.Place[c]] = 1;
            atomFormed = atomFormed || (part.Types.size() == 1 && IsHydrogenLike(part.Types[0]));
            fragments.push_back(maker.Make());
          }
          if (leafCut) {
            TMolecule* rest = fragments[leafFirst ? 1 : 0];
            TMolecule* leaf = fragments[leafFirst ? 0 : 1];
            leafFissions.push_back({a, b, atomC->GetAtomType(), rest, leaf});
          }
        }
        TReaction* reaction = NewReaction(result, radical, kBetaScission, energies[b][c],
                                          atomFormed ? kBetaScissionAtomA : kBetaScissionA);
        for (TMolecule* fragment : fragments) reaction->AddProduct(fragment, 1);
        SetRecipes(*reaction, BuildRecipes(radical, kBetaScission, b, c));
      }
    }
  }
  return result;
}

TGeneratorResult HydrogenTransfer(TMolecule& molecule, const TKnownSpecies* known) {
  TGeneratorResult result;
  if (molecule.IsRadical() || molecule.AtomCount() < 4) return result;
  ProductMaker maker(result, known);
  const TIntMatrix& energies = molecule.BondEnergyMatrix();
  const std::size_t n = molecule.AtomCount();
  // Products made for the first plain hydrogen leaf of each type on each
  // atom: [atom][type slot] (H, D, T), with the lone atoms by type.
  std::vector<std::array<TMolecule*, 3>> restByPartner(n, {nullptr, nullptr, nullptr});
  std::array<TMolecule*, 3> atomByType{nullptr, nullptr, nullptr};
  auto slotOf = [](std::uint8_t type) { return type == kHydrogen ? 0 : type == kDeuterium ? 1 : 2; };
  for (std::size_t h = 0; h < n; ++h) {
    const TAtom* hydrogen = molecule.GetAtom(h);
    if (Valence(hydrogen->GetAtomType()) != 1) continue;
    // A hydrogen without a partner (only its own electrons) has no bond to
    // break; there is nothing to detach it from.
    if (hydrogen->Entries().empty() || hydrogen->Entries().front().Atom == hydrogen) continue;
    const std::size_t c = hydrogen->Entries().front().Atom->GetIndex();
    const bool leaf = IsPlainHydrogenLeaf(*hydrogen);
    const int slot = slotOf(hydrogen->GetAtomType());
    if (leaf && restByPartner[c][slot]) {
      TReaction* reaction = NewReaction(result, molecule, kHydrogenTransfer, energies[h][c], kHydrogenTransferA);
      reaction->MultiplyByActiveRadicals = true;
      reaction->AddProduct(atomByType[slot], 1);
      reaction->AddProduct(restByPartner[c][slot], 1);
      SetRecipes(*reaction, BuildRecipes(molecule, kHydrogenTransfer, c, h));
      continue;
    }

    Structure& atom = maker.Candidate();
    atom.Types.push_back(hydrogen->GetAtomType());
    atom.Unpaired.push_back(1);
    TMolecule* atomProduct = maker.Make();

    // The molecule without h: later atoms move down by one index, which
    // keeps the bonds in row order.
    Structure& rest = maker.Candidate();
    auto renumbered = [h](std::uint8_t i) { return static_cast<std::uint8_t>(i > h ? i - 1 : i); };
    for (std::size_t i = 0; i < n; ++i) {
      if (i == h) continue;
      rest.Types.push_back(molecule.AtomTypes()[i]);
      rest.Unpaired.push_back(molecule.UnpairedElectrons()[i]);
    }
    for (const TBondEntry& bond : molecule.Bonds())
      if (bond.Row != h && bond.Column != h)
        rest.Bonds.push_back({renumbered(bond.Row), renumbered(bond.Column), bond.Order, bond.Aromatic});
    for (std::uint8_t i : molecule.AromaticSelfAtoms())
      if (i != h) rest.AromaticSelf.push_back(renumbered(i));
    rest.Unpaired[renumbered(static_cast<std::uint8_t>(c))] = 1;
    TMolecule* restProduct = maker.Make();
    if (leaf) {
      restByPartner[c][slot] = restProduct;
      atomByType[slot] = atomProduct;
    }

    TReaction* reaction = NewReaction(result, molecule, kHydrogenTransfer, energies[h][c], kHydrogenTransferA);
    reaction->MultiplyByActiveRadicals = true;
    reaction->AddProduct(atomProduct, 1);
    reaction->AddProduct(restProduct, 1);
    SetRecipes(*reaction, BuildRecipes(molecule, kHydrogenTransfer, c, h));
  }
  return result;
}

TGeneratorResult Recombination(TMolecule& first, TMolecule& second) {
  TGeneratorResult result;
  if (!first.IsRadical() || !second.IsRadical()) return result;
  const std::size_t n1 = first.AtomCount();
  const std::size_t n2 = second.AtomCount();
  if (n1 + n2 > kMaxAtoms) return result;  // the product could not be held

  ProductMaker maker(result, nullptr);
  Structure& joined = maker.Candidate();
  auto place = [&joined](const TMolecule& part, std::size_t offset) {
    const auto shifted = [offset](std::uint8_t i) { return static_cast<std::uint8_t>(i + offset); };
    joined.Types.insert(joined.Types.end(), part.AtomTypes().begin(), part.AtomTypes().end());
    joined.Unpaired.insert(joined.Unpaired.end(), part.UnpairedElectrons().begin(), part.UnpairedElectrons().end());
    for (const TBondEntry& bond : part.Bonds())
      joined.Bonds.push_back({shifted(bond.Row), shifted(bond.Column), bond.Order, bond.Aromatic});
    for (std::uint8_t i : part.AromaticSelfAtoms()) joined.AromaticSelf.push_back(shifted(i));
  };
  place(first, 0);
  place(second, n1);
  const std::size_t r1 = first.RadicalAtomIndices().front();
  const std::size_t r2 = n1 + second.RadicalAtomIndices().front();
  joined.Unpaired[r1] = 0;
  joined.Unpaired[r2] = 0;
  // The new bond lies in row r2 of the first part's columns: its place in
  // row order is found by sorting.
  joined.Bonds.push_back({static_cast<std::uint8_t>(r2), static_cast<std::uint8_t>(r1), 1, false});
  std::sort(joined.Bonds.begin(), joined.Bonds.end(), [](const TBondEntry& x, const TBondEntry& y) {
    return x.Row != y.Row ? x.Row < y.Row : x.Column < y.Column;
  });

  auto& reaction = result.Reactions.emplace_back(std::make_unique<TReaction>());
  reaction->SetParameters(kRecombination, kRecombinationE, kRecombinationA);
  reaction->AddReactant(&first, -1);
  reaction->AddReactant(&second, -1);
  reaction->AddProduct(maker.Make(), 1);
  SetRecipes(*reaction, BuildRecipes(first, kRecombination, 0, 0));
  return result;
}

TGeneratorResult AllylIsomerisation(TMolecule& radical, const TKnownSpecies* known) {
  TGeneratorResult result;
  if (!radical.IsRadical()) return result;
  ProductMaker maker(result, known);
  for (std::uint8_t a : radical.RadicalAtomIndices()) {
    const TAtom* atomA = radical.GetAtom(a);
    if (atomA->MultipleBondCount() != 0 || atomA->AromaticBondCount() != 0) continue;
    for (const TNeighbour& toB : atomA->Entries()) {
      const TAtom* atomB = toB.Atom;
      if (atomB == atomA || Valence(atomB->GetAtomType()) != 4) continue;
      for (const TNeighbour& toC : atomB->Entries()) {
        const TAtom* atomC = toC.Atom;
        if (atomC == atomA || atomC == atomB || Valence(atomC->GetAtomType()) != 4) continue;
        if (toC.Order != 2 || atomC->UnsaturatedBondCount() != 1) continue;
        const std::size_t b = atomB->GetIndex();
        const std::size_t c = atomC->GetIndex();
        Structure& edited = maker.Candidate();
        edited.Types = radical.AtomTypes();
        edited.Bonds.assign(radical.Bonds().begin(), radical.Bonds().end());
        edited.Unpaired.assign(radical.UnpairedElectrons().begin(), radical.UnpairedElectrons().end());
        edited.AromaticSelf.assign(radical.AromaticSelfAtoms().begin(), radical.AromaticSelfAtoms().end());
        edited.Unpaired[a] = 0;
        edited.SetOrder(b, c, 1);
        edited.SetOrder(a, b, 2);
        edited.Unpaired[c] = 1;
        TReaction* reaction = NewReaction(result, radical, kAllylIzomeration, kAllylE, kAllylA);
        reaction->AddProduct(maker.Make(), 1);
        SetRecipes(*reaction, BuildRecipes(radical, kAllylIzomeration, 0, 0));
      }
    }
  }
  return result;
}

}  // namespace korvane
