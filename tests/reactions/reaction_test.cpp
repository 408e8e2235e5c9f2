#include "reactions/reaction.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::string Recipe(std::initializer_list<int> indexes) {
  std::string recipe;
  for (int index : indexes) recipe += static_cast<char>(index);
  return recipe;
}

TEST(Recipe, SumsNamedEntriesCountingRepeats) {
  const std::vector<double> table = {1.5, 10.0, 100.0};
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({1, 1, 1}), table), 30.0);
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({0, 2}), table), 101.5);
  EXPECT_DOUBLE_EQ(RecipeValue("", table), 0.0);
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({0, 200}), table), 1.5);  // beyond the table: nothing

  std::vector<double> alternative(256, 0.0);
  alternative[255] = 7.0;
  EXPECT_DOUBLE_EQ(RecipeValue(Recipe({255, 255}), alternative), 14.0);  // high bytes are indexes too
}

TEST(Recipe, ParameterSourceFollowsTheClass) {
  const std::vector<double> global = {2.0e13, 1.0e13, 3.0, 4.0};
  std::vector<double> alternative(256, 0.0);
  alternative[3] = 42.0;
  TReaction reaction;
  reaction.FreqFact2 = Recipe({1});
  reaction.ActEnerg2 = Recipe({3, 3});
  reaction.SetParameters(kBetaScission, 130.0, 1.0e14);
  EXPECT_DOUBLE_EQ(reaction.FrequencyFactorValue(global, alternative), 1.0e13);
  EXPECT_DOUBLE_EQ(reaction.ActivationEnergyValue(global, alternative), 8.0);
  reaction.ReactionType = kOtherReaction;
  EXPECT_DOUBLE_EQ(reaction.FrequencyFactorValue(global, alternative), 1.0e14);
  EXPECT_DOUBLE_EQ(reaction.ActivationEnergyValue(global, alternative), 130.0);
  reaction.ReactionType = kOtherReaction2;
  EXPECT_DOUBLE_EQ(reaction.ActivationEnergyValue(global, alternative), 84.0);
  EXPECT_DOUBLE_EQ(reaction.FrequencyFactorValue(global, alternative), 0.0);
}

class ReactionIdentityTest : public ::testing::Test {
 protected:
  std::unique_ptr<TMolecule> a = MoleculeFrom("C. C; 0-1");
  std::unique_ptr<TMolecule> b = MoleculeFrom("C C; 0=1");
  std::unique_ptr<TMolecule> h = MoleculeFrom("H.");
  std::unique_ptr<TMolecule> d = MoleculeFrom("D.");

  TReaction Make(std::int32_t type, double e, std::vector<TMolecule*> reactants, std::vector<TMolecule*> products,
                 std::int32_t coefficient = 1) {
    TReaction reaction;
    reaction.SetParameters(type, e, 1.0e13);
    for (TMolecule* m : reactants) reaction.AddReactant(m, -coefficient);
    for (TMolecule* m : products) reaction.AddProduct(m, coefficient);
    return reaction;
  }
};

TEST_F(ReactionIdentityTest, ProductOrderIsIgnoredAndCoefficientsFold) {
  TReaction first = Make(kBetaScission, 172.0, {a.get()}, {b.get(), h.get()});
  TReaction second = Make(kBetaScission, 172.0, {a.get()}, {h.get(), b.get()}, 2);
  second.ProductCoefs = {5, 2};  // h: 5, b: 2
  const auto match = MatchReactions(first, second);
  ASSERT_TRUE(match.has_value());
  EXPECT_EQ(match->Products, (std::vector<std::uint8_t>{1, 0}));
  ASSERT_TRUE(FoldReaction(first, second));
  EXPECT_EQ(first.ReactantCoefs, (TIntVector{-3}));
  EXPECT_EQ(first.ProductCoefs, (TIntVector{3, 6}));  // b: 1 + 2, h: 1 + 5
}

TEST_F(ReactionIdentityTest, DifferencesThatKeepReactionsApart) {
  const TReaction base = Make(kBetaScission, 172.0, {a.get()}, {b.get(), h.get()});
  TReaction lastBit = Make(kBetaScission, std::nextafter(172.0, 200.0), {a.get()}, {b.get(), h.get()});
  EXPECT_FALSE(MatchReactions(base, lastBit));
  TReaction otherClass = Make(kAllylIzomeration, 172.0, {a.get()}, {b.get(), h.get()});
  EXPECT_FALSE(MatchReactions(base, otherClass));
  TReaction otherProduct = Make(kBetaScission, 172.0, {a.get()}, {b.get(), d.get()});
  EXPECT_FALSE(MatchReactions(base, otherProduct));
  TReaction fewerProducts = Make(kBetaScission, 172.0, {a.get()}, {b.get()});
  EXPECT_FALSE(MatchReactions(base, fewerProducts));
  // An identical but distinct molecule object is a different participant.
  auto sameSpecies = MoleculeFrom("H.");
  TReaction copyProduct = Make(kBetaScission, 172.0, {a.get()}, {b.get(), sameSpecies.get()});
  EXPECT_FALSE(MatchReactions(base, copyProduct));
  // The explicit frequency factor plays no part.
  TReaction otherA = base;
  otherA.FreqFactor = 1.0e14;
  EXPECT_TRUE(MatchReactions(base, otherA));
}

