#include "molecule_builder.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <sstream>
#include <stdexcept>

namespace korvane::testing {
namespace {

struct ParsedAtom {
  std::uint8_t type;
  std::uint8_t unpaired;
};

// "C14.." into carbon-14 with two unpaired electrons.
ParsedAtom ParseAtom(const std::string& token) {
  static const std::pair<const char*, std::uint8_t> kSymbols[] = {
      {"H", kHydrogen},  {"C", kCarbon},     {"c", kAromaticCarbon}, {"D", kDeuterium}, {"T", kTritium},
      {"C14", kCarbon14}, {"c14", kAromaticCarbon14}, {"He", kHelium}, {"N", kNitrogen}, {"O", kOxygen}};
  const std::size_t dots = std::min(token.find('.'), token.size());
  if (token.find_first_not_of('.', dots) != std::string::npos) throw std::invalid_argument("bad atom token '" + token + "'");
  for (const auto& [name, code] : kSymbols)
    if (token.compare(0, dots, name) == 0) return {code, static_cast<std::uint8_t>(token.size() - dots)};
  throw std::invalid_argument("unknown atom symbol in '" + token + "'");
}

}  // namespace

std::unique_ptr<TMolecule> MoleculeFrom(const std::string& description, std::int32_t id) {
  const std::size_t semicolon = description.find(';');
  std::istringstream atomText(description.substr(0, semicolon));
  std::vector<ParsedAtom> heavy;
  for (std::string token; atomText >> token;) heavy.push_back(ParseAtom(token));

  const std::size_t h = heavy.size();
  std::vector<int> used(h, 0);  // valence used by unpaired electrons and bonds
  for (std::size_t i = 0; i < h; ++i) used[i] = heavy[i].unpaired;
  struct Bond {
    std::size_t a, b;
    std::uint8_t order;
    bool aromatic;
  };
  std::vector<Bond> bonds;
  std::istringstream bondText(semicolon == std::string::npos ? "" : description.substr(semicolon + 1));
  for (std::string token; bondText >> token;) {
    const std::size_t sep = token.find_first_of("-=#:");
    if (sep == std::string::npos) throw std::invalid_argument("bad bond token '" + token + "'");
    const std::size_t a = std::stoul(token.substr(0, sep));
    const std::size_t b = std::stoul(token.substr(sep + 1));
    if (a >= h || b >= h || a == b) throw std::invalid_argument("bad bond atoms in '" + token + "'");
    const char kind = token[sep];
    bonds.push_back({a, b, static_cast<std::uint8_t>(kind == '=' ? 2 : kind == '#' ? 3 : 1), kind == ':'});
    used[a] += bonds.back().order;
    used[b] += bonds.back().order;
  }
  std::vector<std::size_t> hydrogensOn;
  for (std::size_t i = 0; i < h; ++i) {
    const int missing = Valence(heavy[i].type) - used[i];
    if (missing < 0) throw std::invalid_argument("atom " + std::to_string(i) + " exceeds its valence");
    for (int k = 0; k < missing; ++k) hydrogensOn.push_back(i);
  }

  const std::size_t n = h + hydrogensOn.size();
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  TByteVector types(n, kHydrogen);
  for (std::size_t i = 0; i < h; ++i) {
    types[i] = heavy[i].type;
    adjacency[i][i] = heavy[i].unpaired;
  }
  for (const Bond& bond : bonds) {
    adjacency[bond.a][bond.b] = adjacency[bond.b][bond.a] = bond.order;
    aromatic[bond.a][bond.b] = aromatic[bond.b][bond.a] = bond.aromatic;
  }
  for (std::size_t k = 0; k < hydrogensOn.size(); ++k) adjacency[h + k][hydrogensOn[k]] = adjacency[hydrogensOn[k]][h + k] = 1;

  std::string error;
  auto molecule = TMolecule::FromStructure(id, std::move(adjacency), std::move(types), std::move(aromatic), &error);
  if (!molecule) throw std::invalid_argument(error);
  return molecule;
}

std::string LinearAlkane(int carbons) {
  std::string atoms, bonds;
  for (int i = 0; i < carbons; ++i) {
    atoms += i == 0 ? "C" : " C";
    if (i > 0) bonds += " " + std::to_string(i - 1) + "-" + std::to_string(i);
  }
  return atoms + ";" + bonds;
}

std::unique_ptr<TMolecule> Renumbered(const TMolecule& molecule, const std::vector<int>& order) {
  const std::size_t n = molecule.AtomCount();
  if (order.size() != n) throw std::invalid_argument("order does not cover every atom");
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  TByteVector types(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    types[i] = molecule.AtomTypes()[order[i]];
    for (std::size_t j = 0; j < n; ++j) {
      adjacency[i][j] = molecule.AdjacencyMatrix()[order[i]][order[j]];
      aromatic[i][j] = molecule.AromaticMatrix()[order[i]][order[j]];
    }
  }
  return TMolecule::FromStructure(molecule.ID, std::move(adjacency), std::move(types), std::move(aromatic));
}

std::vector<int> ShuffledOrder(int n, unsigned seed) {
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 generator(seed);
  std::shuffle(order.begin(), order.end(), generator);
  return order;
}

}  // namespace korvane::testing
