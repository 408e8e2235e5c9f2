#pragma once
/// Reading what the batch tool is given: feeds (a structure file, a SMILES
/// or a database name), molecular databases, network files and the kinetic
/// parameter file. Every problem is thrown as an InputError naming the input.

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/network_session.h"
#include "core/molecule.h"
#include "database/db_coordinator.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

enum class FeedKind {
  StructureFile,  ///< a path to a ".ms" file
  Smiles,         ///< "smiles:<SMILES>"
  DatabaseName,   ///< "db:<name>", an exact synonym of a database item
};

struct FeedArgument {
  FeedKind Kind = FeedKind::StructureFile;
  /// The path, the SMILES or the name, without its prefix.
  std::string Value;
};

/// Splits a feed argument at its prefix; any text without "smiles:" or
/// "db:" is a structure file path. Throws InputError for an empty feed or an
/// empty SMILES or name.
FeedArgument ParseFeedArgument(const std::string& text);

/// A feed read into a built molecule.
struct Feed {
  std::unique_ptr<TMolecule> Molecule;
  /// The database item's first synonym for a "db:" feed, else empty.
  std::string Name;
};

/// Reads a feed. `database` serves "db:" feeds and may be null otherwise;
/// it must have its molecules built.
Feed LoadFeed(const std::string& text, const TDBCoordinator* database);

/// Index of the first item one of whose synonyms is exactly `name`, or -1.
int FindItemBySynonym(const TDBCoordinator& database, const std::string& name);

/// Opens a molecular database file; with `withStructures` also reads every
/// item's structure file and builds the molecules (a structure that does not
/// read is an error naming the item and its file).
std::unique_ptr<TDBCoordinator> OpenDatabase(const std::string& fileName, bool withStructures);

/// The database of a run's feeds: `option` (--db) when given; else the
/// database bundled with the programs when some feed is a "db:" feed (an
/// InputError when it is not found); else none.
std::unique_ptr<TDBCoordinator> OpenFeedDatabase(const std::optional<std::string>& option,
                                                 const std::vector<std::string>& feeds);

/// A session of a network file with its note. A missing file or any damage
/// is an InputError.
std::unique_ptr<TNetworkSession> LoadNetworkInput(const std::string& fileName);

/// Fills `set` from the kinetic parameter file: `fileName` when given (it
/// must exist), else ./kinpar.ini when it exists, else the defaults stay.
/// Each damage flag is reported on `warnings` with its message. Returns the
/// file read, empty when the set keeps the defaults.
std::string LoadKineticParameterInput(const std::optional<std::string>& fileName, TKineticParameterSet& set,
                               std::ostream& warnings);

/// Checks, before any work, that an output file can be written: a name is
/// given, it is not a directory, and its folder exists and takes a new file
/// (tried by creating and removing one). Throws InputError with the reason
/// ("Permission denied", "Read-only file system", ...), so that work is not
/// lost at its end for want of a place to write it.
void CheckOutputFile(const std::string& fileName);

}  // namespace korvane
