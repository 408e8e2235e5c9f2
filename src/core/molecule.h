#pragma once
/// TMolecule: the one representation of a chemical species (database entry,
/// feed, product, network component, drawn structure).
///
/// A molecule is defined by three stored pieces: the atom-type vector, the
/// adjacency matrix (bond orders off the diagonal, unpaired electrons on it)
/// and the aromatic matrix. The molecule keeps them compactly (its bonds and
/// unpaired electrons: memory grows with the atoms, not their square) and
/// expands the matrices when they are asked for. After `Build`, everything
/// else is derived on first use: the atoms with their neighbour lists, the
/// invariants, the distance and bond-energy matrices and the certificate.
/// Atom indices are bytes, so a molecule holds at most 255 atoms.
///
/// The derived data live in caches filled by const accessors: a molecule is
/// used by one thread at a time (generation hands each one to one thread).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/atom.h"
#include "core/bond_scan.h"
#include "core/compact_structure.h"
#include "core/reaction_links.h"
#include "core/vectors.h"

namespace korvane {

class TReaction;  // defined by the reactions layer; molecules only refer to reactions

/// Largest number of atoms a molecule can hold (indices are bytes).
inline constexpr std::size_t kMaxAtoms = 255;

/// Graph invariants compared first by the identity test.
struct TInvariants {
  bool Radical = false;
  bool Cyclic = false;
  std::uint8_t AtomCount = 0;
  /// Number of atoms of each type code 0..10.
  TByteVector AtomsPerType;
  /// Row sums of the adjacency matrix (unpaired electrons included), descending.
  TByteVector GraphScore1;
  /// Neighbour counts (self entries included), descending.
  TByteVector GraphScore2;

  friend bool operator==(const TInvariants&, const TInvariants&) = default;
};

/// Side of ReactionLinks holding the reactions that form the molecule, and
/// the side holding those that consume it.
inline constexpr int kFormedIn = 0;
inline constexpr int kConsumedIn = 1;

class TMolecule {
 public:
  explicit TMolecule(std::int32_t id = 0);
  virtual ~TMolecule();
  TMolecule(const TMolecule&) = delete;
  TMolecule& operator=(const TMolecule&) = delete;

  /// Creates and builds a molecule from its three stored pieces; null (with
  /// the reason in `error`) when they do not describe a valid structure.
  static std::unique_ptr<TMolecule> FromStructure(std::int32_t id, TByteMatrix adjacency, TByteVector atomTypes,
                                                  TBoolMatrix aromatic, std::string* error = nullptr);
  /// A built molecule of ID 0 for a structure that a generator derived from
  /// a valid molecule, given as a molecule stores it (see Bonds) together
  /// with the MoleculeCertificate the generator has just computed: nothing
  /// is checked again, and the certificate is kept instead of computed anew.
  static std::unique_ptr<TMolecule> FromIdentifiedBonds(const TByteVector& atomTypes, const TBondList& bonds,
                                                        const TByteVector& unpaired, const TByteVector& aromaticSelf,
                                                        std::string_view certificate, bool hasRing);

  /// In a network: the molecule's position in the component list.
  std::int32_t ID;
  /// Display name; "Noname" at creation.
  std::string Name = "Noname";
  /// Reachability mark used when a network is pruned.
  bool Marked = false;
  /// Set only on the inert components (helium, nitrogen, water).
  bool Inert = false;
  /// Reactions the molecule takes part in: [kFormedIn] and [kConsumedIn],
  /// with its coefficient in each (ReactionLinks.Coefficients(side)).
  /// Non-owning; maintained by the reaction network.
  TReactionLinks ReactionLinks;

  std::int32_t GetID() const { return ID; }
  void SetID(std::int32_t id) { ID = id; }

