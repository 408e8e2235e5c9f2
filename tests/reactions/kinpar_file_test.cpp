#include "reactions/kinpar_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <sstream>

#include "../database/database_test_support.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const fs::path kReference = fs::path(KORVANE_TEST_DATA) / "reference" / "kinpar";

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Spit(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

using Edit = std::pair<std::string, std::string>;

// The text with each (from, to) replaced once.
std::string Edited(std::string text, std::initializer_list<Edit> edits) {
  for (const auto& [from, to] : edits) text.replace(text.find(from), from.size(), to);
  return text;
}

class KinparFile : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (m_dir.path() / name).string(); }

  // Reads into destinations prefilled with values no file holds, to see what
  // a read overwrites and what it leaves alone.
  TKinparDamage Read(const std::string& path) {
    m_set.Table.fill(7.5);
    m_set.RadicalActivity = {7.5, 7.5, 7.5, 7.5, 7.5};
    m_set.AlternativeValues.fill(7.5);
    m_set.AlternativeNotes.fill("old");
    return ReadKineticParameterFile(path, m_set).Damage;
  }
  void ExpectAlternativesUntouchedFrom(int first) const {
    for (int i = first; i < kAlternativeParameterCount; ++i) {
      EXPECT_EQ(m_set.AlternativeValues[i], 7.5) << i;
      EXPECT_EQ(m_set.AlternativeNotes[i], "old") << i;
    }
  }

  testing::ScratchDir m_dir;
  TKineticParameterSet m_set;
};

// Every reference file reads with the damage set its README gives; entries
// after an incomplete ALT_PARAMS keep their old values.
TEST_F(KinparFile, ReferenceFilesReadWithTheirDamage) {
  const std::tuple<const char*, TKinparDamage, int> cases[] = {
      {"defaults-comma.ini", 0, 256}, {"defaults-dot-crlf.ini", 0, 256}, {"mixed-case-keys.ini", 0, 256},
      {"version-1.01.ini", 2, 256},   {"no-alt-params.ini", 32, 0},       {"alt-params-0-to-9.ini", 32, 10},
      {"two-data-keys-missing.ini", 16, 256}};
  for (const auto& [name, damage, alternativesRead] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(Read((kReference / name).string()), damage);
    TKineticParameterTable expected = kKineticParameterDefaults;
    if (damage == 16) expected[kE_HTransf_Sec] = expected[kE_Recombination] = -1.0;
    EXPECT_EQ(m_set.Table, expected);
    EXPECT_EQ(m_set.RadicalActivity, TRadicalActivity{});
    for (int i = 0; i < alternativesRead; ++i) {
      EXPECT_EQ(m_set.AlternativeValues[i], 0.0) << i;
      EXPECT_EQ(m_set.AlternativeNotes[i], AlternativeParameterDefaultNote(i)) << i;
    }
    ExpectAlternativesUntouchedFrom(alternativesRead);
  }
}

