#include "app/equation_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <unistd.h>

#include "app/equation_format.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::AddFeed;
using testing::LinearAlkane;
using Lines = std::vector<std::string>;

constexpr TExportParts kAllParts = kExportKineticConstants | kExportRateEquations | kExportBalance;

// The exported text as lines; every line end must be CR LF.
Lines SplitText(const std::string& text) {
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with CR LF";
      break;
    }
    lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(lines.back().find('\n'), std::string::npos) << lines.back();
    start = end + 2;
  }
  return lines;
}

bool Has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::ptrdiff_t Position(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) - lines.begin();
}

bool Contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

// Components 0-3 are the built-ins (H., He, N2, H2O), 4-7 methane to butane.
// Reaction 0 reads the global table, 1 is explicit (class 10), 2 reads the
// alternative table.
class EquationExport : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int n = 1; n <= 4; ++n) AddFeed(m_network, LinearAlkane(n));
    auto component = [this](int j) { return m_network.Component(static_cast<std::size_t>(j)); };

    TReaction transfer;
    transfer.AddReactant(component(7), -1);
    transfer.AddProduct(component(0), 1);
    transfer.AddProduct(component(6), 1);
    transfer.SetParameters(kHydrogenTransfer, 1.0, 1.0);
    transfer.FreqFact2 = std::string(1, static_cast<char>(kA_HydogegTransfer));
    transfer.ActEnerg2 = std::string(2, static_cast<char>(kE_HTransf_Prim));
    m_network.AddReactionCopy(transfer);

    TReaction other;
    other.AddReactant(component(3), -1);
    other.AddReactant(component(7), -1);
    other.AddProduct(component(6), 1);
    other.SetParameters(kOtherReaction, 8.314472, 2.5e13);
    other.FreqFact2 = std::string(1, static_cast<char>(0));  // ignored for class 10
    other.MultiplyByActiveRadicals = true;
    m_network.AddReactionCopy(other);

    TReaction alternative;
    alternative.AddReactant(component(4), -2);
    alternative.AddProduct(component(5), 3);
    alternative.AddProduct(component(7), 1);
    alternative.SetParameters(kOtherReaction2, 1.0, 1.0);
    alternative.FreqFact2 = std::string(1, static_cast<char>(5));
    alternative.ActEnerg2 = std::string(2, static_cast<char>(6));
    m_network.AddReactionCopy(alternative);

    // Not the process-wide set: the export must read the tables it is given.
    m_global = kKineticParameterDefaults;
    m_global[kA_HydogegTransfer] = 4.0e9;
    m_alternative.fill(0.0);
    m_alternative[5] = 1.0e10;
    m_alternative[6] = -12.5;
  }

  std::string Text(TExportLanguage language, TExportParts parts) const {
    return EquationText(m_network, language, parts, m_global, m_alternative);
  }

  TReactionNetwork m_network;
  TKineticParameterTable m_global{};
  TAlternativeValues m_alternative{};
};