  /// Stores the three pieces; nothing is derived until `Build`. Refuses (and
  /// leaves the molecule unchanged) more than 255 atoms, pieces whose sizes
  /// disagree, and matrices that are not symmetric or mark as aromatic what
  /// is not a bond of order 1, with the reason in `error`.
  bool SetStructure(TByteMatrix adjacency, TByteVector atomTypes, TBoolMatrix aromatic,
                    std::string* error = nullptr);
  /// Makes the stored structure the molecule's: the atoms and the other
  /// derived data follow from it on first use.
  void Build();
  /// Frees the atoms, the expanded adjacency and aromatic matrices and the
  /// distance and bond-energy matrices; they are derived again when next
  /// asked for, so references to them end here. The driver calls it on a
  /// component it has processed, so memory grows with the network and not
  /// with the atoms squared of every component. Invariants and certificate
  /// stay.
  void ReleaseDerivedData();
  /// Destroys the atoms and empties the three stored pieces.
  void ClearStructure();
  /// A new built molecule with the same ID and copies of the three pieces;
  /// named "Noname", not inert, without reaction links.
  std::unique_ptr<TMolecule> Copy() const;

  // Stored and derived data, by reference (no copy).
  const TByteMatrix& AdjacencyMatrix() const {
    if (!m_derived || !m_derived->Adjacency) expandMatrices();
    return *m_derived->Adjacency;
  }
  const TByteVector& AtomTypes() const { return m_atomTypes; }
  /// The stored structure without matrices: the bonds below the diagonal of
  /// the adjacency matrix in row order (as Build reads them), its diagonal
  /// (unpaired electrons of each atom) and the atoms whose aromatic diagonal
  /// entry is set, ascending. Reading these costs nothing; the matrices are
  /// expanded from them on first use.
  std::span<const TBondEntry> Bonds() const { return m_stored.Bonds(); }
  std::span<const std::uint8_t> UnpairedElectrons() const { return m_stored.Unpaired(); }
  std::span<const std::uint8_t> AromaticSelfAtoms() const { return m_stored.AromaticSelf(); }
  const TBoolMatrix& AromaticMatrix() const {
    if (!m_derived || !m_derived->Aromatic) expandMatrices();
    return *m_derived->Aromatic;
  }
  /// The two matrices made from the stored pieces into the caller's
  /// (reusing their memory), without keeping them in the molecule: for code
  /// that sweeps a whole network and must not leave every molecule holding
  /// its expanded matrices.
  void ExpandMatrices(TByteMatrix& adjacency, TBoolMatrix& aromatic) const;
  /// Bonds on a shortest path; 0 on the diagonal, 255 where no path exists.
  const TByteMatrix& DistanceMatrix() const;
  /// Bond energy of each bond [kJ/mol]: radical variant for radicals,
  /// otherwise the non-radical variant. Only bonded pairs carry meaning.
  const TIntMatrix& BondEnergyMatrix() const;
  const TInvariants& Invariants() const;
  /// Canonical certificate of the stored structure (see certificate.h): equal
  /// exactly for molecules that are the same species. Computed on first use
  /// after Build; the view lasts until the structure changes.
  std::string_view Certificate() const;
  /// Some bonds form a ring (a cycle of the graph, whatever its atoms);
  /// known with the certificate.
  bool HasRing() const;
  /// RadicalAtoms() of the stored structure, without a copy.
  std::span<const std::uint8_t> RadicalAtomIndices() const { return m_stored.RadicalAtoms(); }
  /// The atoms in index order (none before Build).
  const TAtomVector& Atoms() const {
    return m_derived && !m_derived->Atoms.empty() ? m_derived->Atoms : buildAtoms();
  }
  /// Mass fraction of each atom type, indices 1..10 (index 0 unused); -1
  /// until the invariants are first computed.
  const std::array<double, 11>& MassFractions() const;