// Everything a file can get wrong, with the flag rules that decide the
// result, as edits of the defaults reference file.
TEST_F(KinparFile, DamageRules) {
  const std::string base = Slurp(kReference / "defaults-comma.ini");
  auto read = [&](const std::string& text) {
    Spit(Path("k.ini"), text);
    return Read(Path("k.ini"));
  };
  const Edit badType{"=KineticParametersFile", "=KineticParameters"}, badVersion{"=1.01a", "=1.01A"};
  const Edit noCyclicPar{"CyclicPar=0,900122828\n", ""};
  EXPECT_EQ(read(Edited(base, {badType})), 1);
  EXPECT_EQ(read(Edited(base, {badVersion})), 2);
  EXPECT_EQ(read(Edited(base, {{"FileType=KineticParametersFile\nFileVersion=1.01a\n", ""}})), 3);

  // Empty, unparsable and a true -1 all count as missing; 16 is added once.
  EXPECT_EQ(read(Edited(base, {{"E_STOPValue=1000", "E_STOPValue="}, {"A_BetaSc_CC=10000000000000", "A_BetaSc_CC=x"},
                               {"E_HTransf_Prim=46,04", "E_HTransf_Prim=-1"}})),
            16);
  for (int i : {kE_STOPValue, kA_BetaSc_CC, kE_HTransf_Prim}) EXPECT_EQ(m_set.Table[i], -1.0) << i;
  EXPECT_EQ(m_set.Table[kE_HTransf_Sec], 39.76);

  // A damaged radical activity record adds 32 but the alternatives still load.
  EXPECT_EQ(read(Edited(base, {noCyclicPar})), 32);
  EXPECT_EQ(m_set.RadicalActivity.CyclicPar, -1.0);
  EXPECT_EQ(m_set.RadicalActivity.StandardPressure, 405300.0);
  EXPECT_EQ(m_set.AlternativeNotes[255], "p[255]");
  EXPECT_EQ(read(Edited(base, {noCyclicPar, badVersion})), 34);

  // A missing alternatives section leaves exactly 32 even when header,
  // version and data are damaged too, and touches no alternative; a missing
  // file reads as one without keys.
  const std::string noAlternatives = base.substr(0, base.find("[ALT_PARAMS]"));
  EXPECT_EQ(read(Edited(noAlternatives, {badType, badVersion, {"E_Recombination=0\n", ""}, noCyclicPar})), 32);
  EXPECT_EQ(m_set.Table[kE_Recombination], -1.0);
  ExpectAlternativesUntouchedFrom(0);
  EXPECT_EQ(Read(Path("absent.ini")), 32);
  for (double value : m_set.Table) EXPECT_EQ(value, -1.0);
  ExpectAlternativesUntouchedFrom(0);

  // A value without its note stops there: the value is kept, the note not.
  EXPECT_EQ(read(Edited(base, {{"Param_5=0", "Param_5=2"}, {"Param_5note=p[5]\n", ""}})), 32);
  EXPECT_EQ(m_set.AlternativeValues[5], 2.0);
  EXPECT_EQ(m_set.AlternativeNotes[5], "old");
  EXPECT_EQ(m_set.AlternativeNotes[4], "p[4]");
  ExpectAlternativesUntouchedFrom(6);

  // Unparsable alternative values read as 0; a present empty note stays empty.
  EXPECT_EQ(read(Edited(base, {{"Param_3=0", "Param_3=two"}, {"Param_3note=p[3]", "Param_3note="}})), 0);
  EXPECT_EQ(m_set.AlternativeValues[3], 0.0);
  EXPECT_EQ(m_set.AlternativeNotes[3], "");
}

