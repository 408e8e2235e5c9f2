// The exported equations of a generated network, compiled and run by the real
// tools (Free Pascal, gcc, Octave): every rate constant, rate and balance
// term they compute must match the values this system computes itself.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <unistd.h>

#include "app/equation_export.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr double kTemperature = 1050.0;
// The gas constant the exported code defines for itself [J/(mol K)].
constexpr double kExportedGasConstant = 8.314472;

// The n-butane network with fixed concentrations and the values the exported
// code must reproduce.
struct ButaneCase {
  TReactionNetwork Network;
  TKineticParameterTable Global = kKineticParameterDefaults;
  TAlternativeValues Alternative{};
  std::vector<double> Concentrations;
  double ActiveRadicals = 1.0 / 1024.0;
  std::vector<double> K, Rates, Balance, BalanceScale, MolarMass;
};

const ButaneCase& Butane() {
  static const std::unique_ptr<ButaneCase> butane = [] {
    auto b = std::make_unique<ButaneCase>();
    testing::AddFeed(b->Network, testing::LinearAlkane(4));
    b->Network.Generate();
    // An activation energy exact in single precision but not after the
    // product with 1000: Free Pascal folds -1000*E in single precision unless
    // told otherwise, which would cost 7 digits of the recombination constants.
    b->Global[kE_Recombination] = 100.0001220703125;

    const TReactionNetwork& network = b->Network;
    // Powers of two in the concentrations keep them exact in float and double.
    for (std::size_t j = 0; j < network.ComponentCount(); ++j) {
      b->Concentrations.push_back(static_cast<double>(j % 7 + 1) / 8.0);
      b->MolarMass.push_back(network.Component(j)->MolarMass());
    }
    b->Balance.assign(network.ComponentCount(), 0.0);
    b->BalanceScale.assign(network.ComponentCount(), 0.0);
    for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
      const TReaction& reaction = *network.Reaction(i);
      const double a = reaction.FrequencyFactorValue(b->Global, b->Alternative);
      const double e = reaction.ActivationEnergyValue(b->Global, b->Alternative);
      const double k = a * std::exp(-1000.0 * e / (kExportedGasConstant * kTemperature));
      double rate = reaction.MultiplyByActiveRadicals ? k * b->ActiveRadicals : k;
      for (const TMolecule* reactant : reaction.Reactants)
        rate *= b->Concentrations[static_cast<std::size_t>(reactant->ID)];
      b->K.push_back(k);
      b->Rates.push_back(rate);
      // Straight from the reactions, not through the components' links.
      auto add = [&](const TMolecule* m, int coefficient) {
        b->Balance[static_cast<std::size_t>(m->ID)] += coefficient * rate;
        b->BalanceScale[static_cast<std::size_t>(m->ID)] += std::fabs(coefficient * rate);
      };
      for (std::size_t p = 0; p < reaction.Products.size(); ++p) add(reaction.Products[p], reaction.ProductCoefs[p]);
      for (std::size_t p = 0; p < reaction.Reactants.size(); ++p) add(reaction.Reactants[p], reaction.ReactantCoefs[p]);
    }
    return b;
  }();
  return *butane;
}

struct CommandResult {
  int Status = -1;
  std::string Output;
};

// Runs a shell command with the C locale; output and errors together.
CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  std::FILE* pipe = ::popen(("LC_ALL=C " + command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.Output.append(buffer, got);
  result.Status = ::pclose(pipe);
  return result;
}

bool HasTool(const std::string& name) { return RunCommand("command -v " + name).Status == 0; }

// Shortest exact text of a double, valid in Pascal, C and Octave.
std::string Literal(double value) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// A float literal for the C harness.
std::string FloatLiteral(double value) {
  const std::string text = Literal(value);
  return text + (text.find_first_of(".e") == std::string::npos ? ".0f" : "f");
}

// Values printed as "<tag> <index> <value>" lines, by tag; other lines
// (compiler or interpreter chatter) are ignored.
std::map<std::string, std::vector<double>> ParseValues(const std::string& output) {
  std::map<std::string, std::vector<double>> values;
  std::istringstream lines(output);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string tag, index, number;
    if (!(words >> tag >> index >> number) || tag.size() != 1) continue;
    std::size_t i = 0;
    double value = 0.0;
    if (std::from_chars(index.data(), index.data() + index.size(), i).ec != std::errc{}) continue;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc{}) continue;
    auto& list = values[tag];
    if (list.size() <= i) list.resize(i + 1, std::nan(""));
    list[i] = value;
  }
  return values;
}

