#include "reactions/kinpar_file.h"

#include "core/file_replace.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <locale>
#include <map>
#include <system_error>

// Only the char variant with ASCII case folding is used, so no character
// conversion is needed; the implementation is compiled in here.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSectionGeneral = "GENERAL";
constexpr std::string_view kSectionData = "DATA";
constexpr std::string_view kSectionRadAct = "RADACT_METHOD1";
constexpr std::string_view kSectionAltParams = "ALT_PARAMS";

// The file lists the radical activity constants in this order, which differs
// from their storage order.
constexpr std::array<int, kRadicalActivityCount> kRadicalActivityWriteOrder = {2, 4, 3, 0, 1};

std::string AltValueKey(int i) { return "Param_" + std::to_string(i); }
std::string AltNoteKey(int i) { return "Param_" + std::to_string(i) + "note"; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

std::string ReadWholeFile(const fs::path& path, bool& ok) {
  ok = false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ok = !in.bad();
  return data;
}

class TKinparReader {
 public:
  explicit TKinparReader(const std::string& fileName) : m_ini(false, true, false) {
    // Several equal keys: the first one counts, as with the platform's
    // profile files. A missing or unreadable file simply has no keys.
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec)) return;
    bool ok = false;
    const std::string data = ReadWholeFile(fileName, ok);
    if (!ok || m_ini.LoadData(data.data(), data.size()) < 0) m_ini.Reset();
  }

  const char* Text(std::string_view section, const std::string& key) const {
    return m_ini.GetValue(std::string(section).c_str(), key.c_str(), nullptr);
  }

  double Number(std::string_view section, const std::string& key, double fallback) const {
    const char* text = Text(section, key);
    if (text == nullptr) return fallback;
    return ParseKinparNumber(text).value_or(fallback);
  }

 private:
  CSimpleIniA m_ini;
};

struct TIniEntry {
  std::string_view Section;
  std::string Key;
  std::string Value;
};

// A note cannot span lines; a NUL would end the text early on reading.
std::string SingleLine(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  return out;
}

std::vector<TIniEntry> FileEntries(const TKineticParameterTable& table, const TRadicalActivity& radicalActivity,
                                   const TAlternativeValues& alternativeValues,
                                   const TAlternativeNotes& alternativeNotes, char separator) {
  std::vector<TIniEntry> entries;
  entries.reserve(2 + kKineticParameterCount + kRadicalActivityCount + 2 * kAlternativeParameterCount);
  entries.push_back({kSectionGeneral, "FileType", std::string(kKinparFileType)});
  entries.push_back({kSectionGeneral, "FileVersion", std::string(kKinparFileVersion)});
  for (int i = 0; i < kKineticParameterCount; ++i)
    entries.push_back({kSectionData, std::string(kKineticParameterKeys[i]), FormatKinparNumber(table[i], separator)});
  for (int i : kRadicalActivityWriteOrder)
    entries.push_back({kSectionRadAct, std::string(kRadicalActivityKeys[i]),
                       FormatKinparNumber(radicalActivity.*kRadicalActivityFields[i], separator)});
  for (int i = 0; i < kAlternativeParameterCount; ++i) {
    entries.push_back({kSectionAltParams, AltValueKey(i), FormatKinparNumber(alternativeValues[i], separator)});
    entries.push_back({kSectionAltParams, AltNoteKey(i), SingleLine(alternativeNotes[i])});
  }
  return entries;
}

struct TLine {
  std::string Text;
  std::string Ending;  // "\n", "\r\n", "\r" or empty on an unterminated last line
};

std::vector<TLine> SplitLines(std::string_view data) {
  std::vector<TLine> lines;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({std::string(data.substr(start)), ""});
      break;
    }
    std::size_t endingLength = (data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n') ? 2 : 1;
    lines.push_back({std::string(data.substr(start, end - start)), std::string(data.substr(end, endingLength))});
    start = end + endingLength;
  }
  return lines;
}

