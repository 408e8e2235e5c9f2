#pragma once
/// TNetworkSession: one reaction network as a user's document. It owns the
/// network with what a day's work needs around it: the file it was loaded
/// from or saved to, the note of that file, whether it changed since, the
/// undo history, and a busy lease that every long command holds while it
/// runs (generation, save, exports, fusion). While the lease is held every
/// other command on the session is refused with a message naming the
/// command under way. The windows and the batch tool both work through
/// sessions, so each command is orchestrated once.
///
/// Threads: one thread uses the session at a time, except that a command
/// holding the lease may run on a worker thread while another thread asks
/// whether the session is busy or modified, tries to take the lease (and is
/// refused) or calls RequestStop. Everything else, the undo history
/// included, waits until the lease is released.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "app/network_file.h"
#include "app/undo_history.h"
#include "core/result.h"
#include "database/db_coordinator.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// The command name of a generation run, whose refusal keeps its own text.
inline constexpr const char* kGenerationCommand = "Generate all reactions now";
/// The command name of a save.
inline constexpr const char* kSaveCommand = "Save reaction network to file";
/// The error message of a fusion stopped before it changed the network.
inline constexpr const char* kFusionCancelled =
    "The fusion was cancelled; the destination reaction network was not changed.";

/// Labels of the undoable steps, as the Edit menu shows them after "Undo ".
namespace undo_label {
inline constexpr const char* kGeneration = "Generation";
inline constexpr const char* kFusion = "Fusion";
inline constexpr const char* kNameComponents = "Name components (DB)";
}  // namespace undo_label

class TNetworkSession {
 public:
  /// Held by a long command; the session is busy until it is destroyed. It
  /// carries the stop flag of that command (set by RequestStop), so a stop
  /// meant for one command never reaches the next.
  class TBusyLease {
   public:
    TBusyLease(TBusyLease&& other) noexcept;
    TBusyLease& operator=(TBusyLease&&) = delete;
    TBusyLease(const TBusyLease&) = delete;
    ~TBusyLease();

    const std::atomic<bool>& StopFlag() const { return *m_stop; }
    bool StopRequested() const { return m_stop->load(std::memory_order_relaxed); }
    TNetworkSession& Session() const { return *m_session; }

   private:
    friend class TNetworkSession;
    TBusyLease(TNetworkSession& session, std::shared_ptr<std::atomic<bool>> stop)
        : m_session(&session), m_stop(std::move(stop)) {}
    TNetworkSession* m_session;
    std::shared_ptr<std::atomic<bool>> m_stop;
  };

  /// A session of `network` (a new network when none is given): no file,
  /// not modified, no history.
  explicit TNetworkSession(std::unique_ptr<TReactionNetwork> network = nullptr);
  ~TNetworkSession();
  TNetworkSession(const TNetworkSession&) = delete;
  TNetworkSession& operator=(const TNetworkSession&) = delete;

  /// The network, for reading, or for a caller that holds the lease (or a
  /// setup before any command, such as adding the feeds of a batch run).
  TReactionNetwork& Network() { return *m_network; }
  const TReactionNetwork& Network() const { return *m_network; }

  // ----- the document -----

  /// The file the session was loaded from or last saved to; empty when it
  /// has none (new, or opened from a damaged file).
  const std::string& FileName() const { return m_fileName; }
  /// The note of that file, written again by Save.
  const std::string& Note() const { return m_note; }
  /// Whether the network differs from the file (always, for a session that
  /// has no file and holds more than a new network, or one opened damaged).
  bool IsModified() const { return m_stateId.load() != m_savedStateId.load(); }
  /// Opened from a damaged file with what could be read of it.
  bool IsDamaged() const { return m_damaged; }
  /// Names the network's state: another number after every change, the
  /// same again after undo or redo brings that state back.
  std::uint64_t StateId() const { return m_stateId.load(); }
  /// A session loaded from a recovery copy belongs to the file the network
  /// came from (`originalFile`, empty when it had none) and holds changes
  /// that file does not.
  void Recovered(const std::string& originalFile);

  // ----- the busy lease -----

  /// The lease for the command named `command` (its caption, e.g.
  /// "Save reaction network to file"); the refusal while another holds it.
  TResult<TBusyLease> TryLease(const std::string& command);
  bool IsBusy() const;
  /// The command holding the lease; empty when none does.
  std::string BusyCommand() const;
  /// Sets the stop flag of the command under way; nothing when idle.
  void RequestStop();

  // ----- commands -----

  /// Runs `change` on the network as one undoable step named `label`, unless
  /// the session is busy. `change` returns whether it changed anything; a
  /// change that did not leaves no step and no mark.
  TResult<> Edit(const std::string& label, const std::function<bool(TReactionNetwork&)>& change);

  /// A generation run of the network under `lease` (taken for
  /// kGenerationCommand), on the calling thread; `progress` as
  /// TRunControl::Progress. The run, also a stopped or failed one, is one
  /// undoable step and marks the session modified.
  TGenerationOutcome Generate(TBusyLease& lease,
                              std::function<void(std::int32_t current, std::int32_t last)> progress = {});

