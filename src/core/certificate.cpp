#include "core/certificate.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "core/atom_types.h"

#include <nauty.h>

namespace korvane {
namespace {

// Vertex colours, compared as numbers: atoms sort before bond vertices.
constexpr std::uint64_t kBondVertex = std::uint64_t{1} << 56;

std::uint64_t AtomColour(std::uint8_t type, std::uint8_t unpaired, const std::array<std::uint8_t, 3>& folded) {
  return std::uint64_t{type} | std::uint64_t{unpaired} << 8 | std::uint64_t{folded[0]} << 16 |
         std::uint64_t{folded[1]} << 24 | std::uint64_t{folded[2]} << 32;
}

std::uint64_t BondColour(std::uint8_t order, bool aromatic) {
  return kBondVertex | std::uint64_t{order} | std::uint64_t{aromatic} << 8;
}

// Slot of a hydrogen-like type among the folded counts.
std::size_t FoldedSlot(std::uint8_t type) { return type == kHydrogen ? 0 : type == kDeuterium ? 1 : 2; }

struct Bond {
  std::uint8_t a, b, order;
  bool aromatic;
  bool plain() const { return order == 1 && !aromatic; }
};

// Work space reused by every certificate computed on a thread. nauty keeps
// thread-local work space of its own; it is released when the thread ends.
struct Workspace {
  Workspace() = default;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;
  ~Workspace() {
    nauty_freedyn();
    nautil_freedyn();
    naugraph_freedyn();
  }

  std::vector<Bond> bonds;
  std::vector<std::uint8_t> degree;
  std::vector<std::int16_t> vertexOf;  // atom -> vertex, -1 for a folded atom
  std::vector<std::array<std::uint8_t, 3>> folded;
  std::vector<std::uint64_t> colour;  // by vertex
  std::vector<std::pair<int, int>> edges;
  std::vector<int> lab, ptn, orbits;
  std::vector<setword> graph, canonical;
};

Workspace& ThreadWorkspace() {
  thread_local Workspace workspace;
  return workspace;
}

void CheckNautyOnce() {
  // The library and this header must agree on word size and version.
  static const bool checked = [] {
    nauty_check(WORDSIZE, 1, 1, NAUTYVERSIONID);
    return true;
  }();
  (void)checked;
}

void AppendNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<char>((value >> (8 * k)) & 0xff));
}

}  // namespace

std::string MoleculeCertificate(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                                const TBoolMatrix& aromatic) {
  Workspace& w = ThreadWorkspace();
  const std::size_t n = atomTypes.size();

  w.bonds.clear();
  w.degree.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t* row = adjacency[i];
    for (std::size_t j = 0; j < i; ++j) {
      if (row[j] == 0) continue;
      w.bonds.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), row[j], aromatic[i][j]});
      ++w.degree[i];
      ++w.degree[j];
    }
  }

  // Folded hydrogens: no unpaired electrons, one plain bond to a heavier atom.
  w.vertexOf.assign(n, 0);
  w.folded.assign(n, {0, 0, 0});
  auto foldedInto = [&](std::size_t atom, std::size_t partner, const Bond& bond) {
    return IsHydrogenLike(atomTypes[atom]) && adjacency[atom][atom] == 0 && w.degree[atom] == 1 && bond.plain() &&
           !IsHydrogenLike(atomTypes[partner]);
  };
  for (const Bond& bond : w.bonds) {
    if (foldedInto(bond.a, bond.b, bond)) {
      w.vertexOf[bond.a] = -1;
      ++w.folded[bond.b][FoldedSlot(atomTypes[bond.a])];
    } else if (foldedInto(bond.b, bond.a, bond)) {
      w.vertexOf[bond.b] = -1;
      ++w.folded[bond.a][FoldedSlot(atomTypes[bond.b])];
    }
  }

  w.colour.clear();
  for (std::size_t i = 0; i < n; ++i) {
    if (w.vertexOf[i] < 0) continue;
    w.vertexOf[i] = static_cast<std::int16_t>(w.colour.size());
    w.colour.push_back(AtomColour(atomTypes[i], adjacency[i][i], w.folded[i]));
  }
  w.edges.clear();
  for (const Bond& bond : w.bonds) {
    const int a = w.vertexOf[bond.a], b = w.vertexOf[bond.b];
    if (a < 0 || b < 0) continue;
    if (bond.plain()) {
      w.edges.emplace_back(a, b);
    } else {
      const int middle = static_cast<int>(w.colour.size());
      w.colour.push_back(BondColour(bond.order, bond.aromatic));
      w.edges.emplace_back(a, middle);
      w.edges.emplace_back(b, middle);
    }
  }
  const int vertices = static_cast<int>(w.colour.size());

  // Vertices grouped by colour: the cells of the partition nauty keeps.
  w.lab.resize(vertices);
  std::iota(w.lab.begin(), w.lab.end(), 0);
  std::stable_sort(w.lab.begin(), w.lab.end(), [&w](int x, int y) { return w.colour[x] < w.colour[y]; });

  std::string certificate;
  AppendNumber(certificate, static_cast<std::uint64_t>(vertices), 2);
  // The colour sequence, run-length coded: a colour and how many vertices have it.
  for (int k = 0; k < vertices;) {
    int end = k;
    while (end < vertices && w.colour[w.lab[end]] == w.colour[w.lab[k]]) ++end;
    AppendNumber(certificate, w.colour[w.lab[k]], 8);
    AppendNumber(certificate, static_cast<std::uint64_t>(end - k), 2);
    k = end;
  }
  AppendNumber(certificate, w.edges.size(), 2);
  if (w.edges.empty()) return certificate;

  CheckNautyOnce();
  const int m = SETWORDSNEEDED(vertices);
  w.graph.assign(static_cast<std::size_t>(m) * vertices, 0);
  w.canonical.assign(static_cast<std::size_t>(m) * vertices, 0);
  for (const auto& [a, b] : w.edges) ADDONEEDGE(w.graph.data(), a, b, m);
  w.ptn.resize(vertices);
  for (int k = 0; k < vertices; ++k)
    w.ptn[k] = k + 1 < vertices && w.colour[w.lab[k + 1]] == w.colour[w.lab[k]] ? 1 : 0;
  w.orbits.resize(vertices);

  DEFAULTOPTIONS_GRAPH(options);
  options.getcanon = TRUE;
  options.defaultptn = FALSE;
  statsblk stats;
  densenauty(w.graph.data(), w.lab.data(), w.ptn.data(), w.orbits.data(), &options, &stats, m, vertices,
             w.canonical.data());

  // Canonical edges (i < j) in order; one byte per end while they fit.
  const int width = vertices <= 256 ? 1 : 2;
  for (int i = 0; i < vertices; ++i) {
    const set* row = GRAPHROW(w.canonical.data(), i, m);
    for (int j = nextelement(row, m, i); j >= 0; j = nextelement(row, m, j)) {
      AppendNumber(certificate, static_cast<std::uint64_t>(i), width);
      AppendNumber(certificate, static_cast<std::uint64_t>(j), width);
    }
  }
  return certificate;
}

}  // namespace korvane
