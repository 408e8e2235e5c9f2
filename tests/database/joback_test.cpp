#include "database/joback.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;

/// Group vector with the given counts and zeros elsewhere.
TByteVector Groups(const std::map<TJobackGroup, int>& counts) {
  TByteVector groups(kJobackGroupCount, 0);
  for (const auto& [group, count] : counts) groups[group] = static_cast<std::uint8_t>(count);
  return groups;
}

TByteVector GroupsOf(const std::string& description) { return JobackGroups(*MoleculeFrom(description)); }

TEST(JobackGroups, ChainsAndBranchesCountByCarbonNeighbours) {
  EXPECT_EQ(GroupsOf(LinearAlkane(2)), Groups({{kGroupCH3, 2}}));
  EXPECT_EQ(GroupsOf(LinearAlkane(6)), Groups({{kGroupCH3, 2}, {kGroupCH2, 4}}));
  EXPECT_EQ(GroupsOf("C C C C; 0-1 1-2 1-3"), Groups({{kGroupCH3, 3}, {kGroupCH, 1}}));       // isobutane
  EXPECT_EQ(GroupsOf("C C C C C; 0-1 0-2 0-3 0-4"), Groups({{kGroupCH3, 4}, {kGroupC, 1}}));  // neopentane
  // 2,3-dimethylpentane: CH3 on C0, C1 branch point, C2 branch point, C3 CH2, C4 CH3.
  EXPECT_EQ(GroupsOf("C C C C C C C; 0-1 1-2 2-3 3-4 1-5 2-6"),
            Groups({{kGroupCH3, 4}, {kGroupCH, 2}, {kGroupCH2, 1}}));
}

TEST(JobackGroups, DoubleAndTripleBondsUseTheUnsaturatedGroups) {
  EXPECT_EQ(GroupsOf("C C; 0=1"), Groups({{kGroupEqCH2, 2}}));                                              // ethylene
  EXPECT_EQ(GroupsOf("C C C; 0-1 1=2"), Groups({{kGroupCH3, 1}, {kGroupEqCH, 1}, {kGroupEqCH2, 1}}));       // propene
  EXPECT_EQ(GroupsOf("C C C C; 0-1 1=2 1-3"), Groups({{kGroupCH3, 2}, {kGroupEqC, 1}, {kGroupEqCH2, 1}}));  // isobutene
  EXPECT_EQ(GroupsOf("C C C C; 0=1 1-2 2=3"), Groups({{kGroupEqCH2, 2}, {kGroupEqCH, 2}}));  // 1,3-butadiene
  EXPECT_EQ(GroupsOf("C C C; 0=1 1=2"), Groups({{kGroupEqCH2, 2}, {kGroupEqCEq, 1}}));       // allene
  EXPECT_EQ(GroupsOf("C C; 0#1"), Groups({{kGroupTripleCH, 2}}));                            // acetylene
  EXPECT_EQ(GroupsOf("C C C; 0-1 1#2"), Groups({{kGroupCH3, 1}, {kGroupTripleC, 1}, {kGroupTripleCH, 1}}));  // propyne
  EXPECT_EQ(GroupsOf("C C C C; 0-1 1#2 2-3"), Groups({{kGroupCH3, 2}, {kGroupTripleC, 2}}));                 // 2-butyne
}

TEST(JobackGroups, RingCarbonsUseTheRingGroups) {
  EXPECT_EQ(GroupsOf("C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0"), Groups({{kGroupRingCH2, 6}}));  // cyclohexane
  // Methylcyclohexane: the methyl stays a chain group, its ring carbon is >CH- (ring).
  EXPECT_EQ(GroupsOf("C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1"),
            Groups({{kGroupCH3, 1}, {kGroupRingCH, 1}, {kGroupRingCH2, 5}}));
  // 1,1-Dimethylcyclopropane.
  EXPECT_EQ(GroupsOf("C C C C C; 0-1 1-2 2-0 0-3 0-4"), Groups({{kGroupCH3, 2}, {kGroupRingC, 1}, {kGroupRingCH2, 2}}));
  // Cyclohexene and 1-methylcyclohexene with a localised ring double bond.
  EXPECT_EQ(GroupsOf("C C C C C C; 0=1 1-2 2-3 3-4 4-5 5-0"), Groups({{kGroupRingEqCH, 2}, {kGroupRingCH2, 4}}));
  EXPECT_EQ(GroupsOf("C C C C C C C; 0=1 1-2 2-3 3-4 4-5 5-0 0-6"),
            Groups({{kGroupCH3, 1}, {kGroupRingEqC, 1}, {kGroupRingEqCH, 1}, {kGroupRingCH2, 4}}));
  // Ethylcyclopentane: the CH2 of the ethyl group is a chain carbon.
  EXPECT_EQ(GroupsOf("C C C C C C C; 0-1 1-2 2-3 3-4 4-0 0-5 5-6"),
            Groups({{kGroupRingCH, 1}, {kGroupRingCH2, 4}, {kGroupCH2, 1}, {kGroupCH3, 1}}));
}

