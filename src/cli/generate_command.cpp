// korvane-cli generate: the network of the given feeds.

#include <chrono>
#include <stdexcept>

#include "app/database_naming.h"
#include "app/network_file.h"
#include "app/network_session.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_json.h"
#include "cli/network_text.h"
#include "core/physical_memory.h"
#include "reactions/feed_check.h"

namespace korvane {
namespace {

constexpr auto kReportInterval = std::chrono::milliseconds(250);

std::string ProgressText(std::int32_t current, std::int32_t last) {
  return "generating: " + std::to_string(current + 1) + " / " + std::to_string(last + 1) + " components processed";
}

struct GenerationRun {
  TGenerationOutcome Outcome;
  /// Elapsed time of the generation [ms].
  std::int64_t ElapsedMs = 0;
};

// Runs the generation through the session, reporting the progress on
// `progress` at most every 250 ms and once at the end.
GenerationRun GenerateWithProgress(TNetworkSession& session, std::ostream& progress, bool inPlace) {
  auto lease = session.TryLease(kGenerationCommand);
  if (!lease) throw std::logic_error(lease.error().Message);
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto reported = start;
  std::int32_t lastCurrent = -1, lastLast = 0;
  GenerationRun run;
  run.Outcome = session.Generate(lease.value(), [&](std::int32_t current, std::int32_t last) {
    lastCurrent = current;
    lastLast = last;
    const auto now = Clock::now();
    if (now - reported < kReportInterval) return;
    reported = now;
    progress << (inPlace ? "\r" : "") << ProgressText(current, last) << (inPlace ? "" : "\n") << std::flush;
  });
  run.ElapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  if (run.Outcome.End == TGenerationEnd::Failed) throw std::runtime_error("generation failed: " + run.Outcome.Message);
  if (lastCurrent >= 0) progress << (inPlace ? "\r" : "") << ProgressText(lastCurrent, lastLast);
  progress << '\n';
  return run;
}

}  // namespace

std::string MemoryLimitProblem(std::size_t mebibytes, std::uint64_t physicalMemory) {
  const std::uint64_t physicalMiB = physicalMemory / kMiB;
  if (mebibytes >= 1 && (physicalMemory == 0 || mebibytes <= physicalMiB)) return {};
  const std::string range = physicalMemory == 0 ? "at least 1 MiB"
                                                 : "from 1 MiB to the physical memory of this machine, " +
                                                       std::to_string(physicalMiB) + " MiB";
  return "the memory limit must be " + range + ", not " + std::to_string(mebibytes);
}

int RunGenerate(const GenerateOptions& options, const CliStreams& streams) {
  // The parser checks each option; this guards callers that fill the options themselves.
  if (std::string problem = PreferencesProblem(options.Preferences); !problem.empty()) throw UsageError(problem);
  const std::uint64_t physicalMemory = PhysicalMemoryBytes();
  if (options.MemoryLimitMiB)
    if (std::string problem = MemoryLimitProblem(*options.MemoryLimitMiB, physicalMemory); !problem.empty())
      throw UsageError("--max-memory: " + problem);
  if (options.Output) CheckOutputFile(*options.Output);
  const std::unique_ptr<TDBCoordinator> database = OpenFeedDatabase(options.Database, options.Feeds);
  // Generation works on the explicit parameters of each reaction class; the
  // file's values enter only the exported values, which the JSON shows.
  TKineticParameterSet parameters;
  if (options.KineticParameterFile || options.Json)
    LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);

  std::vector<Feed> feeds;
  for (const std::string& text : options.Feeds) {
    feeds.push_back(LoadFeed(text, database.get()));
    if (std::string problem = FeedProblem(*feeds.back().Molecule); !problem.empty()) throw InputError(text, problem);
  }

  TNetworkSession session(std::make_unique<TReactionNetwork>(options.Preferences));
  TReactionNetwork& network = session.Network();
  network.SetThreadCount(options.Threads);
  if (options.Output)
    if (const auto fits = CheckNetworkFileLimits(network, options.Note); !fits)
      throw InputError("--note", fits.error().Message);
  for (std::size_t i = 0; i < feeds.size(); ++i) {
    if (const int existing = network.FindComponent(*feeds[i].Molecule); existing >= 0) {
      streams.Err << "warning: " << options.Feeds[i] << ": already component " << existing
                  << " of the network; added once\n";
      continue;
    }
    const TMolecule& molecule = *feeds[i].Molecule;
    std::string problem;
    TMolecule* root = network.AddComponent(molecule.AdjacencyMatrix(), molecule.AtomTypes(),
                                           molecule.AromaticMatrix(), true, &problem);
    if (!root) throw InputError(options.Feeds[i], problem);
  }

  if (options.ComponentLimit) network.SetComponentLimit(*options.ComponentLimit);
  if (options.MemoryLimitMiB) network.SetMemoryLimit(*options.MemoryLimitMiB * kMiB);
  const GenerationRun run = GenerateWithProgress(session, streams.Err, options.ProgressInPlace);
  const bool componentLimit = run.Outcome.End == TGenerationEnd::ComponentLimitReached;
  if (componentLimit || run.Outcome.End == TGenerationEnd::MemoryLimitReached) {
    const std::string incomplete = "the network is incomplete: " + run.Outcome.Message +
                                   " before every component was processed";
    // The memory limit goes up to the physical memory; the message says how far.
    const std::string raise =
        componentLimit || physicalMemory == 0
            ? "raise the limit"
            : "raise the limit (up to the physical memory, " + std::to_string(physicalMemory / kMiB) + " MiB)";
    if (!options.KeepPartial)
      throw InputError(componentLimit ? "--max-components" : "--max-memory",
                       incomplete + "; " + raise + ", or keep the partial network with --keep-partial");
    streams.Err << "warning: " << incomplete << "; kept as it is (--keep-partial)\n";
  }
  if (database) NameComponentsFromDatabase(network, *database);

  if (options.Output)
    if (const auto saved = session.Save(*options.Output, options.Note); !saved)
      throw InputError(*options.Output, saved.error().Message);
  std::ostream& summary = options.Json ? streams.Err : streams.Out;
  summary << NetworkSummary(network) << "generated in " << run.ElapsedMs << " ms\n";
  if (options.Output) summary << "written to " << *options.Output << '\n';
  if (options.Json) {
    TStreamSink out(streams.Out);
    WriteNetworkJson(network, options.Note, parameters, out);
    streams.Out << '\n';
  }
  return kExitSuccess;
}

}  // namespace korvane