  /// Fuses the networks of `sources` into this one as one undoable step.
  /// Refused while this session or a source is busy. Returns the numbers of
  /// components and reactions added.
  struct TFusionAdded {
    std::size_t Components = 0, Reactions = 0;
  };
  TResult<TFusionAdded> Fuse(const std::vector<TNetworkSession*>& sources);
  /// The same in two halves, for a caller that fuses on a worker thread:
  /// the leases on the sources (each once, never on this session; a
  /// session that is null is skipped), refused while one is busy...
  static TResult<std::vector<TBusyLease>> LeaseFusionSources(const TNetworkSession& destination,
                                                             const std::vector<TNetworkSession*>& sources);
  /// ...then, on any thread, the fusion of the sources held by
  /// `sourceLeases` under `lease` (taken for undo_label::kFusion) as one
  /// undoable step. The lease's stop flag ends it before the network
  /// changes: Refused with kFusionCancelled, no step, nothing changed (a
  /// stop that comes once the adding has begun is too late, and the fusion
  /// ends). `progress` gets the source records read of their number.
  TResult<TFusionAdded> Fuse(TBusyLease& lease, const std::vector<TBusyLease>& sourceLeases,
                             std::function<void(std::size_t done, std::size_t total)> progress = {});

  /// "Name components (DB)" as one undoable step (none when no name
  /// changes); returns how many names changed.
  TResult<std::size_t> NameComponents(const TDBCoordinator& database);

  // ----- undo and redo -----

  bool CanUndo() const { return m_history.CanUndo(); }
  bool CanRedo() const { return m_history.CanRedo(); }
  const std::string& UndoLabel() const { return m_history.UndoLabel(); }
  const std::string& RedoLabel() const { return m_history.RedoLabel(); }
  /// Takes the last step back (or does it again); refused while busy or
  /// when there is none.
  TResult<> Undo();
  TResult<> Redo();

  // ----- files -----

  /// Writes the network with `note` to `fileName` (with the trailer that
  /// keeps the roots, explicit kinetics and a checksum), through a
  /// temporary file, under a lease for kSaveCommand. On success the session
  /// takes the file name and note and is no longer modified; on failure
  /// nothing changes (the previous file included).
  TResult<> Save(const std::string& fileName, const std::string& note);
  /// The same with the session's own file name and note.
  TResult<> Save() { return Save(m_fileName, m_note); }
  /// Save in two halves, for a caller that writes on a worker thread: the
  /// file written under `lease` (any thread; the previous file stays whole
  /// when it fails), returning the state it holds. The lease's stop flag
  /// ends the write early (kNetworkWriteCancelled, the previous file
  /// whole); `progress` gets the records written of their number...
  TResult<std::uint64_t> WriteFile(TBusyLease& lease, const std::string& fileName, const std::string& note,
                                   std::function<void(std::size_t done, std::size_t total)> progress = {}) const;
  /// ...then, on the session's own thread, the session takes the file.
  void Saved(const std::string& fileName, const std::string& note, std::uint64_t state);

  /// How a network file reads.
  struct TLoaded {
    /// Set unless the file is not a network file or could not be read: a
    /// session of the whole file, or of what could be read of a damaged one
    /// (no file name, modified, IsDamaged).
    std::unique_ptr<TNetworkSession> Session;
    /// Damage, note and counts of the reader.
    TNetworkLoadReport File;
  };
  /// Reads a network file into a new session. An error for a file that
  /// cannot be read, or is not a network file (wrong magic or version, or
  /// too short for the header, counts, note and preferences).
  static TResult<TLoaded> Load(const std::string& fileName, const TNetworkFileControl& control = {});

 private:
  /// Takes the snapshot before a step; the step is recorded by finishStep.
  TNetworkSnapshot snapshot() const { return TNetworkSnapshot::Capture(*m_network); }
  void finishStep(const std::string& label, TNetworkSnapshot before);
  /// Counts as changed though the network is what it was (opened damaged,
  /// recovered).
  void MarkModified();
  /// Undo (back) or Redo.
  TResult<> travel(bool back);

  std::unique_ptr<TReactionNetwork> m_network;
  std::string m_fileName;
  std::string m_note;
  bool m_damaged = false;
  TUndoHistory m_history;
  // The state of the network: a new number after every change; the saved
  // state is the one the file holds. Atomic: whether a session is modified
  // is asked (before quitting) also while a run on a worker changes it.
  std::atomic<std::uint64_t> m_stateId{0};
  std::atomic<std::uint64_t> m_savedStateId{0};
  std::uint64_t m_lastStateId = 0;

  mutable std::mutex m_leaseMutex;
  std::string m_busyCommand;  // empty when idle
  std::shared_ptr<std::atomic<bool>> m_stop;
};

/// The message that refuses a command while `command` holds a session: the
/// generation's own text for a run, else one naming the command.
std::string BusyMessage(const std::string& command);

}  // namespace korvane