TEST(JobackGroups, AromaticRingCarbonsMoveToTheUnsaturatedRingGroups) {
  const TByteVector benzene = Groups({{kGroupRingEqCH, 6}});
  EXPECT_EQ(GroupsOf("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"), benzene);
  // The Kekulé structure, with plain carbons, lands on the same groups.
  EXPECT_EQ(GroupsOf("C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0"), benzene);

  // Toluene: the substituted ring carbon has three carbon neighbours and no
  // double bond, so it first counts as >CH- (ring) and moves to =C< (ring).
  EXPECT_EQ(GroupsOf("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1"),
            Groups({{kGroupCH3, 1}, {kGroupRingEqCH, 5}, {kGroupRingEqC, 1}}));
  // o-Xylene.
  EXPECT_EQ(GroupsOf("C c c c c c c C; 0-1 1:2 2:3 3:4 4:5 5:6 6:1 2-7"),
            Groups({{kGroupCH3, 2}, {kGroupRingEqCH, 4}, {kGroupRingEqC, 2}}));
  // Ethylbenzene.
  EXPECT_EQ(GroupsOf("C C c c c c c c; 0-1 1-2 2:3 3:4 4:5 5:6 6:7 7:2"),
            Groups({{kGroupCH3, 1}, {kGroupCH2, 1}, {kGroupRingEqCH, 5}, {kGroupRingEqC, 1}}));
  // Styrene: the vinyl group keeps its chain groups.
  EXPECT_EQ(GroupsOf("C C c c c c c c; 0=1 1-2 2:3 3:4 4:5 5:6 6:7 7:2"),
            Groups({{kGroupEqCH2, 1}, {kGroupEqCH, 1}, {kGroupRingEqCH, 5}, {kGroupRingEqC, 1}}));
  // Naphthalene: the two fused carbons become =C< (ring).
  EXPECT_EQ(GroupsOf("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5"),
            Groups({{kGroupRingEqCH, 8}, {kGroupRingEqC, 2}}));
}

TEST(JobackGroups, RadicalsHaveNoGroupVectorAndOtherAtomsAreNotCounted) {
  EXPECT_TRUE(GroupsOf("C. C; 0-1").empty());                                    // ethyl
  EXPECT_TRUE(GroupsOf("C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1").empty());  // benzyl
  EXPECT_TRUE(GroupsOf("H.").empty());

  // A carbon without a carbon neighbour falls in no group.
  EXPECT_EQ(GroupsOf("C"), Groups({}));
  EXPECT_EQ(GroupsOf("H H; 0-1"), Groups({}));
  EXPECT_EQ(GroupsOf("O"), Groups({}));
  // Carbon-14 counts like carbon.
  EXPECT_EQ(GroupsOf("C14 C C; 0-1 1-2"), Groups({{kGroupCH3, 2}, {kGroupCH2, 1}}));
}

TEST(JobackGroups, DoNotDependOnAtomOrder) {
  auto toluene = MoleculeFrom("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1");
  const TByteVector expected = JobackGroups(*toluene);
  for (unsigned seed = 1; seed <= 5; ++seed) {
    auto shuffled = testing::Renumbered(*toluene, testing::ShuffledOrder(static_cast<int>(toluene->AtomCount()), seed));
    EXPECT_EQ(JobackGroups(*shuffled), expected) << "seed " << seed;
  }
}

TEST(GroupSum, WeighsEachContributionByItsCount) {
  // n-Hexane, two -CH3 and four -CH2-, worked out from the table by hand.
  const TByteVector hexane = Groups({{kGroupCH3, 2}, {kGroupCH2, 4}});
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kTb), 2 * 23.58 + 4 * 22.88, 1e-12);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kTc), 2 * 0.0141 + 4 * 0.0189, 1e-15);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kPc), -0.0024, 1e-15);
  EXPECT_DOUBLE_EQ(GroupSum(hexane, TJobackColumn::kVc), 2 * 65 + 4 * 56);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kHf), 2 * -76.54 + 4 * -20.64, 1e-12);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kGf), 2 * -43.96 + 4 * 8.42, 1e-12);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kA), 2 * 19.5 + 4 * -0.909, 1e-12);
  EXPECT_NEAR(GroupSum(hexane, TJobackColumn::kD), 2 * -9.67e-8 + 4 * 1.19e-8, 1e-20);

  EXPECT_TRUE(HasNoGroups(Groups({})));
  EXPECT_FALSE(HasNoGroups(Groups({{kGroupCH2, 1}})));
}

}  // namespace
}  // namespace korvane
