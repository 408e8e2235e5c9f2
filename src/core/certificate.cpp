#include "core/certificate.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <string_view>
#include <vector>

#include "core/atom_types.h"
#include "core/bond_scan.h"

#include <nauty.h>

namespace korvane {
namespace {

// Vertex colours, compared as numbers: atoms sort before bond vertices. Six
// bytes hold every colour; the certificate stores them so.
constexpr std::uint64_t kBondVertex = std::uint64_t{1} << 40;
constexpr int kColourBytes = 6;

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
  std::vector<std::uint8_t> unpaired;  // by atom
  std::vector<std::uint8_t> degree;
  std::vector<std::int16_t> vertexOf;  // atom -> vertex, -1 for a folded atom
  std::vector<std::array<std::uint8_t, 3>> folded;
  std::vector<std::uint64_t> colour;  // by vertex
  std::vector<std::pair<int, int>> edges;
  std::vector<int> lab, ptn, orbits;
  std::vector<int> root;  // union-find forest of the ring test
  std::vector<int> start, adjacent;  // the folded graph's neighbour lists
  std::vector<int> order, remaining;  // the tree walk
  std::vector<char> bytes;
  // The tree form: encodings written so far (formUsed bytes of form), the children's encodings
  // awaiting their sort (places in `form`), a copy buffer, peeled vertices.
  struct Span {
    std::size_t Offset, Length;
  };
  std::vector<char> form, scratch;
  std::size_t formUsed = 0;
  std::vector<Span> spans;
  std::vector<char> peeled;
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

// Writes the certificate's bytes into a buffer sized beforehand.
class ByteWriter {
 public:
  explicit ByteWriter(std::vector<char>& bytes) : m_bytes(bytes) {}
  void Number(std::uint64_t value, int width) {
    for (int k = 0; k < width; ++k) m_bytes[m_used++] = static_cast<char>((value >> (8 * k)) & 0xff);
  }
  void Bytes(const char* data, std::size_t size) {
    std::copy(data, data + size, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_used));
    m_used += size;
  }
  std::size_t Used() const { return m_used; }

 private:
  std::vector<char>& m_bytes;
  std::size_t m_used = 0;
};

// Stores the certificate's bytes half-sized: almost all of them are small
// counts and colour fields, so a byte below 15 becomes one nibble and any
// other the nibble 15 and its two nibbles. That code is prefix-free, and a
// lone 15 can only be the padding of an odd count at the end, so equal
// packed strings mean equal certificates: a network keeps one per component.
void AssignPacked(std::string& certificate, const char* bytes, std::size_t size) {
  certificate.clear();
  int pending = -1;  // a high nibble waiting for its partner
  const auto put = [&certificate, &pending](int nibble) {
    if (pending < 0) {
      pending = nibble;
      return;
    }
    certificate.push_back(static_cast<char>(pending << 4 | nibble));
    pending = -1;
  };
  for (std::size_t k = 0; k < size; ++k) {
    const auto byte = static_cast<unsigned char>(bytes[k]);
    if (byte < 15) {
      put(byte);
    } else {
      put(15);
      put(byte >> 4);
      put(byte & 15);
    }
  }
  if (pending >= 0) put(15);
}

static_assert(WORDSIZE == 64, "the edge walk reads 64-bit set words");

void Certify(Workspace& w, std::span<const std::uint8_t> atomTypes, std::string& certificate, bool* hasRing);

}  // namespace

std::string MoleculeCertificate(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                                const TBoolMatrix& aromatic) {
  std::string certificate;
  MoleculeCertificate(adjacency, atomTypes, aromatic, certificate);
  return certificate;
}

