#include "gui/reaction_text.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane::gui {
namespace {

using testing::MoleculeFrom;

TEST(ReactionText, StoichiometryShowsBAndDOnlyWhereTheyExist) {
  const auto propyl = MoleculeFrom("C. C C; 0-1 1-2", 4);
  const auto ethylene = MoleculeFrom("C C; 0=1", 5);
  const auto methyl = MoleculeFrom("C.", 6);
  const auto hydrogen = MoleculeFrom("H.", 0);
  TReaction isomerisation;
  isomerisation.AddReactant(propyl.get(), -1);
  isomerisation.AddProduct(propyl.get(), 1);
  EXPECT_EQ(StoichiometryText(isomerisation, kPageArrow), "-1*A   --->   1*C");
  const auto participants = ReactionParticipants(isomerisation);
  EXPECT_EQ(participants[1], nullptr);
  EXPECT_EQ(participants[3], nullptr);

  TReaction scission;
  scission.AddReactant(propyl.get(), -1);
  scission.AddProduct(ethylene.get(), 1);
  scission.AddProduct(methyl.get(), 2);
  EXPECT_EQ(StoichiometryText(scission, kDetailArrow), "-1*A  --->  1*C + 2*D");

  TReaction recombination;
  recombination.AddReactant(methyl.get(), -1);
  recombination.AddReactant(hydrogen.get(), -1);
  recombination.AddProduct(ethylene.get(), 1);
  EXPECT_EQ(StoichiometryText(recombination, kPageArrow), "-1*A + -1*B   --->   1*C");

  EXPECT_EQ(ComponentIdText(methyl.get()), "[ 6 ]");
  EXPECT_EQ(ComponentIdText(nullptr), "N/A");
  EXPECT_EQ(BooleanText(true), "True");
  EXPECT_EQ(BooleanText(false), "False");
}

}  // namespace
}  // namespace korvane::gui
