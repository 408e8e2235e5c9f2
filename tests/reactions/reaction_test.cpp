#include "reactions/reaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "molecule_builder.h"
#include "reactions/reaction_index.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::string Recipe(std::initializer_list<int> indexes) {
  std::string recipe;
  for (int index : indexes) recipe += static_cast<char>(index);
  return recipe;
}

// A recipe sums the entries it names, an index named three times counting
// three times. Class 10 reports its explicit values, class 11 reads the
// alternative table, every other class the global one.
TEST(Recipe, ValueAndParameterSourceByClass) {
  const std::vector<double> global = {2.0e13, 1.0e13, 3.0, 4.0};
  std::vector<double> alternative(256, 0.0);
  alternative[1] = 5.0e12;
  alternative[3] = 42.0;
  alternative[255] = 7.0;
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({2, 2, 2}), global), 9.0);
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({1, 3}), global), 1.0e13 + 4.0);
  EXPECT_DOUBLE_EQ(RecipeValue("", global), 0.0);
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({3, 200}), global), 4.0);               // beyond the table: nothing
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({255, 255}), alternative), 14.0);  // high bytes are indexes too

  TReaction reaction;
  reaction.FreqFact2 = Recipe({1});
  reaction.ActEnerg2 = Recipe({3, 3});
  reaction.SetParameters(kBetaScission, 130.0, 1.0e14);
  const std::tuple<std::int32_t, double, double> cases[] = {
      {kBetaScission, 1.0e13, 8.0}, {kAllylIzomeration, 1.0e13, 8.0}, {kOtherReaction, 1.0e14, 130.0},
      {kOtherReaction2, 5.0e12, 84.0}};
  for (const auto& [type, a, e] : cases) {
    reaction.ReactionType = type;
    EXPECT_DOUBLE_EQ(reaction.FrequencyFactorValue(global, alternative), a) << type;
    EXPECT_DOUBLE_EQ(reaction.ActivationEnergyValue(global, alternative), e) << type;
  }
}

TEST(ReactionType, NamesEveryClassAndUnknownForOtherCodes) {
  const std::pair<std::int32_t, const char*> names[] = {
      {1, "Beta-Scission"}, {2, "Hydrogen transfer"}, {3, "Recombination"}, {4, "Allyl-izomeration"},
      {10, "Other"},        {11, "Other2"},           {0, "Unknown"},       {5, "Unknown"},
      {12, "Unknown"},      {-1, "Unknown"}};
  for (auto [code, name] : names) EXPECT_EQ(ReactionTypeName(code), name) << code;
}

class ReactionIdentityTest : public ::testing::Test {
 protected:
  std::unique_ptr<TMolecule> a = MoleculeFrom("C. C; 0-1");
  std::unique_ptr<TMolecule> b = MoleculeFrom("C C; 0=1");
  std::unique_ptr<TMolecule> h = MoleculeFrom("H.");
  std::unique_ptr<TMolecule> d = MoleculeFrom("D.");

  static TReaction Make(std::int32_t type, double e, std::vector<TMolecule*> reactants,
                        std::vector<TMolecule*> products) {
    TReaction reaction;
    reaction.SetParameters(type, e, 1.0e13);
    for (TMolecule* m : reactants) reaction.AddReactant(m, -1);
    for (TMolecule* m : products) reaction.AddProduct(m, 1);
    return reaction;
  }
};

// Sides of up to four match up to order, five never; folding adds the
// coefficients of matched participants.
TEST_F(ReactionIdentityTest, OrderIsIgnoredOnSidesOfUpToFourAndFoldedCoefficientsAdd) {
  TReaction first = Make(kBetaScission, 172.0, {a.get()}, {b.get(), h.get()});
  TReaction second = Make(kBetaScission, 172.0, {a.get()}, {h.get(), b.get()});
  second.ReactantCoefs = {-2};
  second.ProductCoefs = {5, 2};  // h: 5, b: 2
  EXPECT_EQ(MatchReactions(first, second).value().Products, (std::vector<std::uint8_t>{1, 0}));
  ASSERT_TRUE(FoldReaction(first, second));
  EXPECT_EQ(first.ReactantCoefs, (TIntVector{-3}));
  EXPECT_EQ(first.ProductCoefs, (TIntVector{3, 6}));  // b: 1 + 2, h: 1 + 5

  // h + h: both orderings pair the same objects; the first (identity) wins.
  TReaction twice = Make(kRecombination, 130.0, {h.get(), h.get()}, {b.get()});
  TReaction again = Make(kRecombination, 130.0, {h.get(), h.get()}, {b.get()});
  again.ReactantCoefs = {-2, -5};
  ASSERT_TRUE(FoldReaction(twice, again));
  EXPECT_EQ(twice.ReactantCoefs, (TIntVector{-3, -6}));

  TReaction four = Make(kOtherReaction, 10.0, {a.get()}, {b.get(), h.get(), d.get(), a.get()});
  TReaction fourShuffled = Make(kOtherReaction, 10.0, {a.get()}, {a.get(), d.get(), b.get(), h.get()});
  EXPECT_EQ(MatchReactions(four, fourShuffled).value().Products, (std::vector<std::uint8_t>{2, 3, 1, 0}));
  TReaction five = Make(kOtherReaction, 10.0, {a.get()}, {b.get(), h.get(), d.get(), a.get(), b.get()});
  EXPECT_FALSE(FoldReaction(five, TReaction(five)));
  EXPECT_EQ(five.ProductCoefs, (TIntVector{1, 1, 1, 1, 1}));
}

