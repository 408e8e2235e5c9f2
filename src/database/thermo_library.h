#pragma once
/// A library of published NASA-7 polynomials for the small species whose
/// estimates are weakest (hydrogen, the C1 to C4 hydrocarbons and the allyl
/// radical, the small rings and aromatics), found by a molecule's canonical
/// identity. Its data are those of GRI-Mech 3.0 and of the NASA
/// thermodynamic database (TM-4513), which may be used freely; sets whose
/// terms restrict use in software are left out.
///
/// Each entry carries its SMILES and the same structure in the notation of
/// core/structure_notation.h ("C. C C; 0-1 1=2" is allyl), from which the
/// library builds its key: the database layer does not read SMILES.
///
/// Only plain carbon and hydrogen match: a species with deuterium, tritium or
/// carbon 14 is another species and has no entry.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/molecule.h"
#include "database/nasa_polynomial.h"

namespace korvane {

/// One species of the library.
struct TThermoLibraryEntry {
  /// Common name, for readers ("propene").
  std::string_view Name;
  /// The species as SMILES.
  std::string_view Smiles;
  /// The species in the structure notation above, from which the key is built.
  std::string_view Structure;
  /// The data set, at most six characters (the source field of a CHEMKIN
  /// thermo record): "GRI30" or "NASA".
  std::string_view Source;
  TNasaPolynomial Polynomial;
};

/// The library: an immutable table indexed by canonical certificate.
class TThermoLibrary {
 public:
  /// The one library, built on first use (thread-safe) and never changed
  /// afterwards, so any number of threads may look species up in it.
  static const TThermoLibrary& Instance();

  /// The entry of the species, or null. Computes the molecule's certificate,
  /// which the molecule caches: the caller must not share the molecule with
  /// another thread during the call.
  const TThermoLibraryEntry* Find(const TMolecule& molecule) const;

  /// Every entry, in table order.
  std::span<const TThermoLibraryEntry> Entries() const { return m_entries; }

 private:
  TThermoLibrary();

  std::vector<TThermoLibraryEntry> m_entries;
  std::unordered_map<std::string, std::size_t> m_byCertificate;
  std::size_t m_largest = 0;  // atoms of the largest entry
};

}  // namespace korvane
