#include "reactions/generators.h"

#include <algorithm>
#include <array>
#include <cassert>

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

  explicit Structure(const TMolecule& molecule)
      : Adjacency(molecule.AdjacencyMatrix()), Types(molecule.AtomTypes()), Aromatic(molecule.AromaticMatrix()) {}
  Structure(std::size_t n) : Adjacency(n, n, 0), Types(n, 0), Aromatic(n, n, false) {}

  void SetBond(std::size_t i, std::size_t j, std::uint8_t order, bool aromatic) {
    Adjacency[i][j] = Adjacency[j][i] = order;
    Aromatic[i][j] = Aromatic[j][i] = aromatic;
  }
};

// The sub-structure of the listed atoms, renumbered in list order.
Structure Fragment(const TMolecule& whole, const TAtomVector& atoms) {
  const std::size_t size = atoms.size();
  std::array<std::uint8_t, kMaxAtoms> indexes;
  for (std::size_t k = 0; k < size; ++k) indexes[k] = atoms[k]->GetIndex();
  Structure part(size);
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
  return part;
}

// Generated structures come from valid molecules and never grow past them
// (recombination checks its size first), so building cannot fail.
std::unique_ptr<TMolecule> Build(Structure&& structure) {
  auto molecule = TMolecule::FromStructure(0, std::move(structure.Adjacency), std::move(structure.Types),
                                           std::move(structure.Aromatic));
  assert(molecule);
  return molecule;
}

TReaction* NewReaction(TGeneratorResult& result, TMolecule& reactant, std::int32_t type, double e, double a) {
  auto& reaction = result.Reactions.emplace_back(std::make_unique<TReaction>());
  reaction->SetParameters(type, e, a);
  reaction->AddReactant(&reactant, -1);
  return reaction.get();
}

void AddProduct(TGeneratorResult& result, TReaction& reaction, std::unique_ptr<TMolecule> product) {
  reaction.AddProduct(product.get(), 1);
  result.Products.push_back(std::move(product));
}

void SetRecipes(TReaction& reaction, const TRecipes& recipes) {
  reaction.FreqFact2 = recipes.FrequencyFactor;
  reaction.ActEnerg2 = recipes.ActivationEnergy;
}

bool IsLoneHydrogenAtom(const TMolecule& molecule) {
  return molecule.AtomCount() == 1 && IsHydrogenLike(molecule.AtomTypes()[0]);
}

}  // namespace

TGeneratorResult BetaScission(TMolecule& radical) {
  TGeneratorResult result;
  if (!radical.IsRadical()) return result;
  // Bonds are cut on a private copy so that the fragments can be found by a
  // walk; the neighbour lists iterated are the radical's own, which stay put.
  const std::unique_ptr<TMolecule> copy = radical.Copy();
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

        TAtom* copyB = copy->GetAtom(b);
        TAtom* copyC = copy->GetAtom(c);
        const std::uint8_t order = copyB->BondOrderTo(copyC);
        const bool aromatic = copyB->IsAromaticBondTo(copyC);
        copyB->RemoveNeighbour(copyC, true);

        // The fragments are cut from the radical's matrices, then edited:
        // b–c broken, every unpaired electron of a into the raised a–b bond,
        // c the new radical centre.
        std::vector<std::unique_ptr<TMolecule>> fragments;
        bool atomFormed = false;
        for (const TAtomVector& atoms : copy->Components()) {
          Structure part = Fragment(radical, atoms);
          std::ptrdiff_t newA = -1, newB = -1, newC = -1;
          for (std::size_t k = 0; k < atoms.size(); ++k) {
            const std::size_t index = atoms[k]->GetIndex();
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
          fragments.push_back(Build(std::move(part)));
          atomFormed = atomFormed || IsLoneHydrogenAtom(*fragments.back());
        }
        TReaction* reaction = NewReaction(result, radical, kBetaScission, energies[b][c],
                                          atomFormed ? kBetaScissionAtomA : kBetaScissionA);
        for (auto& fragment : fragments) AddProduct(result, *reaction, std::move(fragment));

        copyB->AddNeighbour(copyC, true, order, aromatic);
        SetRecipes(*reaction, BuildRecipes(*copy, kBetaScission, b, c));
      }
    }
  }
  return result;
}

TGeneratorResult HydrogenTransfer(TMolecule& molecule) {
  TGeneratorResult result;
  if (molecule.IsRadical() || molecule.AtomCount() < 4) return result;
  const TIntMatrix& energies = molecule.BondEnergyMatrix();
  const std::size_t n = molecule.AtomCount();
  for (std::size_t h = 0; h < n; ++h) {
    const TAtom* hydrogen = molecule.GetAtom(h);
    if (Valence(hydrogen->GetAtomType()) != 1) continue;
    // A hydrogen without a partner (only its own electrons) has no bond to
    // break; there is nothing to detach it from.
    if (hydrogen->Entries().empty() || hydrogen->Entries().front().Atom == hydrogen) continue;
    const std::size_t c = hydrogen->Entries().front().Atom->GetIndex();

    Structure atom(1);
    atom.Types[0] = hydrogen->GetAtomType();
    atom.Adjacency[0][0] = 1;

    // The molecule without h: later atoms move down by one index.
    Structure rest(n - 1);
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

    TReaction* reaction = NewReaction(result, molecule, kHydrogenTransfer, energies[h][c], kHydrogenTransferA);
    reaction->MultiplyByActiveRadicals = true;
    AddProduct(result, *reaction, Build(std::move(atom)));
    AddProduct(result, *reaction, Build(std::move(rest)));
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

  Structure joined(n1 + n2);
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
  AddProduct(result, *reaction, Build(std::move(joined)));
  SetRecipes(*reaction, BuildRecipes(first, kRecombination, 0, 0));
  return result;
}

TGeneratorResult AllylIsomerisation(TMolecule& radical) {
  TGeneratorResult result;
  if (!radical.IsRadical()) return result;
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
        Structure edited(radical);
        edited.Adjacency[a][a] = 0;
        edited.Adjacency[b][c] = edited.Adjacency[c][b] = 1;
        edited.Adjacency[a][b] = edited.Adjacency[b][a] = 2;
        edited.Adjacency[c][c] = 1;
        TReaction* reaction = NewReaction(result, radical, kAllylIzomeration, kAllylE, kAllylA);
        AddProduct(result, *reaction, Build(std::move(edited)));
        SetRecipes(*reaction, BuildRecipes(radical, kAllylIzomeration, 0, 0));
      }
    }
  }
  return result;
}

}  // namespace korvane
