#include "reactions/generators.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/certificate.h"
#include "core/identity.h"
#include "molecule_builder.h"
#include "reaction_checks.h"

namespace korvane {
namespace {

using testing::CheckReaction;
using testing::MoleculeFrom;
using V = std::vector<int>;

V Indexes(const std::string& recipe) { return testing::RecipeIndexes(recipe); }

bool Isomorphic(const TMolecule* molecule, const char* description) {
  return AreIsomorphic(*molecule, *MoleculeFrom(description));
}

// Every atom's neighbours in their stored order.
std::vector<std::size_t> NeighbourOrder(const TMolecule& molecule) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < molecule.AtomCount(); ++i)
    for (const TNeighbour& neighbour : molecule.GetAtom(i)->Entries()) order.push_back(neighbour.Atom->GetIndex());
  return order;
}

// Every reaction balances, every product is consistent, and the result owns
// exactly the products its reactions refer to, in the order they first
// appear, one per species, each knowing its own certificate.
void ExpectSound(const TGeneratorResult& result, const std::string& what) {
  std::vector<const TMolecule*> firstAppearances;
  for (const auto& reaction : result.Reactions) {
    EXPECT_EQ(CheckReaction(*reaction), "") << what;
    for (const TMolecule* product : reaction->Products)
      if (std::find(firstAppearances.begin(), firstAppearances.end(), product) == firstAppearances.end())
        firstAppearances.push_back(product);
  }
  ASSERT_EQ(firstAppearances.size(), result.Products.size()) << what;
  std::set<std::string> species;
  for (std::size_t k = 0; k < result.Products.size(); ++k) {
    const TMolecule& product = *result.Products[k];
    EXPECT_EQ(&product, firstAppearances[k]) << what;
    EXPECT_EQ(product.Certificate(),
              MoleculeCertificate(product.AdjacencyMatrix(), product.AtomTypes(), product.AromaticMatrix()))
        << what;
    EXPECT_TRUE(species.emplace(product.Certificate()).second) << what << ": product " << k << " repeats one";
  }
}

