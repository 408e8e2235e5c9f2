#include "core/molecule.h"

#include <algorithm>

#include "core/bond_energy.h"
#include "core/bond_scan.h"
#include "core/certificate.h"

namespace korvane {

TMolecule::TMolecule(std::int32_t id) : ID(id) {}

TMolecule::~TMolecule() = default;

namespace {

// Positions of the non-zero entries, ascending.
TByteVector NonZeroIndices(std::span<const std::uint8_t> values) {
  TByteVector indices;
  for (std::size_t i = 0; i < values.size(); ++i)
    if (values[i] != 0) indices.push_back(static_cast<std::uint8_t>(i));
  return indices;
}

std::string Entry(std::size_t i, std::size_t j) {
  return "(" + std::to_string(i) + ", " + std::to_string(j) + ")";
}

}  // namespace

// A bond is one fact about two atoms, so both matrices must say the same
// thing both ways: readers that look at one triangle (the atoms' neighbour
// lists, the SMILES writer) would otherwise see different molecules.
std::string StructureMatrixProblem(const TByteMatrix& adjacency, const TBoolMatrix& aromatic) {
  const std::size_t n = adjacency.rows();
  // One branch-free sweep first: every structure read from a file passes
  // here, and almost all of them are sound.
  unsigned fault = 0;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      const unsigned order = adjacency[i][j], marked = aromatic[i][j];
      fault |= (order ^ adjacency[j][i]) | (marked ^ static_cast<unsigned>(aromatic[j][i])) | (marked & (order != 1));
    }
  }
  if (fault == 0) return {};
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (adjacency[i][j] != adjacency[j][i])
        return "The adjacency matrix is not symmetric: entry " + Entry(i, j) + " is " +
               std::to_string(adjacency[i][j]) + ", entry " + Entry(j, i) + " is " + std::to_string(adjacency[j][i]) +
               ".";
      if (aromatic[i][j] != aromatic[j][i])
        return "The aromatic matrix is not symmetric at " + Entry(i, j) + ".";
      if (aromatic[i][j] && adjacency[i][j] != 1)
        return "The aromatic matrix marks " + Entry(i, j) + ", which is not a bond of order 1.";
    }
  }
  return {};
}

std::unique_ptr<TMolecule> TMolecule::FromStructure(std::int32_t id, TByteMatrix adjacency, TByteVector atomTypes,
                                                    TBoolMatrix aromatic, std::string* error) {
  auto molecule = std::make_unique<TMolecule>(id);
  if (!molecule->SetStructure(std::move(adjacency), std::move(atomTypes), std::move(aromatic), error)) return nullptr;
  molecule->Build();
  return molecule;
}

std::unique_ptr<TMolecule> TMolecule::FromIdentifiedBonds(const TByteVector& atomTypes, const TBondList& bonds,
                                                          const TByteVector& unpaired, const TByteVector& aromaticSelf,
                                                          std::string_view certificate, bool hasRing) {
  auto molecule = std::make_unique<TMolecule>(0);
  molecule->m_atomTypes = atomTypes;
  // Built as Build would, with the certificate in the same block.
  molecule->m_stored.Assign(bonds, unpaired, aromaticSelf, NonZeroIndices(unpaired), certificate);
  molecule->m_built = true;
  molecule->m_certificateKnown = true;
  molecule->m_hasRing = hasRing;
  return molecule;
}

void TMolecule::compact(const TByteMatrix& adjacency, const TBoolMatrix& aromatic) {
  const std::size_t n = m_atomTypes.size();
  TBondList bonds;
  ForEachBond(adjacency, [&bonds, &aromatic](std::size_t i, std::size_t j, std::uint8_t order) {
    bonds.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(j), order, aromatic[i][j]});
  });
  TByteVector unpaired(n), aromaticSelf;
  for (std::size_t i = 0; i < n; ++i) {
    unpaired[i] = adjacency[i][i];
    if (aromatic[i][i]) aromaticSelf.push_back(static_cast<std::uint8_t>(i));
  }
  // The radical atoms follow from the unpaired electrons: stored with them,
  // so that Build has nothing to write.
  m_stored.Assign(bonds, unpaired, aromaticSelf, NonZeroIndices(unpaired), {});
}

