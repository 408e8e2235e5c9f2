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

std::string ReadWholeFile(const fs::path& path, bool& ok) {
  ok = false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ok = !in.bad();
  return data;
}

// Reader and writer parse a file the same way, so that what is written
// reads back: section and key names without regard to letter case, and of
// several equal keys the first counts, as with the platform's profile files.
class TKinparIni {
 public:
  TKinparIni() : m_ini(false, true, false) { m_ini.SetSpaces(false); }

  // A missing or unreadable file has no keys; `false` only when a file that
  // exists could not be read.
  bool Load(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec))) return true;
    bool ok = false;
    const std::string data = fs::is_regular_file(path, ec) ? ReadWholeFile(path, ok) : std::string();
    if (ok && m_ini.LoadData(data.data(), data.size()) >= 0) return true;
    m_ini.Reset();
    return false;
  }

  const char* Text(std::string_view section, const std::string& key) const {
    return m_ini.GetValue(std::string(section).c_str(), key.c_str(), nullptr);
  }

  double Number(std::string_view section, const std::string& key, double fallback) const {
    const char* text = Text(section, key);
    if (text == nullptr) return fallback;
    return ParseKinparNumber(text).value_or(fallback);
  }

  // Replaces every value of the key (keeping its place, comments and
  // spelling in the file) or adds the key at the end of its section.
  void Set(std::string_view section, const std::string& key, const std::string& value) {
    const std::string sectionName(section);
    std::string spelling = key;
    if (const CSimpleIniA::TKeyVal* keys = m_ini.GetSection(sectionName.c_str())) {
      // Equal keys sort by load order, so the first one found is the one that counts.
      const auto first = keys->lower_bound(CSimpleIniA::Entry(key.c_str()));
      if (first != keys->end() && !CSimpleIniA::Entry::KeyOrder()(CSimpleIniA::Entry(key.c_str()), first->first))
        spelling = first->first.pItem;
    }
    m_ini.SetValue(sectionName.c_str(), spelling.c_str(), value.c_str(), nullptr, true);
  }

  // The whole text; a file read with a UTF-8 byte order mark keeps it.
  std::optional<std::string> Saved() const {
    std::string text;
    if (m_ini.Save(text, true) < 0) return std::nullopt;
    return text;
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

TError Failure(const std::string& fileName, const std::string& reason) {
  return {TErrorCode::FileSystem, "Cannot write the kinetic parameters file \"" + fileName + "\": " + reason};
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

TKinparReadReport ReadKineticParameterFile(const std::string& fileName, TKineticParameterTable& table,
                                           TRadicalActivity& radicalActivity, TAlternativeValues& alternativeValues,
                                           TAlternativeNotes& alternativeNotes) {
  TKinparIni file;
  file.Load(fileName);
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
    if (file.Text(kSectionAltParams, valueKey) == nullptr) return {kKinparDamageRadActOrAltParams};
    alternativeValues[i] = file.Number(kSectionAltParams, valueKey, 0.0);
    const char* note = file.Text(kSectionAltParams, AltNoteKey(i));
    if (note == nullptr) return {kKinparDamageRadActOrAltParams};
    alternativeNotes[i] = note;
  }
  return {damage};
}

TKinparReadReport ReadKineticParameterFile(const std::string& fileName, TKineticParameterSet& set) {
  return ReadKineticParameterFile(fileName, set.Table, set.RadicalActivity, set.AlternativeValues,
                                  set.AlternativeNotes);
}

TResult<> WriteKineticParameterFile(const std::string& fileName, const TKineticParameterTable& table,
                                    const TRadicalActivity& radicalActivity,
                                    const TAlternativeValues& alternativeValues,
                                    const TAlternativeNotes& alternativeNotes, char decimalSeparator) {
  if (fileName.empty()) return Failure(fileName, "no file name");
  std::error_code ec;
  const fs::file_status status = fs::status(fileName, ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) return Failure(fileName, "not a regular file");
  TKinparIni file;
  // Rewriting a file that could not be read would lose its other entries.
  if (!file.Load(fileName)) return Failure(fileName, "the existing file cannot be read");
  for (const TIniEntry& entry :
       FileEntries(table, radicalActivity, alternativeValues, alternativeNotes, decimalSeparator))
    file.Set(entry.Section, entry.Key, entry.Value);
  const std::optional<std::string> text = file.Saved();
  if (!text) return Failure(fileName, "the settings cannot be written as text");

  // Through a symbolic link the file it points to is replaced, not the link.
  if (const auto written = ReplaceFileContents(fileName, *text); !written)
    return Failure(fileName, written.error().Message);
  return {};
}

TResult<> WriteKineticParameterFile(const std::string& fileName, const TKineticParameterSet& set,
                                    char decimalSeparator) {
  return WriteKineticParameterFile(fileName, set.Table, set.RadicalActivity, set.AlternativeValues,
                                   set.AlternativeNotes, decimalSeparator);
}

}  // namespace korvane
