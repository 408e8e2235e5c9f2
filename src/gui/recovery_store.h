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

#include <QDateTime>
#include <QLockFile>
#include <QString>
#include <memory>
#include <vector>

#include "app/network_session.h"

namespace korvane::gui {

class TRecoveryStore {
 public:
  /// The store of this run in `directory` (created when missing).
  explicit TRecoveryStore(const QString& directory);
  /// A clean end: this run's copies and lock go.
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore&) = delete;
  TRecoveryStore& operator=(const TRecoveryStore&) = delete;

  /// Writes the copy of the network of window `key`, or removes it when the
  /// session holds no unsaved change. The session must not be busy. Returns
  /// what went wrong, empty when all went well.
  QString update(int key, const QString& windowName, const TNetworkSession& session);
  /// Removes the copy of window `key` (the window was erased).
  void remove(int key);

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
  /// Removes the copies and locks of those runs.
  void discardAbandoned();

  const QString& directory() const { return m_directory; }

 private:
  QString copyPath(int key, const char* extension) const;

  QString m_directory;
  QString m_run;
  std::unique_ptr<QLockFile> m_lock;
  // Locks of abandoned runs, taken over while their copies are offered.
  std::vector<std::unique_ptr<QLockFile>> m_claimed;
  std::vector<QString> m_claimedRuns;
};

}  // namespace korvane::gui
