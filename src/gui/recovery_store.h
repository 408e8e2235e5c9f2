#pragma once
/// Recovery copies: while the program runs, each network with unsaved
/// changes is written from time to time to a folder of this run, so that a
/// crash or a power cut loses at most the last minutes. A clean end removes
/// the folder. At the next start, folders of runs that did not end cleanly
/// (their lock is no longer held by a living process) are offered back.
///
/// Layout: <directory>/<run>.lock, held while the run lives, and
/// <directory>/<run>/<key>.rnw with <key>.ini beside it (window name and the
/// file the network belongs to). Each file is replaced whole.
///
/// Only the snapshot of a network is taken on the caller's thread (a
/// fraction of a second for the largest networks); the network file is
/// made from it and written on the store's own thread, so the windows never
/// wait for the disk.

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "app/network_session.h"

namespace korvane::gui {

class TRecoveryStore {
 public:
  /// The store of this run in `directory` (created when missing).
  explicit TRecoveryStore(const QString& directory);
  /// A clean end: copies not yet written are dropped, this run's copies and
  /// lock go.
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  /// Has the copy of the network of window `key` written, or removed when
  /// the session holds no unsaved change. A network whose state was copied
  /// already is not copied again. The session must not be busy.
  void update(int key, const QString& windowName, const TNetworkSession& session);
  /// Removes the copy of window `key` (the window was erased).
  void remove(int key);
  /// Waits until every copy asked for is written or removed.
  void flush();

  /// A network left by a run that did not end cleanly.
  struct TRecovered {
    QString WindowName;
    /// The file the network belongs to; empty when it had none.
    QString FileName;
    /// The recovery copy, a network file.
    QString CopyPath;
    QDateTime Written;
  };
  /// The copies of earlier runs that did not end cleanly, oldest first.
  std::vector<TRecovered> abandoned();
  /// Removes the copies and locks of those runs, and locks of ended runs
  /// that left no copies.
  void discardAbandoned();


 private:
  /// A copy to write (with a snapshot) or to remove (without).
  struct TJob {
    int Key = 0;
    QString WindowName;
    std::string FileName;
    std::string Note;
    std::optional<TNetworkSnapshot> State;
  };
  QString copyPath(int key, const char* extension) const;
  void enqueue(TJob job);
  void work();
  void write(const TJob& job) const;

  QString m_directory;
  QString m_run;
  std::unique_ptr<QLockFile> m_lock;
  // Locks of abandoned runs, taken over while their copies are offered.
  std::vector<std::unique_ptr<QLockFile>> m_claimed;
  std::vector<QString> m_claimedRuns;
  // The state of each window's network last copied.
  std::map<int, std::uint64_t> m_copied;

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<TJob> m_jobs;
  bool m_writing = false;
  bool m_stopping = false;
  std::thread m_writer;
};

}  // namespace korvane::gui
