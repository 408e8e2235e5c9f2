#pragma once
/// The undo and redo history of one network: for every step, its label and
/// the network's state on the side the step leaves (before it on the undo
/// side, after it on the redo side), as compressed snapshots. The history's
/// memory is bounded: past the limit the oldest undo steps are forgotten
/// first, then the redo steps farthest away.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "app/network_snapshot.h"

namespace korvane {

/// Default memory of one network's history [bytes]: 256 MiB, room for about
/// twenty states of an n-eicosane network (74,000 components) and
/// thousands of small ones.
inline constexpr std::size_t kDefaultUndoLimit = std::size_t{256} << 20;

/// One step of the history.
struct TUndoStep {
  /// What the step did, as the Edit menu names it ("Remove component").
  std::string Label;
  /// The network's state on the other side of the step.
  TNetworkSnapshot State;
  /// Identifies that state, so that a document knows whether it is the saved one.
  std::uint64_t StateId = 0;
};

class TUndoHistory {
 public:
  explicit TUndoHistory(std::size_t limit = kDefaultUndoLimit) : m_limit(limit) {}

  /// A new step: the state before it goes on the undo side; the redo side
  /// is cleared.
  void Record(TUndoStep step);
  bool CanUndo() const { return !m_undo.empty(); }
  bool CanRedo() const { return !m_redo.empty(); }
  /// Labels of the step Undo and Redo would take back or do again.
  const std::string& UndoLabel() const;
  const std::string& RedoLabel() const;
  /// The most recent undo step, taken off; the caller puts the current state
  /// on the redo side with PushRedo.
  TUndoStep TakeUndo();
  TUndoStep TakeRedo();
  void PushRedo(TUndoStep step);
  /// The state after a redone step, back on the undo side (the redo side stays).
  void PushUndo(TUndoStep step);
  void Clear();

  /// Memory the snapshots hold [bytes].
  std::size_t Size() const { return m_size; }
  void SetLimit(std::size_t limit);
  std::size_t UndoCount() const { return m_undo.size(); }

 private:
  void trim();

  std::size_t m_limit;
  std::size_t m_size = 0;
  std::deque<TUndoStep> m_undo;  // oldest first
  std::deque<TUndoStep> m_redo;  // the next to redo last
};

}  // namespace korvane
