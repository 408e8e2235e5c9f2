#include "reactions/recipes.h"

#include <cmath>

#include "core/molecule.h"
#include "reactions/reaction.h"

namespace korvane {
namespace {

// Indexes into the kinetic parameter table (the key each stands for).
enum : char {
  kA_BetaSc_CH = 0,
  kA_BetaSc_CC = 1,
  kA_HydogegTransfer = 2,
  kA_Recombination = 3,
  kA_AllylIzomeration = 4,
  kE_BetaSc_CH_Prim = 6,
  kE_BetaSc_CC_1subst = 9,  // substitution sums 3..8 use 9..14
  kE_BetaSc_DoubleAlfa = 15,
  kE_BetaSc_TripleOrAromAlfa = 16,
  kE_BetaSc_MultiBondInBeta = 17,
  kE_HTransf_Methane = 18,
  kE_HTransf_Prim = 19,  // 1..3 carbon neighbours use 19..21
  kE_HTransf_DoubleAlfa = 22,
  kE_HTransf_TripleOrAromAlfa = 23,
  kE_HTransf_MultiInBeta = 24,
  kE_Recombination = 25,
  kE_AllylIzomeration = 26,
  kE_BetaSc_CyclBond = 27,
};

void AppendTimes(std::string& recipe, char index, int times) { recipe.append(static_cast<std::size_t>(times), index); }

// A multiple or aromatic bond one atom further out from `from` (the walk
// skips both bond atoms and hydrogen-like atoms).
void AppendMultipleBondsInBeta(std::string& recipe, const TAtom* from, const TAtom* other) {
  for (const TNeighbour& toN : from->Entries()) {
    const TAtom* n = toN.Atom;
    if (n == from || n == other || IsHydrogenLike(n->GetAtomType())) continue;
    for (const TNeighbour& toM : n->Entries()) {
      const TAtom* m = toM.Atom;
      if (m == n || m == from || m == other || IsHydrogenLike(m->GetAtomType())) continue;
      if (toM.Order >= 2 || toM.Aromatic) recipe += kE_BetaSc_MultiBondInBeta;
    }
  }
}

TRecipes BetaScissionRecipes(const TMolecule& molecule, std::size_t first, std::size_t second) {
  TRecipes recipes;
  TAtom* x = molecule.GetAtom(first);
  TAtom* y = molecule.GetAtom(second);
  std::string& e = recipes.ActivationEnergy;
  if (!IsHydrogenLike(x->GetAtomType()) && !IsHydrogenLike(y->GetAtomType())) {
    recipes.FrequencyFactor = std::string(1, kA_BetaSc_CC);
    const int substitution = x->SkeletonDegree() + y->SkeletonDegree();
    if (substitution >= 3 && substitution <= 8) e += static_cast<char>(kE_BetaSc_CC_1subst + substitution - 3);
    if (molecule.IsCyclic() && molecule.IsAtomInCycle(x) && molecule.IsAtomInCycle(y)) e += kE_BetaSc_CyclBond;
  } else {
    if (IsHydrogenLike(x->GetAtomType())) std::swap(x, y);
    recipes.FrequencyFactor = std::string(1, kA_BetaSc_CH);
    const int degree = x->SkeletonDegree();
    if (degree >= 1 && degree <= 3) e += static_cast<char>(kE_BetaSc_CH_Prim + degree - 1);
  }
  AppendTimes(e, kE_BetaSc_DoubleAlfa, x->DoubleBondCount());
  AppendTimes(e, kE_BetaSc_DoubleAlfa, y->DoubleBondCount());
  AppendTimes(e, kE_BetaSc_TripleOrAromAlfa, x->TripleBondCount());
  AppendTimes(e, kE_BetaSc_TripleOrAromAlfa, y->TripleBondCount());
  AppendTimes(e, kE_BetaSc_TripleOrAromAlfa, x->AromaticBondCount());
  AppendTimes(e, kE_BetaSc_TripleOrAromAlfa, y->AromaticBondCount());
  AppendMultipleBondsInBeta(e, x, y);
  AppendMultipleBondsInBeta(e, y, x);
  return recipes;
}

TRecipes HydrogenTransferRecipes(const TMolecule& molecule, std::size_t first, std::size_t second) {
  TRecipes recipes;
  recipes.FrequencyFactor = std::string(1, kA_HydogegTransfer);
  const TAtom* firstAtom = molecule.GetAtom(first);
  const TAtom* carbon = IsHydrogenLike(firstAtom->GetAtomType()) ? molecule.GetAtom(second) : firstAtom;
  std::string& e = recipes.ActivationEnergy;
  const int degree = carbon->SkeletonDegree();
  if (degree == 0) {
    e += kE_HTransf_Methane;
    return recipes;
  }
  if (degree <= 3) e += static_cast<char>(kE_HTransf_Prim + degree - 1);
  // Exactly one kind of increment applies, tried in this order.
  if (carbon->DoubleBondCount() > 0) {
    AppendTimes(e, kE_HTransf_DoubleAlfa, carbon->DoubleBondCount());
  } else if (carbon->TripleBondCount() > 0) {
    AppendTimes(e, kE_HTransf_TripleOrAromAlfa, carbon->TripleBondCount());
  } else if (carbon->AromaticBondCount() > 0) {
    AppendTimes(e, kE_HTransf_TripleOrAromAlfa, carbon->AromaticBondCount());
  } else {
    for (const TNeighbour& entry : carbon->Entries()) {
      const TAtom* n = entry.Atom;
      AppendTimes(e, kE_HTransf_MultiInBeta, n->DoubleBondCount() + n->TripleBondCount() + n->AromaticBondCount());
    }
  }
  return recipes;
}

}  // namespace

TRecipes BuildRecipes(const TMolecule& molecule, std::int32_t reactionType, std::size_t first, std::size_t second,
                      const TRecipes& current) {
  switch (reactionType) {
    case kBetaScission: return BetaScissionRecipes(molecule, first, second);
    case kHydrogenTransfer: return HydrogenTransferRecipes(molecule, first, second);
    case kRecombination: return {std::string(1, kA_Recombination), std::string(1, kE_Recombination)};
    case kAllylIzomeration: return {std::string(1, kA_AllylIzomeration), std::string(1, kE_AllylIzomeration)};
    default: return current;
  }
}

double RateConstant(double frequencyFactor, double activationEnergy, double temperature) {
  return frequencyFactor * std::exp(-1000.0 * activationEnergy / (kGasConstant * temperature));
}

}  // namespace korvane
