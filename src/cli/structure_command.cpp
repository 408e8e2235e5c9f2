// korvane-cli structure: structure files from SMILES, and what a structure
// file holds.

#include <filesystem>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_text.h"
#include "database/mol_structure_file.h"
#include "smiles/smiles_reader.h"

namespace korvane {

int RunStructure(const StructureOptions& options, const CliStreams& streams) {
  if (!options.Output) {
    const Feed feed = LoadFeed(options.Input, nullptr);
    streams.Out << StructureDescription(*feed.Molecule);
    return kExitSuccess;
  }
  const FeedArgument argument = ParseFeedArgument(options.Input);
  // With an output the argument is always a SMILES; "smiles:" may be written.
  const std::string smiles = argument.Kind == FeedKind::Smiles ? argument.Value : options.Input;
  std::string problem;
  const auto molecule = MoleculeFromSmiles(smiles, &problem, options.Identification);
  if (!molecule) throw InputError(options.Input, problem);

  const TMolCharacterisation structure{options.Identification, molecule->GetAdjacencyMatrix(),
                                       molecule->GetAtomTypes(), molecule->GetAromaticMatrix()};
  if (std::string limit = MolStructureLimitProblem(structure); !limit.empty())
    throw InputError(options.Input, limit);
  CheckOutputFile(*options.Output);
  try {
    WriteMolStructureFile(structure, *options.Output);
  } catch (const std::filesystem::filesystem_error& e) {
    throw InputError(*options.Output, e.code().message());
  }
  streams.Out << "wrote " << *options.Output << '\n' << StructureDescription(*molecule);
  return kExitSuccess;
}

}  // namespace korvane
