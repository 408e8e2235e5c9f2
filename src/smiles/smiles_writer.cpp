#include "smiles/smiles_writer.h"

#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesWrite.h>

#include <algorithm>
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

// The stored bonds as pairs i < j in the order of a walk over the upper
// triangle (row i, then column j), which is the order RDKit receives them
// in; read from the bond list, so nothing grows with the atoms squared.
struct TPair {
  std::size_t I, J;
  std::uint8_t Order;
  bool Aromatic;
};

std::vector<TPair> UpperPairs(const TMolecule& molecule) {
  std::vector<TPair> pairs;
  pairs.reserve(molecule.Bonds().size());
  for (const TBondEntry& bond : molecule.Bonds()) pairs.push_back({bond.Column, bond.Row, bond.Order, bond.Aromatic});
  std::sort(pairs.begin(), pairs.end(), [](const TPair& x, const TPair& y) {
    return x.I != y.I ? x.I < y.I : x.J < y.J;
  });
  return pairs;
}

// Faults of the stored pieces that no SMILES can express; empty when none.
// The first faulty pair in the walk's order is the one named.
std::string StoredProblem(const TMolecule& molecule, const std::vector<TPair>& pairs) {
  const TByteVector& types = molecule.AtomTypes();
  const auto unpaired = molecule.UnpairedElectrons();
  const std::size_t n = types.size();
  if (n == 0) return "a molecule without atoms has no SMILES";
  for (std::size_t i = 0; i < n; ++i)
    if (types[i] == kNoType || types[i] >= kAtomTypeCount)
      return "atom " + std::to_string(i) + " has no element (type code " + std::to_string(types[i]) + ")";
  for (const TPair& pair : pairs) {
    if (pair.Order > 3) return "the bond between " + Pair(pair.I, pair.J) + " has order " + std::to_string(pair.Order);
    if (pair.Aromatic && (!IsAromaticType(types[pair.I]) || !IsAromaticType(types[pair.J])))
      return "the aromatic bond between " + Pair(pair.I, pair.J) + " does not join two aromatic carbons";
  }
  // Helium's two electrons fill its valence; "[He]" stands for exactly that.
  for (std::size_t i = 0; i < n; ++i) {
    if (types[i] != kHelium) continue;
    const bool bonded = std::any_of(pairs.begin(), pairs.end(), [i](const TPair& p) { return p.I == i || p.J == i; });
    if (bonded || unpaired[i] != 2) return AtomLabel(i, types[i]) + " is not a lone helium atom with its two electrons";
  }
  return {};
}

// The atom each plain hydrogen is folded into (as part of its hydrogen
// count), or n where the hydrogen stays an atom of its own: hydrogen
// radicals, H2, and hydrogens bonded to deuterium or tritium.
std::vector<std::size_t> HydrogenOwners(const TMolecule& molecule, const std::vector<TPair>& pairs) {
  const TByteVector& types = molecule.AtomTypes();
  const auto unpaired = molecule.UnpairedElectrons();
  const std::size_t n = types.size();
  std::vector<std::size_t> owner(n, n), bonds(n, 0);
  std::vector<bool> plainPartner(n, false);
  for (const TPair& pair : pairs) {
    for (const auto& [self, other] : {std::pair{pair.I, pair.J}, std::pair{pair.J, pair.I}}) {
      ++bonds[self];
      owner[self] = other;
      plainPartner[self] = pair.Order == 1 && !IsHydrogenLike(types[other]);
    }
  }
  for (std::size_t h = 0; h < n; ++h)
    if (types[h] != kHydrogen || unpaired[h] != 0 || bonds[h] != 1 || !plainPartner[h]) owner[h] = n;
  return owner;
}

// A hydrocarbon chain: carbon and hydrogen isotopes only, no aromatic
// atom, no ring (found here, and kept for the writer).
bool PlainChain(RDKit::RWMol& mol, const TByteVector& types) {
  for (std::uint8_t type : types)
    if (type != kHydrogen && type != kCarbon && type != kDeuterium && type != kTritium && type != kCarbon14)
      return false;
  RDKit::MolOps::fastFindRings(mol);
  return mol.getRingInfo()->numRings() == 0;
}

}  // namespace

TResult<std::string> CanonicalSmiles(const TMolecule& molecule) {
  const std::vector<TPair> pairs = UpperPairs(molecule);
  if (std::string problem = StoredProblem(molecule, pairs); !problem.empty()) return Invalid(problem);
  const TByteVector& types = molecule.AtomTypes();
  const auto unpaired = molecule.UnpairedElectrons();
  const std::size_t n = types.size();

  const std::vector<std::size_t> owners = HydrogenOwners(molecule, pairs);
  std::vector<unsigned> hydrogenCount(n, 0);
  std::vector<bool> folded(n, false);
  for (std::size_t i = 0; i < n; ++i) {
    if (owners[i] == n) continue;
    folded[i] = true;
    ++hydrogenCount[owners[i]];
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
      atom.setNumRadicalElectrons(types[i] == kHelium ? 0 : unpaired[i]);
      rdIndex[i] = mol.addAtom(&atom);  // RDKit keeps a copy
      storedIndex.push_back(i);
    }
    for (const TPair& pair : pairs) {
      if (folded[pair.I] || folded[pair.J]) continue;
      const auto type = pair.Aromatic      ? RDKit::Bond::AROMATIC
                        : pair.Order == 1 ? RDKit::Bond::SINGLE
                        : pair.Order == 2 ? RDKit::Bond::DOUBLE
                                          : RDKit::Bond::TRIPLE;
      mol.addBond(rdIndex[pair.I], rdIndex[pair.J], type);
      if (pair.Aromatic) mol.getBondBetweenAtoms(rdIndex[pair.I], rdIndex[pair.J])->setIsAromatic(true);
    }

    try {
      if (PlainChain(mol, types)) {
        // Nothing to kekulise, perceive or clean up: the valences and the
        // ring search are what sanitisation would leave for the writer, at a
        // fraction of its cost (most species of a cracking network).
        mol.updatePropertyCache(true);
      } else {
        mol.getRingInfo()->reset();
        // Kekulises the aromatic flags and perceives aromaticity anew, so a
        // ring stored in Kekulé form gets the same name as its aromatic form.
        RDKit::MolOps::sanitizeMol(mol);
      }
    } catch (const RDKit::MolSanitizeException& e) {
      return Invalid(std::string("RDKit cannot sanitise the structure: ") + e.what());
    }

    // Checked against the stored diagonal, not RDKit's count: sanitisation
    // gives an atom with a free valence unpaired electrons of its own.
    for (const RDKit::Atom* atom : mol.atoms()) {
      const std::size_t i = storedIndex[atom->getIdx()];
      if (types[i] == kHelium) continue;
      const int used = smiles_detail::UsedValence(*atom, unpaired[i]);
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