TEST(EquationExportText, PascalFileOfNetworkWithoutReactions) {
  const TReactionNetwork network;
  const TKineticParameterSet set;
  const std::string text = EquationText(network, TExportLanguage::Pascal, kAllParts, set.Table, set.AlternativeValues);
  const Lines lines = SplitText(text);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0].rfind(" {", 0), 0u);
  EXPECT_EQ(lines[1], "Notes: TYPE TVector=array of Real;}");
  const Lines expected = {
      lines[0],
      "Notes: TYPE TVector=array of Real;}",
      "",
      "",
      lines[4],
      "{$IFDEF FPC}{$MINFPCONSTPREC 64}{$ENDIF}",
      "",
      "",
      "// procedure calculating kinetic parameters at given temperature(par. T) in Kelvins",
      "// kin. constants will be calculated at basic SI units (s^-1 or m^3*mol^-1*s^-1)",
      "// values of kin. constants will be saved to dynamic array (indexing form zero) - par. K (must be allocated "
      "before calling the procedure",
      "procedure KinConstants(Const T:Real; Var K:TVector);",
      " const R=8.314472;  // J/(mol*K) - gass constant",
      " begin",
      " end;",
      "",
      "",
      "",
      "// procedure reaction rates for all reactions in system",
      "// kin. constants will be calculated by calling generated function, vector for kinetic constans (k) must be "
      "allocated before",
      "// values of rates will be saved to dynamic array (indexing form zero) - par. r (must be allocated before "
      "calling the procedure, will be numbered at basic SI units (mol*m^-3*s^-1)",
      "// par. c is vector of actual conponents molar concentrations",
      "// par. cActR is actual concentration of active radicals (modeled pseudostationary)",
      "procedure RateConstants(Const T:Real; Var c,K:TVector; Var r:TVector; Const cActR:Real);",
      " begin",
      "  KinConstants(T,K);  // calculating kinetic constants",
      " end;",
      "",
      "",
      "",
      "// procedure balancing infinithesimal volume of reaction mixture (bath reactor)",
      "// kin. constants will be calculated at basic SI units (s^-1 or m^3*mol^-1*s^-1)",
      "// values of kin. constants will be saved to dynamic array (indexing form zero) - par. K (must be allocated "
      "before calling the procedure",
      "procedure Balance(Const T:Real; var dc:TVector; Var c:TVector; Const cActR:Real; Var K, r:TVector);",
      " begin",
      "  RateConstants(T,c,k,r,cActR);",
      "  dc[0]:=0;",
      "  dc[1]:=0;",
      "  dc[2]:=0;",
      "  dc[3]:=0;",
      " end;",
      "",
  };
  EXPECT_EQ(lines, expected);
  // The banner is one capitalised sentence about the generated network.
  EXPECT_TRUE(Contains(lines[0], "STEAM CRACKING PRIMARY REACTION NETWORK GENERATION"));
  EXPECT_EQ(lines[4].rfind("// ", 0), 0u);
}

TEST_F(EquationExport, PascalLinesCarryRecipeValuesIndicesAndCoefficients) {
  const Lines lines = SplitText(Text(TExportLanguage::Pascal, kAllParts));
  // 2 x 46.04 from the global table, A from the table given; class 10 explicit; class 11 alternative.
  EXPECT_TRUE(Has(lines, "  K[0]:=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);"));
  EXPECT_TRUE(Has(lines, "  K[1]:=2.500000000000000E+13*exp(-1000*8.314472000000000E+0/R/T);"));
  EXPECT_TRUE(Has(lines, "  K[2]:=1.000000000000000E+10*exp(-1000*-2.500000000000000E+1/R/T);"));

  EXPECT_TRUE(Has(lines, "  r[0]:=k[0]*c[7];"));
  EXPECT_TRUE(Has(lines, "  r[1]:=k[1]*cActR*c[3]*c[7];"));
  EXPECT_TRUE(Has(lines, "  r[2]:=k[2]*c[4];"));

  // Formed-in terms come before consumed-in ones, whatever the reaction order.
  EXPECT_TRUE(Has(lines, "  dc[0]:=0+1.000000000000000E+0*r[0];"));
  EXPECT_TRUE(Has(lines, "  dc[1]:=0;"));
  EXPECT_TRUE(Has(lines, "  dc[3]:=0+-1.000000000000000E+0*r[1];"));
  EXPECT_TRUE(Has(lines, "  dc[4]:=0+-2.000000000000000E+0*r[2];"));
  EXPECT_TRUE(Has(lines, "  dc[5]:=0+3.000000000000000E+0*r[2];"));
  EXPECT_TRUE(Has(lines, "  dc[6]:=0+1.000000000000000E+0*r[0]+1.000000000000000E+0*r[1];"));
  EXPECT_TRUE(
      Has(lines, "  dc[7]:=0+1.000000000000000E+0*r[2]+-1.000000000000000E+0*r[0]+-1.000000000000000E+0*r[1];"));

  // Parts in the order constants, rates, balance, each after two empty lines.
  const auto constants = Position(lines, "procedure KinConstants(Const T:Real; Var K:TVector);");
  const auto rates = Position(lines, "  KinConstants(T,K);  // calculating kinetic constants");
  const auto balance = Position(lines, "  RateConstants(T,c,k,r,cActR);");
  EXPECT_LT(constants, rates);
  EXPECT_LT(rates, balance);
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 3],
            "  K[0]:=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);");

  // A part set picks its parts only.
  const Lines ratesOnly = SplitText(Text(TExportLanguage::Pascal, kExportRateEquations));
  EXPECT_TRUE(Has(ratesOnly, "  r[1]:=k[1]*cActR*c[3]*c[7];"));
  EXPECT_FALSE(Has(ratesOnly, " const R=8.314472;  // J/(mol*K) - gass constant"));
  EXPECT_FALSE(Has(ratesOnly, "  RateConstants(T,c,k,r,cActR);"));
}