// Both matrices are symmetric (SetStructure refuses others), so the bonds
// below the diagonal and the diagonal restore them exactly.
void TMolecule::ExpandMatrices(TByteMatrix& adjacency, TBoolMatrix& aromatic) const {
  const std::size_t n = m_atomTypes.size();
  adjacency.assign(n, n, 0);
  aromatic.assign(n, n, false);
  const auto unpaired = m_stored.Unpaired();
  for (std::size_t i = 0; i < n && i < unpaired.size(); ++i) adjacency[i][i] = unpaired[i];
  for (std::uint8_t i : m_stored.AromaticSelf()) aromatic[i][i] = true;
  for (const TBondEntry& bond : m_stored.Bonds()) {
    adjacency[bond.Row][bond.Column] = adjacency[bond.Column][bond.Row] = bond.Order;
    aromatic[bond.Row][bond.Column] = aromatic[bond.Column][bond.Row] = bond.Aromatic;
  }
}

void TMolecule::expandMatrices() const {
  TByteMatrix adjacency;
  TBoolMatrix aromatic;
  ExpandMatrices(adjacency, aromatic);
  TDerived& cache = derived();
  cache.Adjacency = std::move(adjacency);
  cache.Aromatic = std::move(aromatic);
}

bool TMolecule::SetStructure(TByteMatrix adjacency, TByteVector atomTypes, TBoolMatrix aromatic, std::string* error) {
  const std::size_t n = atomTypes.size();
  std::string problem;
  if (n > kMaxAtoms) {
    problem = "A molecule can hold at most 255 atoms; this structure has " + std::to_string(n) + ".";
  } else if (adjacency.rows() != n || (n > 0 && adjacency.cols() != n) || aromatic.rows() != n ||
             (n > 0 && aromatic.cols() != n)) {
    problem = "The adjacency matrix, the atom types and the aromatic matrix describe different numbers of atoms.";
  }
  if (problem.empty()) problem = StructureMatrixProblem(adjacency, aromatic);
  if (!problem.empty()) {
    if (error) *error = problem;
    return false;
  }
  // Atoms of the old structure no longer describe it.
  destroyAtoms();
  m_atomTypes = std::move(atomTypes);
  compact(adjacency, aromatic);
  // Kept expanded until the molecule's derived data are next released.
  TDerived& cache = derived();
  cache.Adjacency = std::move(adjacency);
  cache.Aromatic = std::move(aromatic);
  return true;
}

void TMolecule::destroyAtoms() {
  m_built = false;
  ReleaseDerivedData();
  // A certificate in the stored block is out of date from here; the next
  // Certificate replaces it.
  m_certificateKnown = false;
  m_balanceCyclic.reset();
}

void TMolecule::ReleaseDerivedData() {
  m_derived.reset();
}

void TMolecule::ClearStructure() {
  destroyAtoms();
  m_atomTypes.clear();
  m_stored.Clear();
}

void TMolecule::Build() {
  destroyAtoms();
  m_built = true;
}

const TAtomVector& TMolecule::buildAtoms() const {
  TDerived& cache = derived();
  // Not built, or no atoms: the (empty) list as it stands.
  if (!m_built || !cache.Atoms.empty()) return cache.Atoms;
  const std::size_t n = m_atomTypes.size();
  std::vector<TAtom>& store = cache.AtomStore;
  TAtomVector& atoms = cache.Atoms;
  store.reserve(n);
  atoms.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    store.emplace_back(static_cast<std::uint8_t>(i), m_atomTypes[i]);
    atoms.push_back(&store.back());
  }
  // Atom i receives its lower-numbered neighbours in ascending order, then its
  // self entries, then its higher-numbered neighbours as each is processed;
  // later walks depend on this order. The self entries of the rows before a
  // bond's row are therefore added before that bond.
  std::size_t electronsAdded = 0;  // rows whose self entries are in place
  const auto unpaired = m_stored.Unpaired();
  auto addElectronsBefore = [&unpaired, &atoms, &electronsAdded](std::size_t row) {
    for (; electronsAdded < row; ++electronsAdded)
      for (std::uint8_t e = 0; e < unpaired[electronsAdded]; ++e) atoms[electronsAdded]->AddUnpairedElectron();
  };
  for (const TBondEntry& bond : m_stored.Bonds()) {
    addElectronsBefore(bond.Row);
    atoms[bond.Row]->AddNeighbour(atoms[bond.Column], true, bond.Order, bond.Aromatic);
  }
  addElectronsBefore(n);
  return atoms;
}