// Writing then reading gives flag set 0 and the same values to 15
// significant digits, notes included, with either separator and in either
// process locale (a "," file reads in a "." locale and the other way round);
// the process locale never leaks into the file. Installing a named locale
// globally switches both the C and the C++ locale.
TEST_F(KinparFile, RoundTripWithEitherSeparatorInEitherLocale) {
  TKineticParameterSet written;
  for (int i = 0; i < kKineticParameterCount; ++i)
    written.Table[i] = (i % 2 ? -1 : 1) * (1.0 + i / 7.0) * std::pow(10.0, i - 14);
  written.RadicalActivity = {101325.123456789, 1234.56789012345, 1.23456789012345e-9, 4.0e5 / 3.0, 0.1};
  for (int i = 0; i < kAlternativeParameterCount; ++i) {
    written.AlternativeValues[i] = (i - 100) * 0.3 + 1.0 / (i + 3);
    written.AlternativeNotes[i] = "note " + std::to_string(i) + " with  spaces";
  }
  written.AlternativeValues[7] = 1.7976931348623157e308;
  written.AlternativeNotes[0] = "";
  written.AlternativeNotes[1] = "a=b; c # d [x]";
  written.AlternativeNotes[2] = "two\nlines";  // reads back as "two lines": a note cannot span lines
  written.AlternativeNotes[3] = "Gr\xc3\xb6\xc3\x9f" "e \xc2\xb5";
  auto expectClose = [](double read, double expected, int i) {
    EXPECT_NEAR(read, expected, 5e-15 * std::fabs(expected)) << i;
  };
  const std::locale german("de_DE.UTF-8");  // generated by scripts/install-deps

  for (char separator : {',', '.'}) {
    ASSERT_TRUE(WriteKineticParameterFile(Path("rt.ini"), written, separator));
    const std::string text = Slurp(Path("rt.ini"));
    EXPECT_NE(text.find(std::string("\nStandardPressure=101325") + separator + "123456789\n"), std::string::npos);
    for (const std::locale& locale : {std::locale::classic(), german}) {
      SCOPED_TRACE(std::string(1, separator) + " file in " + locale.name());
      const std::locale saved = std::locale::global(locale);
      const TKinparDamage damage = Read(Path("rt.ini"));
      const bool wrote = WriteKineticParameterFile(Path("again.ini"), written, separator).ok();
      std::locale::global(saved);
      ASSERT_EQ(damage, 0);
      ASSERT_TRUE(wrote);
      EXPECT_EQ(Slurp(Path("again.ini")), text);
      for (int i = 0; i < kKineticParameterCount; ++i) expectClose(m_set.Table[i], written.Table[i], i);
      for (int i = 0; i < kRadicalActivityCount; ++i)
        expectClose(m_set.RadicalActivity.*kRadicalActivityFields[i],
                    written.RadicalActivity.*kRadicalActivityFields[i], i);
      EXPECT_EQ(m_set.RadicalActivity.StandardActivity, 1.23456789012345e-9);  // exactly 15 digits
      for (int i = 0; i < kAlternativeParameterCount; ++i) {
        expectClose(m_set.AlternativeValues[i], written.AlternativeValues[i], i);
        EXPECT_EQ(m_set.AlternativeNotes[i], i == 2 ? "two lines" : written.AlternativeNotes[i]) << i;
      }
    }
  }
}

// The reference files come from an independent writer: a set reset to its
// defaults, whatever it held before, writes their lines in their order.
TEST_F(KinparFile, ResetDefaultsWriteLikeTheReferenceFile) {
  TKineticParameterSet defaults;
  EXPECT_EQ(defaults.AlternativeNotes[0], "");  // notes stay empty until a file is read or a reset
  defaults.Table.fill(-3.5);
  defaults.RadicalActivity = {1, 2, 3, 4, 5};
  defaults.AlternativeValues.fill(9.25);
  defaults.AlternativeNotes.fill("old");
  defaults.FileName = "/elsewhere/kin.ini";
  defaults.ResetToDefaults();
  EXPECT_EQ(defaults.FileName, "/elsewhere/kin.ini");  // resetting keeps the file name
  ASSERT_TRUE(WriteKineticParameterFile(Path("fresh.ini"), defaults, ','));
  // Sections are set apart by blank lines; their number is the INI library's.
  auto lines = [](const std::string& text) {
    std::vector<std::string> kept;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) kept.push_back(line);
    return kept;
  };
  EXPECT_EQ(lines(Slurp(Path("fresh.ini"))), lines(Slurp(kReference / "defaults-comma.ini")));
}