TEST_F(ReactionIdentityTest, DifferencesThatKeepReactionsApart) {
  const TReaction base = Make(kBetaScission, 172.0, {a.get()}, {b.get(), h.get()});
  auto sameSpecies = MoleculeFrom("H.");  // identical to h but another object: another participant
  const TReaction different[] = {
      Make(kBetaScission, std::nextafter(172.0, 200.0), {a.get()}, {b.get(), h.get()}),
      Make(kAllylIzomeration, 172.0, {a.get()}, {b.get(), h.get()}),
      Make(kBetaScission, 172.0, {a.get()}, {b.get(), d.get()}),
      Make(kBetaScission, 172.0, {a.get()}, {b.get()}),
      Make(kBetaScission, 172.0, {a.get()}, {b.get(), sameSpecies.get()}),
      Make(kBetaScission, 172.0, {b.get()}, {b.get(), h.get()})};
  for (const TReaction& other : different) EXPECT_FALSE(MatchReactions(base, other)) << &other - different;
  TReaction otherA = base;  // the explicit frequency factor plays no part
  otherA.FreqFactor = 1.0e14;
  EXPECT_TRUE(MatchReactions(base, otherA));
}

// The index finds the first added of equal reactions, also after its table
// has grown several times, and nothing for a reaction it does not hold.
TEST_F(ReactionIdentityTest, IndexFindsTheFirstAddedOfEqualReactionsAcrossGrowth) {
  TReactionIndex index;
  std::vector<std::unique_ptr<TReaction>> added;
  // 1000 distinct reactions, each added four times, 1000 apart.
  for (int i = 0; i < 4000; ++i) {
    added.push_back(std::make_unique<TReaction>(Make(kBetaScission, 100.0 + i % 1000, {a.get()}, {b.get(), h.get()})));
    EXPECT_EQ(index.FindEqual(*added.back()), i < 1000 ? nullptr : added[i % 1000].get()) << i;
    index.Add(added.back().get());
  }
  EXPECT_EQ(index.FindEqual(Make(kBetaScission, 99.5, {a.get()}, {b.get(), h.get()})), nullptr);
  TReaction five = Make(kOtherReaction, 10.0, {a.get()}, {b.get(), h.get(), d.get(), a.get(), b.get()});
  index.Add(&five);
  EXPECT_EQ(index.FindEqual(five), nullptr);
  index.Clear();
  EXPECT_EQ(index.FindEqual(*added[0]), nullptr);
}

// Adds the participants with coefficients -1 and 1 and links the reaction
// into their consumed-in and formed-in lists, the way a network relinks.
void Link(TReaction& reaction, std::vector<TMolecule*> reactants, std::vector<TMolecule*> products) {
  for (TMolecule* m : reactants) {
    reaction.AddReactant(m, -1);
    m->ReactionLinks.Add(kConsumedIn, &reaction, -1);
  }
  for (TMolecule* m : products) {
    reaction.AddProduct(m, 1);
    m->ReactionLinks.Add(kFormedIn, &reaction, 1);
  }
}

TEST(ReactionWalks, ReachesMoleculeAndMarkDownstream) {
  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  auto isopropyl = MoleculeFrom("C C. C; 0-1 1-2");
  auto ethylene = MoleculeFrom("C C; 0=1");
  auto methyl = MoleculeFrom("C.");
  auto unrelated = MoleculeFrom("C.. C; 0-1");
  TReaction forward, backward, scission, elsewhere;
  Link(forward, {propyl.get()}, {isopropyl.get()});
  Link(backward, {isopropyl.get()}, {propyl.get()});
  EXPECT_FALSE(forward.ReachesMolecule(1));  // a cycle of radical-only reactions ends
  EXPECT_EQ(backward.VisitStamp, 1);

  Link(scission, {isopropyl.get()}, {ethylene.get(), methyl.get()});  // the cycle now opens to a molecule
  EXPECT_TRUE(forward.ReachesMolecule(2));
  EXPECT_FALSE(forward.ReachesMolecule(2));  // a reaction carrying the stamp is not entered again
  scission.VisitStamp = 3;
  EXPECT_FALSE(backward.ReachesMolecule(3));

  // Marking follows the consumers of the products, through the cycle, once.
  Link(elsewhere, {unrelated.get()}, {methyl.get()});
  scission.MarkDownstream();
  EXPECT_TRUE(scission.Mark);
  EXPECT_FALSE(forward.Mark || backward.Mark || elsewhere.Mark);
  EXPECT_TRUE(ethylene->Marked && methyl->Marked);
  EXPECT_FALSE(isopropyl->Marked);  // reactants are not marked, only products
  forward.MarkDownstream();
  EXPECT_TRUE(backward.Mark && propyl->Marked && isopropyl->Marked);
  EXPECT_FALSE(elsewhere.Mark || unrelated->Marked);
}

}  // namespace
}  // namespace korvane