const TInvariants& TMolecule::Invariants() const {
  if (m_built && !derived().InvariantsCurrent) computeInvariants();
  return derived().Invariants;
}

const std::array<double, 11>& TMolecule::MassFractions() const {
  Invariants();
  return derived().MassFractions;
}

std::unique_ptr<TMolecule> TMolecule::Copy() const {
  // From the stored pieces, so that copying never expands (and leaves
  // behind) this molecule's matrices; a certificate already known is the
  // copy's too.
  auto copy = std::make_unique<TMolecule>(ID);
  copy->m_atomTypes = m_atomTypes;
  copy->m_stored.Assign(m_stored.Bonds(), m_stored.Unpaired(), m_stored.AromaticSelf(),
                        m_stored.RadicalAtoms(), m_certificateKnown ? Certificate() : std::string_view());
  copy->m_built = true;
  copy->m_certificateKnown = m_certificateKnown;
  copy->m_hasRing = m_hasRing;
  return copy;
}

const TByteMatrix& TMolecule::DistanceMatrix() const {
  TDerived& cache = derived();
  if (!cache.Distance) {
    // Breadth-first search from every atom gives the same shortest-path
    // lengths as an all-pairs relaxation, at O(n (n + bonds)).
    const std::size_t n = m_atomTypes.size();
    TByteMatrix distance(n, n, 255);
    const TByteMatrix& adjacency = AdjacencyMatrix();
    std::vector<std::size_t> queue(n);
    for (std::size_t source = 0; source < n; ++source) {
      std::uint8_t* row = distance[source];
      row[source] = 0;
      std::size_t head = 0, tail = 0;
      queue[tail++] = source;
      while (head < tail) {
        const std::size_t atom = queue[head++];
        const std::uint8_t* bonds = adjacency[atom];
        for (std::size_t next = 0; next < n; ++next) {
          if (next == atom || bonds[next] == 0 || row[next] != 255) continue;
          row[next] = static_cast<std::uint8_t>(row[atom] + 1);
          queue[tail++] = next;
        }
      }
    }
    cache.Distance = std::move(distance);
  }
  return *cache.Distance;
}

std::string_view TMolecule::Certificate() const {
  if (!m_certificateKnown) {
    std::string certificate;
    MoleculeCertificate(m_stored.Bonds(), m_atomTypes, m_stored.Unpaired(), certificate, &m_hasRing);
    m_stored.SetCertificate(certificate);
    m_certificateKnown = true;
  }
  return m_stored.Certificate();
}

bool TMolecule::HasRing() const {
  Certificate();
  return m_hasRing;
}

const TIntMatrix& TMolecule::BondEnergyMatrix() const {
  TDerived& cache = derived();
  if (!cache.BondEnergy) cache.BondEnergy = ComputeBondEnergyMatrix(*this);
  return *cache.BondEnergy;
}

void TMolecule::ComputeInvariants() { computeInvariants(); }

void TMolecule::computeInvariants() const {
  const std::size_t n = m_atomTypes.size();
  TDerived& cache = derived();
  TInvariants& invariants = cache.Invariants;
  invariants.AtomCount = static_cast<std::uint8_t>(n);
  invariants.Radical = IsRadical();
  invariants.Cyclic = IsCyclic();

  invariants.AtomsPerType.assign(kAtomTypeCount, 0);
  for (std::uint8_t type : m_atomTypes)
    if (type < kAtomTypeCount) ++invariants.AtomsPerType[type];

  // Row sums and neighbour counts over the bonds as Build reads them (the
  // lower triangle), each unpaired electron counting once on the diagonal.
  // Byte arithmetic: the sums wrap modulo 256.
  TByteVector& rowSums = invariants.GraphScore1;
  TByteVector& neighbourCounts = invariants.GraphScore2;
  rowSums.assign(n, 0);
  neighbourCounts.assign(n, 0);
  for (std::size_t i = 0; i < n; ++i) {
    rowSums[i] = m_stored.Unpaired()[i];
    neighbourCounts[i] = m_stored.Unpaired()[i];
  }
  for (const TBondEntry& bond : m_stored.Bonds()) {
    rowSums[bond.Row] = static_cast<std::uint8_t>(rowSums[bond.Row] + bond.Order);
    rowSums[bond.Column] = static_cast<std::uint8_t>(rowSums[bond.Column] + bond.Order);
    ++neighbourCounts[bond.Row];
    ++neighbourCounts[bond.Column];
  }
  SortDescendingInPlace(rowSums);
  SortDescendingInPlace(neighbourCounts);

  std::array<double, 11> fractions{};
  for (std::uint8_t type : m_atomTypes)
    if (type >= 1 && type < kAtomTypeCount) fractions[type] += 1.0;
  double molarMass = 0.0;
  for (int code = 1; code < kAtomTypeCount; ++code) {
    fractions[code] *= AtomicMass(static_cast<std::uint8_t>(code));
    molarMass += fractions[code];
  }
  // A molecule without atoms has no mass to divide by; its fractions are 0.
  for (int code = 1; code < kAtomTypeCount; ++code)
    fractions[code] = molarMass > 0.0 ? fractions[code] / molarMass : 0.0;
  cache.MassFractions = fractions;
  cache.InvariantsCurrent = true;
}

