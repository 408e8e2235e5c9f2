#include "molecule_builder.h"

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

#include "core/structure_notation.h"

namespace korvane::testing {

std::unique_ptr<TMolecule> MoleculeFrom(const std::string& description, std::int32_t id) {
  auto molecule = MoleculeFromNotation(description, id);
  if (!molecule) throw std::invalid_argument(molecule.error().Message);
  return std::move(molecule.value());
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