// Line kinds follow how the reader parses: "[name]" opens a section (text
// after "]" ignored), ";" and "#" start comments, "key=value" needs a non-empty
// key; anything else is skipped by the reader and kept verbatim here.
enum class TLineKind { Other, Section, Key };

struct TParsedLine {
  TLineKind Kind = TLineKind::Other;
  std::string Name;             // section or key, as written
  std::size_t ValueStart = 0;  // key lines: offset of the value in the text
};

TParsedLine ParseLine(const std::string& text) {
  TParsedLine parsed;
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  if (first == text.size() || text[first] == ';' || text[first] == '#') return parsed;
  if (text[first] == '[') {
    std::size_t close = text.find(']', first + 1);
    if (close == std::string::npos) return parsed;
    parsed.Kind = TLineKind::Section;
    parsed.Name = std::string(Trim(std::string_view(text).substr(first + 1, close - first - 1)));
    return parsed;
  }
  std::size_t equals = text.find('=', first);
  if (equals == std::string::npos || equals == first) return parsed;
  parsed.Kind = TLineKind::Key;
  parsed.Name = std::string(Trim(std::string_view(text).substr(first, equals - first)));
  parsed.ValueStart = equals + 1;
  while (parsed.ValueStart < text.size() && IsBlank(text[parsed.ValueStart])) ++parsed.ValueStart;
  return parsed;
}

// Puts the entries into an existing INI text the way profile files are
// updated: the first occurrence of a key gets the new value (its spelling and
// the spacing around "=" stay), a missing key goes after the last key of the
// first block of its section, a missing section is appended. Every other line
// keeps its bytes and its line ending.
std::string UpdateIniText(std::string_view existing, const std::vector<TIniEntry>& entries) {
  std::string bom;
  if (existing.substr(0, 3) == "\xEF\xBB\xBF") {
    bom = "\xEF\xBB\xBF";
    existing.remove_prefix(3);
  }
  std::vector<TLine> lines = SplitLines(existing);
  std::string newline = "\n";
  for (const TLine& line : lines)
    if (!line.Ending.empty()) {
      newline = line.Ending;
      break;
    }

  std::map<std::string, std::size_t> keyLine;             // "section\nkey" (lower case) -> line
  std::map<std::string, std::size_t> sectionInsertAfter;  // section (lower case) -> line
  std::vector<std::size_t> valueStart(lines.size(), 0);
  std::string section;
  bool inFirstBlock = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    TParsedLine parsed = ParseLine(lines[i].Text);
    if (parsed.Kind == TLineKind::Section) {
      section = AsciiLower(parsed.Name);
      inFirstBlock = sectionInsertAfter.emplace(section, i).second;
    } else if (parsed.Kind == TLineKind::Key) {
      keyLine.emplace(section + '\n' + AsciiLower(parsed.Name), i);
      valueStart[i] = parsed.ValueStart;
      if (inFirstBlock) sectionInsertAfter[section] = i;
    }
  }

  std::map<std::size_t, std::vector<std::string>> insertions;
  std::vector<std::pair<std::string_view, std::vector<std::string>>> newSections;
  for (const TIniEntry& entry : entries) {
    const std::string sectionKey = AsciiLower(entry.Section);
    auto found = keyLine.find(sectionKey + '\n' + AsciiLower(entry.Key));
    if (found != keyLine.end()) {
      std::string& text = lines[found->second].Text;
      text = text.substr(0, valueStart[found->second]) + entry.Value;
      continue;
    }
    const std::string line = entry.Key + '=' + entry.Value;
    auto block = sectionInsertAfter.find(sectionKey);
    if (block != sectionInsertAfter.end()) {
      insertions[block->second].push_back(line);
      continue;
    }
    if (newSections.empty() || newSections.back().first != entry.Section) newSections.push_back({entry.Section, {}});
    newSections.back().second.push_back(line);
  }

  std::string out = bom;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += lines[i].Text;
    auto inserted = insertions.find(i);
    std::string ending = lines[i].Ending;
    if (ending.empty() && (inserted != insertions.end() || !newSections.empty())) ending = newline;
    out += ending;
    if (inserted != insertions.end())
      for (const std::string& line : inserted->second) out += line + newline;
  }
  for (const auto& [name, sectionLines] : newSections) {
    // A blank line before each new section, unless the text is empty or
    // already ends with one.
    if (out.size() > bom.size() && out != bom + newline && !out.ends_with(newline + newline)) out += newline;
    out += '[' + std::string(name) + ']' + newline;
    for (const std::string& line : sectionLines) out += line + newline;
  }
  return out;
}