bool TMolecule::IsRadical() const {
  // An atom with an odd number of unpaired electrons is a radical centre.
  if (!m_built) return false;
  for (std::size_t i = 0; i < m_atomTypes.size(); ++i)
    if (m_stored.Unpaired()[i] % 2 == 1) return true;
  return false;
}

bool TMolecule::IsCyclic() const {
  if (Inert) return false;
  if (m_balanceCyclic) return *m_balanceCyclic;
  // Degree-of-unsaturation balance, exact for acyclic molecules of
  // tetravalent skeleton atoms with hydrogens: 2P + 2 - 2D - 4T - 2A - U = n - P.
  const std::size_t n = m_atomTypes.size();
  std::uint8_t polyvalent = 0;
  for (std::uint8_t type : m_atomTypes)
    if (type <= 9 && Valence(type) > 1) ++polyvalent;
  // Only the entries 2 and 3 (D and T) and the aromatic flags enter the
  // balance, counted over the full matrix: each bond of the lower triangle,
  // which Build reads, stands for its two entries.
  std::size_t twos = 0, threes = 0, aromaticEntries = 0;
  int unpaired = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t diagonal = m_stored.Unpaired()[i];
    twos += diagonal == 2;
    threes += diagonal == 3;
    unpaired += diagonal;
  }
  aromaticEntries += m_stored.AromaticSelf().size();
  for (const TBondEntry& bond : m_stored.Bonds()) {
    twos += 2 * (bond.Order == 2);
    threes += 2 * (bond.Order == 3);
    aromaticEntries += 2 * bond.Aromatic;
  }
  const int doubles = static_cast<int>(twos / 2);
  const int triples = static_cast<int>(threes / 2);
  const int aromatic = static_cast<int>(aromaticEntries / 2);
  const std::uint8_t m = static_cast<std::uint8_t>(n - polyvalent);
  const int balance = 2 * polyvalent + 2 - 2 * doubles - 4 * triples - 2 * aromatic - unpaired;
  m_balanceCyclic = balance != m;
  return *m_balanceCyclic;
}

bool TMolecule::IsConnected() const {
  const TAtomVector& atoms = Atoms();
  if (atoms.empty()) return true;
  for (TAtom* atom : atoms) atom->Visited = 0;
  TBoolVector flags(atoms.size(), false);
  atoms[0]->MarkComponent(flags);
  return std::all_of(flags.begin(), flags.end(), [](bool flag) { return flag; });
}

TAtomMatrix TMolecule::Components() const {
  TAtomMatrix components;
  const TAtomVector& atoms = Atoms();
  const std::size_t n = atoms.size();
  if (n == 0) return components;
  TBoolVector covered(n, false);
  std::size_t start = 0;
  for (;;) {
    for (TAtom* atom : atoms) atom->Visited = 0;
    TBoolVector flags(n, false);
    atoms[start]->MarkComponent(flags);
    TAtomVector& fragment = components.emplace_back();
    for (std::size_t i = 0; i < n; ++i) {
      if (flags[i]) {
        fragment.push_back(atoms[i]);
        covered[i] = true;
      }
    }
    const auto uncovered = std::find(covered.begin(), covered.end(), false);
    if (uncovered == covered.end()) break;
    start = static_cast<std::size_t>(uncovered - covered.begin());
  }
  return components;
}