TEST(Generators, EveryProductOfRealSpeciesIsSound) {
  const char* species[] = {
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5",             // n-hexane
      "C C C C C; 0-1 1-2 1-3 3-4",                   // isopentane
      "C C C C; 0=1 1-2 2=3",                         // 1,3-butadiene
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",         // cyclohexane
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",   // toluene
      "C D; 0-1",                                     // CH3D
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5",            // 1-hexyl
      "C C. C C C; 0-1 1-2 1-3 3-4",                  // tertiary pentyl
      "C. C C C C; 0-1 1=2 2-3 3-4",                  // pent-2-enyl
      "C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",  // benzyl
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-1",        // cyclopentylmethyl
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",        // cyclohexyl
      "C C. C C; 0-1 1-2 2=3",                        // 1-methylallyl
      "C.. C C.; 0-1 1-2",                            // a centre with two unpaired electrons
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

// The fissions b-c of each radical with the given A (1.0e13 exactly when a
// lone hydrogen atom is formed): the bonds in order, E from the radical's
// bond-energy matrix, recipes with X = b and Y = c, the fragments (that of
// atom 0 first). The radical itself stays untouched, neighbour order included.
TEST(BetaScission, FissionsOfKnownRadicals) {
  struct Case {
    const char* radical;
    double a;
    std::vector<std::pair<std::size_t, std::size_t>> bonds;
    V recipe;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"C. C; 0-1", 1.0e13, {{1, 4}, {1, 5}, {1, 6}}, {6}, "C C; 0=1", "H."},  // ethyl: C1 and its hydrogens
      {"C. C C; 0-1 1-2", 1.0e14, {{1, 2}}, {9}, "C C; 0=1", "C."},
      {"C. C C C; 0-1 1-2 2-3", 1.0e14, {{1, 2}}, {10}, "C C; 0=1", "C. C; 0-1"},
      {"C C. C C; 0-1 1-2 2-3", 1.0e14, {{2, 3}}, {9}, "C C C; 0-1 1=2", "C."},
      // Ring opening, once from each side of the centre: one product.
      {"C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", 1.0e14, {{1, 2}, {5, 4}}, {10, 27},
       "C C C C C C.; 0=1 1-2 2-3 3-4 4-5", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radical);
    auto radical = MoleculeFrom(c.radical);
    const TByteMatrix before = radical->AdjacencyMatrix();
    const std::vector<std::size_t> neighbours = NeighbourOrder(*radical);
    TGeneratorResult result = BetaScission(*radical);
    std::vector<const TReaction*> fissions;
    for (const auto& reaction : result.Reactions)
      if (reaction->FreqFactor == c.a) fissions.push_back(reaction.get());
    ASSERT_EQ(fissions.size(), c.bonds.size());
    for (std::size_t k = 0; k < fissions.size(); ++k) {
      const TReaction& reaction = *fissions[k];
      EXPECT_EQ(reaction.ActEnergy, radical->BondEnergyMatrix()[c.bonds[k].first][c.bonds[k].second]) << k;
      EXPECT_EQ(Indexes(reaction.FreqFact2), V{c.a == 1.0e13 ? 0 : 1});
      EXPECT_EQ(Indexes(reaction.ActEnerg2), c.recipe);
      ASSERT_EQ(reaction.Products.size(), c.second ? 2u : 1u);
      EXPECT_TRUE(Isomorphic(reaction.Products[0], c.first));
      EXPECT_TRUE(!c.second || Isomorphic(reaction.Products[1], c.second));
    }
    EXPECT_EQ(radical->AdjacencyMatrix(), before);
    EXPECT_EQ(NeighbourOrder(*radical), neighbours);
  }
  EXPECT_TRUE(BetaScission(*MoleculeFrom(testing::LinearAlkane(3))).Reactions.empty());  // not a radical
}

TEST(BetaScission, CentreWithTwoElectronsLosesBoth) {
  // C0 carries two unpaired electrons, C2 one. The first fission is a = C0,
  // b = C1, c = C2 (C1 lists C0, C2, then H).
  auto molecule = MoleculeFrom("C.. C C.; 0-1 1-2");
  TGeneratorResult result = BetaScission(*molecule);
  ASSERT_FALSE(result.Reactions.empty());
  const TReaction& first = *result.Reactions[0];
  ASSERT_EQ(first.Products.size(), 2u);
  const TMolecule& alkene = *first.Products[0];
  EXPECT_EQ(alkene.AdjacencyMatrix()[0][0], 0);  // both marks gone, not one
  EXPECT_EQ(alkene.AdjacencyMatrix()[0][1], 2);
  EXPECT_EQ(first.Products[1]->AdjacencyMatrix()[0][0], 1);  // c becomes the new centre
}

TEST(HydrogenTransfer, OncePerHydrogenInIndexOrder) {
  auto propane = MoleculeFrom(testing::LinearAlkane(3));
  TGeneratorResult result = HydrogenTransfer(*propane);
  ASSERT_EQ(result.Reactions.size(), 8u);
  const std::size_t carbonOf[] = {0, 0, 0, 1, 1, 2, 2, 2};  // of hydrogens 3 to 10
  for (std::size_t k = 0; k < 8; ++k) {
    const TReaction& reaction = *result.Reactions[k];
    const bool secondary = carbonOf[k] == 1;
    EXPECT_EQ(reaction.ActEnergy, propane->BondEnergyMatrix()[3 + k][carbonOf[k]]) << k;
    EXPECT_TRUE(reaction.MultiplyByActiveRadicals);
    ASSERT_EQ(reaction.Products.size(), 2u);
    EXPECT_TRUE(Isomorphic(reaction.Products[0], "H."));
    EXPECT_TRUE(Isomorphic(reaction.Products[1], secondary ? "C C. C; 0-1 1-2" : "C. C C; 0-1 1-2")) << k;
    EXPECT_EQ(Indexes(reaction.FreqFact2), V{2});
    EXPECT_EQ(Indexes(reaction.ActEnerg2), V{secondary ? 20 : 19}) << k;
  }
  // Deuterium leaves as a deuterium atom.
  auto deuterated = MoleculeFrom("C D; 0-1");
  EXPECT_EQ(HydrogenTransfer(*deuterated).Products[0]->AtomTypes()[0], kDeuterium);
  // Only non-radicals of four atoms or more.
  const std::pair<const char*, std::size_t> counts[] = {
      {"H H; 0-1", 0}, {"O", 0}, {"N N; 0#1", 0}, {"He..", 0}, {"C.", 0}, {"N", 3}, {"C", 4}};
  for (const auto& [description, count] : counts)
    EXPECT_EQ(HydrogenTransfer(*MoleculeFrom(description)).Reactions.size(), count) << description;
}

TEST(Recombination, MethylAndHydrogenGiveMethaneUpTo255Atoms) {
  auto methyl = MoleculeFrom("C.");
  auto hydrogen = MoleculeFrom("H.");
  TGeneratorResult result = Recombination(*methyl, *hydrogen);
  ASSERT_EQ(result.Reactions.size(), 1u);
  const TReaction& reaction = *result.Reactions[0];
  EXPECT_EQ(reaction.Reactants, (TMoleculeVector{methyl.get(), hydrogen.get()}));
  EXPECT_TRUE(Isomorphic(reaction.Products[0], "C"));
  EXPECT_EQ(Indexes(reaction.ActEnerg2), V{25});
  EXPECT_TRUE(Recombination(*methyl, *MoleculeFrom("C")).Reactions.empty());  // only two radicals

  // Products beyond 255 atoms are refused. A primary radical of 84 carbons
  // and 169 hydrogens has 253 atoms.
  auto big = MoleculeFrom("C." + testing::LinearAlkane(84).substr(1));
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
  ASSERT_EQ(result.Reactions.size(), 1u);
  const TReaction& reaction = *result.Reactions[0];
  EXPECT_TRUE(AreIsomorphic(*reaction.Products[0], *allyl));
  EXPECT_EQ(reaction.Products[0]->AdjacencyMatrix()[0][1], 2);  // the centre really moved
  EXPECT_EQ(reaction.Products[0]->AdjacencyMatrix()[2][2], 1);
  EXPECT_EQ(Indexes(reaction.ActEnerg2), V{26});

  EXPECT_TRUE(AllylIsomerisation(*MoleculeFrom("C. C; 0=1")).Reactions.empty());  // vinyl
  // A cumulated system: c carries two double bonds, so no shift.
  EXPECT_TRUE(AllylIsomerisation(*MoleculeFrom("C. C C C; 0-1 1=2 2=3")).Reactions.empty());
}

}  // namespace
}  // namespace korvane