TEST_F(ReactionIdentityTest, SidesOfFourMatchFiveNever) {
  TReaction four = Make(kOtherReaction, 10.0, {a.get()}, {b.get(), h.get(), d.get(), a.get()});
  TReaction fourShuffled = Make(kOtherReaction, 10.0, {a.get()}, {a.get(), d.get(), b.get(), h.get()});
  const auto match = MatchReactions(four, fourShuffled);
  ASSERT_TRUE(match);
  EXPECT_EQ(match->Products, (std::vector<std::uint8_t>{2, 3, 1, 0}));

  TReaction five = Make(kOtherReaction, 10.0, {a.get()}, {b.get(), h.get(), d.get(), a.get(), b.get()});
  TReaction fiveCopy = five;
  EXPECT_FALSE(MatchReactions(five, fiveCopy));
  EXPECT_FALSE(FoldReaction(five, fiveCopy));
  EXPECT_EQ(five.ProductCoefs, (TIntVector{1, 1, 1, 1, 1}));
}

TEST_F(ReactionIdentityTest, RepeatedParticipantsUseTheFirstOrdering) {
  // h + h: both orderings pair the same objects; the first (identity) wins.
  TReaction first = Make(kRecombination, 130.0, {h.get(), h.get()}, {b.get()});
  TReaction second = Make(kRecombination, 130.0, {h.get(), h.get()}, {b.get()});
  second.ReactantCoefs = {-2, -5};
  ASSERT_TRUE(FoldReaction(first, second));
  EXPECT_EQ(first.ReactantCoefs, (TIntVector{-3, -6}));
  EXPECT_TRUE(first.HasReactant(h.get()));
  EXPECT_FALSE(first.HasReactant(a.get()));
  EXPECT_TRUE(first.HasProduct(b.get()));
}

// Links a reaction into its products' consumed-in lists and its reactants'
// formed-in lists, the way a network relinks.
void Link(std::vector<TReaction*> reactions) {
  for (TReaction* r : reactions) {
    for (TMolecule* m : r->Reactants) m->ReactionLinks[kConsumedIn].push_back(r);
    for (TMolecule* m : r->Products) m->ReactionLinks[kFormedIn].push_back(r);
  }
}

TEST(ReactionWalks, ReachesMoleculeThroughChainsAndStopsOnCycles) {
  auto r1 = MoleculeFrom("C. C C; 0-1 1-2");   // propyl
  auto r2 = MoleculeFrom("C C. C; 0-1 1-2");   // isopropyl
  auto ethylene = MoleculeFrom("C C; 0=1");
  auto methyl = MoleculeFrom("C.");
  // A cycle of radical-only reactions: r1 -> r2 -> r1.
  TReaction forward, backward, scission;
  forward.AddReactant(r1.get(), -1);
  forward.AddProduct(r2.get(), 1);
  backward.AddReactant(r2.get(), -1);
  backward.AddProduct(r1.get(), 1);
  Link({&forward, &backward});
  EXPECT_FALSE(forward.ReachesMolecule(1));
  EXPECT_EQ(forward.VisitStamp, 1);
  EXPECT_EQ(backward.VisitStamp, 1);

  // Open the cycle to a molecule: r2 -> ethylene + methyl.
  scission.AddReactant(r2.get(), -1);
  scission.AddProduct(ethylene.get(), 1);
  scission.AddProduct(methyl.get(), 1);
  Link({&scission});
  EXPECT_TRUE(forward.ReachesMolecule(2));
  // A reaction already carrying the stamp is not entered again.
  EXPECT_FALSE(forward.ReachesMolecule(2));
  scission.VisitStamp = 3;
  EXPECT_FALSE(backward.ReachesMolecule(3));
}

TEST(ReactionWalks, MarkDownstreamFollowsConsumersOnce) {
  auto feed = MoleculeFrom("C C C; 0-1 1-2");
  auto radical = MoleculeFrom("C. C C; 0-1 1-2");
  auto ethylene = MoleculeFrom("C C; 0=1");
  auto methyl = MoleculeFrom("C.");
  auto unrelated = MoleculeFrom("C.. C; 0-1");
  TReaction abstraction, scission, loop, elsewhere;
  abstraction.AddReactant(feed.get(), -1);
  abstraction.AddProduct(radical.get(), 1);
  scission.AddReactant(radical.get(), -1);
  scission.AddProduct(ethylene.get(), 1);
  scission.AddProduct(methyl.get(), 1);
  loop.AddReactant(methyl.get(), -1);
  loop.AddProduct(radical.get(), 1);  // closes a cycle back to the radical
  elsewhere.AddReactant(unrelated.get(), -1);
  elsewhere.AddProduct(methyl.get(), 1);
  Link({&abstraction, &scission, &loop, &elsewhere});

  abstraction.MarkDownstream();
  EXPECT_TRUE(abstraction.Mark);
  EXPECT_TRUE(scission.Mark);
  EXPECT_TRUE(loop.Mark);
  EXPECT_FALSE(elsewhere.Mark);
  EXPECT_TRUE(radical->Marked);
  EXPECT_TRUE(ethylene->Marked);
  EXPECT_TRUE(methyl->Marked);
  EXPECT_FALSE(feed->Marked);  // reactants are not marked, only products
  EXPECT_FALSE(unrelated->Marked);
}

}  // namespace
}  // namespace korvane
