#include "app/equation_export.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <locale>
#include <regex>

#include "../database/database_test_support.h"
#include "add_reaction.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr TExportParts kAllParts = kExportKineticConstants | kExportRateEquations | kExportBalance;

// The lines, each followed by CR LF.
std::string Crlf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += "\r\n";
  return text;
}

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Every line of the text ends with CR LF.
bool CrlfOnly(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  return text.ends_with("\r\n");
}

// Components 0-3 the built-ins (H., He, N2, H2O), 4-7 methane to butane.
// Reaction 0 reads the global table, 1 is explicit (class 10), 2 reads the
// alternative table.
class EquationExport : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 4; ++n) testing::AddFeed(m_network, testing::LinearAlkane(n));
    testing::AddReaction(m_network, kHydrogenTransfer, {{7, -1}, {0, 1}, {6, 1}}, false, {kA_HydogegTransfer},
                         {kE_HTransf_Prim, kE_HTransf_Prim});
    testing::AddReaction(m_network, kOtherReaction, {{3, -1}, {7, -1}, {6, 1}}, true, {0}, {}, 8.314472, 2.5e13);
    testing::AddReaction(m_network, kOtherReaction2, {{4, -2}, {5, 3}, {7, 1}}, false, {5}, {6, 6});
    // Not the process-wide set: the export must read the tables it is given.
    m_global = kKineticParameterDefaults;
    m_global[kA_HydogegTransfer] = 4.0e9;
    m_alternative.fill(0.0);
    m_alternative[5] = 1.0e10;
    m_alternative[6] = -12.5;
  }

  std::string Text(TExportLanguage language, TExportParts parts = kAllParts) const {
    return EquationText(m_network, language, parts, m_global, m_alternative);
  }

  TReactionNetwork m_network;
  TKineticParameterTable m_global{};
  TAlternativeValues m_alternative{};
};

TEST(EquationExportText, PascalOfNetworkWithoutReactions) {
  const TKineticParameterSet set;
  const std::string text =
      EquationText(TReactionNetwork(), TExportLanguage::Pascal, kAllParts, set.Table, set.AlternativeValues);
  EXPECT_TRUE(CrlfOnly(text));
  // Free Pascal would fold constants in single precision without the directive.
  EXPECT_TRUE(Contains(text, "\r\n{$IFDEF FPC}{$MINFPCONSTPREC 64}{$ENDIF}\r\n"));
  EXPECT_TRUE(text.ends_with(Crlf({" begin", "  RateConstants(T,c,k,r,cActR);", "  dc[0]:=0;", "  dc[1]:=0;",
                                   "  dc[2]:=0;", "  dc[3]:=0;", " end;", ""})));
}

// Each language's opening, constants, rates and (Pascal only) balance, in that
// order, with the recipes' values: 2 x 46.04 from the global table with A from
// the table given; class 10 explicit; class 11 from the alternative table.
// Balance terms: formed-in before consumed-in, whatever the reaction order (the
// compile tests check every value the code computes).
TEST_F(EquationExport, EveryLanguageWritesItsRoutinesInOrderWithTheRecipeValues) {
  const struct {
    TExportLanguage language;
    const char* opening;
    std::vector<std::string> parts;  // in order
    std::vector<const char*> absent;
  } cases[] = {
      {TExportLanguage::Pascal, " {",
       {Crlf({"procedure KinConstants(Const T:Real; Var K:TVector);",
              " const R=8.314472;  // J/(mol*K) - gass constant", " begin",
              "  K[0]:=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);",
              "  K[1]:=2.500000000000000E+13*exp(-1000*8.314472000000000E+0/R/T);",
              "  K[2]:=1.000000000000000E+10*exp(-1000*-2.500000000000000E+1/R/T);", " end;"}),
        Crlf({"  r[0]:=k[0]*c[7];", "  r[1]:=k[1]*cActR*c[3]*c[7];", "  r[2]:=k[2]*c[4];"}),
        Crlf({"procedure Balance(Const T:Real; var dc:TVector; Var c:TVector; Const cActR:Real; Var K, r:TVector);",
              " begin", "  RateConstants(T,c,k,r,cActR);", "  dc[0]:=0+1.000000000000000E+0*r[0];", "  dc[1]:=0;"}),
        Crlf({"  dc[7]:=0+1.000000000000000E+0*r[2]+-1.000000000000000E+0*r[0]+-1.000000000000000E+0*r[1];",
              " end;"})},
       {}},
      {TExportLanguage::C, " /*",
       {" */\r\n\r\n#include <math.h>\r\n",
        Crlf({"void KinConstants(float T, float K[])", " {", " const float R=8.314472f;  /* J/(mol*K) - gass constant */",
              "  K[0]=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);"}),
        Crlf({"  KinConstants(T,K);  /* calculating kinetic constants */", "    r[0]=K[0]*c[7];",
              "    r[1]=K[1]*cActR*c[3]*c[7];"})},
       {":=", "(Const T:Real", "dc[", "void KinConstants(float T, float K[]);"}},  // defined, so no prototype
      {TExportLanguage::Matlab, " %",
       {"\r\n1;\r\n",
        Crlf({"function k=KinConstants(T)", "       R=8.314472;  % J/(mol*K) - gass constant ",
              "    k(1)=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);"}),
        Crlf({"function r=RateConstants(T,c,cActR);", "  K=KinConstants(T);  % calculating kinetic constants",
              "  r(1)=K(1)*c(8);", "  r(2)=K(2)*cActR*c(4)*c(8);", "  r(3)=K(3)*c(5);", " end;"})},
       {" begin\r\n", ":=", "k(2)*", "Balance"}},
  };
  for (const auto& c : cases) {
    const std::string text = Text(c.language);
    SCOPED_TRACE(c.opening);
    EXPECT_TRUE(CrlfOnly(text));
    EXPECT_EQ(text.rfind(c.opening, 0), 0u);
    std::size_t at = 0;
    for (const std::string& part : c.parts) {
      const std::size_t found = text.find(part, at);
      ASSERT_NE(found, std::string::npos) << part;
      at = found + part.size();
    }
    for (const char* part : c.absent) EXPECT_FALSE(Contains(text, part)) << part;
  }
  // A part set picks its parts only; C rates alone declare the routine they call.
  const std::string pascalRates = Text(TExportLanguage::Pascal, kExportRateEquations);
  EXPECT_TRUE(!Contains(pascalRates, "K[0]:=4") && Contains(pascalRates, "  r[2]:=k[2]*c[4];\r\n end;\r\n\r\n"));
  EXPECT_TRUE(Contains(Text(TExportLanguage::C, kExportRateEquations),
                       "#include <math.h>\r\nvoid KinConstants(float T, float K[]);"));
}

