// korvane-cli fuse: one network made of several.

#include <memory>

#include "app/network_session.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_text.h"

namespace korvane {

int RunFuse(const FuseOptions& options, const CliStreams& streams) {
  CheckOutputFile(options.Output);
  const auto destination = LoadNetworkInput(options.Destination);
  std::vector<std::unique_ptr<TNetworkSession>> sources;
  std::vector<TNetworkSession*> sourceList;
  for (const std::string& fileName : options.Sources) {
    sources.push_back(LoadNetworkInput(fileName));
    // The fused network keeps the destination's preferences; a source made
    // under others may hold reactions those preferences would have dropped.
    const TNetworkPreferences& preferences = sources.back()->Network().GetPreferences();
    if (preferences != destination->Network().GetPreferences())
      streams.Err << "warning: " << fileName << ": its preferences (" << PreferencesText(preferences)
                  << ") differ from the destination's; the fused network keeps the destination's ("
                  << PreferencesText(destination->Network().GetPreferences()) << ")\n";
    sourceList.push_back(sources.back().get());
  }
  const auto added = destination->Fuse(sourceList);
  if (!added) throw InputError(options.Destination, added.error().Message);
  if (const auto saved = destination->Save(options.Output, destination->Note()); !saved)
    throw InputError(options.Output, saved.error().Message);
  streams.Out << "added " << added.value().Components << " components and " << added.value().Reactions
              << " reactions to " << options.Destination << '\n'
              << NetworkSummary(destination->Network()) << "written to " << options.Output << '\n';
  return kExitSuccess;
}

}  // namespace korvane
