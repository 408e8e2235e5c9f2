// korvane-cli export-chemkin and export-cantera.

#include "app/cantera_export.h"
#include "app/chemkin_export.h"
#include "app/chemkin_reactions.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "smiles/smiles_writer.h"

namespace korvane {
namespace {

// A failed mechanism export names the input at fault, as export-equations
// does: the kinetic parameters, the file written, or the network.
[[noreturn]] void ThrowExportError(const TError& error, const std::string& parameterSource, const std::string& output,
                                   const std::string& networkFile) {
  switch (error.Code) {
    case TErrorCode::KineticParameters:
      throw InputError(parameterSource.empty() ? "the default kinetic parameters" : parameterSource, error.Message);
    case TErrorCode::Refused:
    case TErrorCode::FileSystem: throw InputError(output, error.Message);
    default: throw InputError(networkFile, error.Message);
  }
}

// "N reactions", and those left out because their products equal their
// reactants: the summary counts what the file holds, not the network.
std::string WrittenReactions(const TReactionNetwork& network) {
  std::size_t leftOut = 0;
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) leftOut += ProductsEqualReactants(*network.Reaction(i));
  std::string text = std::to_string(network.ReactionCount() - leftOut) + " reactions";
  if (leftOut > 0) text += ", " + std::to_string(leftOut) + " whose products equal their reactants left out";
  return text;
}

}  // namespace

int RunExportChemkin(const ExportChemkinOptions& options, const CliStreams& streams) {
  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  TChemkinExportOptions chemkin;
  chemkin.NetworkNote = session->Note();
  TKineticParameterSet parameters;
  chemkin.ParameterSource = LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);
  chemkin.MechanismFile = options.Output;
  chemkin.DictionaryFile = options.Dictionary.value_or(ChemkinDictionaryFileFor(options.Output));
  chemkin.ActiveRadicals = options.ActiveRadicals;
  chemkin.Smiles = [](const TMolecule& molecule) { return CanonicalSmiles(molecule); };
  CheckOutputFile(chemkin.MechanismFile);
  CheckOutputFile(chemkin.DictionaryFile);

  const TResult<TChemkinFiles> written = ExportChemkin(network, parameters, chemkin);
  if (!written) ThrowExportError(written.error(), chemkin.ParameterSource, chemkin.MechanismFile, options.Network);
  streams.Out << "wrote " << written->MechanismFile << " (" << network.ComponentCount() << " species, "
              << WrittenReactions(network) << ") and its species dictionary " << written->DictionaryFile
              << '\n';
  return kExitSuccess;
}

int RunExportCantera(const ExportCanteraOptions& options, const CliStreams& streams) {
  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  TCanteraExportOptions cantera;
  cantera.NetworkNote = session->Note();
  TKineticParameterSet parameters;
  cantera.ParameterSource = LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);
  cantera.File = options.Output;
  cantera.ActiveRadicals = options.ActiveRadicals;
  CheckOutputFile(cantera.File);

  if (const TResult<> written = ExportCantera(network, parameters, cantera); !written)
    ThrowExportError(written.error(), cantera.ParameterSource, cantera.File, options.Network);
  streams.Out << "wrote " << cantera.File << " (" << network.ComponentCount() << " species, "
              << WrittenReactions(network) << ")\n";
  return kExitSuccess;
}

}  // namespace korvane