// A reaction whose values a user entered by hand exports them, not its
// recipes, whatever its class.
TEST_F(EquationExport, ExplicitKineticsEnteredByHandAreExportedInEveryLanguage) {
  TReaction& transfer = *m_network.Reaction(0);
  transfer.ExplicitKinetics = true;
  transfer.SetParameters(kHydrogenTransfer, 230.0, 3.0e12);
  const std::pair<TExportLanguage, const char*> lines[] = {
      {TExportLanguage::Pascal, "  K[0]:=3.000000000000000E+12*exp(-1000*2.300000000000000E+2/R/T);"},
      {TExportLanguage::C, "  K[0]=3.000000000000000E+12*exp(-1000*2.300000000000000E+2/R/T);"},
      {TExportLanguage::Matlab, "    k(1)=3.000000000000000E+12*exp(-1000*2.300000000000000E+2/R/T);"}};
  for (const auto& [language, line] : lines) EXPECT_TRUE(Contains(Text(language), line)) << line;
}

// The table names each concentration index in the language's own comments and
// indexing; a name cannot end a C comment early or break a line.
TEST_F(EquationExport, SpeciesTableNamesEveryConcentrationIndex) {
  m_network.Component(7)->Name = "n-butane */ 1\n2";
  const TSmilesProvider smiles = [](const TMolecule& molecule) -> TResult<std::string> {
    if (molecule.ID == 0) return TError{TErrorCode::InvalidInput, "no SMILES"};
    return "S" + std::to_string(molecule.ID);
  };
  auto text = [&](TExportLanguage language) {
    return EquationText(m_network, language, kExportRateEquations, m_global, m_alternative, smiles);
  };
  // The hydrogen atom's and helium's ΔfH° and S° are the NIST-JANAF tables' (217.998 kJ/mol,
  // 114.717 J/(mol K); 0, 126.153).
  EXPECT_TRUE(Contains(text(TExportLanguage::Pascal),
                       "}\r\n\r\n\r\n// Species: c[j] is the concentration of component j; formula, canonical SMILES, "
                       "standard enthalpy of formation [kJ/mol] and entropy [J/(mol K)] at 298.15 K, name\r\n"
                       "//   c[0]  H  -  218.00  114.72\r\n//   c[1]  He  S1  0.00  126.15\r\n"));
  // The name closes the row, after the two numbers.
  auto row = [](const std::string& text, const std::string& start) {
    const std::size_t from = text.find(start);
    return from == std::string::npos ? std::string() : text.substr(from, text.find('\n', from) + 1 - from);
  };
  const std::string cRow = row(text(TExportLanguage::C), "/*   c[7]  C4H10  S7  -");
  EXPECT_TRUE(cRow.ends_with("  n-butane * / 1 2 */\r\n")) << cRow;
  const std::string matlabRow = row(text(TExportLanguage::Matlab), "%   c(8)  C4H10  S7  -");
  EXPECT_TRUE(matlabRow.ends_with("  n-butane */ 1 2\r\n")) << matlabRow;
  EXPECT_TRUE(Contains(EquationText(m_network, TExportLanguage::Matlab, kExportRateEquations, m_global, m_alternative),
                       "%   c(5)  CH4  -  -74."));
}

