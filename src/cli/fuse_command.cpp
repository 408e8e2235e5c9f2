// korvane-cli fuse: one network made of several.

#include <memory>

#include "app/network_file.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_text.h"

namespace korvane {

int RunFuse(const FuseOptions& options, const CliStreams& streams) {
  CheckOutputFile(options.Output);
  TReactionNetwork destination;
  const std::string note = LoadNetworkInput(options.Destination, destination);
  std::vector<std::unique_ptr<TReactionNetwork>> sources;
  TNetworkList sourceList;
  for (const std::string& fileName : options.Sources) {
    sources.push_back(std::make_unique<TReactionNetwork>());
    LoadNetworkInput(fileName, *sources.back());
    // The fused network keeps the destination's preferences; a source made
    // under others may hold reactions those preferences would have dropped.
    if (sources.back()->GetPreferences() != destination.GetPreferences())
      streams.Err << "warning: " << fileName << ": its preferences ("
                  << PreferencesText(sources.back()->GetPreferences())
                  << ") differ from the destination's; the fused network keeps the destination's ("
                  << PreferencesText(destination.GetPreferences()) << ")\n";
    sourceList.push_back(sources.back().get());
  }
  const std::size_t components = destination.ComponentCount();
  const std::size_t reactions = destination.ReactionCount();
  destination.Fuse(sourceList);
  WriteNetworkFile(destination, note, options.Output);
  streams.Out << "added " << destination.ComponentCount() - components << " components and "
              << destination.ReactionCount() - reactions << " reactions to " << options.Destination << '\n'
              << NetworkSummary(destination) << "written to " << options.Output << '\n';
  return kExitSuccess;
}

}  // namespace korvane
