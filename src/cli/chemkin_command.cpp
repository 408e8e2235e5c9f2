// korvane-cli export-chemkin and export-cantera.

#include "app/cantera_export.h"
#include "app/chemkin_export.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "smiles/smiles_writer.h"

namespace korvane {

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
  if (!written) {
    // Name the input at fault, as export-equations does.
    const TError& error = written.error();
    switch (error.Code) {
      case TErrorCode::KineticParameters:
        throw InputError(chemkin.ParameterSource.empty() ? "the default kinetic parameters" : chemkin.ParameterSource,
                         error.Message);
      case TErrorCode::Refused:
      case TErrorCode::FileSystem: throw InputError(chemkin.MechanismFile, error.Message);
      default: throw InputError(options.Network, error.Message);
    }
  }
  streams.Out << "wrote " << written->MechanismFile << " (" << network.ComponentCount() << " species, "
              << network.ReactionCount() << " reactions) and its species dictionary " << written->DictionaryFile
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

  if (const TResult<> written = ExportCantera(network, parameters, cantera); !written) {
    const TError& error = written.error();
    switch (error.Code) {
      case TErrorCode::KineticParameters:
        throw InputError(cantera.ParameterSource.empty() ? "the default kinetic parameters" : cantera.ParameterSource,
                         error.Message);
      case TErrorCode::Refused:
      case TErrorCode::FileSystem: throw InputError(cantera.File, error.Message);
      default: throw InputError(options.Network, error.Message);
    }
  }
  streams.Out << "wrote " << cantera.File << " (" << network.ComponentCount() << " species, "
              << network.ReactionCount() << " reactions)\n";
  return kExitSuccess;
}

}  // namespace korvane
