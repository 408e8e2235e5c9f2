#include "reactions/kinetic_parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace korvane {
namespace {

TEST(KineticParameters, StartUpStateHoldsDefaultsAndEmptyNotes) {
  const TKineticParameterSet set;
  EXPECT_EQ(set.Table[kA_HydogegTransfer], 3.72e9);
  EXPECT_EQ(set.Table[kE_BetaSc_CC_6subst], 84.54);
  EXPECT_EQ(set.Table[kE_HTransf_MultiInBeta], -16.32);
  EXPECT_EQ(set.RadicalActivity.StandardActivity, 6.159e-08);
  EXPECT_EQ(set.AlternativeValues[255], 0.0);
  EXPECT_EQ(set.AlternativeNotes[0], "");  // notes stay empty until a file is read
  EXPECT_EQ(set.FileName, "./kinpar.ini");
}

TEST(KineticParameters, KeysAreDistinctWithoutRegardToCase) {
  // The file matches keys without regard to case; frequency factors come first.
  std::set<std::string> folded;
  for (int i = 0; i < kKineticParameterCount; ++i) {
    const std::string_view key = kKineticParameterKeys[i];
    EXPECT_EQ(key.substr(0, 2), i <= kA_AllylIzomeration ? "A_" : "E_") << key;
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    folded.insert(lower);
  }
  EXPECT_EQ(folded.size(), static_cast<std::size_t>(kKineticParameterCount));
  EXPECT_EQ(kKineticParameterKeys[kE_HtransfTerc], "E_HtransfTerc");
}

TEST(KineticParameters, ResetToDefaultsRestoresEveryPartButTheFileName) {
  TKineticParameterSet set;
  set.Table.fill(-3.5);
  set.RadicalActivity = {1, 2, 3, 4, 5};
  set.AlternativeValues.fill(9.25);
  set.AlternativeNotes.fill("edited");
  set.FileName = "/elsewhere/kin.ini";
  set.ResetToDefaults();
  EXPECT_EQ(set.Table, kKineticParameterDefaults);
  EXPECT_EQ(set.RadicalActivity, TRadicalActivity{});
  EXPECT_EQ(set.AlternativeValues[9], 0.0);
  EXPECT_EQ(set.AlternativeNotes[42], "p[42]");
  EXPECT_EQ(set.FileName, "/elsewhere/kin.ini");
}

}  // namespace
}  // namespace korvane
