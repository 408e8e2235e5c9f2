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

// The three stored pieces of a molecule, edited by a generator.
struct Structure {
  TByteMatrix Adjacency;
  TByteVector Types;
  TBoolMatrix Aromatic;

  /// Sized to n atoms, keeping its memory between uses; the entries are
  /// left as they were unless `clear`.
  void Resize(std::size_t n, bool clear) {
    if (clear) {
      Adjacency.assign(n, n, 0);
      Types.assign(n, 0);
      Aromatic.assign(n, n, false);
    } else {
      Adjacency.reshape(n, n);
      Types.resize(n);
      Aromatic.reshape(n, n);
    }
  }
  void SetBond(std::size_t i, std::size_t j, std::uint8_t order, bool aromatic) {
    Adjacency[i][j] = Adjacency[j][i] = order;
    Aromatic[i][j] = Aromatic[j][i] = aromatic;
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

  /// The buffer for the next candidate, sized to n atoms. Its entries are
  /// cleared only when asked: most callers write every one.
  Structure& Candidate(std::size_t n, bool clear) {
    m_buffers.Candidate.Resize(n, clear);
    return m_buffers.Candidate;
  }
  /// The product identical to the candidate in the buffer: an earlier one, or
  /// a new one that the result owns.
  TMolecule* Make() {
    std::string& certificate = m_buffers.Certificate;
    const Structure& candidate = m_buffers.Candidate;
    bool hasRing = false;
    MoleculeCertificate(candidate.Adjacency, candidate.Types, candidate.Aromatic, certificate, &hasRing);
    const std::size_t hash = std::hash<std::string_view>{}(certificate);
    for (const Made& made : m_made)
      if (made.Hash == hash && made.Molecule->Certificate() == certificate) return made.Molecule;
    // Without a ring, aromatisation leaves the product as it is, so it may be
    // replaced by a known species at once.
    if (m_known && !hasRing) {
      if (TMolecule* known = m_known->Find(certificate)) {
        m_made.push_back({hash, known});
        return known;
      }
    }
    // Generated structures come from valid molecules and never grow past
    // them (recombination checks its size first), so they need no check.
    auto product = TMolecule::FromIdentifiedStructure(candidate.Adjacency, candidate.Types, candidate.Aromatic,
                                                      certificate, hasRing);
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

// Atom indexes of each fragment.
using Fragments = std::vector<std::vector<std::uint8_t>>;

// The fragments the molecule falls into when the bond b–c is ignored, ordered
// as TMolecule::Components orders them: by lowest atom index, each fragment's
// atoms ascending. Fills (and reuses) `fragments`; the molecule is untouched.
void FragmentsWithout(const TMolecule& molecule, std::size_t b, std::size_t c, Fragments& fragments) {
  const std::size_t n = molecule.AtomCount();
  thread_local std::vector<int> label;
  thread_local std::vector<const TAtom*> stack;
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
  fragments.resize(count);
  for (auto& fragment : fragments) fragment.clear();
  for (std::size_t i = 0; i < n; ++i) fragments[label[i]].push_back(static_cast<std::uint8_t>(i));
}

// Writes the sub-structure of the listed atoms, renumbered in list order.
void WriteFragment(const TMolecule& whole, const std::vector<std::uint8_t>& indexes, Structure& part) {
  const std::size_t size = indexes.size();
  for (std::size_t i = 0; i < size; ++i) {
    const std::size_t from = indexes[i];
    part.Types[i] = whole.AtomTypes()[from];
    const std::uint8_t* adjacencyRow = whole.AdjacencyMatrix()[from];
    const bool* aromaticRow = whole.AromaticMatrix()[from];
    std::uint8_t* adjacencyOut = part.Adjacency[i];
    bool* aromaticOut = part.Aromatic[i];
    for (std::size_t j = 0; j < size; ++j) {
      adjacencyOut[j] = adjacencyRow[indexes[j]];
      aromaticOut[j] = aromaticRow[indexes[j]];
    }
  }
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
  for (std::uint8_t a : radical.RadicalAtoms()) {
    const TAtom* atomA = radical.GetAtom(a);
    for (const TNeighbour& toB : atomA->Entries()) {
      const TAtom* atomB = toB.Atom;
      if (atomB == atomA) continue;
      const std::size_t b = atomB->GetIndex();
      for (const TNeighbour& toC : atomB->Entries()) {
        const TAtom* atomC = toC.Atom;
        if (atomC == atomA || atomC == atomB) continue;
        const std::size_t c = atomC->GetIndex();

        // The fragments are cut from the radical's matrices, then edited:
        // b–c broken, every unpaired electron of a into the raised a–b bond,
        // c the new radical centre.
        FragmentsWithout(radical, b, c, pieces);
        std::vector<TMolecule*> fragments;
        bool atomFormed = false;
        const bool leafCut = pieces.size() == 2 && IsPlainHydrogenLeaf(*atomC);
        const bool leafFirst = leafCut && pieces[0].size() == 1;  // fragments come by lowest atom index
        const auto same = std::find_if(leafFissions.begin(), leafFissions.end(), [&](const LeafFission& made) {
          return leafCut && made.a == a && made.b == b && made.type == atomC->GetAtomType();
        });
        if (same != leafFissions.end()) {
          fragments = leafFirst ? std::vector<TMolecule*>{same->leaf, same->rest}
                                : std::vector<TMolecule*>{same->rest, same->leaf};
          atomFormed = true;
        } else {
          for (const std::vector<std::uint8_t>& atoms : pieces) {
            Structure& part = maker.Candidate(atoms.size(), false);
            WriteFragment(radical, atoms, part);
            std::ptrdiff_t newA = -1, newB = -1, newC = -1;
            for (std::size_t k = 0; k < atoms.size(); ++k) {
              const std::size_t index = atoms[k];
              if (index == a) newA = static_cast<std::ptrdiff_t>(k);
              if (index == b) newB = static_cast<std::ptrdiff_t>(k);
              if (index == c) newC = static_cast<std::ptrdiff_t>(k);
            }
            if (newB >= 0 && newC >= 0) part.SetBond(newB, newC, 0, false);
            if (newA >= 0) part.Adjacency[newA][newA] = 0;
            if (newA >= 0 && newB >= 0) {
              const auto raised = static_cast<std::uint8_t>(part.Adjacency[newA][newB] + 1);
              part.Adjacency[newA][newB] = part.Adjacency[newB][newA] = raised;
            }
            if (newC >= 0) part.Adjacency[newC][newC] = 1;
            atomFormed = atomFormed || (atoms.size() == 1 && IsHydrogenLike(part.Types[0]));
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

    Structure& atom = maker.Candidate(1, true);
    atom.Types[0] = hydrogen->GetAtomType();
    atom.Adjacency[0][0] = 1;
    TMolecule* atomProduct = maker.Make();

    // The molecule without h: later atoms move down by one index.
    Structure& rest = maker.Candidate(n - 1, false);
    for (std::size_t i = 0, ri = 0; i < n; ++i) {
      if (i == h) continue;
      rest.Types[ri] = molecule.AtomTypes()[i];
      const std::uint8_t* row = molecule.AdjacencyMatrix()[i];
      const bool* aromaticRow = molecule.AromaticMatrix()[i];
      std::copy(row + h + 1, row + n, std::copy(row, row + h, rest.Adjacency[ri]));
      std::copy(aromaticRow + h + 1, aromaticRow + n, std::copy(aromaticRow, aromaticRow + h, rest.Aromatic[ri]));
      ++ri;
    }
    const std::size_t renumberedC = c > h ? c - 1 : c;
    rest.Adjacency[renumberedC][renumberedC] = 1;
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
  Structure& joined = maker.Candidate(n1 + n2, true);
  auto place = [&joined](const TMolecule& part, std::size_t offset) {
    const std::size_t n = part.AtomCount();
    for (std::size_t i = 0; i < n; ++i) {
      joined.Types[offset + i] = part.AtomTypes()[i];
      for (std::size_t j = 0; j < n; ++j) {
        joined.Adjacency[offset + i][offset + j] = part.AdjacencyMatrix()[i][j];
        joined.Aromatic[offset + i][offset + j] = part.AromaticMatrix()[i][j];
      }
    }
  };
  place(first, 0);
  place(second, n1);
  const std::size_t r1 = first.RadicalAtoms().front();
  const std::size_t r2 = n1 + second.RadicalAtoms().front();
  joined.Adjacency[r1][r1] = 0;
  joined.Adjacency[r2][r2] = 0;
  joined.SetBond(r1, r2, 1, false);

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
  for (std::uint8_t a : radical.RadicalAtoms()) {
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
        Structure& edited = maker.Candidate(radical.AtomCount(), false);
        edited.Adjacency = radical.AdjacencyMatrix();
        edited.Types = radical.AtomTypes();
        edited.Aromatic = radical.AromaticMatrix();
        edited.Adjacency[a][a] = 0;
        edited.Adjacency[b][c] = edited.Adjacency[c][b] = 1;
        edited.Adjacency[a][b] = edited.Adjacency[b][a] = 2;
        edited.Adjacency[c][c] = 1;
        TReaction* reaction = NewReaction(result, radical, kAllylIzomeration, kAllylE, kAllylA);
        reaction->AddProduct(maker.Make(), 1);
        SetRecipes(*reaction, BuildRecipes(radical, kAllylIzomeration, 0, 0));
      }
    }
  }
  return result;
}

}  // namespace korvane