TKinparWriteResult Failure(const std::string& fileName, const std::string& reason) {
  return {false, "Cannot write the kinetic parameters file \"" + fileName + "\": " + reason};
}



}  // namespace

std::string FormatKinparNumber(double value, char decimalSeparator) {
  const char sep = decimalSeparator == ',' ? ',' : '.';
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Round to 15 significant digits once; the notation is chosen from the
  // rounded exponent so that 999999999999999.9 becomes 1E15.
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  if (ec != std::errc()) return "0";
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  std::string digits;
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  int exponent = 0;
  std::string_view exponentText = text.substr(e + 1);
  if (!exponentText.empty() && exponentText.front() == '+') exponentText.remove_prefix(1);
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  // Near the top of the double range, rounding up to 15 digits would write a
  // number that no longer fits and could not be read back.
  if (std::fabs(value) > 1.79769313486231e308) {
    digits = "179769313486231";
    exponent = 308;
  }

  std::string out = value < 0 ? "-" : "";
  const int digitCount = static_cast<int>(digits.size());
  if (exponent >= 15 || exponent < -5) {
    out += digits[0];
    if (digitCount > 1) out += sep + digits.substr(1);
    out += 'E' + std::to_string(exponent);
  } else if (exponent >= 0) {
    const int integerDigits = exponent + 1;
    if (digitCount <= integerDigits) {
      out += digits + std::string(static_cast<std::size_t>(integerDigits - digitCount), '0');
    } else {
      out += digits.substr(0, static_cast<std::size_t>(integerDigits)) + sep +
             digits.substr(static_cast<std::size_t>(integerDigits));
    }
  } else {
    out += std::string("0") + sep + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  }
  return out;
}

std::optional<double> ParseKinparNumber(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan", which are not numbers here.
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.' ||
                        text.front() == ','))
    return std::nullopt;
  std::string normalized(text);
  for (char& c : normalized)
    if (c == ',') c = '.';
  double value = 0;
  const char* last = normalized.data() + normalized.size();
  auto [end, ec] = std::from_chars(normalized.data(), last, value, std::chars_format::general);
  if (ec != std::errc() || end != last) return std::nullopt;
  return negative ? -value : value;
}

char UserDecimalSeparator() {
  try {
    const std::locale user("");
    return std::use_facet<std::numpunct<char>>(user).decimal_point() == ',' ? ',' : '.';
  } catch (const std::exception&) {
    return '.';  // the environment names a locale that is not installed
  }
}

std::vector<std::string_view> KinparDamageMessages(TKinparDamage damage, TKinparMessageContext context) {
  std::vector<std::string_view> messages;
  if (damage & kKinparDamageHeader) messages.push_back(kKinparMsgHeaderUnknown);
  if (damage & kKinparDamageVersion) messages.push_back(kKinparMsgVersionUnknown);
  if (damage & kKinparDamageMissingItems) messages.push_back(kKinparMsgItemsMissing);
  if (damage & kKinparDamageRadActOrAltParams)
    messages.push_back(context == TKinparMessageContext::StartUp ? kKinparMsgRadActOrAltDamaged
                                                                 : kKinparMsgRadActDamaged);
  return messages;
}

