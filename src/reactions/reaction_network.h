#pragma once
/// TReactionNetwork: the components (molecules and radicals) of one network,
/// the feed components among them (roots), its reactions and its generation
/// preferences. The network owns its components and reactions; reactions
/// refer to components; every component links back to the reactions that
/// form it (`ReactionLinks[kFormedIn]`) and consume it (`[kConsumedIn]`).
///
/// A new network holds the hydrogen atom (component 0) and the inert
/// components helium (a root), nitrogen and water.
///
/// Threads: generation runs on one thread (which may share the computing of
/// steps with helper threads of its own); while it runs, the only fields
/// another thread may read are the two progress counters, and the only
/// thing another thread may do is set the run's stop flag.

#include <atomic>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/molecule.h"
#include "reactions/component_index.h"
#include "reactions/network_preferences.h"
#include "reactions/reaction.h"

namespace korvane {

/// How a generation run ended.
enum class TGenerationEnd {
  /// Every component was processed.
  Completed,
  /// The run's stop flag was set; the components after the last processed
  /// one were not processed.
  Stopped,
  /// An exception (memory, a structure beyond the format) ended the run.
  Failed,
  /// The network grew past its component limit; the components after the
  /// last processed one were not processed.
  ComponentLimitReached,
  /// The network's estimated memory passed its memory limit; the components
  /// after the last processed one were not processed.
  MemoryLimitReached,
};

/// A component limit that never ends a run, the default (see
/// SetComponentLimit): the memory limit guards the machine.
inline constexpr std::size_t kNoComponentLimit = std::numeric_limits<std::size_t>::max();

/// Bytes in a mebibyte, the unit of memory limits.
inline constexpr std::size_t kMiB = std::size_t{1} << 20;
/// A memory limit that never ends a run.
inline constexpr std::size_t kNoMemoryLimit = std::numeric_limits<std::size_t>::max();

/// The memory limit of a run on a machine of `physicalMemory` bytes: half of
/// it in whole MiB (at least 1 MiB), so that the network, the program and
/// the rest of the machine fit; kNoMemoryLimit when the physical memory is
/// unknown (0).
std::size_t DefaultMemoryLimit(std::uint64_t physicalMemory);

/// `bytes` as the messages show memory: in MiB with at most two decimals,
/// rounded up, trailing zeros dropped ("1", "0.25", "1.5"), so that an
/// estimate past a limit of whole MiB never shows as equal to it.
std::string MiBText(std::size_t bytes);

/// What the caller of a generation run controls and learns while it runs.
struct TRunControl {
  /// Set from any thread to end this run after the component under way. A
  /// flag belongs to one run, so a stop meant for it never ends another.
  const std::atomic<bool>* Stop = nullptr;
  /// Called on the generating thread after each component is registered,
  /// with the index of that component and the highest component index.
  std::function<void(std::int32_t current, std::int32_t last)> Progress;
};

struct TGenerationOutcome {
  TGenerationEnd End = TGenerationEnd::Completed;
  /// What went wrong, for Failed.
  std::string Message;
};

/// What the caller of a fusion controls and learns while it runs.
struct TFusionControl {
  /// Set from any thread to end the fusion before it changes the network.
  const std::atomic<bool>* Stop = nullptr;
  /// Called now and then with the source components and reactions read of
  /// their number; with done == total once every one has been read, before
  /// the network changes.
  std::function<void(std::size_t done, std::size_t total)> Progress;
};

/// Source networks of a fusion.
class TReactionNetwork;
class TReactionIndex;
struct TStepResult;
using TNetworkList = std::vector<const TReactionNetwork*>;

class TReactionNetwork {
 public:
  explicit TReactionNetwork(const TNetworkPreferences& preferences = {});
  ~TReactionNetwork();
  TReactionNetwork(const TReactionNetwork&) = delete;
  TReactionNetwork& operator=(const TReactionNetwork&) = delete;

  // ----- model -----

  void SetPreferences(const TNetworkPreferences& preferences) { m_preferences = preferences; }
  const TNetworkPreferences& GetPreferences() const { return m_preferences; }

