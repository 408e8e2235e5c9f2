#include "reactions/generators.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "molecule_builder.h"
#include "reaction_checks.h"

namespace korvane {
namespace {

using testing::CheckFullValence;
using testing::CheckReaction;
using testing::MoleculeFrom;

std::vector<int> Indexes(const std::string& recipe) {
  std::vector<int> indexes;
  for (char c : recipe) indexes.push_back(static_cast<unsigned char>(c));
  return indexes;
}

// Every reaction balances, every product is consistent, and the result owns
// exactly the products its reactions refer to, in generation order.
void ExpectSound(const TGeneratorResult& result, const std::string& what) {
  std::size_t next = 0;
  for (const auto& reaction : result.Reactions) {
    EXPECT_EQ(CheckReaction(*reaction), "") << what;
    for (const TMolecule* product : reaction->Products) {
      ASSERT_LT(next, result.Products.size()) << what;
      EXPECT_EQ(product, result.Products[next++].get()) << what;
    }
  }
  EXPECT_EQ(next, result.Products.size()) << what;
}

TEST(BetaScission, EthylGivesEthylenePlusHydrogenThreeTimes) {
  auto ethyl = MoleculeFrom("C. C; 0-1");
  const TByteMatrix before = ethyl->AdjacencyMatrix();
  TGeneratorResult result = BetaScission(*ethyl);
  ExpectSound(result, "ethyl");
  ASSERT_EQ(result.Reactions.size(), 3u);
  auto ethylene = MoleculeFrom("C C; 0=1");
  auto hydrogen = MoleculeFrom("H.");
  for (const auto& reaction : result.Reactions) {
    EXPECT_EQ(reaction->ReactionType, kBetaScission);
    EXPECT_EQ(reaction->FreqFactor, 1.0e13);
    EXPECT_EQ(reaction->ActEnergy, 172.0);  // CH(1) of the radical variant
    EXPECT_EQ(reaction->ReactantCoefs, TIntVector{-1});
    EXPECT_EQ(reaction->Reactants, TMoleculeVector{ethyl.get()});
    ASSERT_EQ(reaction->Products.size(), 2u);
    EXPECT_TRUE(AreIsomorphic(*reaction->Products[0], *ethylene));  // fragment of atom 0 first
    EXPECT_TRUE(AreIsomorphic(*reaction->Products[1], *hydrogen));
    EXPECT_EQ(reaction->ProductCoefs, (TIntVector{1, 1}));
    EXPECT_EQ(Indexes(reaction->FreqFact2), std::vector<int>{0});
    EXPECT_EQ(Indexes(reaction->ActEnerg2), std::vector<int>{6});
    EXPECT_EQ(CheckFullValence(*reaction->Products[0]), "");
  }
  // The component itself is untouched, neighbour order included.
  EXPECT_EQ(ethyl->AdjacencyMatrix(), before);
  EXPECT_EQ(ethyl->GetAtom(1)->Entries()[1].Atom->GetIndex(), 4);
}

TEST(BetaScission, PropylBreaksItsCarbonBondWithDocumentedRecipe) {
  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  TGeneratorResult result = BetaScission(*propyl);
  ExpectSound(result, "propyl");
  // C1 carries C2 and two hydrogens: one C–C and two C–H fissions.
  ASSERT_EQ(result.Reactions.size(), 3u);
  const TReaction& carbonCarbon = *result.Reactions[0];
  EXPECT_EQ(carbonCarbon.ActEnergy, propyl->BondEnergyMatrix()[1][2]);
  EXPECT_EQ(carbonCarbon.FreqFactor, 1.0e14);
  EXPECT_EQ(Indexes(carbonCarbon.FreqFact2), std::vector<int>{1});
  EXPECT_EQ(Indexes(carbonCarbon.ActEnerg2), std::vector<int>{9});
  ASSERT_EQ(carbonCarbon.Products.size(), 2u);
  EXPECT_TRUE(AreIsomorphic(*carbonCarbon.Products[0], *MoleculeFrom("C C; 0=1")));
  EXPECT_TRUE(AreIsomorphic(*carbonCarbon.Products[1], *MoleculeFrom("C.")));
  // Atoms renumbered in fragment order: the methyl's carbon comes first.
  EXPECT_EQ(carbonCarbon.Products[1]->AtomTypes()[0], kCarbon);
  EXPECT_EQ(carbonCarbon.Products[1]->AdjacencyMatrix()[0][0], 1);
  for (std::size_t k = 1; k < 3; ++k) EXPECT_EQ(result.Reactions[k]->FreqFactor, 1.0e13);
}

TEST(BetaScission, ButylRecipesAndRingOpening) {
  auto butyl = MoleculeFrom("C. C C C; 0-1 1-2 2-3");
  TGeneratorResult result = BetaScission(*butyl);
  ExpectSound(result, "1-butyl");
  ASSERT_FALSE(result.Reactions.empty());
  EXPECT_EQ(Indexes(result.Reactions[0]->ActEnerg2), std::vector<int>{10});

  auto secondaryButyl = MoleculeFrom("C C. C C; 0-1 1-2 2-3");
  TGeneratorResult secondary = BetaScission(*secondaryButyl);
  ExpectSound(secondary, "2-butyl");
  int carbonCarbon = 0;
  for (const auto& reaction : secondary.Reactions)
    if (reaction->FreqFactor == 1.0e14) {
      ++carbonCarbon;
      EXPECT_EQ(Indexes(reaction->ActEnerg2), std::vector<int>{9});
    }
  EXPECT_EQ(carbonCarbon, 1);

  auto cyclohexyl = MoleculeFrom("C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0");
  TGeneratorResult opened = BetaScission(*cyclohexyl);
  ExpectSound(opened, "cyclohexyl");
  int ringOpenings = 0;
  for (const auto& reaction : opened.Reactions) {
    if (reaction->Products.size() != 1) continue;
    ++ringOpenings;
    EXPECT_TRUE(AreIsomorphic(*reaction->Products[0], *MoleculeFrom("C C C C C C.; 0=1 1-2 2-3 3-4 4-5")));
    EXPECT_EQ(Indexes(reaction->ActEnerg2), (std::vector<int>{10, 27}));
  }
  EXPECT_EQ(ringOpenings, 2);  // C1–C2 and C5–C4, one from each side of the centre
}

TEST(BetaScission, CentreWithTwoElectronsLosesBoth) {
  // C0 carries two unpaired electrons, C2 one (so the molecule is a radical).
  // The first fission is a = C0, b = C1, c = C2 (C1 lists C0, C2, then H).
  auto molecule = MoleculeFrom("C.. C C.; 0-1 1-2");
  TGeneratorResult result = BetaScission(*molecule);
  ExpectSound(result, "diradical");
  ASSERT_FALSE(result.Reactions.empty());
  const TReaction& first = *result.Reactions[0];
  ASSERT_EQ(first.Products.size(), 2u);
  const TMolecule& alkene = *first.Products[0];
  EXPECT_EQ(alkene.AdjacencyMatrix()[0][0], 0);  // both marks gone, not one
  EXPECT_EQ(alkene.AdjacencyMatrix()[0][1], 2);
  EXPECT_EQ(first.Products[1]->AdjacencyMatrix()[0][0], 1);  // c becomes the new centre
  EXPECT_TRUE(BetaScission(*MoleculeFrom(testing::LinearAlkane(3))).Reactions.empty());
}

TEST(HydrogenTransfer, OncePerHydrogenInIndexOrder) {
  auto propane = MoleculeFrom(testing::LinearAlkane(3));
  TGeneratorResult result = HydrogenTransfer(*propane);
  ExpectSound(result, "propane");
  ASSERT_EQ(result.Reactions.size(), 8u);
  const double expected[] = {225, 225, 225, 215, 215, 225, 225, 225};
  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  auto isopropyl = MoleculeFrom("C C. C; 0-1 1-2");
  for (std::size_t k = 0; k < 8; ++k) {
    const TReaction& reaction = *result.Reactions[k];
    EXPECT_EQ(reaction.ActEnergy, expected[k]) << k;
    EXPECT_EQ(reaction.FreqFactor, 3.5775e21);
    EXPECT_TRUE(reaction.MultiplyByActiveRadicals);
    ASSERT_EQ(reaction.Products.size(), 2u);
    EXPECT_EQ(reaction.Products[0]->Formula(), "H1");
    EXPECT_TRUE(reaction.Products[0]->IsRadical());
    EXPECT_TRUE(AreIsomorphic(*reaction.Products[1], expected[k] == 215 ? *isopropyl : *propyl)) << k;
    EXPECT_EQ(CheckFullValence(*reaction.Products[1]), "");
  }
  EXPECT_EQ(Indexes(result.Reactions[3]->ActEnerg2), std::vector<int>{20});
}

TEST(HydrogenTransfer, RecipesAndSizeLimit) {
  // Reactions refer to their reactant: keep every molecule alive.
  auto methaneMolecule = MoleculeFrom("C");
  TGeneratorResult methane = HydrogenTransfer(*methaneMolecule);
  ASSERT_EQ(methane.Reactions.size(), 4u);
  EXPECT_EQ(methane.Reactions[0]->ActEnergy, 250.0);
  EXPECT_EQ(Indexes(methane.Reactions[0]->ActEnerg2), std::vector<int>{18});

  // Propene: hydrogens 7 and 8 sit on the CH2= carbon (reactions 4 and 5).
  auto propeneMolecule = MoleculeFrom("C C C; 0-1 1=2");
  TGeneratorResult propene = HydrogenTransfer(*propeneMolecule);
  ExpectSound(propene, "propene");
  ASSERT_EQ(propene.Reactions.size(), 6u);
  EXPECT_EQ(Indexes(propene.Reactions[4]->ActEnerg2), (std::vector<int>{19, 22}));
  EXPECT_EQ(propene.Reactions[4]->ActEnergy, 1225.0);

  // Deuterium leaves as a deuterium atom.
  auto deuteratedMethane = MoleculeFrom("C D; 0-1");
  TGeneratorResult deuterated = HydrogenTransfer(*deuteratedMethane);
  ExpectSound(deuterated, "CH3D");
  EXPECT_EQ(deuterated.Reactions[0]->Products[0]->AtomTypes()[0], kDeuterium);

  EXPECT_TRUE(HydrogenTransfer(*MoleculeFrom("O")).Reactions.empty());         // water, 3 atoms
  EXPECT_TRUE(HydrogenTransfer(*MoleculeFrom("H H; 0-1")).Reactions.empty());  // H2
  EXPECT_TRUE(HydrogenTransfer(*MoleculeFrom("C.")).Reactions.empty());        // a radical
  EXPECT_EQ(HydrogenTransfer(*MoleculeFrom("N")).Reactions.size(), 3u);        // ammonia has 4 atoms
}

TEST(Recombination, MethylAndHydrogenGiveMethane) {
  auto methyl = MoleculeFrom("C.");
  auto hydrogen = MoleculeFrom("H.");
  TGeneratorResult result = Recombination(*methyl, *hydrogen);
  ExpectSound(result, "CH3 + H");
  ASSERT_EQ(result.Reactions.size(), 1u);
  const TReaction& reaction = *result.Reactions[0];
  EXPECT_EQ(reaction.ActEnergy, 130.0);
  EXPECT_EQ(reaction.FreqFactor, 1.0e14);
  EXPECT_EQ(reaction.Reactants, (TMoleculeVector{methyl.get(), hydrogen.get()}));
  EXPECT_EQ(reaction.ReactantCoefs, (TIntVector{-1, -1}));
  EXPECT_TRUE(AreIsomorphic(*reaction.Products[0], *MoleculeFrom("C")));
  EXPECT_EQ(reaction.Products[0]->AdjacencyMatrix()[0][4], 1);  // the new bond to the appended H
  EXPECT_EQ(Indexes(reaction.FreqFact2), std::vector<int>{3});
  EXPECT_EQ(Indexes(reaction.ActEnerg2), std::vector<int>{25});

  TGeneratorResult hh = Recombination(*hydrogen, *hydrogen);
  ExpectSound(hh, "H + H");
  ASSERT_EQ(hh.Reactions.size(), 1u);
  EXPECT_EQ(hh.Reactions[0]->Products[0]->Formula(), "H2");

  EXPECT_TRUE(Recombination(*methyl, *MoleculeFrom("C")).Reactions.empty());
}

TEST(Recombination, RefusesProductsBeyond255Atoms) {
  // A primary radical of 84 carbons: 84 + 169 hydrogens = 253 atoms.
  std::string description = "C.";
  std::string bonds;
  for (int i = 1; i < 84; ++i) {
    description += " C";
    bonds += " " + std::to_string(i - 1) + "-" + std::to_string(i);
  }
  auto big = MoleculeFrom(description + ";" + bonds);
  ASSERT_EQ(big->AtomCount(), 253u);
  auto hydroxyl = MoleculeFrom("O.");  // 2 atoms: exactly 255 together
  auto amino = MoleculeFrom("N.");     // 3 atoms: 256, one too many
  TGeneratorResult largest = Recombination(*big, *hydroxyl);
  ASSERT_EQ(largest.Reactions.size(), 1u);
  EXPECT_EQ(largest.Products[0]->AtomCount(), 255u);
  EXPECT_EQ(CheckReaction(*largest.Reactions[0]), "");
  TGeneratorResult tooLarge = Recombination(*big, *amino);
  EXPECT_TRUE(tooLarge.Reactions.empty());
  EXPECT_TRUE(tooLarge.Products.empty());
}

TEST(AllylIsomerisation, AllylOnceVinylNever) {
  auto allyl = MoleculeFrom("C. C C; 0-1 1=2");
  TGeneratorResult result = AllylIsomerisation(*allyl);
  ExpectSound(result, "allyl");
  ASSERT_EQ(result.Reactions.size(), 1u);
  const TReaction& reaction = *result.Reactions[0];
  EXPECT_EQ(reaction.ReactionType, kAllylIzomeration);
  EXPECT_EQ(reaction.ActEnergy, 130.0);
  EXPECT_EQ(reaction.FreqFactor, 1.0e14);
  EXPECT_TRUE(AreIsomorphic(*reaction.Products[0], *allyl));
  EXPECT_EQ(reaction.Products[0]->AdjacencyMatrix()[0][1], 2);
  EXPECT_EQ(reaction.Products[0]->AdjacencyMatrix()[2][2], 1);
  EXPECT_EQ(Indexes(reaction.ActEnerg2), std::vector<int>{26});

  EXPECT_TRUE(AllylIsomerisation(*MoleculeFrom("C. C; 0=1")).Reactions.empty());  // vinyl
  // A cumulated system: c carries two double bonds, so no shift.
  EXPECT_TRUE(AllylIsomerisation(*MoleculeFrom("C. C C C; 0-1 1=2 2=3")).Reactions.empty());
  // 1-Methylallyl shifts to crotyl: a different species.
  auto methylallyl = MoleculeFrom("C C. C C; 0-1 1-2 2=3");
  TGeneratorResult shifted = AllylIsomerisation(*methylallyl);
  ExpectSound(shifted, "1-methylallyl");
  ASSERT_EQ(shifted.Reactions.size(), 1u);
  EXPECT_TRUE(AreIsomorphic(*shifted.Products[0], *MoleculeFrom("C C C C.; 0-1 1=2 2-3")));
}

TEST(Generators, EveryProductOfRealSpeciesIsSound) {
  const char* species[] = {
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5",            // n-hexane
      "C C C C C; 0-1 1-2 1-3 3-4",                  // isopentane
      "C C C C; 0=1 1-2 2=3",                        // 1,3-butadiene
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",        // cyclohexane
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",  // toluene
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5",           // 1-hexyl
      "C C. C C C; 0-1 1-2 1-3 3-4",                 // tertiary pentyl
      "C. C C C C; 0-1 1=2 2-3 3-4",                 // pent-2-enyl
      "C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", // benzyl
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-1",       // cyclopentylmethyl
  };
  auto hydrogen = MoleculeFrom("H.");
  for (const char* description : species) {
    auto molecule = MoleculeFrom(description);
    ExpectSound(BetaScission(*molecule), std::string("beta ") + description);
    ExpectSound(HydrogenTransfer(*molecule), std::string("transfer ") + description);
    ExpectSound(AllylIsomerisation(*molecule), std::string("allyl ") + description);
    ExpectSound(Recombination(*molecule, *hydrogen), std::string("recombination ") + description);
  }
}

}  // namespace
}  // namespace korvane
