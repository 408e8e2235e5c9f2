#include "cli/source_list.h"

#include <cctype>
#include <set>
#include <sstream>

#include "cli/cli_common.h"

namespace korvane {
namespace {

constexpr std::string_view kSpace = " \t\r";

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(kSpace);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

bool IsPlainFileStem(const std::string& stem) {
  if (stem.empty() || stem.front() == '.') return false;
  for (unsigned char c : stem)
    if (!std::isalnum(c) && std::string_view(".,+-_").find(static_cast<char>(c)) == std::string_view::npos)
      return false;
  return true;
}

}  // namespace

std::vector<SourceListEntry> ParseSourceList(const std::string& text, const std::string& listName) {
  std::vector<SourceListEntry> entries;
  std::set<std::string> stems;
  std::istringstream lines(text);
  std::string line;
  for (std::size_t number = 1; std::getline(lines, line); ++number) {
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    const std::string where = listName + ":" + std::to_string(number);
    SourceListEntry entry;
    entry.Line = number;
    std::istringstream fields(trimmed);
    fields >> entry.Stem >> entry.Smiles >> entry.Formula;
    std::string rest;
    std::getline(fields, rest);
    std::istringstream synonyms(rest);
    for (std::string synonym; std::getline(synonyms, synonym, ';');)
      if (std::string name = Trim(synonym); !name.empty()) entry.Synonyms.push_back(name);
    if (entry.Formula.empty() || entry.Synonyms.empty())
      throw InputError(where, "expected a file stem, a SMILES, a formula and synonyms separated by \";\"");
    if (!IsPlainFileStem(entry.Stem))
      throw InputError(where, "\"" + entry.Stem + "\" is not a plain file name (letters, digits and .,+-_)");
    if (!stems.insert(entry.Stem).second) throw InputError(where, "the file stem " + entry.Stem + " is used twice");
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace korvane