TEST_F(KinparFile, WritingIntoExistingFileKeepsOtherKeysAndComments) {
  Spit(Path("k.ini"),
       "; my settings\r\n\r\n[general]\r\nFileType = something else\r\n\r\n[data]\r\n  a_betasc_ch = 1\r\n"
       "MyOwnKey=keep me\r\na line without equals\r\n; comment before the next section\r\n[Custom]\r\n"
       "Colour=blue\r\nE_Recombination=99\r\n[DATA]\r\n; the stop value\r\nE_STOPValue=5\r\nE_STOPValue=6\r\n");
  TKineticParameterSet set;
  set.ResetToDefaults();
  ASSERT_TRUE(WriteKineticParameterFile(Path("k.ini"), set, ','));
  const std::string after = Slurp(Path("k.ini"));

  // Values replaced in place with the key's own spelling, duplicates written
  // once, missing keys added at the end of their section, other keys and
  // comments kept; a line the reader skips is gone.
  const std::string start =
      "; my settings\n\n\n[general]\nFileType=KineticParametersFile\nFileVersion=1.01a\n\n\n"
      "[data]\na_betasc_ch=20000000000000\nMyOwnKey=keep me\n\n; the stop value\nE_STOPValue=1000\n"
      "A_BetaSc_CC=10000000000000\n";
  EXPECT_EQ(after.substr(0, start.size()), start) << after;
  EXPECT_NE(after.find("E_BetaSc_CyclBond=5\n\n\n; comment before the next section\n[Custom]\nColour=blue\n"
                       "E_Recombination=99\n\n\n[RADACT_METHOD1]\nStandardActivity=6,159E-8\n"),
            std::string::npos)
      << after;
  for (const char* gone : {"A_BetaSc_CH=", "E_STOPValue=6", "a line without equals", "\r"})
    EXPECT_EQ(after.find(gone), std::string::npos) << gone;
  EXPECT_TRUE(after.ends_with("Param_255note=p[255]\n"));
  EXPECT_EQ(Read(Path("k.ini")), 0);
  EXPECT_EQ(m_set.Table, kKineticParameterDefaults);
}

// Whatever an existing file holds, the written set is what reads back.
// Regression: a bare "[" line, a section header without "]" or a NUL byte
// made the reader skip lines that the writer had kept and put values into,
// so a saved file read back damaged.
TEST_F(KinparFile, WritingIntoDamagedFilesReadsBackTheSet) {
  TKineticParameterSet defaults;
  defaults.ResetToDefaults();
  TKineticParameterSet distinct = defaults;
  for (int i = 0; i < kKineticParameterCount; ++i) distinct.Table[i] = 1.5 + i;
  distinct.RadicalActivity = {11, 12, 13, 14, 15};
  for (int i = 0; i < kAlternativeParameterCount; ++i) distinct.AlternativeValues[i] = -0.25 * i;
  distinct.AlternativeNotes[7] = "a note; with = and [x]";

  const std::string reference = Slurp(kReference / "defaults-comma.ini");
  const std::string crlf = Slurp(kReference / "defaults-dot-crlf.ini");
  const std::pair<const char*, std::string> existing[] = {
      {"bare [", "[\n" + reference},
      {"unclosed section", "[GENERAL]\n[T\nr="},
      {"NUL byte", Edited(reference, {{"[DATA]", std::string("[DA\0TA]", 7)}})},
      {"duplicate keys", "[DATA]\nE_STOPValue=1\nE_STOPValue=2\n[data]\ne_stopvalue=3\n" + reference},
      {"mixed case", Slurp(kReference / "mixed-case-keys.ini")},
      {"CR LF", crlf},
      {"byte order mark", "\xEF\xBB\xBF" + crlf},
      {"garbage lines", "=x\n]\n  \t\n[[DATA]]\n#\n\xff\xfe junk\n[RADACT_METHOD1\n" + reference + "tail without end"},
  };
  for (const auto& [name, text] : existing) {
    for (const TKineticParameterSet* written : {&defaults, &distinct}) {
      SCOPED_TRACE(std::string(name) + (written == &defaults ? ", defaults" : ", distinct values"));
      Spit(Path("k.ini"), text);
      ASSERT_TRUE(WriteKineticParameterFile(Path("k.ini"), *written, '.'));
      EXPECT_EQ(Read(Path("k.ini")), 0);
      EXPECT_EQ(m_set.Table, written->Table);
      EXPECT_EQ(m_set.RadicalActivity, written->RadicalActivity);
      EXPECT_EQ(m_set.AlternativeValues, written->AlternativeValues);
      EXPECT_EQ(m_set.AlternativeNotes, written->AlternativeNotes);
      EXPECT_EQ(Slurp(Path("k.ini")).starts_with("\xEF\xBB\xBF"), text.starts_with("\xEF\xBB\xBF"));
    }
  }
}

