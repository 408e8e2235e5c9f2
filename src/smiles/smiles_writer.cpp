#include "smiles/smiles_writer.h"

#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <exception>
#include <vector>

#include "core/atom_types.h"
#include "smiles/valence_rule.h"

namespace korvane {
namespace {

TError Invalid(std::string message) { return {TErrorCode::InvalidInput, std::move(message)}; }

int AtomicNumber(std::uint8_t type) {
  switch (type) {
    case kHydrogen:
    case kDeuterium:
    case kTritium:
      return 1;
    case kHelium:
      return 2;
    case kNitrogen:
      return 7;
    case kOxygen:
      return 8;
    default:
      return 6;
  }
}

unsigned Isotope(std::uint8_t type) {
  switch (type) {
    case kDeuterium:
      return 2;
    case kTritium:
      return 3;
    case kCarbon14:
    case kAromaticCarbon14:
      return 14;
    default:
      return 0;
  }
}

std::string AtomLabel(std::size_t i, std::uint8_t type) {
  return "atom " + std::to_string(i) + " (" + AtomSymbol(type) + ")";
}

std::string Pair(std::size_t i, std::size_t j) { return "atoms " + std::to_string(i) + " and " + std::to_string(j); }

// The molecule's matrices, expanded for this call only: naming every
// component of a large network must not leave each molecule holding them.
struct TMatrices {
  TByteMatrix Adjacency;
  TBoolMatrix Aromatic;
};

TMatrices Expanded(const TMolecule& molecule) {
  TMatrices matrices;
  molecule.ExpandMatrices(matrices.Adjacency, matrices.Aromatic);
  return matrices;
}

// Faults of the stored pieces that no SMILES can express; empty when none.
std::string StoredProblem(const TMolecule& molecule, const TMatrices& matrices) {
  const TByteMatrix& adjacency = matrices.Adjacency;
  const TByteVector& types = molecule.AtomTypes();
  const TBoolMatrix& aromatic = matrices.Aromatic;
  const std::size_t n = types.size();
  if (n == 0) return "a molecule without atoms has no SMILES";
  for (std::size_t i = 0; i < n; ++i)
    if (types[i] == kNoType || types[i] >= kAtomTypeCount)
      return "atom " + std::to_string(i) + " has no element (type code " + std::to_string(types[i]) + ")";
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n; ++j) {
      if (adjacency[i][j] > 3)
        return "the bond between " + Pair(i, j) + " has order " + std::to_string(adjacency[i][j]);
      if (!aromatic[i][j]) continue;
      if (!IsAromaticType(types[i]) || !IsAromaticType(types[j]))
        return "the aromatic bond between " + Pair(i, j) + " does not join two aromatic carbons";
    }
  }
  // Helium's two electrons fill its valence; "[He]" stands for exactly that.
  for (std::size_t i = 0; i < n; ++i) {
    if (types[i] != kHelium) continue;
    bool bonded = false;
    for (std::size_t j = 0; j < n; ++j) bonded = bonded || (j != i && adjacency[i][j] != 0);
    if (bonded || adjacency[i][i] != 2)
      return AtomLabel(i, types[i]) + " is not a lone helium atom with its two electrons";
  }
  return {};
}

// The atom a plain hydrogen is folded into (as part of its hydrogen count),
// or n when the hydrogen stays an atom of its own: hydrogen radicals, H2,
// and hydrogens bonded to deuterium or tritium.
std::size_t HydrogenOwner(const TMolecule& molecule, const TByteMatrix& adjacency, std::size_t h) {
  const TByteVector& types = molecule.AtomTypes();
  const std::size_t n = types.size();
  if (types[h] != kHydrogen || adjacency[h][h] != 0) return n;
  std::size_t owner = n;
  for (std::size_t j = 0; j < n; ++j) {
    if (j == h || adjacency[h][j] == 0) continue;
    if (owner != n || adjacency[h][j] != 1 || IsHydrogenLike(types[j])) return n;
    owner = j;
  }
  return owner;
}

}  // namespace

TResult<std::string> CanonicalSmiles(const TMolecule& molecule) {
  const TMatrices matrices = Expanded(molecule);
  if (std::string problem = StoredProblem(molecule, matrices); !problem.empty()) return Invalid(problem);
  const TByteMatrix& adjacency = matrices.Adjacency;
  const TByteVector& types = molecule.AtomTypes();
  const TBoolMatrix& aromatic = matrices.Aromatic;
  const std::size_t n = types.size();

  std::vector<unsigned> hydrogenCount(n, 0);
  std::vector<bool> folded(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t owner = HydrogenOwner(molecule, adjacency, i);
    if (owner == n) continue;
    folded[i] = true;
    ++hydrogenCount[owner];
  }

  try {
    RDKit::RWMol mol;
    // RDKit index of each unfolded atom, and the stored index of each RDKit atom.
    std::vector<unsigned> rdIndex(n, 0);
    std::vector<std::size_t> storedIndex;
    for (std::size_t i = 0; i < n; ++i) {
      if (folded[i]) continue;
      RDKit::Atom atom(AtomicNumber(types[i]));
      atom.setIsotope(Isotope(types[i]));
      atom.setIsAromatic(IsAromaticType(types[i]));
      // Every hydrogen is accounted for; RDKit must not add its own.
      atom.setNoImplicit(true);
      atom.setNumExplicitHs(hydrogenCount[i]);
      atom.setNumRadicalElectrons(types[i] == kHelium ? 0 : adjacency[i][i]);
      rdIndex[i] = mol.addAtom(&atom);  // RDKit keeps a copy
      storedIndex.push_back(i);
    }
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = i + 1; j < n; ++j) {
        if (folded[i] || folded[j] || adjacency[i][j] == 0) continue;
        const auto type = aromatic[i][j]         ? RDKit::Bond::AROMATIC
                          : adjacency[i][j] == 1 ? RDKit::Bond::SINGLE
                          : adjacency[i][j] == 2 ? RDKit::Bond::DOUBLE
                                                 : RDKit::Bond::TRIPLE;
        mol.addBond(rdIndex[i], rdIndex[j], type);
        if (aromatic[i][j]) mol.getBondBetweenAtoms(rdIndex[i], rdIndex[j])->setIsAromatic(true);
      }
    }

    try {
      // Kekulises the aromatic flags and perceives aromaticity anew, so a
      // ring stored in Kekulé form gets the same name as its aromatic form.
      RDKit::MolOps::sanitizeMol(mol);
    } catch (const RDKit::MolSanitizeException& e) {
      return Invalid(std::string("RDKit cannot sanitise the structure: ") + e.what());
    }

    // Checked against the stored diagonal, not RDKit's count: sanitisation
    // gives an atom with a free valence unpaired electrons of its own.
    for (const RDKit::Atom* atom : mol.atoms()) {
      const std::size_t i = storedIndex[atom->getIdx()];
      if (types[i] == kHelium) continue;
      const int used = smiles_detail::UsedValence(*atom, adjacency[i][i]);
      const int valence = smiles_detail::DefaultValence(*atom);
      if (used != valence)
        return Invalid(AtomLabel(i, types[i]) + " has bonds and unpaired electrons adding up to " +
                       std::to_string(used) + " instead of its valence " + std::to_string(valence));
    }
    return RDKit::MolToSmiles(mol);
  } catch (const std::exception& e) {
    return Invalid(std::string("no SMILES for this structure: ") + e.what());
  } catch (...) {
    return Invalid("no SMILES for this structure");
  }
}

}  // namespace korvane
