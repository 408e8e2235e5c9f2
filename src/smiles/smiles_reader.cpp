#include "smiles/smiles_reader.h"

#include <GraphMol/MolOps.h>
#include <GraphMol/RWMol.h>
#include <GraphMol/SmilesParse/SmilesParse.h>

#include <algorithm>
#include <cassert>
#include <exception>
#include <vector>

#include "core/atom_types.h"
#include "smiles/smiles_writer.h"
#include "smiles/valence_rule.h"

namespace korvane {
namespace {

constexpr std::string_view kSpaces = " \t\r\n\f\v";
// Even written with brackets, isotopes, atom maps, ring closures and
// branches at every atom, 255 atoms take a few thousand characters; longer
// text is refused unread, since reading it costs time for nothing.
constexpr std::size_t kMaxSmilesLength = 16384;
// Long SMILES are cut in messages so that a message stays one readable line.
constexpr std::size_t kQuotedLength = 40;

std::string Quoted(std::string_view smiles) {
  if (smiles.size() <= kQuotedLength) return "'" + std::string(smiles) + "'";
  return "'" + std::string(smiles.substr(0, kQuotedLength - 3)) + "...'";
}

bool IsSupportedElement(int atomicNumber) {
  return atomicNumber == 1 || atomicNumber == 2 || atomicNumber == 6 || atomicNumber == 7 || atomicNumber == 8;
}

bool IsSupportedIsotope(int atomicNumber, unsigned isotope) {
  return isotope == 0 || (atomicNumber == 1 && (isotope == 2 || isotope == 3)) || (atomicNumber == 6 && isotope == 14);
}

// What the molecule model cannot hold about an atom as written, before RDKit
// has perceived anything; empty when the atom is fine.
std::string WrittenAtomProblem(const RDKit::Atom& atom, const std::string& quoted) {
  const int z = atom.getAtomicNum();
  if (!IsSupportedElement(z)) return "unsupported element " + atom.getSymbol() + " in " + quoted;
  if (atom.getFormalCharge() != 0) return "charged atoms are not supported in " + quoted;
  if (!IsSupportedIsotope(z, atom.getIsotope()))
    return "isotope [" + std::to_string(atom.getIsotope()) + atom.getSymbol() + "] in " + quoted +
           " is not supported; the known isotopes are [2H], [3H] and [14C]";
  if (atom.getIsAromatic() && z != 6)
    return "aromatic " + atom.getSymbol() + " in " + quoted + " is not supported; only carbon can be aromatic";
  return {};
}

// The same question after sanitisation, which may have made atoms aromatic
// and has assigned hydrogen counts.
std::string PerceivedAtomProblem(const RDKit::Atom& atom, const std::string& quoted) {
  if (atom.getIsAromatic() && atom.getAtomicNum() != 6)
    return "aromatic " + atom.getSymbol() + " in " + quoted + " is not supported; only carbon can be aromatic";
  // Helium stands alone: its two electrons fill its valence.
  if (atom.getAtomicNum() == 2 && (atom.getDegree() > 0 || atom.getTotalNumHs() > 0))
    return "helium bonded to other atoms is not supported in " + quoted;
  return {};
}

std::uint8_t TypeCode(const RDKit::Atom& atom) {
  switch (atom.getAtomicNum()) {
    case 1:
      return atom.getIsotope() == 2 ? kDeuterium : atom.getIsotope() == 3 ? kTritium : kHydrogen;
    case 2:
      return kHelium;
    case 6:
      if (atom.getIsotope() == 14) return atom.getIsAromatic() ? kAromaticCarbon14 : kCarbon14;
      return atom.getIsAromatic() ? kAromaticCarbon : kCarbon;
    case 7:
      return kNitrogen;
    default:
      return kOxygen;
  }
}

// A hydrogen written as an atom that sits on a non-hydrogen atom joins that
// atom's hydrogens; hydrogens of H2 or a lone hydrogen atom keep their place.
bool IsOwnedHydrogen(const RDKit::ROMol& mol, const RDKit::Atom& atom) {
  if (atom.getAtomicNum() != 1 || atom.getDegree() != 1) return false;
  for (const RDKit::Atom* neighbour : mol.atomNeighbors(&atom))
    if (neighbour->getAtomicNum() == 1) return false;
  return true;
}

// Bond order as stored; 0 for bonds the molecule model has no order for.
std::uint8_t StoredOrder(const RDKit::Bond& bond) {
  switch (bond.getBondType()) {
    case RDKit::Bond::SINGLE:
    case RDKit::Bond::AROMATIC:
      return 1;
    case RDKit::Bond::DOUBLE:
      return 2;
    case RDKit::Bond::TRIPLE:
      return 3;
    default:
      return 0;
  }
}

bool IsAromaticBond(const RDKit::Bond& bond) {
  return bond.getIsAromatic() || bond.getBondType() == RDKit::Bond::AROMATIC;
}

TError Invalid(std::string message) { return {TErrorCode::InvalidInput, std::move(message)}; }

TResult<std::unique_ptr<TMolecule>> ReadSanitised(const RDKit::ROMol& mol, const std::string& quoted,
                                                  std::int32_t id) {
  for (const RDKit::Atom* atom : mol.atoms())
    if (std::string problem = PerceivedAtomProblem(*atom, quoted); !problem.empty()) return Invalid(problem);
  // RDKit's clean-up may give atoms charges ("[H][NH]#N" becomes
  // "[H][NH+]=[N-]") and lets some atoms keep more valence than their
  // element has; neither could be written back.
  for (const RDKit::Atom* atom : mol.atoms()) {
    if (atom->getAtomicNum() == 2) continue;
    if (atom->getFormalCharge() != 0) return Invalid("charged atoms are not supported in " + quoted);
    const int used = smiles_detail::UsedValence(*atom, static_cast<int>(atom->getNumRadicalElectrons()));
    const int valence = smiles_detail::DefaultValence(*atom);
    if (used != valence)
      return Invalid("atom " + std::to_string(atom->getIdx()) + " (" + atom->getSymbol() + ") of " + quoted +
                     " has valence " + std::to_string(used) + "; " + atom->getSymbol() + " has " +
                     std::to_string(valence));
  }
  // The identity test matches molecules from one anchor atom, so a
  // structure of several fragments would never be recognised, not even as
  // itself.
  std::vector<int> fragmentOf;
  if (const unsigned fragments = RDKit::MolOps::getMolFrags(mol, fragmentOf); fragments > 1)
    return Invalid(quoted + " holds " + std::to_string(fragments) +
                   " separate fragments; write one species per SMILES");
  for (const RDKit::Bond* bond : mol.bonds()) {
    const std::string atoms =
        "atoms " + std::to_string(bond->getBeginAtomIdx()) + " and " + std::to_string(bond->getEndAtomIdx());
    if (bond->getBondType() == RDKit::Bond::QUADRUPLE)
      return Invalid("quadruple bond between " + atoms + " in " + quoted + " is not supported");
    if (StoredOrder(*bond) == 0) return Invalid("unsupported bond between " + atoms + " in " + quoted);
    // RDKit may leave a double or triple bond inside an aromatic system
    // ("c1ccc:c#C:1") and keeps an aromatic bond written between aliphatic
    // atoms ("C:C"); the model's aromatic carbons join by aromatic bonds only.
    const bool aromaticEnds = bond->getBeginAtom()->getIsAromatic() && bond->getEndAtom()->getIsAromatic();
    if (aromaticEnds && StoredOrder(*bond) > 1)
      return Invalid("multiple bond between aromatic " + atoms + " in " + quoted + " is not supported");
    if (IsAromaticBond(*bond) && !aromaticEnds)
      return Invalid("aromatic bond between " + atoms + " in " + quoted + " lies outside an aromatic ring");
  }

  std::size_t total = mol.getNumAtoms();
  for (const RDKit::Atom* atom : mol.atoms()) total += atom->getTotalNumHs();
  if (total > kMaxAtoms)
    return Invalid("a molecule holds at most " + std::to_string(kMaxAtoms) + " atoms; " + quoted + " has " +
                   std::to_string(total));

  // The atoms in stored order: an RDKit atom, or (atom null) a hydrogen of
  // the hydrogen count of the atom at position `owner`.
  struct TPlaced {
    const RDKit::Atom* atom;
    std::size_t owner;
  };
  std::vector<TPlaced> placed;
  placed.reserve(total);
  for (const RDKit::Atom* atom : mol.atoms())
    if (!IsOwnedHydrogen(mol, *atom)) placed.push_back({atom, 0});
  const std::size_t skeleton = placed.size();
  for (std::size_t owner = 0; owner < skeleton; ++owner) {
    const RDKit::Atom* atom = placed[owner].atom;
    std::vector<const RDKit::Atom*> written;
    for (const RDKit::Atom* neighbour : mol.atomNeighbors(atom))
      if (IsOwnedHydrogen(mol, *neighbour)) written.push_back(neighbour);
    std::sort(written.begin(), written.end(),
              [](const RDKit::Atom* a, const RDKit::Atom* b) { return a->getIdx() < b->getIdx(); });
    for (const RDKit::Atom* h : written) placed.push_back({h, owner});
    for (unsigned k = 0; k < atom->getTotalNumHs(); ++k) placed.push_back({nullptr, owner});
  }

  assert(placed.size() == total);

  std::vector<std::size_t> index(mol.getNumAtoms());
  TByteMatrix adjacency(total, total, 0);
  TBoolMatrix aromatic(total, total, false);
  TByteVector types(total, kHydrogen);
  for (std::size_t i = 0; i < total; ++i) {
    const RDKit::Atom* atom = placed[i].atom;
    if (!atom) {
      adjacency[i][placed[i].owner] = adjacency[placed[i].owner][i] = 1;
      continue;
    }
    index[atom->getIdx()] = i;
    types[i] = TypeCode(*atom);
    adjacency[i][i] = types[i] == kHelium ? 2 : static_cast<std::uint8_t>(atom->getNumRadicalElectrons());
  }
  for (const RDKit::Bond* bond : mol.bonds()) {
    const std::size_t i = index[bond->getBeginAtomIdx()];
    const std::size_t j = index[bond->getEndAtomIdx()];
    adjacency[i][j] = adjacency[j][i] = StoredOrder(*bond);
    aromatic[i][j] = aromatic[j][i] = IsAromaticBond(*bond);
  }

  std::string problem;
  auto molecule = TMolecule::FromStructure(id, std::move(adjacency), std::move(types), std::move(aromatic), &problem);
  if (!molecule) return Invalid(problem + " (" + quoted + ")");
  // The checks above cover what RDKit is known to let through; this one
  // keeps the promise that every species read can be named again.
  if (const auto named = CanonicalSmiles(*molecule); !named)
    return Invalid(quoted + " gives a structure without SMILES: " + named.error().Message);
  return molecule;
}

}  // namespace

TResult<std::unique_ptr<TMolecule>> MoleculeFromSmiles(std::string_view smiles, std::int32_t id) {
  const std::size_t first = smiles.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return Invalid("empty SMILES");
  smiles = smiles.substr(first, smiles.find_last_not_of(kSpaces) - first + 1);
  const std::string quoted = Quoted(smiles);
  if (smiles.size() > kMaxSmilesLength)
    return Invalid(quoted + " is " + std::to_string(smiles.size()) + " characters long; a SMILES of at most " +
                   std::to_string(kMaxAtoms) + " atoms is far shorter (at most " +
                   std::to_string(kMaxSmilesLength) + " characters are read)");
  // RDKit reads text after a space as a title or as CXSMILES extensions; a
  // feed typed as "CC C" must not silently become ethane.
  if (smiles.find_first_of(kSpaces) != std::string_view::npos)
    return Invalid("unexpected text after the SMILES in " + quoted);

  try {
    RDKit::SmilesParserParams params;
    // Sanitised below, after the atoms are checked, so that an unsupported
    // atom is named as such rather than by a valence complaint.
    params.sanitize = false;
    params.removeHs = false;
    params.allowCXSMILES = false;
    params.parseName = false;
    std::unique_ptr<RDKit::RWMol> mol(RDKit::SmilesToMol(std::string(smiles), params));
    if (!mol) return Invalid(quoted + " is not valid SMILES");
    // Ring perception during sanitisation takes far longer than reading;
    // a SMILES whose written atoms alone exceed the limit is refused first.
    if (mol->getNumAtoms() > kMaxAtoms)
      return Invalid("a molecule holds at most " + std::to_string(kMaxAtoms) + " atoms; " + quoted + " has " +
                     std::to_string(mol->getNumAtoms()) + " without its hydrogens");
    for (const RDKit::Atom* atom : mol->atoms())
      if (std::string problem = WrittenAtomProblem(*atom, quoted); !problem.empty()) return Invalid(problem);
    try {
      // Sanitisation perceives aromaticity (see the header) and turns the
      // hydrogen counts of bracket atoms into unpaired electrons.
      RDKit::MolOps::sanitizeMol(*mol);
    } catch (const RDKit::MolSanitizeException& e) {
      return Invalid("RDKit cannot sanitise " + quoted + ": " + e.what());
    }
    return ReadSanitised(*mol, quoted, id);
  } catch (const std::exception& e) {
    return Invalid("cannot read " + quoted + ": " + e.what());
  } catch (...) {
    return Invalid("cannot read " + quoted);
  }
}

}  // namespace korvane
