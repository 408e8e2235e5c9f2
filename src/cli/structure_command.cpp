// korvane-cli structure: structure files from SMILES, and what a structure
// file holds.

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
  const auto read = MoleculeFromSmiles(smiles, options.Identification);
  if (!read) throw InputError(options.Input, read.error().Message);
  const TMolecule* molecule = read.value().get();

  const TMolCharacterisation structure{options.Identification, molecule->GetAdjacencyMatrix(),
                                       molecule->GetAtomTypes(), molecule->GetAromaticMatrix()};
  if (const auto fits = CheckMolStructureLimits(structure); !fits)
    throw InputError(options.Input, fits.error().Message);
  CheckOutputFile(*options.Output);
  if (const auto written = WriteMolStructureFile(structure, *options.Output); !written)
    throw InputError::OfWrite(*options.Output, written.error());
  streams.Out << "wrote " << *options.Output << '\n' << StructureDescription(*molecule);
  return kExitSuccess;
}

}  // namespace korvane