  // Independent copies, for callers that modify what they receive.
  TByteMatrix GetAdjacencyMatrix() const { return AdjacencyMatrix(); }
  TByteVector GetAtomTypes() const { return m_atomTypes; }
  TBoolMatrix GetAromaticMatrix() const { return AromaticMatrix(); }
  TByteMatrix GetDistanceMatrix() const { return DistanceMatrix(); }
  TIntMatrix GetBondEnergyMatrix() const { return BondEnergyMatrix(); }
  TAtomVector GetAtoms() const { return Atoms(); }
  TInvariants GetInvariants() const { return Invariants(); }
  TAtom* GetAtom(std::size_t index) const { return Atoms()[index]; }
  /// Number of atoms: the atom types once built, 0 before.
  std::size_t AtomCount() const { return m_built ? m_atomTypes.size() : 0; }

  /// Refreshes the invariants and the mass fractions.
  void ComputeInvariants();

  // Characterisation. Some walks below use the atoms' Visited and SearchState
  // marks as scratch space; none changes a neighbour list.
  bool IsRadical() const;
  /// Ring test by the degree-of-unsaturation balance; false for Inert.
  bool IsCyclic() const;
  bool IsConnected() const;
  /// The connected fragments, ordered by their lowest atom index.
  TAtomMatrix Components() const;
  /// Formula text such as "H8C3"; toluene with aromatic carbons gives "H8C1C6".
  std::string Formula() const;
  /// Atoms on rings, found by testing every skeleton bond as a bridge.
  TAtomVector CycleAtoms() const;
  TByteVector CycleAtomIndices() const;
  bool IsAtomInCycle(TAtom* atom) const;
  /// Indices, ascending, whose diagonal adjacency entry is not 0.
  TByteVector RadicalAtoms() const;
  /// No bond of order above 1 (aromatic bonds count as single).
  bool IsSaturated() const;
  /// Some atom is an aromatic carbon (type 3 or 7).
  bool IsAromatic() const;
  /// Atoms of type codes 2..7.
  std::uint8_t CarbonNumber() const;
  /// Atoms of type codes 2, 3, 6, 7; 0 for an inert molecule.
  std::uint8_t CarbonCount() const;
  /// Molar mass [g/mol].
  double MolarMass() const;

 private:
  void destroyAtoms();
  const TAtomVector& buildAtoms() const;
  void computeInvariants() const;
  void expandMatrices() const;
  /// Stores the compact form of the matrices (both n x n for the atom types).
  void compact(const TByteMatrix& adjacency, const TBoolMatrix& aromatic);

  // Derived from the stored structure on first use and dropped whole by
  // ReleaseDerivedData: a component at rest carries one null pointer for all
  // of it, which keeps large networks small.
  struct TDerived {
    std::optional<TByteMatrix> Adjacency;
    std::optional<TBoolMatrix> Aromatic;
    std::vector<TAtom> AtomStore;  // owns the atoms; never grows once filled
    TAtomVector Atoms;
    std::optional<TByteMatrix> Distance;
    std::optional<TIntMatrix> BondEnergy;
    TInvariants Invariants;
    std::array<double, 11> MassFractions;
    bool InvariantsCurrent = false;
    TDerived() { MassFractions.fill(-1.0); }
  };
  TDerived& derived() const {
    if (!m_derived) m_derived = std::make_unique<TDerived>();
    return *m_derived;
  }

  // The stored structure (see Bonds) with its radical atoms, and the
  // certificate once known: the certificate stays with the component, the
  // network finds it by it.
  TByteVector m_atomTypes;
  mutable TCompactStructure m_stored;
  mutable std::unique_ptr<TDerived> m_derived;
  mutable bool m_certificateKnown = false;
  mutable bool m_hasRing = false;               // with the certificate
  mutable std::optional<bool> m_balanceCyclic;  // IsCyclic's balance, inert or not
  bool m_built = false;
};

/// Why an adjacency matrix and an aromatic matrix, both n x n, cannot
/// describe a molecule: either is not symmetric, or an aromatic mark off the
/// diagonal stands on what is not a bond of order 1. Empty when they can.
std::string StructureMatrixProblem(const TByteMatrix& adjacency, const TBoolMatrix& aromatic);

/// Non-owning list of molecules.
using TMoleculeVector = std::vector<TMolecule*>;

}  // namespace korvane
