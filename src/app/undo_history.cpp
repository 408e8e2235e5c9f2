#include "app/undo_history.h"

#include <cassert>

namespace korvane {
namespace {

const std::string kNothing;

}  // namespace

void TUndoHistory::Record(TUndoStep step) {
  for (const TUndoStep& redo : m_redo) m_size -= redo.State.Size();
  m_redo.clear();
  PushUndo(std::move(step));
}

const std::string& TUndoHistory::UndoLabel() const { return m_undo.empty() ? kNothing : m_undo.back().Label; }

const std::string& TUndoHistory::RedoLabel() const { return m_redo.empty() ? kNothing : m_redo.back().Label; }

TUndoStep TUndoHistory::TakeUndo() {
  assert(!m_undo.empty());
  TUndoStep step = std::move(m_undo.back());
  m_undo.pop_back();
  m_size -= step.State.Size();
  return step;
}

TUndoStep TUndoHistory::TakeRedo() {
  assert(!m_redo.empty());
  TUndoStep step = std::move(m_redo.back());
  m_redo.pop_back();
  m_size -= step.State.Size();
  return step;
}

void TUndoHistory::PushRedo(TUndoStep step) {
  m_size += step.State.Size();
  m_redo.push_back(std::move(step));
  trim();
}

void TUndoHistory::PushUndo(TUndoStep step) {
  m_size += step.State.Size();
  m_undo.push_back(std::move(step));
  trim();
}

void TUndoHistory::Clear() {
  m_undo.clear();
  m_redo.clear();
  m_size = 0;
}

void TUndoHistory::SetLimit(std::size_t limit) {
  m_limit = limit;
  trim();
}

void TUndoHistory::trim() {
  // A step whose state alone passes the limit is not kept either.
  while (m_size > m_limit && !m_undo.empty()) {
    m_size -= m_undo.front().State.Size();
    m_undo.pop_front();
  }
  while (m_size > m_limit && !m_redo.empty()) {
    m_size -= m_redo.front().State.Size();
    m_redo.pop_front();
  }
}

}  // namespace korvane