// Replacing the file is the shared replace-by-rename's business; the writer's
// own part is refusing what it cannot write, naming the file, creating nothing.
TEST_F(KinparFile, FailedWriteNamesTheFileAndCreatesNothing) {
  fs::create_directory(Path("a-directory"));
  for (const std::string& bad : {Path("no-such-dir/kinpar.ini"), Path("a-directory"), std::string()}) {
    const TResult<> result = WriteKineticParameterFile(bad, TKineticParameterSet{}, ',');
    ASSERT_FALSE(result) << bad;
    EXPECT_EQ(result.error().Code, TErrorCode::FileSystem);
    EXPECT_EQ(result.error().Message.rfind("Cannot write the kinetic parameters file \"" + bad + "\": ", 0), 0u)
        << result.error().Message;
  }
  EXPECT_FALSE(fs::exists(Path("no-such-dir")));
  EXPECT_TRUE(fs::is_directory(Path("a-directory")));
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), fs::directory_iterator()), 1);
}

// Numbers the reference files and the round trip do not cover.
TEST(KinparNumber, FormatsWithFifteenDigitsAndParsesEitherSeparator) {
  const std::pair<double, const char*> written[] = {
      {-0.0, "0"}, {-2.0 / 3.0, "-0,666666666666667"}, {1e-5, "0,00001"}, {9.87e-6, "9,87E-6"}, {1e15, "1E15"},
      {999999999999999.9, "1E15"},  // rounds up into the next decade
      {123456789012345678.0, "1,23456789012346E17"},
      // The largest double would round up past the range; it is written so that it reads back.
      {-1.7976931348623157e308, "-1,79769313486231E308"}};
  for (const auto& [value, text] : written) EXPECT_EQ(FormatKinparNumber(value, ','), text) << value;
  EXPECT_EQ(FormatKinparNumber(12.5, ';'), "12.5");  // only "," and "." are separators

  const std::pair<const char*, double> read[] = {{" -16,32 ", -16.32}, {"+5", 5.0}, {"1e5", 1e5}, {",5", 0.5}};
  for (const auto& [text, value] : read) EXPECT_EQ(ParseKinparNumber(text), value) << text;
  for (const char* bad : {"", " ", "-", "1,5.0", "1.234,5", "abc", "1e", "inf", "-nan", "--1", "1 2", "0x10", "1e999",
                          "12a", "."})
    EXPECT_EQ(ParseKinparNumber(bad), std::nullopt) << bad;
}

TEST(KinparMessages, OneMessagePerFlagInOrder) {
  using Messages = std::vector<std::string_view>;
  EXPECT_EQ(KinparDamageMessages(0, TKinparMessageContext::StartUp), Messages{});
  EXPECT_EQ(KinparDamageMessages(1 | 2 | 16 | 32, TKinparMessageContext::StartUp),
            (Messages{"Kinetic parameters file is propably damaged. Header is unknown",
                      "Kinetic parameters file is propably damaged. Version is unknown",
                      "Kinetic parameters file is propably damaged. One or more items is missed.",
                      "Radical activity model method1 parameters or alternative parameters are propably damaged."}));
  EXPECT_EQ(KinparDamageMessages(16 | 32, TKinparMessageContext::Reload),
            (Messages{"Kinetic parameters file is propably damaged. One or more items is missed.",
                      "Radical activity model method1 parameters are rpopably damaged."}));
}

}  // namespace
}  // namespace korvane
