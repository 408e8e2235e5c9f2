// korvane-cli show: the content of a network file.

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_json.h"
#include "cli/network_text.h"

namespace korvane {

int RunShow(const ShowOptions& options, const CliStreams& streams) {
  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  const std::string& note = session->Note();
  if (options.Json) {
    TKineticParameterSet parameters;
    LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);
    TStreamSink out(streams.Out);
    WriteNetworkJson(network, note, parameters, out);
    streams.Out << '\n';
    return kExitSuccess;
  }
  streams.Out << "network: " << options.Network << '\n'
              << "note: " << note << '\n'
              << "preferences: " << PreferencesText(network.GetPreferences()) << '\n'
              << NetworkSummary(network) << '\n'
              << "components\n"
              << ComponentTable(network).Text() << '\n'
              << "reactions (the file keeps no projecting selectivity: it reads as 0)\n"
              << ReactionTable(network).Text();
  return kExitSuccess;
}

}  // namespace korvane
