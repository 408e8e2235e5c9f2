#include "cli/inputs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_common.h"
#include "core/identity.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

const std::string kReference = KORVANE_TEST_DATA "/reference/";

std::string InputProblem(const std::function<void()>& action) {
  try {
    action();
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

TEST(FeedArgument, PrefixChoosesTheKindAndAnEmptyValueIsRefused) {
  const FeedArgument smiles = ParseFeedArgument("smiles:C=C");
  EXPECT_EQ(smiles.Kind, FeedKind::Smiles);
  EXPECT_EQ(smiles.Value, "C=C");
  const FeedArgument name = ParseFeedArgument("db:n-hexane");
  EXPECT_EQ(name.Kind, FeedKind::DatabaseName);
  EXPECT_EQ(name.Value, "n-hexane");
  // Anything else is a path, even one that mentions a prefix later on.
  const FeedArgument file = ParseFeedArgument("feeds/db:x.ms");
  EXPECT_EQ(file.Kind, FeedKind::StructureFile);
  EXPECT_EQ(file.Value, "feeds/db:x.ms");
  EXPECT_EQ(InputProblem([] { ParseFeedArgument("smiles:"); }), "smiles:: no SMILES after \"smiles:\"");
  EXPECT_NE(InputProblem([] { ParseFeedArgument("db:"); }), "");
  EXPECT_NE(InputProblem([] { ParseFeedArgument(""); }), "");
}

TEST(Feed, ThreeRoutesGiveTheSameMolecule) {
  const auto database = OpenDatabase(kReference + "sample.mdb", true);
  const auto propene = testing::MoleculeFrom("C C C; 0-1 1=2");
  const Feed fromSmiles = LoadFeed("smiles:C=CC", nullptr);
  const Feed fromFile = LoadFeed(kReference + "structures/propene.ms", nullptr);
  const Feed fromDatabase = LoadFeed("db:propylene", database.get());
  EXPECT_TRUE(AreIsomorphic(*fromSmiles.Molecule, *propene));
  EXPECT_TRUE(AreIsomorphic(*fromFile.Molecule, *propene));
  EXPECT_TRUE(AreIsomorphic(*fromDatabase.Molecule, *propene));
  EXPECT_EQ(fromFile.Molecule->ID, 4);
  EXPECT_EQ(fromDatabase.Name, "propene");
  EXPECT_EQ(fromSmiles.Name, "");
}

TEST(Feed, ProblemsNameTheFeed) {
  const auto database = OpenDatabase(kReference + "sample.mdb", true);
  // A name must equal a synonym; a fragment is not enough.
  EXPECT_NE(InputProblem([&] { LoadFeed("db:propylen", database.get()); }).find("db:propylen: no item"),
            std::string::npos);
  EXPECT_NE(InputProblem([] { LoadFeed("db:propene", nullptr); }).find("needs a database"), std::string::npos);
  EXPECT_NE(InputProblem([] { LoadFeed("smiles:C1CC", nullptr); }).find("smiles:C1CC: "), std::string::npos);
  EXPECT_EQ(InputProblem([] { LoadFeed("missing.ms", nullptr); }), "missing.ms: file does not exist");
  // A database file is not a structure file.
  EXPECT_NE(InputProblem([] { LoadFeed(kReference + "sample.mdb", nullptr); }).find("not a molecular structure"),
            std::string::npos);
  EXPECT_NE(InputProblem([] { OpenDatabase(kReference + "structures/propene.ms", false); }).find("not a molecular"),
            std::string::npos);
}

TEST(KineticParameterInput, ReportsEveryDamageFlagAndRefusesAMissingFile) {
  TKineticParameterSet set;
  std::ostringstream warnings;
  LoadKineticParameterInput(kReference + "kinpar/version-1.01.ini", set, warnings);
  EXPECT_NE(warnings.str().find("Version is unknown"), std::string::npos);
  EXPECT_EQ(warnings.str().find("Header is unknown"), std::string::npos);
  EXPECT_NE(InputProblem([&] { LoadKineticParameterInput(std::string("none.ini"), set, warnings); }), "");
}

}  // namespace
}  // namespace korvane