void ExpectRelative(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance,
                    const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance * std::fabs(expected[i])) << what << "[" << i << "]";
}

class EquationCompile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("korvane_eqcompile_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(m_dir);  // kept for inspection otherwise
  }

  // Exports the butane network with every part the language offers.
  void Export(TExportLanguage language, const std::string& name) {
    const ButaneCase& b = Butane();
    const TEquationExportRequest request{(m_dir / name).string(), language, AvailableExportParts(language)};
    const auto result = ExportEquations(b.Network, request, b.Global, b.Alternative);
    ASSERT_TRUE(result.Ok()) << result.Error;
  }

  void Put(const std::string& name, const std::string& text) const {
    std::ofstream(m_dir / name, std::ios::binary) << text;
  }

  CommandResult RunHere(const std::string& command) const {
    return RunCommand("cd '" + m_dir.string() + "' && " + command);
  }

  fs::path m_dir;
};

TEST_F(EquationCompile, ButaneNetworkIsWorthCompiling) {
  const ButaneCase& b = Butane();
  EXPECT_EQ(testing::CheckNetwork(b.Network), "");
  EXPECT_GT(b.Network.ReactionCount(), 10u);
  bool recombination = false, activeRadicals = false, twoReactants = false;
  for (std::size_t i = 0; i < b.Network.ReactionCount(); ++i) {
    const TReaction& reaction = *b.Network.Reaction(i);
    recombination |= reaction.ReactionType == kRecombination;
    activeRadicals |= reaction.MultiplyByActiveRadicals;
    twoReactants |= reaction.Reactants.size() == 2;
  }
  EXPECT_TRUE(recombination && activeRadicals && twoReactants);
}

TEST_F(EquationCompile, PascalComputesConstantsRatesAndBalance) {
  if (!HasTool("fpc")) GTEST_SKIP() << "fpc is not installed";
  const ButaneCase& b = Butane();
  const std::size_t n = b.Network.ComponentCount();
  const std::size_t nr = b.Network.ReactionCount();
  ASSERT_NO_FATAL_FAILURE(Export(TExportLanguage::Pascal, "equations.pas"));

  std::ostringstream program;
  program << "program harness;\n"
          << "type TVector=array of Real;\n"
          << "{$I equations.pas}\n"
          << "var c,K,r,dc:TVector; i:Integer;\n"
          << "begin\n"
          << "  SetLength(c," << n << "); SetLength(K," << nr << "); SetLength(r," << nr << "); SetLength(dc," << n
          << ");\n";
  for (std::size_t j = 0; j < n; ++j) program << "  c[" << j << "]:=" << Literal(b.Concentrations[j]) << ";\n";
  program << "  KinConstants(" << Literal(kTemperature) << ",K);\n"
          << "  for i:=0 to " << nr << "-1 do WriteLn('K ',i,' ',K[i]);\n"
          << "  RateConstants(" << Literal(kTemperature) << ",c,K,r," << Literal(b.ActiveRadicals) << ");\n"
          << "  for i:=0 to " << nr << "-1 do WriteLn('R ',i,' ',r[i]);\n"
          << "  for i:=0 to " << nr << "-1 do begin K[i]:=0; r[i]:=0; end;\n"
          << "  Balance(" << Literal(kTemperature) << ",dc,c," << Literal(b.ActiveRadicals) << ",K,r);\n"
          << "  for i:=0 to " << n << "-1 do WriteLn('D ',i,' ',dc[i]);\n"
          << "end.\n";
  Put("harness.pas", program.str());

  const auto compiled = RunHere("fpc harness.pas");
  ASSERT_EQ(compiled.Status, 0) << compiled.Output;
  const auto ran = RunHere("./harness");
  ASSERT_EQ(ran.Status, 0) << ran.Output;
  auto values = ParseValues(ran.Output);
  ExpectRelative(values["K"], b.K, 1e-9, "K");
  ExpectRelative(values["R"], b.Rates, 1e-9, "r");

  const std::vector<double>& dc = values["D"];
  ASSERT_EQ(dc.size(), n);
  double mass = 0.0, massScale = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    EXPECT_NEAR(dc[j], b.Balance[j], 1e-9 * b.BalanceScale[j]) << "dc[" << j << "]";
    mass += dc[j] * b.MolarMass[j];
    massScale += b.BalanceScale[j] * b.MolarMass[j];
  }
  // The reactions balance, so the mixture neither gains nor loses mass.
  EXPECT_GT(massScale, 0.0);
  EXPECT_NEAR(mass, 0.0, 1e-12 * massScale);
}

