#include "gui/recovery_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <QFile>
#include <exception>

#include "app/network_file.h"

namespace korvane::gui {
namespace {

const QString kLockSuffix = QStringLiteral(".lock");

// A lock is judged by the process that holds it only: a run of a day must
// not look stale because its lock is old.
std::unique_ptr<QLockFile> Lock(const QString& path) {
  auto lock = std::make_unique<QLockFile>(path);
  lock->setStaleLockTime(0);
  return lock;
}

}  // namespace

TRecoveryStore::TRecoveryStore(const QString& directory) : m_directory(directory) {
  QDir().mkpath(m_directory);
  m_run = QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QDateTime::currentMSecsSinceEpoch());
  m_lock = Lock(QDir(m_directory).filePath(m_run + kLockSuffix));
  m_lock->tryLock(0);
  m_writer = std::thread([this] { work(); });
}

TRecoveryStore::~TRecoveryStore() {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.clear();
    m_stopping = true;
  }
  m_changed.notify_all();
  m_writer.join();
  QDir(QDir(m_directory).filePath(m_run)).removeRecursively();
  m_lock->unlock();
}

void TRecoveryStore::enqueue(TJob job) {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  m_changed.notify_all();
}

void TRecoveryStore::flush() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [this] { return m_jobs.empty() && !m_writing; });
}

void TRecoveryStore::work() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
    if (m_stopping) return;
    const TJob job = std::move(m_jobs.front());
    m_jobs.pop_front();
    m_writing = true;
    lock.unlock();
    if (job.State)
      write(job);
    else {
      QFile::remove(copyPath(job.Key, "ini"));
      QFile::remove(copyPath(job.Key, "rnw"));
    }
    lock.lock();
    m_writing = false;
    m_changed.notify_all();
  }
}

void TRecoveryStore::write(const TJob& job) const {
  // A copy that cannot be written costs nothing now: the next one may be,
  // and a message every five minutes would only interrupt the user.
  try {
    TReactionNetwork network;
    job.State->Restore(network);
    QDir().mkpath(QDir(m_directory).filePath(m_run));
    if (!WriteNetworkFile(network, job.Note, copyPath(job.Key, "rnw").toStdString())) return;
  } catch (const std::exception&) {
    return;  // no memory to restore the snapshot now
  }
  // The description last: a copy is offered only once both are whole.
  QSettings description(copyPath(job.Key, "ini"), QSettings::IniFormat);
  description.setValue(QStringLiteral("window"), job.WindowName);
  description.setValue(QStringLiteral("file"), QString::fromStdString(job.FileName));
  description.sync();
}

QString TRecoveryStore::copyPath(int key, const char* extension) const {
  return QDir(QDir(m_directory).filePath(m_run)).filePath(QStringLiteral("%1.%2").arg(key).arg(QLatin1String(extension)));
}

void TRecoveryStore::update(int key, const QString& windowName, const TNetworkSession& session) {
  if (!session.IsModified()) {
    if (m_copied.erase(key) > 0) remove(key);
    return;
  }
  const auto copied = m_copied.find(key);
  if (copied != m_copied.end() && copied->second == session.StateId()) return;
  try {
    enqueue({key, windowName, session.FileName(), session.Note(), TNetworkSnapshot::Capture(session.Network())});
  } catch (const std::exception&) {
    return;  // no memory for the snapshot now: the next time, perhaps
  }
  m_copied[key] = session.StateId();
}

void TRecoveryStore::remove(int key) {
  m_copied.erase(key);
  enqueue({key, {}, {}, {}, std::nullopt});
}

std::vector<TRecoveryStore::TRecovered> TRecoveryStore::abandoned() {
  std::vector<TRecovered> found;
  const QDir directory(m_directory);
  for (const QFileInfo& folder : directory.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time | QDir::Reversed)) {
    const QString run = folder.fileName();
    if (run == m_run) continue;
    const bool claimed = std::find(m_claimedRuns.begin(), m_claimedRuns.end(), run) != m_claimedRuns.end();
    if (!claimed) {
      // A lock still held belongs to a program running now.
      auto lock = Lock(directory.filePath(run + kLockSuffix));
      if (!lock->tryLock(0)) continue;
      m_claimed.push_back(std::move(lock));
      m_claimedRuns.push_back(run);
    }
    const QDir copies(folder.absoluteFilePath());
    for (const QFileInfo& ini : copies.entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Time | QDir::Reversed)) {
      const QString copy = copies.filePath(ini.completeBaseName() + QStringLiteral(".rnw"));
      if (!QFileInfo::exists(copy)) continue;
      const QSettings description(ini.absoluteFilePath(), QSettings::IniFormat);
      found.push_back({description.value(QStringLiteral("window")).toString(),
                       description.value(QStringLiteral("file")).toString(), copy,
                       QFileInfo(copy).lastModified()});
    }
  }
  return found;
}

void TRecoveryStore::discardAbandoned() {
  abandoned();  // claims every abandoned run with copies
  const QDir directory(m_directory);
  // Locks of ended runs that left no folder go too.
  for (const QString& name : directory.entryList({QStringLiteral("*") + kLockSuffix}, QDir::Files)) {
    const QString run = name.chopped(kLockSuffix.size());
    if (run == m_run || directory.exists(run)) continue;
    if (auto lock = Lock(directory.filePath(name)); lock->tryLock(0)) lock->unlock();
  }
  for (std::size_t i = 0; i < m_claimedRuns.size(); ++i) {
    QDir(directory.filePath(m_claimedRuns[i])).removeRecursively();
    m_claimed[i]->unlock();
  }
  m_claimed.clear();
  m_claimedRuns.clear();
}

}  // namespace korvane::gui
