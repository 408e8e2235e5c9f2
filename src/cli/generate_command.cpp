// korvane-cli generate: the network of the given feeds.

#include <chrono>
#include <condition_variable>
#include <exception>
#include <stdexcept>
#include <mutex>
#include <thread>

#include "app/network_file.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_json.h"
#include "cli/network_text.h"
#include "reactions/feed_check.h"

namespace korvane {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(250);

std::string ProgressText(const TReactionNetwork& network) {
  const std::int32_t last = network.ProgressLast.load(std::memory_order_relaxed);
  const std::int32_t current = network.ProgressCurrent.load(std::memory_order_relaxed);
  if (last == 0 && current == 0) return "generating: starting";
  return "generating: " + std::to_string(current + 1) + " / " + std::to_string(last + 1) +
         " components processed";
}

struct GenerationRun {
  TGenerationOutcome Outcome;
  /// Elapsed time of the generation [ms].
  std::int64_t ElapsedMs = 0;
};

// Runs the generation on a worker thread while this thread reports the two
// progress counters, the only fields of the network it may read meanwhile.
GenerationRun GenerateWithProgress(TReactionNetwork& network, std::ostream& progress, bool inPlace) {
  std::mutex mutex;
  std::condition_variable finishedSignal;
  bool finished = false;
  std::exception_ptr failure;
  GenerationRun run;

  std::thread worker([&] {
    const auto start = std::chrono::steady_clock::now();
    try {
      run.Outcome = network.Generate();
      if (run.Outcome.End == TGenerationEnd::Failed)
        throw std::runtime_error("generation failed: " + run.Outcome.Message);
    } catch (...) {
      failure = std::current_exception();
    }
    const auto end = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex);
    run.ElapsedMs = std::chrono::duration_cast<std::chrono::milliseconds>(end - start).count();
    finished = true;
    finishedSignal.notify_one();
  });

  std::unique_lock lock(mutex);
  while (!finishedSignal.wait_for(lock, kPollInterval, [&] { return finished; }))
    progress << (inPlace ? "\r" : "") << ProgressText(network) << (inPlace ? "" : "\n") << std::flush;
  lock.unlock();
  worker.join();
  if (failure) std::rethrow_exception(failure);
  progress << (inPlace ? "\r" : "") << ProgressText(network) << '\n';
  return run;
}

// The window's "Name components (DB)": every component found in the
// database takes the first synonym of its item.
void NameComponents(TReactionNetwork& network, const TDBCoordinator& database) {
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    TMolecule& component = *network.Component(i);
    if (const std::int32_t item = database.FindStructure(component); item >= 0)
      component.Name = database.GetSynonyms(static_cast<std::size_t>(item)).front();
  }
}

}  // namespace

int RunGenerate(const GenerateOptions& options, const CliStreams& streams) {
  // The parser checks each option; this guards callers that fill the options themselves.
  if (std::string problem = PreferencesProblem(options.Preferences); !problem.empty()) throw UsageError(problem);
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

  TReactionNetwork network(options.Preferences);
  network.SetThreadCount(options.Threads);
  if (options.Output)
    if (std::string problem = NetworkFileLimitProblem(network, options.Note); !problem.empty())
      throw InputError("--note", problem);
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

  network.SetComponentLimit(options.ComponentLimit);
  const GenerationRun run = GenerateWithProgress(network, streams.Err, options.ProgressInPlace);
  if (run.Outcome.End == TGenerationEnd::ComponentLimitReached) {
    const std::string incomplete = "the network is incomplete: " + run.Outcome.Message +
                                   " before every component was processed";
    if (!options.KeepPartial)
      throw InputError("--max-components", incomplete + "; raise the limit, or keep the partial network with "
                                                        "--keep-partial");
    streams.Err << "warning: " << incomplete << "; kept as it is (--keep-partial)\n";
  }
  if (database) NameComponents(network, *database);

  if (options.Output) WriteNetworkFile(network, options.Note, *options.Output);
  std::ostream& summary = options.Json ? streams.Err : streams.Out;
  summary << NetworkSummary(network) << "generated in " << run.ElapsedMs << " ms\n";
  if (options.Output) summary << "written to " << *options.Output << '\n';
  if (options.Json) streams.Out << NetworkJson(network, options.Note, parameters) << '\n';
  return kExitSuccess;
}

}  // namespace korvane