TKinparDamage ReadKineticParameterFile(const std::string& fileName, TKineticParameterTable& table,
                                       TRadicalActivity& radicalActivity, TAlternativeValues& alternativeValues,
                                       TAlternativeNotes& alternativeNotes) {
  const TKinparReader file(fileName);
  TKinparDamage damage = 0;

  const char* fileType = file.Text(kSectionGeneral, "FileType");
  if (kKinparFileType != (fileType ? fileType : "")) damage = kKinparDamageHeader;
  const char* fileVersion = file.Text(kSectionGeneral, "FileVersion");
  if (kKinparFileVersion != (fileVersion ? fileVersion : "")) damage |= kKinparDamageVersion;

  // A stored -1 counts as missing, so a parameter whose value is -1 cannot be
  // told from a missing one; the file format has always worked that way.
  for (int i = 0; i < kKineticParameterCount; ++i) {
    table[i] = file.Number(kSectionData, std::string(kKineticParameterKeys[i]), -1.0);
    if (table[i] == -1.0) damage |= kKinparDamageMissingItems;
  }
  bool radicalActivityDamaged = false;
  for (int i = 0; i < kRadicalActivityCount; ++i) {
    double& field = radicalActivity.*kRadicalActivityFields[i];
    field = file.Number(kSectionRadAct, std::string(kRadicalActivityKeys[i]), -1.0);
    if (field == -1.0) radicalActivityDamaged = true;
  }
  if (radicalActivityDamaged) damage |= kKinparDamageRadActOrAltParams;

  // An incomplete alternative table replaces every earlier flag; the entries
  // read before the gap are kept, the later ones keep their old values.
  for (int i = 0; i < kAlternativeParameterCount; ++i) {
    const std::string valueKey = AltValueKey(i);
    if (file.Text(kSectionAltParams, valueKey) == nullptr) return kKinparDamageRadActOrAltParams;
    alternativeValues[i] = file.Number(kSectionAltParams, valueKey, 0.0);
    const char* note = file.Text(kSectionAltParams, AltNoteKey(i));
    if (note == nullptr) return kKinparDamageRadActOrAltParams;
    alternativeNotes[i] = note;
  }
  return damage;
}

TKinparDamage ReadKineticParameterFile(const std::string& fileName, TKineticParameterSet& set) {
  return ReadKineticParameterFile(fileName, set.Table, set.RadicalActivity, set.AlternativeValues,
                                  set.AlternativeNotes);
}

TKinparWriteResult WriteKineticParameterFile(const std::string& fileName, const TKineticParameterTable& table,
                                             const TRadicalActivity& radicalActivity,
                                             const TAlternativeValues& alternativeValues,
                                             const TAlternativeNotes& alternativeNotes, char decimalSeparator) {
  if (fileName.empty()) return Failure(fileName, "no file name");
  fs::path target(fileName);
  std::error_code ec;
  // Through a symbolic link the file it points to is updated, not the link.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::weakly_canonical(target, ec);
    if (ec) return Failure(fileName, ec.message());
  }

  const fs::file_status status = fs::status(target, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return Failure(fileName, "not a regular file");
  std::string existing;
  if (exists) {
    bool ok = false;
    existing = ReadWholeFile(target, ok);
    // Rewriting a file that could not be read would lose its other lines.
    if (!ok) return Failure(fileName, "the existing file cannot be read");
  }

  const std::string text = UpdateIniText(
      existing, FileEntries(table, radicalActivity, alternativeValues, alternativeNotes, decimalSeparator));

  const std::string problem = ReplaceFileContents(target, text);
  if (!problem.empty()) return Failure(fileName, problem);
  return {true, {}};
}

TKinparWriteResult WriteKineticParameterFile(const std::string& fileName, const TKineticParameterSet& set,
                                             char decimalSeparator) {
  return WriteKineticParameterFile(fileName, set.Table, set.RadicalActivity, set.AlternativeValues,
                                   set.AlternativeNotes, decimalSeparator);
}

}  // namespace korvane
