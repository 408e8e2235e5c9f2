#include "core/structure_notation.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "core/atom_types.h"

namespace korvane {
namespace {

struct TParsedAtom {
  std::uint8_t Type;
  std::uint8_t Unpaired;
};

struct TParsedBond {
  std::size_t A, B;
  std::uint8_t Order;
  bool Aromatic;
};

TError Invalid(const std::string& message) { return {TErrorCode::InvalidInput, message}; }

// "C14.." into carbon-14 with two unpaired electrons.
TResult<TParsedAtom> ParseAtom(const std::string& token) {
  static const std::pair<const char*, std::uint8_t> kSymbols[] = {
      {"H", kHydrogen},   {"C", kCarbon},  {"c", kAromaticCarbon}, {"D", kDeuterium}, {"T", kTritium},
      {"C14", kCarbon14}, {"c14", kAromaticCarbon14}, {"He", kHelium}, {"N", kNitrogen}, {"O", kOxygen}};
  const std::size_t dots = std::min(token.find('.'), token.size());
  if (token.find_first_not_of('.', dots) != std::string::npos) return Invalid("bad atom token '" + token + "'");
  for (const auto& [name, code] : kSymbols)
    if (token.compare(0, dots, name) == 0) return TParsedAtom{code, static_cast<std::uint8_t>(token.size() - dots)};
  return Invalid("unknown atom symbol in '" + token + "'");
}

bool ParseIndex(std::string_view text, std::size_t& index) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

}  // namespace

TResult<std::unique_ptr<TMolecule>> MoleculeFromNotation(std::string_view description, std::int32_t id) {
  const std::size_t semicolon = std::min(description.find(';'), description.size());
  std::istringstream atomText{std::string(description.substr(0, semicolon))};
  std::vector<TParsedAtom> heavy;
  for (std::string token; atomText >> token;) {
    auto atom = ParseAtom(token);
    if (!atom) return atom.error();
    heavy.push_back(atom.value());
  }

  const std::size_t h = heavy.size();
  std::vector<int> used(h, 0);  // valence used by unpaired electrons and bonds
  for (std::size_t i = 0; i < h; ++i) used[i] = heavy[i].Unpaired;
  std::vector<TParsedBond> bonds;
  std::istringstream bondText{std::string(semicolon < description.size() ? description.substr(semicolon + 1) : "")};
  for (std::string token; bondText >> token;) {
    const std::size_t sep = token.find_first_of("-=#:");
    std::size_t a = 0, b = 0;
    if (sep == std::string::npos || !ParseIndex(std::string_view(token).substr(0, sep), a) ||
        !ParseIndex(std::string_view(token).substr(sep + 1), b))
      return Invalid("bad bond token '" + token + "'");
    if (a >= h || b >= h || a == b) return Invalid("bad bond atoms in '" + token + "'");
    const char kind = token[sep];
    bonds.push_back({a, b, static_cast<std::uint8_t>(kind == '=' ? 2 : kind == '#' ? 3 : 1), kind == ':'});
    used[a] += bonds.back().Order;
    used[b] += bonds.back().Order;
  }
  std::vector<std::size_t> hydrogensOn;
  for (std::size_t i = 0; i < h; ++i) {
    const int missing = Valence(heavy[i].Type) - used[i];
    if (missing < 0) return Invalid("atom " + std::to_string(i) + " exceeds its valence");
    for (int k = 0; k < missing; ++k) hydrogensOn.push_back(i);
  }

  const std::size_t n = h + hydrogensOn.size();
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  TByteVector types(n, kHydrogen);
  for (std::size_t i = 0; i < h; ++i) {
    types[i] = heavy[i].Type;
    adjacency[i][i] = heavy[i].Unpaired;
  }
  for (const TParsedBond& bond : bonds) {
    adjacency[bond.A][bond.B] = adjacency[bond.B][bond.A] = bond.Order;
    aromatic[bond.A][bond.B] = aromatic[bond.B][bond.A] = bond.Aromatic;
  }
  for (std::size_t k = 0; k < hydrogensOn.size(); ++k)
    adjacency[h + k][hydrogensOn[k]] = adjacency[hydrogensOn[k]][h + k] = 1;

  std::string error;
  auto molecule = TMolecule::FromStructure(id, std::move(adjacency), std::move(types), std::move(aromatic), &error);
  if (!molecule) return Invalid(error);
  return molecule;
}

}  // namespace korvane
