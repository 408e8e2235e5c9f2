#include "reactions/kinetic_parameters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace korvane {
namespace {

TEST(KineticParameters, StartUpStateHoldsDefaultsAndEmptyNotes) {
  const TKineticParameterSet set;
  EXPECT_EQ(set.Table[kA_BetaSc_CH], 2.0e13);
  EXPECT_EQ(set.Table[kA_HydogegTransfer], 3.72e9);
  EXPECT_EQ(set.Table[kA_Recombination], 1.0e10);
  EXPECT_EQ(set.Table[kE_STOPValue], 1000);
  EXPECT_EQ(set.Table[kE_BetaSc_CH_Prim], 166.563);
  EXPECT_EQ(set.Table[kE_BetaSc_CC_1subst], 133.502);
  EXPECT_EQ(set.Table[kE_BetaSc_CC_6subst], 84.54);
  EXPECT_EQ(set.Table[kE_BetaSc_MultiBondInBeta], -18.8);
  EXPECT_EQ(set.Table[kE_HtransfTerc], 36.41);
  EXPECT_EQ(set.Table[kE_HTransf_TripleOrAromAlfa], 1000);
  EXPECT_EQ(set.Table[kE_HTransf_MultiInBeta], -16.32);
  EXPECT_EQ(set.Table[kE_Recombination], 0);
  EXPECT_EQ(set.Table[kE_AllylIzomeration], 117.18);
  EXPECT_EQ(set.Table[kE_BetaSc_CyclBond], 5.0);

  EXPECT_EQ(set.RadicalActivity.StandardPressure, 405300);
  EXPECT_EQ(set.RadicalActivity.StandardTemperature, 955.65);
  EXPECT_EQ(set.RadicalActivity.StandardActivity, 6.159e-08);
  EXPECT_EQ(set.RadicalActivity.InitiationEnthalpy, 362760);
  EXPECT_EQ(set.RadicalActivity.CyclicPar, 0.900122828);

  for (int i = 0; i < kAlternativeParameterCount; ++i) {
    EXPECT_EQ(set.AlternativeValues[i], 0.0) << i;
    EXPECT_EQ(set.AlternativeNotes[i], "") << i;
  }
  EXPECT_EQ(set.FileName, "./kinpar.ini");
}

TEST(KineticParameters, KeysLineUpWithIndexes) {
  EXPECT_EQ(kKineticParameterKeys[kA_BetaSc_CH], "A_BetaSc_CH");
  EXPECT_EQ(kKineticParameterKeys[kA_AllylIzomeration], "A_AllylIzomeration");
  EXPECT_EQ(kKineticParameterKeys[kE_BetaSc_TripleOrAromAlfa], "E_BetaSc_TripleOrAromAlfa");
  EXPECT_EQ(kKineticParameterKeys[kE_HTransf_Methane], "E_HTransf_Methane");
  EXPECT_EQ(kKineticParameterKeys[kE_HTransf_Sec], "E_HTransf_Sec");
  EXPECT_EQ(kKineticParameterKeys[kE_HtransfTerc], "E_HtransfTerc");
  EXPECT_EQ(kKineticParameterKeys[kE_BetaSc_CyclBond], "E_BetaSc_CyclBond");
  EXPECT_EQ(kE_HTransf_Sec, 20);
  EXPECT_EQ(kE_BetaSc_CyclBond, 27);

  // Frequency factors first, then energies; keys must stay distinct when the
  // file matches them without regard to case.
  std::set<std::string> folded;
  for (int i = 0; i < kKineticParameterCount; ++i) {
    const std::string_view key = kKineticParameterKeys[i];
    EXPECT_EQ(key.substr(0, 2), i <= kA_AllylIzomeration ? "A_" : "E_") << key;
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    folded.insert(lower);
  }
  EXPECT_EQ(folded.size(), static_cast<std::size_t>(kKineticParameterCount));
}

TEST(KineticParameters, RadicalActivityStorageOrder) {
  TRadicalActivity activity;
  for (int i = 0; i < kRadicalActivityCount; ++i) activity.*kRadicalActivityFields[i] = i + 1;
  EXPECT_EQ(activity.StandardPressure, 1);
  EXPECT_EQ(activity.StandardTemperature, 2);
  EXPECT_EQ(activity.StandardActivity, 3);
  EXPECT_EQ(activity.InitiationEnthalpy, 4);
  EXPECT_EQ(activity.CyclicPar, 5);
  EXPECT_EQ(kRadicalActivityKeys[2], "StandardActivity");
  EXPECT_EQ(kRadicalActivityKeys[4], "CyclicPar");
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
  EXPECT_EQ(set.RadicalActivity.CyclicPar, 0.900122828);
  for (int i = 0; i < kAlternativeParameterCount; ++i) EXPECT_EQ(set.AlternativeValues[i], 0.0) << i;
  EXPECT_EQ(set.AlternativeNotes[0], "p[0]");
  EXPECT_EQ(set.AlternativeNotes[9], "p[9]");
  EXPECT_EQ(set.AlternativeNotes[42], "p[42]");
  EXPECT_EQ(set.AlternativeNotes[255], "p[255]");
  EXPECT_EQ(set.FileName, "/elsewhere/kin.ini");
}

TEST(KineticParameters, ProcessWideSetIsOneObject) {
  TKineticParameterSet& first = KineticParameters();
  TKineticParameterSet& second = KineticParameters();
  ASSERT_EQ(&first, &second);
  const double saved = first.Table[kE_Recombination];
  first.Table[kE_Recombination] = 12.5;
  EXPECT_EQ(second.Table[kE_Recombination], 12.5);
  first.Table[kE_Recombination] = saved;
}

}  // namespace
}  // namespace korvane