  std::size_t ComponentCount() const { return m_components.size(); }
  std::size_t ReactionCount() const { return m_reactions.size(); }
  TMolecule* Component(std::size_t index) const { return m_components[index].get(); }
  TReaction* Reaction(std::size_t index) const { return m_reactions[index].get(); }
  const TMoleculeVector& Roots() const { return m_roots; }
  bool IsRoot(const TMolecule* component) const;
  /// The hydrogen radical, partner of every recombination.
  TMolecule* HydrogenAtom() const { return m_hydrogenAtom; }

  /// Builds a component from the three stored pieces with ID = its position
  /// and appends it (and to the roots when asked). Null, with the reason in
  /// `error`, when the pieces do not describe a molecule.
  TMolecule* AddComponent(const TByteMatrix& adjacency, const TByteVector& atomTypes, const TBoolMatrix& aromatic,
                          bool isRoot, std::string* error = nullptr);
  /// Index of the first component identical to the molecule (equal
  /// certificates, as AreIsomorphic), or -1. One hash lookup.
  int FindComponent(const TMolecule& molecule) const;
  /// Position of that very object, or -1.
  int IndexOfComponent(const TMolecule* component) const;
  int IndexOfReaction(const TReaction* reaction) const;

  /// Appends a copy of a reaction made elsewhere (its participants must be
  /// components of this network) and links it. Recipes are not copied for
  /// class 10.
  TReaction* AddReactionCopy(const TReaction& reaction);
  /// Destroys reaction `index` and relinks.
  void RemoveReaction(std::size_t index);
  /// Gives reaction `index` the participants with their coefficients, the
  /// class, E, A, both recipes and the active-radical flag of `changes` (a
  /// working copy whose participants are components of this network); its
  /// position and selectivities stay. Each occurrence of an old participant
  /// drops the first link entry naming the reaction, and each new occurrence
  /// gains one where a relink would put it, so the links stay consistent
  /// without a relink, also when a component takes part twice.
  void EditReaction(std::size_t index, const TReaction& changes);
  /// Removes a component with every reaction that forms or consumes it, then
  /// prunes what the roots no longer reach (components of one atom stay).
  void RemoveComponent(std::size_t index);
  /// Rebuilds every component's reaction links from the reactions.
  void Relink();

  /// Estimated memory of the network while a run grows it [bytes]: its
  /// components and reactions (network_footprint.h, with the figures it was
  /// checked against), their lists and the component index. Kept
  /// up to date as components and reactions are added, edited and removed;
  /// a name given to a component from outside counts from the next run.
  /// Costs nothing to read.
  std::size_t FootprintEstimate() const;

  // ----- generation -----

  /// Grows the network: processes every component (including those added
  /// meanwhile), then closes radical chains by recombination with the
  /// hydrogen atom. The run's stop flag, the component limit, the memory
  /// limit or an exception (memory, a worker thread that cannot be started)
  /// ends the processing early; the closing steps (relinking, after-filter
  /// selectivities, the recombination pass) still run on what was made, so
  /// the network stays consistent. Resets both progress counters when it
  /// starts.
  TGenerationOutcome Generate(const TRunControl& control = {});
  /// Most components a run lets the network grow to: once it holds more, the
  /// run ends with ComponentLimitReached as after a stop request (the step
  /// under way and the closing recombination may add a few more). A setting
  /// of the network, not one of its file's preferences; default
  /// kNoComponentLimit.
  void SetComponentLimit(std::size_t limit) { m_componentLimit = limit; }
  std::size_t ComponentLimit() const { return m_componentLimit; }
  /// Most memory a run lets the network grow to [bytes], as
  /// FootprintEstimate tells it: once the estimate passes it, the run ends
  /// with MemoryLimitReached as after a stop request. A setting of the
  /// network, not of its file; default DefaultMemoryLimit of this machine.
  void SetMemoryLimit(std::size_t bytes) { m_memoryLimit = bytes; }
  std::size_t MemoryLimit() const { return m_memoryLimit; }
  /// One generation step for component `index`.
  void ProcessComponent(std::size_t index);
  /// Threads that compute generation steps (the network's reactions and
  /// components do not depend on it); at least 1. A preference of the
  /// network that its file does not keep; default DefaultThreadCount().
  void SetThreadCount(unsigned count);
  unsigned ThreadCount() const { return m_threadCount; }
  /// Every core of the machine (1 when that is unknown).
  static unsigned DefaultThreadCount();
  /// Recombines with the hydrogen atom every radical that undergoes no
  /// beta-scission and from which no chain of reactions leads to a molecule.
  void RecombinationPass();
  /// Fills SelectivityAfterFilter of every linked reaction.
  void AfterFilterSelectivity();
  /// Share of reaction `index` in consuming its reactant, traced back to the
  /// feed through the reactions that form its reactants.
  double AbsoluteSelectivity(std::size_t index);