// The splitting itself is SplitEquationLine's; here only that balance lines go through it.
TEST_F(EquationExport, LongBalanceLineIsSplitBeforeATermSign) {
  // Sixty reactions consuming methane make its balance line about 1800 characters.
  for (int n = 0; n < 60; ++n)
    testing::AddReaction(m_network, kOtherReaction, {{4, -1}, {5, 1}}, false, {}, {}, 1.5e-7 * (n + 1), 1e13);
  const std::string text = Text(TExportLanguage::Pascal);
  const std::size_t from = text.find("  dc[4]:=0"), to = text.find("\r\n  dc[5]:=0");
  ASSERT_LT(from, to);
  std::string lines = text.substr(from, to - from), expected = "  dc[4]:=0+-2.000000000000000E+0*r[2]";
  for (int n = 0; n < 60; ++n) expected += "+-1.000000000000000E+0*r[" + std::to_string(n + 3) + "]";
  EXPECT_TRUE(std::regex_search(lines, std::regex("\r\n[-+]")));
  EXPECT_EQ(std::regex_replace(lines, std::regex("\r\n"), ""), expected + ";");
}

TEST_F(EquationExport, PointWithCommaLocale) {
  const std::locale savedGlobal = std::locale::global(std::locale::classic());
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"})
    if (comma == nullptr && std::setlocale(LC_ALL, name) != nullptr) comma = name;
  ASSERT_NE(comma, nullptr) << "the de_DE.UTF-8 locale is missing (scripts/install-deps generates it)";
  std::locale::global(std::locale(comma));
  const bool commaActive = *std::localeconv()->decimal_point == ',';
  const std::string text = Text(TExportLanguage::Pascal);
  std::setlocale(LC_ALL, "C");
  std::locale::global(savedGlobal);
  EXPECT_TRUE(commaActive);
  EXPECT_TRUE(Contains(text, "  K[1]:=2.500000000000000E+13*exp(-1000*8.314472000000000E+0/R/T);"));
  EXPECT_TRUE(Contains(text, "  dc[4]:=0+-2.000000000000000E+0*r[2];"));
}

TEST_F(EquationExport, FileIsWrittenOnlyWhenCompleteAndFailuresKeepTheOldOne) {
  testing::ScratchDir dir;
  const std::string target = dir.file("eq.pas");
  auto exportTo = [&](const std::string& to, std::optional<TExportLanguage> language, TExportParts parts) {
    return ExportEquations(m_network, {to, language, parts, {}}, m_global, m_alternative);
  };
  const std::vector<std::uint8_t> old(100000, 'x');  // longer than the new text
  testing::PutFile(target, old);
  // Destination first, then language, then parts; Matlab has no balance.
  const std::tuple<std::string, std::optional<TExportLanguage>, TExportParts, const char*> refused[] = {
      {"", std::nullopt, 0, "Select destionation file."},
      {target, std::nullopt, 0, "No language was selected."},
      {target, TExportLanguage::Pascal, 0, "Select wanted parts of system"},
      {target, TExportLanguage::Matlab, kExportBalance, "Select wanted parts of system"}};
  for (const auto& [to, language, parts, message] : refused) {
    const auto result = exportTo(to, language, parts);
    ASSERT_FALSE(result) << message;
    EXPECT_EQ(result.error().Code, TErrorCode::Refused);
    EXPECT_EQ(result.error().Message, message);
  }
  // A recipe naming a parameter the kinetic parameter file lacked (-1) would write a meaningless
  // constant; the rates alone do not read it.
  m_global[kE_HTransf_Prim] = -1.0;
  const auto lacking = exportTo(target, TExportLanguage::Pascal, kAllParts);
  ASSERT_FALSE(lacking);
  EXPECT_EQ(lacking.error().Code, TErrorCode::KineticParameters);
  EXPECT_TRUE(Contains(lacking.error().Message, "lacks E_HTransf_Prim ("));
  EXPECT_EQ(testing::FileBytes(target), old);
  ASSERT_TRUE(exportTo(dir.file("rates.pas"), TExportLanguage::Pascal, kExportRateEquations));
  m_global[kE_HTransf_Prim] = 46.04;

  // How a file is replaced safely is the file writer's concern; here only the message naming the file.
  const auto missing = exportTo(dir.path() / "no" / "eq.c", TExportLanguage::C, kAllParts);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().Code, TErrorCode::FileSystem);
  EXPECT_TRUE(Contains(missing.error().Message, "\"" + (dir.path() / "no" / "eq.c").string() + "\""));

  ASSERT_TRUE(exportTo(target, TExportLanguage::Matlab, kAllParts));
  const std::string matlab = Text(TExportLanguage::Matlab);
  EXPECT_EQ(testing::FileBytes(target), std::vector<std::uint8_t>(matlab.begin(), matlab.end()));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);  // eq.pas and rates.pas
}

}  // namespace
}  // namespace korvane