TEST_F(EquationCompile, CComputesConstantsAndRatesInFloat) {
  if (!HasTool("gcc")) GTEST_SKIP() << "gcc is not installed";
  const ButaneCase& b = Butane();
  const std::size_t n = b.Network.ComponentCount();
  const std::size_t nr = b.Network.ReactionCount();
  ASSERT_NO_FATAL_FAILURE(Export(TExportLanguage::C, "equations.c"));

  // The exported file is its own translation unit; the harness only declares it.
  std::ostringstream program;
  program << "#include <stdio.h>\n"
          << "void KinConstants(float T, float K[]);\n"
          << "void RateConstants(float T, float c[], float K[], float r[], float cActR);\n"
          << "int main(void) {\n"
          << "  static float c[" << n << "] = {";
  for (std::size_t j = 0; j < n; ++j) program << (j ? ", " : "") << FloatLiteral(b.Concentrations[j]);
  program << "};\n"
          << "  static float K[" << nr << "], r[" << nr << "];\n"
          << "  int i;\n"
          << "  KinConstants(" << FloatLiteral(kTemperature) << ", K);\n"
          << "  for (i = 0; i < " << nr << "; ++i) printf(\"K %d %.9e\\n\", i, (double)K[i]);\n"
          << "  RateConstants(" << FloatLiteral(kTemperature) << ", c, K, r, " << FloatLiteral(b.ActiveRadicals)
          << ");\n"
          << "  for (i = 0; i < " << nr << "; ++i) printf(\"R %d %.9e\\n\", i, (double)r[i]);\n"
          << "  return 0;\n"
          << "}\n";
  Put("harness.c", program.str());

  const auto compiled = RunHere("gcc -std=c99 -Wall -Werror -o harness harness.c equations.c -lm");
  ASSERT_EQ(compiled.Status, 0) << compiled.Output;
  const auto ran = RunHere("./harness");
  ASSERT_EQ(ran.Status, 0) << ran.Output;
  auto values = ParseValues(ran.Output);
  ExpectRelative(values["K"], b.K, 1e-5, "K");
  ExpectRelative(values["R"], b.Rates, 1e-5, "r");
}

TEST_F(EquationCompile, MatlabComputesConstantsAndRatesInOctave) {
  std::string octave;
  if (HasTool("octave-cli")) {
    octave = "octave-cli";
  } else if (HasTool("octave")) {
    octave = "octave --no-gui";
  } else {
    GTEST_SKIP() << "octave is not installed";
  }
  const ButaneCase& b = Butane();
  ASSERT_NO_FATAL_FAILURE(Export(TExportLanguage::Matlab, "equations.m"));

  std::ostringstream script;
  script << "source('equations.m');\n"
         << "c = [";
  for (std::size_t j = 0; j < b.Concentrations.size(); ++j) script << (j ? " " : "") << Literal(b.Concentrations[j]);
  script << "];\n"
         << "k = KinConstants(" << Literal(kTemperature) << ");\n"
         << "printf('K %d %.17g\\n', [0:numel(k)-1; k]);\n"
         << "r = RateConstants(" << Literal(kTemperature) << ", c, " << Literal(b.ActiveRadicals) << ");\n"
         << "printf('R %d %.17g\\n', [0:numel(r)-1; r]);\n";
  Put("harness.m", script.str());

  const auto ran = RunHere(octave + " --no-init-file --quiet --eval \"source('harness.m')\"");
  ASSERT_EQ(ran.Status, 0) << ran.Output;
  auto values = ParseValues(ran.Output);
  ExpectRelative(values["K"], b.K, 1e-9, "k");
  ExpectRelative(values["R"], b.Rates, 1e-9, "r");
}

}  // namespace
}  // namespace korvane
