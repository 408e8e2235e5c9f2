#include "reactions/feed_check.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(FeedCheck, OnlyCarbonAndHydrogenWithTheirIsotopesAreFeeds) {
  const struct {
    const char* description;
    const char* problem;  // empty: a feed
  } cases[] = {
      {"C C C; 0-1 1=2", ""},
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", ""},
      {"C. C; 0-1", ""},
      {"C14 D T; 0-1 0-2", ""},
      {"H H; 0-1", ""},
      {"C C O; 0-1 1-2", "atom 2 is oxygen; a feed holds only carbon and hydrogen (isotopes included)"},
      {"He..", "atom 0 is helium; a feed holds only carbon and hydrogen (isotopes included)"},
      {"N N; 0#1", "atom 0 is nitrogen; a feed holds only carbon and hydrogen (isotopes included)"},
  };
  for (const auto& [description, problem] : cases)
    EXPECT_EQ(FeedProblem(*MoleculeFrom(description)), problem) << description;
  EXPECT_EQ(FeedProblem(TMolecule()), "a feed needs atoms");
}

}  // namespace
}  // namespace korvane