std::string TMolecule::Formula() const {
  std::array<int, kAtomTypeCount> counts{};
  for (std::uint8_t type : m_atomTypes)
    if (type < kAtomTypeCount) ++counts[type];
  std::string formula;
  for (int code = 0; code < kAtomTypeCount; ++code)
    if (counts[code] != 0) formula += AtomSymbol(static_cast<std::uint8_t>(code)) + std::to_string(counts[code]);
  return formula;
}

namespace {

// Whether every atom is still reached from `a` when the bond a-b is ignored,
// that is whether the bond lies on a ring. Reads the neighbour lists only.
bool ConnectedWithoutBond(const TAtomVector& atoms, const TAtom* a, const TAtom* b) {
  std::vector<bool> reached(atoms.size(), false);
  std::vector<const TAtom*> stack{a};
  reached[a->GetIndex()] = true;
  std::size_t count = 1;
  while (!stack.empty()) {
    const TAtom* atom = stack.back();
    stack.pop_back();
    for (const TNeighbour& entry : atom->Entries()) {
      const TAtom* next = entry.Atom;
      if (reached[next->GetIndex()] || (atom == a && next == b) || (atom == b && next == a)) continue;
      reached[next->GetIndex()] = true;
      ++count;
      stack.push_back(next);
    }
  }
  return count == atoms.size();
}

}  // namespace

TAtomVector TMolecule::CycleAtoms() const {
  // A bond whose removal keeps the molecule connected lies on a ring. The
  // bond is skipped, not removed: neighbour orders stay as Build made them,
  // so looking at a component never changes what a later generation makes.
  TAtomVector result;
  auto appendOnce = [&result](TAtom* atom) {
    if (std::find(result.begin(), result.end(), atom) == result.end()) result.push_back(atom);
  };
  const TAtomVector& atoms = Atoms();
  for (TAtom* a : atoms) {
    if (Valence(a->GetAtomType()) <= 1) continue;
    for (const TNeighbour& entry : a->Entries()) {
      TAtom* b = entry.Atom;
      if (b == a || Valence(b->GetAtomType()) < 2) continue;
      if (ConnectedWithoutBond(atoms, a, b)) {
        appendOnce(b);
        appendOnce(a);
      }
    }
  }
  return result;
}

TByteVector TMolecule::CycleAtomIndices() const {
  TByteVector indices;
  for (const TAtom* atom : CycleAtoms()) indices.push_back(atom->GetIndex());
  return indices;
}

bool TMolecule::IsAtomInCycle(TAtom* atom) const {
  const TAtomVector& atoms = Atoms();
  for (TAtom* each : atoms) each->SearchState = 0;
  if (std::find(atoms.begin(), atoms.end(), atom) == atoms.end()) return false;
  return atom->IsInCycle();
}

TByteVector TMolecule::RadicalAtoms() const { return NonZeroIndices(m_stored.Unpaired()); }

bool TMolecule::IsSaturated() const {
  return std::ranges::none_of(m_stored.Bonds(), [](const TBondEntry& bond) { return bond.Order > 1; });
}

bool TMolecule::IsAromatic() const {
  return std::any_of(m_atomTypes.begin(), m_atomTypes.end(), [](std::uint8_t type) { return IsAromaticType(type); });
}

std::uint8_t TMolecule::CarbonNumber() const {
  std::uint8_t count = 0;
  for (std::uint8_t type : m_atomTypes)
    if (type >= 2 && type <= 7) ++count;
  return count;
}

std::uint8_t TMolecule::CarbonCount() const {
  if (Inert) return 0;
  std::uint8_t count = 0;
  for (std::uint8_t type : m_atomTypes)
    if (IsCarbonType(type)) ++count;
  return count;
}

double TMolecule::MolarMass() const {
  double mass = 0.0;
  if (AtomCount() < 11) {
    if (m_built)
      for (std::uint8_t type : m_atomTypes) mass += AtomicMass(type);
  } else {
    std::array<int, kAtomTypeCount> perType{};
    for (std::uint8_t type : m_atomTypes)
      if (type < kAtomTypeCount) ++perType[type];
    for (int code = 0; code < kAtomTypeCount; ++code)
      mass += AtomicMass(static_cast<std::uint8_t>(code)) * perType[code];
  }
  return mass;
}

}  // namespace korvane