void MoleculeCertificate(const TByteMatrix& adjacency, const TByteVector& atomTypes, const TBoolMatrix& aromatic,
                         std::string& certificate, bool* hasRing) {
  Workspace& w = ThreadWorkspace();
  const std::size_t n = atomTypes.size();
  w.bonds.clear();
  ForEachBond(adjacency, [&w, &aromatic](std::size_t i, std::size_t j, std::uint8_t order) {
    w.bonds.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), order, aromatic[i][j]});
  });
  w.unpaired.resize(n);
  for (std::size_t i = 0; i < n; ++i) w.unpaired[i] = adjacency[i][i];
  Certify(w, atomTypes, certificate, hasRing);
}

void MoleculeCertificate(std::span<const TBondEntry> bonds, std::span<const std::uint8_t> atomTypes,
                         std::span<const std::uint8_t> unpaired,
                         std::string& certificate, bool* hasRing) {
  Workspace& w = ThreadWorkspace();
  w.bonds.clear();
  for (const TBondEntry& bond : bonds) w.bonds.push_back({bond.Row, bond.Column, bond.Order, bond.Aromatic});
  w.unpaired.assign(unpaired.begin(), unpaired.end());
  Certify(w, atomTypes, certificate, hasRing);
}

namespace {

// Trees (every acyclic molecule, once hydrogens are folded) get their
// canonical form without nauty, in linear time: the encoding of a subtree is
// its root's colour, its child count and its children's encodings in sorted
// order, a prefix code, so equal encodings mean isomorphic coloured trees.
// The tree is rooted at its centre, which every isomorphism keeps; a tree
// with two centres is encoded as the sorted pair of its two halves.
std::size_t TreeFormBytes(int vertices) { return 3 + static_cast<std::size_t>(vertices) * (kColourBytes + 2); }

// The encodings of w.spans[firstSpan..], which lie one after another in
// w.form from `begin`, rewritten there in ascending byte order (as strings
// compare: unsigned bytes, a prefix first).
void SortSpans(Workspace& w, std::size_t firstSpan, std::size_t begin) {
  const auto text = [&w](const Workspace::Span& span) {
    return std::string_view(w.form.data() + span.Offset, span.Length);
  };
  std::sort(w.spans.begin() + static_cast<std::ptrdiff_t>(firstSpan), w.spans.end(),
            [&text](const Workspace::Span& x, const Workspace::Span& y) { return text(x) < text(y); });
  w.scratch.clear();
  for (std::size_t k = firstSpan; k < w.spans.size(); ++k) {
    const std::string_view part = text(w.spans[k]);
    w.scratch.insert(w.scratch.end(), part.begin(), part.end());
  }
  std::copy(w.scratch.begin(), w.scratch.end(), w.form.begin() + static_cast<std::ptrdiff_t>(begin));
}

// Appends the encoding of the subtree at `vertex` (entered from `parent`)
// to w.form. The children's encodings are written one after another, then
// put into sorted order in place: no allocation once the buffers have grown.
void EncodeSubtree(Workspace& w, int vertex, int parent) {
  const int children = w.start[vertex + 1] - w.start[vertex] - (parent >= 0 ? 1 : 0);
  // Colour (six bytes) and child count (two), little-endian: one store.
  const std::uint64_t head = w.colour[vertex] | static_cast<std::uint64_t>(children & 0xffff) << 48;
  char* out = w.form.data() + w.formUsed;
  for (int k = 0; k < kColourBytes + 2; ++k) out[k] = static_cast<char>((head >> (8 * k)) & 0xff);
  w.formUsed += kColourBytes + 2;
  if (children == 0) return;
  const std::size_t begin = w.formUsed;
  const std::size_t firstSpan = w.spans.size();
  for (int k = w.start[vertex]; k < w.start[vertex + 1]; ++k) {
    const int child = w.adjacent[k];
    if (child == parent) continue;
    const std::size_t offset = w.formUsed;
    EncodeSubtree(w, child, vertex);
    w.spans.push_back({offset, w.formUsed - offset});
  }
  if (children > 1) SortSpans(w, firstSpan, begin);
  w.spans.resize(firstSpan);
}

// Appends the canonical form when the folded graph is a tree: a marker that
// no edge list starts with (0xFFFF: an edge (i, j) has i < j < 65535), then
// the centre count and the encodings. False, with nothing appended, for any
// other graph.
bool AppendTreeForm(Workspace& w, int vertices, ByteWriter& out) {
  if (vertices < 2 || static_cast<int>(w.edges.size()) != vertices - 1) return false;
  w.start.assign(vertices + 1, 0);
  for (const auto& [a, b] : w.edges) {
    ++w.start[a + 1];
    ++w.start[b + 1];
  }
  for (int v = 0; v < vertices; ++v) w.start[v + 1] += w.start[v];
  w.adjacent.resize(2 * w.edges.size());
  w.order.assign(w.start.begin(), w.start.end() - 1);  // next free slot per vertex
  for (const auto& [a, b] : w.edges) {
    w.adjacent[w.order[a]++] = b;
    w.adjacent[w.order[b]++] = a;
  }
  // Peel leaves layer by layer; what remains last is the centre. With n - 1
  // edges the graph is a tree exactly when the peeling reaches every vertex.
  w.remaining.resize(vertices);
  w.order.clear();
  for (int v = 0; v < vertices; ++v) {
    w.remaining[v] = w.start[v + 1] - w.start[v];
    if (w.remaining[v] <= 1) w.order.push_back(v);
  }
  std::size_t layerStart = 0;
  int left = vertices;
  while (left > 2) {
    const std::size_t layerEnd = w.order.size();
    if (layerStart == layerEnd) return false;  // a cycle: no leaves left
    left -= static_cast<int>(layerEnd - layerStart);
    for (std::size_t k = layerStart; k < layerEnd; ++k) {
      const int leaf = w.order[k];
      for (int e = w.start[leaf]; e < w.start[leaf + 1]; ++e)
        if (--w.remaining[w.adjacent[e]] == 1) w.order.push_back(w.adjacent[e]);
    }
    layerStart = layerEnd;
  }
  // The vertices not yet peeled (one or two) are the centres.
  int centres[2];
  int count = 0;
  w.peeled.assign(vertices, 0);
  for (std::size_t k = 0; k < layerStart; ++k) w.peeled[w.order[k]] = 1;
  for (int v = 0; v < vertices && count <= 2; ++v)
    if (!w.peeled[v]) {
      if (count == 2) return false;
      centres[count++] = v;
    }
  if (count == 0) return false;
  if (count == 2 && std::find(w.adjacent.begin() + w.start[centres[0]], w.adjacent.begin() + w.start[centres[0] + 1],
                              centres[1]) == w.adjacent.begin() + w.start[centres[0] + 1])
    return false;  // two pieces, not one tree

  // A tree's form holds every vertex once (the peeling above excluded cycles).
  w.form.resize(static_cast<std::size_t>(vertices) * (kColourBytes + 2));
  w.formUsed = 0;
  w.spans.clear();
  if (count == 1) {
    EncodeSubtree(w, centres[0], -1);
  } else {
    // Two centres: the sorted pair of the halves.
    for (int k = 0; k < 2; ++k) {
      const std::size_t offset = w.formUsed;
      EncodeSubtree(w, centres[k], centres[1 - k]);
      w.spans.push_back({offset, w.formUsed - offset});
    }
    SortSpans(w, 0, 0);
  }
  // Every vertex was reached exactly when the form holds all of them.
  if (w.formUsed != w.form.size()) return false;
  out.Number(0xffff, 2);
  out.Number(static_cast<std::uint64_t>(count), 1);
  out.Bytes(w.form.data(), w.form.size());
  return true;
}

// Whether some bonds form a ring: a bond between atoms already joined by
// earlier bonds closes one.
bool HasRing(Workspace& w, std::size_t atoms) {
  w.root.resize(atoms);
  std::iota(w.root.begin(), w.root.end(), 0);
  auto rootOf = [&w](int atom) {
    while (w.root[atom] != atom) atom = w.root[atom] = w.root[w.root[atom]];
    return atom;
  };
  for (const Bond& bond : w.bonds) {
    const int x = rootOf(bond.a), y = rootOf(bond.b);
    if (x == y) return true;
    w.root[x] = y;
  }
  return false;
}

// The certificate of the bonds and unpaired electrons in the work space.
void Certify(Workspace& w, std::span<const std::uint8_t> atomTypes, std::string& certificate, bool* hasRing) {
  const std::size_t n = atomTypes.size();
  w.degree.assign(n, 0);
  for (const Bond& bond : w.bonds) {
    ++w.degree[bond.a];
    ++w.degree[bond.b];
  }

  // Folded hydrogens: no unpaired electrons, one plain bond to a heavier atom.
  w.vertexOf.assign(n, 0);
  w.folded.assign(n, {0, 0, 0});
  auto foldedInto = [&](std::size_t atom, std::size_t partner, const Bond& bond) {
    return IsHydrogenLike(atomTypes[atom]) && w.unpaired[atom] == 0 && w.degree[atom] == 1 && bond.plain() &&
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
    w.colour.push_back(AtomColour(atomTypes[i], w.unpaired[i], w.folded[i]));
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

  // Vertices grouped by colour: the cells of the partition nauty keeps. The
  // order inside a cell does not matter; the canonical form is the same.
  w.lab.resize(vertices);
  std::iota(w.lab.begin(), w.lab.end(), 0);
  std::sort(w.lab.begin(), w.lab.end(), [&w](int x, int y) { return w.colour[x] < w.colour[y]; });

  // Vertex count, the colour sequence run-length coded (a colour and how
  // many vertices have it), the edge count, then the canonical edges with one
  // byte per end while they fit, or a tree's canonical form.
  const int width = vertices <= 256 ? 1 : 2;
  w.bytes.resize(4 + static_cast<std::size_t>(vertices) * (kColourBytes + 2) + 2 * width * w.edges.size() +
                 TreeFormBytes(vertices));
  ByteWriter out(w.bytes);
  out.Number(static_cast<std::uint64_t>(vertices), 2);
  for (int k = 0; k < vertices;) {
    int end = k;
    while (end < vertices && w.colour[w.lab[end]] == w.colour[w.lab[k]]) ++end;
    out.Number(w.colour[w.lab[k]], kColourBytes);
    out.Number(static_cast<std::uint64_t>(end - k), 2);
    k = end;
  }
  out.Number(w.edges.size(), 2);
  // Folding removes only leaves and puts vertices into bonds, so the folded
  // graph has a ring exactly when the molecule has: none without edges or
  // in a tree, and the bonds tell otherwise.
  if (w.edges.empty() || AppendTreeForm(w, vertices, out)) {
    if (hasRing) *hasRing = false;
    AssignPacked(certificate, w.bytes.data(), out.Used());
    return;
  }
  if (hasRing) *hasRing = HasRing(w, n);

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

  // Canonical edges (i < j) in order. nauty numbers a set word's elements
  // from its highest bit down.
  for (int i = 0; i < vertices; ++i) {
    const setword* row = GRAPHROW(w.canonical.data(), i, m);
    for (int word = i / WORDSIZE; word < m; ++word) {
      setword bits = row[word];
      if (word == i / WORDSIZE) bits &= i % WORDSIZE == WORDSIZE - 1 ? 0 : (~setword{0} >> (i % WORDSIZE + 1));
      while (bits) {
        const int position = __builtin_clzll(bits);
        out.Number(static_cast<std::uint64_t>(i), width);
        out.Number(static_cast<std::uint64_t>(word * WORDSIZE + position), width);
        bits &= ~(setword{1} << (WORDSIZE - 1 - position));
      }
    }
  }
  AssignPacked(certificate, w.bytes.data(), out.Used());
}

}  // namespace
}  // namespace korvane
