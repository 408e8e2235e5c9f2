#include "chemkin_reader.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace korvane::testing {
namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The whole text as a finite number.
double Number(const std::string& text, const std::string& line) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value))
    throw std::runtime_error("not a number \"" + text + "\" in: " + line);
  return value;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "2C3H7+H" into (coefficient, species) pairs.
std::vector<std::pair<std::string, double>> Side(const std::string& side, const std::string& line) {
  std::vector<std::pair<std::string, double>> species;
  std::size_t start = 0;
  while (start <= side.size()) {
    const std::size_t end = std::min(side.find('+', start), side.size());
    const std::string term = side.substr(start, end - start);
    std::size_t digits = 0;
    while (digits < term.size() && (std::isdigit(static_cast<unsigned char>(term[digits])) || term[digits] == '.'))
      ++digits;
    if (digits == term.size()) throw std::runtime_error("no species in \"" + term + "\" of: " + line);
    species.emplace_back(term.substr(digits), digits == 0 ? 1.0 : Number(term.substr(0, digits), line));
    start = end + 1;
  }
  return species;
}

ChemkinMechanismReaction Reaction(const std::string& line) {
  const std::vector<std::string> words = Words(line);
  if (words.size() < 4) throw std::runtime_error("a reaction needs an equation and three numbers: " + line);
  ChemkinMechanismReaction reaction;
  reaction.A = Number(words[words.size() - 3], line);
  reaction.B = Number(words[words.size() - 2], line);
  reaction.E = Number(words[words.size() - 1], line);
  std::string equation;
  for (std::size_t k = 0; k + 3 < words.size(); ++k) equation += words[k];
  // "=>" is irreversible; "<=>" and "=" are reversible.
  const std::size_t equals = equation.find('=');
  if (equals == std::string::npos) throw std::runtime_error("no \"=\" in the equation of: " + line);
  const bool open = equals > 0 && equation[equals - 1] == '<';
  const bool arrow = equation.compare(equals, 2, "=>") == 0;
  reaction.Reversible = open || !arrow;
  reaction.Reactants = Side(equation.substr(0, equals - (open ? 1 : 0)), line);
  reaction.Products = Side(equation.substr(equals + (arrow ? 2 : 1)), line);
  return reaction;
}

void Auxiliary(const std::string& line, ChemkinMechanismReaction& reaction) {
  const std::string upper = Upper(Trimmed(line));
  if (upper.rfind("DUP", 0) == 0) {
    reaction.Duplicate = true;
    return;
  }
  if (upper.rfind("FORD", 0) == 0) {
    const auto open = line.find('/'), close = line.rfind('/');
    const std::vector<std::string> words = Words(line.substr(open + 1, close - open - 1));
    if (open == close || words.size() != 2) throw std::runtime_error("FORD needs /species order/: " + line);
    reaction.Orders[words[0]] = Number(words[1], line);
    return;
  }
  throw std::runtime_error("unknown auxiliary line: " + line);
}

ChemkinThermoRecord Record(const std::vector<std::string>& lines) {
  for (int k = 0; k < 4; ++k)
    if (lines[k].size() != 80 || lines[k][79] != '1' + k)
      throw std::runtime_error("thermo line " + std::to_string(k + 1) + " lacks its number in column 80: " + lines[k]);
  if (lines[0][44] != 'G') throw std::runtime_error("not a gas: " + lines[0]);
  const auto field = [&lines](int line, std::size_t from, std::size_t width) {
    return Number(Trimmed(lines[line].substr(from, width)), lines[line]);
  };
  ChemkinThermoRecord record;
  for (int k = 0; k < 4; ++k)
    if (const std::string symbol = Trimmed(lines[0].substr(24 + 5 * k, 2)); !symbol.empty())
      record.Composition[Upper(symbol)] = static_cast<int>(field(0, 26 + 5 * k, 3));
  record.TLow = field(0, 45, 10);
  record.THigh = field(0, 55, 10);
  record.TCommon = field(0, 65, 8);
  for (int i = 0; i < 14; ++i) (i < 7 ? record.High[i] : record.Low[i - 7]) = field(1 + i / 5, 15 * (i % 5), 15);
  return record;
}

