// The exported equations of the generated n-butane network, compiled and run
// by the real tools (Free Pascal, gcc, Octave): every rate constant, rate and
// balance term they compute must match the values computed here.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <sstream>

#include "../database/database_test_support.h"
#include "external_tools.h"
#include "app/equation_export.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

constexpr double kTemperature = 1050.0, kActiveRadicals = 1.0 / 1024.0;

struct ButaneCase : testing::TExpectedKinetics {
  TReactionNetwork Network;
  TKineticParameterTable Global = kKineticParameterDefaults;
  TAlternativeValues Alternative{};
  std::vector<double> Concentrations, MolarMass;
};

const ButaneCase& Butane() {
  static const std::unique_ptr<ButaneCase> butane = [] {
    auto b = std::make_unique<ButaneCase>();
    testing::AddFeed(b->Network, testing::LinearAlkane(4));
    b->Network.Generate();
    // Exact in single precision but not after the product with 1000: Free Pascal folds
    // -1000*E in single precision unless told otherwise, costing the recombinations 7 digits.
    b->Global[kE_Recombination] = 100.0001220703125;
    // The species table's comments must stay comments in every language.
    b->Network.Component(4)->Name = "butane */ } % \\";
    for (std::size_t j = 0; j < b->Network.ComponentCount(); ++j) {
      b->Concentrations.push_back(static_cast<double>(j % 7 + 1) / 8.0);  // exact in float and double
      b->MolarMass.push_back(b->Network.Component(j)->MolarMass());
    }
    static_cast<testing::TExpectedKinetics&>(*b) = testing::ExpectedKinetics(
        b->Network, b->Global, b->Alternative, kTemperature, b->Concentrations, kActiveRadicals);
    return b;
  }();
  return *butane;
}

using testing::HasTool;

// Shortest exact text of a double, valid in Pascal, C and Octave; C floats get "f".
std::string Literal(double value, bool isFloat = false) {
  char buffer[64];
  std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
  return isFloat ? text + (text.find_first_of(".e") == std::string::npos ? ".0f" : "f") : text;
}

std::string List(const std::vector<double>& values, const char* separator, bool isFloat = false) {
  std::string list;
  for (double value : values) list += (list.empty() ? "" : separator) + Literal(value, isFloat);
  return list;
}

// The values of the output lines "<tag> <value>", in order, by tag; other lines are chatter.
std::map<char, std::vector<double>> Values(const std::string& output) {
  std::map<char, std::vector<double>> values;
  std::istringstream lines(output);
  for (std::string line, tag; std::getline(lines, line);) {
    std::istringstream words(line);
    double value = 0.0;
    if (words >> tag >> value && tag.size() == 1) values[tag[0]].push_back(value);
  }
  return values;
}

void ExpectRelative(std::map<char, std::vector<double>>& values, char tag, const std::vector<double>& expected,
                    double tolerance) {
  const std::vector<double>& actual = values[tag];
  ASSERT_EQ(actual.size(), expected.size()) << tag;
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance * std::fabs(expected[i])) << tag << i;
}

// Exports the butane network with every part the language offers, writes the harness
// beside it and runs the commands there; the harness's output.
std::string ExportAndRun(const testing::ScratchDir& dir, TExportLanguage language, const std::string& name,
                         const std::string& harnessName, const std::string& harness,
                         const std::vector<std::string>& commands) {
  const ButaneCase& b = Butane();
  const TSmilesProvider smiles = [](const TMolecule& molecule) { return "*/{%" + std::to_string(molecule.ID); };
  const auto result = ExportEquations(b.Network, {dir.file(name), language, AvailableExportParts(language), smiles},
                                      b.Global, b.Alternative);
  EXPECT_TRUE(result) << result.error().Message;
  std::ofstream(dir.file(harnessName), std::ios::binary) << harness;
  std::pair<int, std::string> ran;
  for (const std::string& command : commands) {
    ran = testing::RunCommand("cd '" + dir.path().string() + "' && " + command);
    EXPECT_EQ(ran.first, 0) << command << "\n" << ran.second;
  }
  return ran.second;
}