TEST_F(EquationExport, CHasItsOwnConstantsRoutineAndIndexesK) {
  const std::string text = Text(TExportLanguage::C, kAllParts);
  const Lines lines = SplitText(text);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0].rfind(" /*", 0), 0u);
  EXPECT_EQ(lines[0].substr(lines[0].size() - 2), "*/");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "#include <math.h>");

  const auto constants = Position(lines, "void KinConstants(float T, float K[])");
  const auto rates = Position(lines, "void RateConstants(float T, float c[], float K[], float r[], float cActR)");
  ASSERT_LT(constants, rates);
  ASSERT_LT(rates, static_cast<std::ptrdiff_t>(lines.size()));
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 1], " {");
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 2],
            " const float R=8.314472f;  /* J/(mol*K) - gass constant */");
  EXPECT_TRUE(Has(lines, "  K[1]=2.500000000000000E+13*exp(-1000*8.314472000000000E+0/R/T);"));
  EXPECT_TRUE(Has(lines, "  KinConstants(T,K);  /* calculating kinetic constants */"));
  EXPECT_TRUE(Has(lines, "    r[0]=K[0]*c[7];"));
  EXPECT_TRUE(Has(lines, "    r[1]=K[1]*cActR*c[3]*c[7];"));
  // No Pascal text and no balance in a C file; the constants routine is present, so no prototype.
  EXPECT_FALSE(Contains(text, ":="));
  EXPECT_FALSE(Contains(text, "(Const T:Real"));
  EXPECT_FALSE(Contains(text, "dc["));
  EXPECT_FALSE(Contains(text, "void KinConstants(float T, float K[]);"));

  // Rates alone declare the routine they call, so the file compiles on its own.
  const Lines ratesOnly = SplitText(Text(TExportLanguage::C, kExportRateEquations));
  EXPECT_EQ(ratesOnly[4].rfind("void KinConstants(float T, float K[]);", 0), 0u);
  EXPECT_FALSE(Has(ratesOnly, "void KinConstants(float T, float K[])"));
}

TEST_F(EquationExport, MatlabIndexesFromOneAndLoadsAsScript) {
  const std::string text = Text(TExportLanguage::Matlab, kAllParts);
  const Lines lines = SplitText(text);
  EXPECT_EQ(lines[0].rfind(" %", 0), 0u);
  const auto script = Position(lines, "1;");
  const auto constants = Position(lines, "function k=KinConstants(T)");
  const auto rates = Position(lines, "function r=RateConstants(T,c,cActR);");
  EXPECT_LT(script, constants);
  EXPECT_LT(constants, rates);
  ASSERT_LT(rates, static_cast<std::ptrdiff_t>(lines.size()));
  EXPECT_EQ(lines[static_cast<std::size_t>(script) - 1].rfind("% ", 0), 0u);  // says why "1;" is there
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 1], "       R=8.314472;  % J/(mol*K) - gass constant ");
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 2],
            "    k(1)=4.000000000000000E+9*exp(-1000*9.208000000000000E+1/R/T);");
  EXPECT_EQ(lines[static_cast<std::size_t>(constants) + 5], "end;");
  EXPECT_EQ(lines[static_cast<std::size_t>(rates) + 1], "  K=KinConstants(T);  % calculating kinetic constants");
  EXPECT_EQ(lines[static_cast<std::size_t>(rates) + 3], "  r(2)=K(2)*cActR*c(4)*c(8);");
  EXPECT_EQ(lines[static_cast<std::size_t>(rates) + 5], " end;");
  EXPECT_TRUE(Has(lines, "% values of kin. constants will be saved to dynamic array (indexing form one) - par. K "));
  EXPECT_FALSE(Has(lines, " begin"));
  EXPECT_FALSE(Contains(text, ":="));
  EXPECT_FALSE(Contains(text, "k(2)*"));
  EXPECT_FALSE(Contains(text, "Balance"));  // the balance is Pascal only
}