// k of a reaction at T and its concentration product.
double Rate(const ChemkinMechanismReaction& reaction, const std::map<std::string, double>& concentrations, double T) {
  double rate = reaction.A * std::pow(T, reaction.B) * std::exp(-reaction.E / T);
  for (const auto& [species, coefficient] : reaction.Reactants) {
    const auto order = reaction.Orders.find(species);
    const auto c = concentrations.find(species);
    rate *= std::pow(c == concentrations.end() ? 0.0 : c->second, order == reaction.Orders.end() ? coefficient : order->second);
  }
  return rate;
}

// The mechanism's sections; readers know a section's keyword by its first
// four letters ("REAC" opens the reactions).
enum class Section { None, Elements, Species, Thermo, Reactions };

Section SectionOf(const std::string& keyword) {
  static constexpr std::pair<std::string_view, Section> kKeywords[] = {
      {"ELEMENTS", Section::Elements}, {"SPECIES", Section::Species},
      {"THERMO", Section::Thermo},     {"REACTIONS", Section::Reactions}};
  for (const auto& [name, section] : kKeywords)
    if (keyword.size() >= 4 && name.compare(0, 4, keyword, 0, 4) == 0) return section;
  return Section::None;
}

}  // namespace

ChemkinMechanism ReadChemkinMechanism(const std::string& text) {
  ChemkinMechanism mechanism;
  std::istringstream in(text);
  Section section = Section::None;
  std::vector<std::string> record;
  bool thermoTemperatures = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (const auto bang = line.find('!'); bang != std::string::npos) line.erase(bang);
    const std::vector<std::string> words = Words(line);
    if (words.empty()) continue;
    const std::string keyword = Upper(words[0]);
    if (section == Section::None) {
      section = SectionOf(keyword);
      if (section == Section::None) throw std::runtime_error("unknown section: " + line);
      if (section == Section::Thermo) thermoTemperatures = words.size() > 1 && Upper(words[1]) == "ALL";
      if (section == Section::Reactions) mechanism.ReactionUnits.assign(words.begin() + 1, words.end());
      continue;
    }
    if (keyword == "END") {
      if (!record.empty()) throw std::runtime_error("incomplete thermo record before END");
      section = Section::None;
      continue;
    }
    if (section == Section::Elements) {
      mechanism.Elements.insert(mechanism.Elements.end(), words.begin(), words.end());
    } else if (section == Section::Species) {
      mechanism.Species.insert(mechanism.Species.end(), words.begin(), words.end());
    } else if (section == Section::Thermo) {
      if (thermoTemperatures) {
        thermoTemperatures = false;
        continue;
      }
      record.push_back(line);
      if (record.size() == 4) {
        const std::vector<std::string> name = Words(record[0].substr(0, 18));
        if (name.empty()) throw std::runtime_error("thermo record without a name: " + record[0]);
        mechanism.Thermo[name[0]] = Record(record);
        record.clear();
      }
    } else if (line.find('=') != std::string::npos) {
      mechanism.Reactions.push_back(Reaction(line));
    } else {
      if (mechanism.Reactions.empty()) throw std::runtime_error("auxiliary line before any reaction: " + line);
      Auxiliary(line, mechanism.Reactions.back());
    }
  }
  if (section != Section::None) throw std::runtime_error("the last section has no END");
  return mechanism;
}

std::map<std::string, double> NetProductionRates(const ChemkinMechanism& mechanism,
                                                 const std::map<std::string, double>& concentrations, double T) {
  std::map<std::string, double> rates;
  for (const ChemkinMechanismReaction& reaction : mechanism.Reactions) {
    const double rate = Rate(reaction, concentrations, T);
    for (const auto& [species, coefficient] : reaction.Reactants) rates[species] -= coefficient * rate;
    for (const auto& [species, coefficient] : reaction.Products) rates[species] += coefficient * rate;
  }
  return rates;
}

}  // namespace korvane::testing
