#include "reactions/recipes.h"

#include <cmath>

#include "core/molecule.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction.h"

namespace korvane {
namespace {

void AppendTimes(std::string& recipe, int index, int times) {
  recipe.append(static_cast<std::size_t>(times), static_cast<char>(index));
}

void Append(std::string& recipe, int index) { recipe += static_cast<char>(index); }

std::string Single(int index) { return std::string(1, static_cast<char>(index)); }

// A multiple or aromatic bond one atom further out from `from` (the walk
// skips both bond atoms and hydrogen-like atoms).
void AppendMultipleBondsInBeta(std::string& recipe, const TAtom* from, const TAtom* other) {
  for (const TNeighbour& toN : from->Entries()) {
    const TAtom* n = toN.Atom;
    if (n == from || n == other || IsHydrogenLike(n->GetAtomType())) continue;
    for (const TNeighbour& toM : n->Entries()) {
      const TAtom* m = toM.Atom;
      if (m == n || m == from || m == other || IsHydrogenLike(m->GetAtomType())) continue;
      if (toM.Order >= 2 || toM.Aromatic) Append(recipe, kE_BetaSc_MultiBondInBeta);
    }
  }
}

TRecipes BetaScissionRecipes(const TMolecule& molecule, std::size_t first, std::size_t second) {
  TRecipes recipes;
  TAtom* x = molecule.GetAtom(first);
  TAtom* y = molecule.GetAtom(second);
  std::string& e = recipes.ActivationEnergy;
  if (!IsHydrogenLike(x->GetAtomType()) && !IsHydrogenLike(y->GetAtomType())) {
    recipes.FrequencyFactor = Single(kA_BetaSc_CC);
    const int substitution = x->SkeletonDegree() + y->SkeletonDegree();
    if (substitution >= 3 && substitution <= 8) Append(e, kE_BetaSc_CC_1subst + substitution - 3);
    if (molecule.IsCyclic() && molecule.IsAtomInCycle(x) && molecule.IsAtomInCycle(y)) Append(e, kE_BetaSc_CyclBond);
  } else {
    if (IsHydrogenLike(x->GetAtomType())) std::swap(x, y);
    recipes.FrequencyFactor = Single(kA_BetaSc_CH);
    const int degree = x->SkeletonDegree();
    if (degree >= 1 && degree <= 3) Append(e, kE_BetaSc_CH_Prim + degree - 1);
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
  recipes.FrequencyFactor = Single(kA_HydogegTransfer);
  const TAtom* firstAtom = molecule.GetAtom(first);
  const TAtom* carbon = IsHydrogenLike(firstAtom->GetAtomType()) ? molecule.GetAtom(second) : firstAtom;
  std::string& e = recipes.ActivationEnergy;
  const int degree = carbon->SkeletonDegree();
  if (degree == 0) {
    Append(e, kE_HTransf_Methane);
    return recipes;
  }
  if (degree <= 3) Append(e, kE_HTransf_Prim + degree - 1);
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
    case kRecombination: return {Single(kA_Recombination), Single(kE_Recombination)};
    case kAllylIzomeration: return {Single(kA_AllylIzomeration), Single(kE_AllylIzomeration)};
    default: return current;
  }
}

double RateConstant(double frequencyFactor, double activationEnergy, double temperature) {
  return frequencyFactor * std::exp(-1000.0 * activationEnergy / (kGasConstant * temperature));
}

}  // namespace korvane