TEST_F(EquationExport, LongBalanceLineSplitsBeforeTermSign) {
  // Sixty reactions consuming methane make its balance line about 1800 characters.
  for (int n = 0; n < 60; ++n) {
    TReaction reaction;
    reaction.AddReactant(m_network.Component(4), -1);
    reaction.AddProduct(m_network.Component(5), 1);
    reaction.SetParameters(kOtherReaction, 1.5e-7 * (n + 1), 1e13);
    m_network.AddReactionCopy(reaction);
  }
  const std::string text = Text(TExportLanguage::Pascal, kAllParts);
  const Lines lines = SplitText(text);
  const auto first =
      std::find_if(lines.begin(), lines.end(), [](const auto& l) { return l.rfind("  dc[4]:=0", 0) == 0; });
  ASSERT_NE(first, lines.end());
  std::string whole = *first;
  auto next = first + 1;
  for (; next != lines.end() && !next->empty() && (next->front() == '+' || next->front() == '-'); ++next) {
    EXPECT_NE((next - 1)->back(), 'E');
    EXPECT_GE((next - 1)->size(), kEquationSplitFrom - 1);
    whole += *next;
  }
  EXPECT_GE(next - first, 2);
  EXPECT_EQ(next->rfind("  dc[5]:=0", 0), 0u);
  for (const auto& line : lines) EXPECT_LT(line.size(), kEquationLineLimit);
  EXPECT_GE(whole.size(), kEquationLineLimit);
  std::string expected = "  dc[4]:=0+-2.000000000000000E+0*r[2]";
  for (int n = 0; n < 60; ++n) expected += "+-1.000000000000000E+0*r[" + std::to_string(n + 3) + "]";
  EXPECT_EQ(whole, expected + ";");
}

TEST_F(EquationExport, LongLineWithoutSplitPositionIsWrittenWhole) {
  TReaction reaction;
  for (int n = 0; n < 250; ++n) reaction.AddReactant(m_network.Component(4), -1);
  reaction.AddProduct(m_network.Component(5), 1);
  reaction.SetParameters(kOtherReaction, 1.0, 1.0);
  m_network.AddReactionCopy(reaction);
  std::string expected = "  r[3]:=k[3]";
  for (int n = 0; n < 250; ++n) expected += "*c[4]";
  expected += ";";
  ASSERT_GE(expected.size(), kEquationLineLimit);
  EXPECT_TRUE(Has(SplitText(Text(TExportLanguage::Pascal, kExportRateEquations)), expected));
}

TEST_F(EquationExport, PointWithCommaLocale) {
  const std::locale savedGlobal = std::locale::global(std::locale::classic());
  const char* comma = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      comma = name;
      break;
    }
  }
  ASSERT_NE(comma, nullptr) << "the de_DE.UTF-8 locale is missing (scripts/install-deps generates it)";
  std::locale::global(std::locale(comma));
  const bool commaActive = *std::localeconv()->decimal_point == ',';
  const std::string text = Text(TExportLanguage::Pascal, kAllParts);
  const std::string number = FormatEquationNumber(8.314472);
  std::setlocale(LC_ALL, "C");
  std::locale::global(savedGlobal);
  EXPECT_TRUE(commaActive);
  EXPECT_EQ(number, "8.314472000000000E+0");
  EXPECT_TRUE(Contains(text, "  K[1]:=2.500000000000000E+13*exp(-1000*8.314472000000000E+0/R/T);"));
  EXPECT_TRUE(Contains(text, "  dc[4]:=0+-2.000000000000000E+0*r[2];"));
}