  /// During generation: the highest component index at the last update.
  std::atomic<std::int32_t> ProgressLast{0};
  /// During generation: the index of the component processed last.
  std::atomic<std::int32_t> ProgressCurrent{0};

  // ----- fusion -----

  /// Copies the components and reactions of every source into this network
  /// (identical components and matching reactions are not duplicated), then
  /// relinks and recomputes the after-filter selectivities. Sources are not
  /// changed. Everything new is made aside while the sources are read, and
  /// added at the end: a stop requested until then returns false with the
  /// network exactly as it was; once the adding has begun the fusion ends.
  bool Fuse(const TNetworkList& sources, const TFusionControl& control = {});

  // ----- replacing the content (file loading) -----

  /// Takes the given components and reactions as the network's whole content
  /// (used by the network file reader); the previous content is destroyed.
  /// The hydrogen atom becomes the first component identical to H (one is
  /// appended if none exists), helium, nitrogen and water are marked inert
  /// again, and the roots become helium plus every non-inert component other
  /// than the hydrogen atom that no reaction forms, or that only
  /// recombinations form and some reaction consumes (a feed such as methane
  /// whose own radical recombines back into it). Then relinks and
  /// recomputes the after-filter selectivities.
  /// With `roots` (component positions, as RootIndices gives them, e.g. from
  /// a file that keeps them) those become the roots instead; positions out
  /// of range are ignored.
  void ReplaceContent(std::vector<std::unique_ptr<TMolecule>> components,
                      std::vector<std::unique_ptr<TReaction>> reactions,
                      const std::vector<std::size_t>* roots = nullptr);
  /// Positions of the roots, in the order they became roots.
  std::vector<std::size_t> RootIndices() const;

 private:
  class ReactionIndexScope;
  /// Makes a step's products components (found or appended) and adds or
  /// folds its reactions.
  void registerStep(TStepResult step);
  TMolecule* appendComponent(std::unique_ptr<TMolecule> component, bool isRoot);
  void rebuildComponentIndex();
  /// Sums the footprint of every component and reaction anew.
  void recountFootprint();
  void renumberComponents();
  /// Appends the reaction or folds it into an equal one already held; returns
  /// the reaction now in the network (the appended one or the one folded into).
  TReaction* addOrFold(std::unique_ptr<TReaction> reaction, bool linkWhenAppended);
  void ensureHydrogenAtom();
  std::int32_t nextStamp();
  double localShare(const TReaction& reaction) const;

  TNetworkPreferences m_preferences;
  std::vector<std::unique_ptr<TMolecule>> m_components;
  TMoleculeVector m_roots;
  std::vector<std::unique_ptr<TReaction>> m_reactions;
  TMolecule* m_hydrogenAtom = nullptr;

  TComponentIndex m_componentIndex;
  // Reactions by class, activation energy and participants, alive only
  // during a generation run, step or pass, so that finding an equal reaction
  // costs no scan.
  std::unique_ptr<TReactionIndex> m_reactionIndex;
  // Sum of ComponentFootprint and ReactionFootprint over the content.
  std::size_t m_contentFootprint = 0;
  unsigned m_threadCount = DefaultThreadCount();
  std::size_t m_componentLimit = kNoComponentLimit;
  std::size_t m_memoryLimit;
  // Walk stamps come from a counter so that a new walk never reuses a stamp
  // a reaction already holds (new reactions hold 0).
  std::int32_t m_lastStamp = 0;
};

}  // namespace korvane
