#include "app/network_session.h"

#include <algorithm>
#include <cassert>
#include <exception>

#include "app/database_naming.h"

namespace korvane {

std::string BusyMessage(const std::string& command) {
  if (command == kGenerationCommand)
    return "The reaction network is being generated. Wait until the generation ends, or stop it, before you work "
           "with this network.";
  return "The reaction network is busy with \"" + command +
         "\". Wait until it ends, or cancel it, before you work with this network.";
}

TNetworkSession::TBusyLease::TBusyLease(TBusyLease&& other) noexcept
    : m_session(std::exchange(other.m_session, nullptr)), m_stop(std::move(other.m_stop)) {}

TNetworkSession::TBusyLease::~TBusyLease() {
  if (!m_session) return;
  std::lock_guard lock(m_session->m_leaseMutex);
  m_session->m_busyCommand.clear();
  m_session->m_stop.reset();
}

TNetworkSession::TNetworkSession(std::unique_ptr<TReactionNetwork> network)
    : m_network(network ? std::move(network) : std::make_unique<TReactionNetwork>()) {}

TNetworkSession::~TNetworkSession() { assert(!IsBusy() && "a command still holds the session"); }

void TNetworkSession::MarkModified() { m_stateId = ++m_lastStateId; }

void TNetworkSession::Recovered(const std::string& originalFile) {
  m_fileName = originalFile;
  m_damaged = false;
  MarkModified();
}

TResult<TNetworkSession::TBusyLease> TNetworkSession::TryLease(const std::string& command) {
  std::lock_guard lock(m_leaseMutex);
  if (!m_busyCommand.empty()) return TError{TErrorCode::Busy, BusyMessage(m_busyCommand)};
  // An empty name would read as idle.
  m_busyCommand = command.empty() ? std::string("command") : command;
  m_stop = std::make_shared<std::atomic<bool>>(false);
  return TBusyLease(*this, m_stop);
}

bool TNetworkSession::IsBusy() const {
  std::lock_guard lock(m_leaseMutex);
  return !m_busyCommand.empty();
}

std::string TNetworkSession::BusyCommand() const {
  std::lock_guard lock(m_leaseMutex);
  return m_busyCommand;
}

void TNetworkSession::RequestStop() {
  std::lock_guard lock(m_leaseMutex);
  if (m_stop) m_stop->store(true, std::memory_order_relaxed);
}

void TNetworkSession::finishStep(const std::string& label, TNetworkSnapshot before) {
  m_history.Record({label, std::move(before), m_stateId});
  m_stateId = ++m_lastStateId;
}

TResult<> TNetworkSession::Edit(const std::string& label, const std::function<bool(TReactionNetwork&)>& change) {
  auto lease = TryLease(label);
  if (!lease) return lease.error();
  TNetworkSnapshot before = snapshot();
  if (change(*m_network)) finishStep(label, std::move(before));
  return {};
}

TGenerationOutcome TNetworkSession::Generate(TBusyLease& lease,
                                             std::function<void(std::int32_t current, std::int32_t last)> progress) {
  assert(&lease.Session() == this);
  TNetworkSnapshot before = snapshot();
  const TGenerationOutcome outcome = m_network->Generate({.Stop = &lease.StopFlag(), .Progress = std::move(progress)});
  finishStep(undo_label::kGeneration, std::move(before));
  return outcome;
}

TResult<std::vector<TNetworkSession::TBusyLease>> TNetworkSession::LeaseFusionSources(
    const TNetworkSession& destination, const std::vector<TNetworkSession*>& sources) {
  // Every source is read while the destination changes: none may be busy.
  std::vector<TBusyLease> leases;
  for (TNetworkSession* source : sources) {
    if (!source || source == &destination) continue;
    if (std::any_of(leases.begin(), leases.end(), [source](const TBusyLease& held) { return &held.Session() == source; }))
      continue;
    auto lease = source->TryLease(undo_label::kFusion);
    if (!lease) return lease.error();
    leases.push_back(std::move(lease.value()));
  }
  return leases;
}

TResult<TNetworkSession::TFusionAdded> TNetworkSession::Fuse(const std::vector<TNetworkSession*>& sources) {
  auto sourceLeases = LeaseFusionSources(*this, sources);
  if (!sourceLeases) return sourceLeases.error();
  auto lease = TryLease(undo_label::kFusion);
  if (!lease) return lease.error();
  return Fuse(lease.value(), sourceLeases.value());
}

TResult<TNetworkSession::TFusionAdded> TNetworkSession::Fuse(TBusyLease& lease,
                                                               const std::vector<TBusyLease>& sourceLeases,
                                                               std::function<void(std::size_t, std::size_t)> progress) {
  assert(&lease.Session() == this);
  TNetworkList networks;
  for (const TBusyLease& source : sourceLeases) {
    assert(&source.Session() != this);
    networks.push_back(&source.Session().Network());
  }
  TNetworkSnapshot before = snapshot();
  const std::size_t components = m_network->ComponentCount(), reactions = m_network->ReactionCount();
  if (!m_network->Fuse(networks, {.Stop = &lease.StopFlag(), .Progress = std::move(progress)}))
    return TError{TErrorCode::Refused, kFusionCancelled};
  finishStep(undo_label::kFusion, std::move(before));
  return TFusionAdded{m_network->ComponentCount() - components, m_network->ReactionCount() - reactions};
}

TResult<std::size_t> TNetworkSession::NameComponents(const TDBCoordinator& database) {
  std::size_t named = 0;
  const auto edited = Edit(undo_label::kNameComponents, [&](TReactionNetwork& network) {
    named = NameComponentsFromDatabase(network, database);
    return named > 0;
  });
  if (!edited) return edited.error();
  return named;
}

TResult<> TNetworkSession::Undo() { return travel(true); }

TResult<> TNetworkSession::Redo() { return travel(false); }

TResult<> TNetworkSession::travel(bool back) {
  auto lease = TryLease(back ? "Undo" : "Redo");
  if (!lease) return lease.error();
  if (back ? !m_history.CanUndo() : !m_history.CanRedo())
    return TError{TErrorCode::Refused, back ? "There is nothing to undo." : "There is nothing to redo."};
  TUndoStep step = back ? m_history.TakeUndo() : m_history.TakeRedo();
  // The state left behind goes to the other side, under the same label.
  TUndoStep left{step.Label, snapshot(), m_stateId};
  step.State.Restore(*m_network);
  if (back)
    m_history.PushRedo(std::move(left));
  else
    m_history.PushUndo(std::move(left));
  m_stateId = step.StateId;
  return {};
}

TResult<> TNetworkSession::Save(const std::string& fileName, const std::string& note) {
  auto lease = TryLease(kSaveCommand);
  if (!lease) return lease.error();
  const auto written = WriteFile(lease.value(), fileName, note);
  if (!written) return written.error();
  Saved(fileName, note, written.value());
  return {};
}

TResult<std::uint64_t> TNetworkSession::WriteFile(TBusyLease& lease, const std::string& fileName,
                                                  const std::string& note,
                                                  std::function<void(std::size_t, std::size_t)> progress) const {
  assert(&lease.Session() == this);
  if (fileName.empty()) return TError{TErrorCode::Refused, "The reaction network has no file yet."};
  const TNetworkFileControl control{&lease.StopFlag(), std::move(progress)};
  if (auto written = WriteNetworkFile(*m_network, note, fileName, TNetworkFileTrailer::With, control); !written)
    return written.error();
  return m_stateId.load();
}

void TNetworkSession::Saved(const std::string& fileName, const std::string& note, std::uint64_t state) {
  m_fileName = fileName;
  m_note = note;
  m_damaged = false;
  m_savedStateId = state;
}

TResult<TNetworkSession::TLoaded> TNetworkSession::Load(const std::string& fileName,
                                                          const TNetworkFileControl& control) {
  auto session = std::make_unique<TNetworkSession>();
  TLoaded loaded;
  try {
    auto read = LoadNetworkFile(fileName, *session->m_network, control);
    if (!read) return read.error();
    loaded.File = std::move(read.value());
  } catch (const std::exception& error) {
    // A file too large for the memory left.
    return TError{TErrorCode::FileSystem, error.what()};
  }
  session->m_note = loaded.File.Note;
  if (loaded.File.Damage == kNetworkFileRead) {
    session->m_fileName = fileName;
  } else {
    // What was read is not what the file says: saving it over the file would
    // lose the rest, so it has no file until the user gives one.
    session->m_damaged = true;
    session->MarkModified();
  }
  loaded.Session = std::move(session);
  return loaded;
}

}  // namespace korvane
