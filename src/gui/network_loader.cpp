#include "gui/network_loader.h"

#include <QFileInfo>
#include <QLayout>
#include <QThread>
#include <atomic>
#include <exception>
#include <optional>

namespace korvane::gui {

// Reads one file into a new session; the records read so far and their
// number are polled by the strip.
class TLoadTask : public QThread {
 public:
  explicit TLoadTask(TLoadRequest request) : m_request(std::move(request)) {}
  ~TLoadTask() override {
    cancel();
    wait();
  }

  const TLoadRequest& request() const { return m_request; }
  void cancel() { m_stop.store(true, std::memory_order_relaxed); }
  std::int64_t done() const { return m_done.load(std::memory_order_relaxed); }
  std::int64_t total() const { return m_total.load(std::memory_order_relaxed); }
  /// Read once the thread has finished.
  TResult<TNetworkSession::TLoaded>& result() { return *m_result; }

 protected:
  void run() override {
    const TNetworkFileControl control{&m_stop, [this](std::size_t done, std::size_t total) {
                                        m_total.store(static_cast<std::int64_t>(total), std::memory_order_relaxed);
                                        m_done.store(static_cast<std::int64_t>(done), std::memory_order_relaxed);
                                      }};
    try {
      m_result = TNetworkSession::Load(m_request.FileName.toStdString(), control);
    } catch (const std::exception& error) {
      m_result = TResult<TNetworkSession::TLoaded>(TError{TErrorCode::FileSystem, error.what()});
    }
  }

 private:
  TLoadRequest m_request;
  std::atomic<bool> m_stop{false};
  std::atomic<std::int64_t> m_done{0}, m_total{0};
  std::optional<TResult<TNetworkSession::TLoaded>> m_result;
};

TNetworkLoader::TNetworkLoader(Done done, QWidget* parent) : TProgressStrip(parent), m_done(std::move(done)) {
  setObjectName(QStringLiteral("loadStrip"));
  // The main window's bottom edge has no margin of its own.
  layout()->setContentsMargins(4, 2, 4, 2);
}

TNetworkLoader::~TNetworkLoader() { m_waiting.clear(); }

void TNetworkLoader::load(TLoadRequest request) {
  m_waiting.push_back(std::move(request));
  startNext();
}

std::size_t TNetworkLoader::pending() const { return m_waiting.size() + (m_task ? 1 : 0); }

void TNetworkLoader::cancel() {
  m_waiting.clear();
  if (m_task) m_task->cancel();
}

void TNetworkLoader::startNext() {
  if (m_task || m_waiting.empty()) return;
  m_task = std::make_unique<TLoadTask>(std::move(m_waiting.front()));
  m_waiting.pop_front();
  // Queued: the slot runs here once the thread has ended.
  connect(m_task.get(), &QThread::finished, this, &TNetworkLoader::finished, Qt::QueuedConnection);
  // Busy until the reader tells its total.
  begin(QStringLiteral("Loading %1").arg(QFileInfo(m_task->request().FileName).fileName()), true);
  m_task->start();
}

void TNetworkLoader::poll() {
  if (!m_task || m_task->total() <= 0) return;
  report(QStringLiteral("Loading %1: %2 / %3 records")
             .arg(QFileInfo(m_task->request().FileName).fileName())
             .arg(m_task->done())
             .arg(m_task->total()),
         m_task->done(), m_task->total());
}

void TNetworkLoader::finished() {
  if (!m_task || m_task->isRunning()) return;
  end();
  const std::unique_ptr<TLoadTask> task = std::move(m_task);
  // The callback may ask questions and load again: the strip is free first.
  m_done(task->request(), task->result());
  startNext();
}

}  // namespace korvane::gui