TEST(EquationCompile, PascalComputesConstantsRatesAndAMassConservingBalance) {
  if (!HasTool("fpc")) GTEST_SKIP() << "fpc is not installed";
  const testing::ScratchDir dir;
  const ButaneCase& b = Butane();
  // The network has recombinations, rates carrying the active radicals and two-reactant rates.
  bool recombination = false, activeRadicals = false, twoReactants = false;
  for (std::size_t i = 0; i < b.Network.ReactionCount(); ++i) {
    recombination |= b.Network.Reaction(i)->ReactionType == kRecombination;
    activeRadicals |= b.Network.Reaction(i)->MultiplyByActiveRadicals;
    twoReactants |= b.Network.Reaction(i)->Reactants.size() == 2;
  }
  EXPECT_TRUE(recombination && activeRadicals && twoReactants);

  const std::string n = std::to_string(b.Concentrations.size()), nr = std::to_string(b.K.size());
  std::ostringstream program;
  program << "program harness;\ntype TVector=array of Real;\n{$I equations.pas}\n"
          << "var c,K,r,dc:TVector; i:Integer;\nbegin\n"
          << "  SetLength(K," << nr << "); SetLength(r," << nr << "); SetLength(dc," << n << ");\n"
          << "  c:=TVector.Create(" << List(b.Concentrations, ",") << ");\n"
          << "  KinConstants(" << Literal(kTemperature) << ",K);\n"
          << "  for i:=0 to " << nr << "-1 do WriteLn('K ',K[i]);\n"
          << "  RateConstants(" << Literal(kTemperature) << ",c,K,r," << Literal(kActiveRadicals) << ");\n"
          << "  for i:=0 to " << nr << "-1 do begin WriteLn('R ',r[i]); K[i]:=0; r[i]:=0; end;\n"
          << "  Balance(" << Literal(kTemperature) << ",dc,c," << Literal(kActiveRadicals) << ",K,r);\n"
          << "  for i:=0 to " << n << "-1 do WriteLn('D ',dc[i]);\nend.\n";
  auto values = Values(ExportAndRun(dir, TExportLanguage::Pascal, "equations.pas", "harness.pas", program.str(),
                                    {"fpc harness.pas", "./harness"}));
  ExpectRelative(values, 'K', b.K, 1e-9);
  ExpectRelative(values, 'R', b.Rates, 1e-9);
  const std::vector<double>& dc = values['D'];
  ASSERT_EQ(dc.size(), b.Balance.size());
  double mass = 0.0, massScale = 0.0;
  for (std::size_t j = 0; j < dc.size(); ++j) {
    EXPECT_NEAR(dc[j], b.Balance[j], 1e-9 * b.BalanceScale[j]) << j;
    mass += dc[j] * b.MolarMass[j];
    massScale += b.BalanceScale[j] * b.MolarMass[j];
  }
  // The reactions balance, so the mixture neither gains nor loses mass.
  EXPECT_GT(massScale, 0.0);
  EXPECT_NEAR(mass, 0.0, 1e-12 * massScale);
}

TEST(EquationCompile, CComputesConstantsAndRatesInFloat) {
  if (!HasTool("gcc")) GTEST_SKIP() << "gcc is not installed";
  const testing::ScratchDir dir;
  const ButaneCase& b = Butane();
  const std::string nr = std::to_string(b.K.size());
  // The exported file is its own translation unit; the harness only declares it.
  std::ostringstream program;
  program << "#include <stdio.h>\nvoid KinConstants(float T, float K[]);\n"
          << "void RateConstants(float T, float c[], float K[], float r[], float cActR);\n"
          << "int main(void) {\n  static float c[] = {" << List(b.Concentrations, ", ", true) << "};\n"
          << "  static float K[" << nr << "], r[" << nr << "];\n  int i;\n"
          << "  KinConstants(" << Literal(kTemperature, true) << ", K);\n"
          << "  RateConstants(" << Literal(kTemperature, true) << ", c, K, r, " << Literal(kActiveRadicals, true)
          << ");\n  for (i = 0; i < " << nr << "; ++i) printf(\"K %.9e\\nR %.9e\\n\", K[i], r[i]);\n"
          << "  return 0;\n}\n";
  auto values = Values(ExportAndRun(dir, TExportLanguage::C, "equations.c", "harness.c", program.str(),
                                    {"gcc -std=c99 -Wall -Werror -o harness harness.c equations.c -lm", "./harness"}));
  ExpectRelative(values, 'K', b.K, 1e-5);
  ExpectRelative(values, 'R', b.Rates, 1e-5);
}

TEST(EquationCompile, MatlabComputesConstantsAndRatesInOctave) {
  if (!HasTool("octave-cli")) GTEST_SKIP() << "octave is not installed";
  const testing::ScratchDir dir;
  const ButaneCase& b = Butane();
  std::ostringstream script;
  script << "source('equations.m');\nc = [" << List(b.Concentrations, " ") << "];\n"
         << "k = KinConstants(" << Literal(kTemperature) << ");\n"
         << "r = RateConstants(" << Literal(kTemperature) << ", c, " << Literal(kActiveRadicals) << ");\n"
         << "printf('K %.17g\\n', k);\nprintf('R %.17g\\n', r);\n";
  auto values = Values(ExportAndRun(dir, TExportLanguage::Matlab, "equations.m", "harness.m", script.str(),
                                    {"octave-cli --no-init-file --quiet --eval \"source('harness.m')\""}));
  ExpectRelative(values, 'K', b.K, 1e-9);
  ExpectRelative(values, 'R', b.Rates, 1e-9);
}

}  // namespace
}  // namespace korvane