TEST(EquationExportChoices, LanguageListAndStatusMessages) {
  EXPECT_EQ(ExportLanguageFromIndex(-1), std::nullopt);  // nothing chosen
  EXPECT_EQ(ExportLanguageFromIndex(2), TExportLanguage::Matlab);
  EXPECT_EQ(ExportLanguageFromIndex(3), std::nullopt);
  EXPECT_EQ(EquationExportMessage({TEquationExportStatus::NoParts, {}}), "Select wanted parts of system");
  EXPECT_EQ(EquationExportMessage({TEquationExportStatus::Exported, {}}), "Exporting finished.");
  EXPECT_EQ(EquationExportMessage({TEquationExportStatus::WriteFailed, "disk full"}), "disk full");
}

class EquationExportFile : public EquationExport {
 protected:
  void SetUp() override {
    EquationExport::SetUp();
    m_dir = fs::temp_directory_path() /
            ("korvane_eqexport_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void Put(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  TEquationExportResult Export(const TEquationExportRequest& request) const {
    return ExportEquations(m_network, request, m_global, m_alternative);
  }
  std::size_t FileCount() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {})); }

  fs::path m_dir;
};

TEST_F(EquationExportFile, RefusesIncompleteRequestsWithoutWriting) {
  const std::string target = (m_dir / "eq.pas").string();
  EXPECT_EQ(Export({"", TExportLanguage::Pascal, kAllParts}).Status, TEquationExportStatus::NoDestination);
  EXPECT_EQ(Export({target, std::nullopt, kAllParts}).Status, TEquationExportStatus::NoLanguage);
  EXPECT_EQ(Export({target, TExportLanguage::Pascal, 0}).Status, TEquationExportStatus::NoParts);
  // The balance is unavailable in Matlab, so a Matlab request for it alone asks for nothing.
  EXPECT_EQ(Export({target, TExportLanguage::Matlab, kExportBalance}).Status, TEquationExportStatus::NoParts);
  // Destination is checked first, then the language.
  EXPECT_EQ(Export({"", std::nullopt, 0}).Status, TEquationExportStatus::NoDestination);
  EXPECT_EQ(Export({target, std::nullopt, 0}).Status, TEquationExportStatus::NoLanguage);

  Put(target, "kept");
  EXPECT_EQ(Export({target, TExportLanguage::Pascal, 0}).Status, TEquationExportStatus::NoParts);
  EXPECT_EQ(Slurp(target), "kept");
  EXPECT_EQ(FileCount(), 1u);
}

TEST_F(EquationExportFile, WritesTheTextAndReplacesAnExistingFile) {
  const fs::path target = m_dir / "eq.m";
  Put(target, std::string(100000, 'x'));
  const auto result = Export({target.string(), TExportLanguage::Matlab, kAllParts});
  ASSERT_TRUE(result.Ok()) << result.Error;
  EXPECT_EQ(Slurp(target), Text(TExportLanguage::Matlab, kAllParts));
  EXPECT_EQ(FileCount(), 1u);  // no temporary file left beside it
}

TEST_F(EquationExportFile, FailureNamesTheFileAndKeepsWhatWasThere) {
  const fs::path missingDir = m_dir / "no" / "eq.c";
  const auto missing = Export({missingDir.string(), TExportLanguage::C, kAllParts});
  EXPECT_EQ(missing.Status, TEquationExportStatus::WriteFailed);
  EXPECT_TRUE(Contains(EquationExportMessage(missing), missingDir.string())) << missing.Error;

  const fs::path directory = m_dir / "taken";
  fs::create_directory(directory);
  Put(directory / "inside", "kept");
  const auto taken = Export({directory.string(), TExportLanguage::C, kAllParts});
  EXPECT_EQ(taken.Status, TEquationExportStatus::WriteFailed);
  EXPECT_EQ(Slurp(directory / "inside"), "kept");
  EXPECT_EQ(FileCount(), 1u);
}

}  // namespace
}  // namespace korvane
