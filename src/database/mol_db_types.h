#pragma once
/// In-memory records of the molecular database files: the whole database
/// file (`TMolDBInfo`), one item (`TMolDBRecord`) and the content of one
/// structure file (`TMolCharacterisation`).
///
/// Text is kept as the raw 8-bit characters stored in the files; every
/// stored length is a byte count.

#include <cstdint>
#include <string>
#include <vector>

#include "core/vectors.h"

namespace korvane {

/// One database item.
struct TMolDBRecord {
  /// Names of the molecule; searching by name looks at these.
  TStrVector Synonyms;
  /// Path of the item's structure file relative to the directory of the
  /// database file, with "\" separators as stored ("structures\propane.ms").
  std::string MSFile;
  /// Free strings, not interpreted by the database.
  TStrVector Reservations;

  friend bool operator==(const TMolDBRecord&, const TMolDBRecord&) = default;
};

using TMolDBRecords = std::vector<TMolDBRecord>;

/// The content of a database file.
struct TMolDBInfo {
  /// Format version; 1 after a successful read, never consulted on writing.
  std::uint8_t Version = 0;
  std::string DBName;
  /// Full path of the database file; set by the reader, not stored in the file.
  std::string DBFileName;
  /// The items in file order; an item's index is its position.
  TMolDBRecords Records;
  /// Free note, for example the author's name.
  std::string Note;

  friend bool operator==(const TMolDBInfo&, const TMolDBInfo&) = default;
};

/// The content of a structure file: the three stored pieces of a molecule
/// and its identification.
struct TMolCharacterisation {
  /// Number given by the user when the structure was saved; becomes the
  /// molecule's ID.
  std::int32_t Identification = 0;
  /// n x n: bond multiplicity off the diagonal (aromatic bonds count 1),
  /// unpaired electrons on the diagonal.
  TByteMatrix AdjacencyMatrix;
  /// n atom-type codes.
  TByteVector AtomTypes;
  /// n x n: true where the bond between i and j is aromatic.
  TBoolMatrix AromaticMatrix;

  friend bool operator==(const TMolCharacterisation&, const TMolCharacterisation&) = default;
};

using TMolCharVector = std::vector<TMolCharacterisation>;

}  // namespace korvane
