#pragma once
/// TNetworkLoader: reads network files on a worker thread, one after the
/// other, so the windows keep answering while a large file loads. It is the
/// strip under the main window's pages that shows the file being read, how
/// many of its records are in, and a Cancel button.

#include <QString>
#include <deque>
#include <functional>
#include <memory>

#include "app/network_session.h"
#include "gui/progress_strip.h"

namespace korvane::gui {

/// One file to open: where it is, the window name chosen for it, and
/// whether the name was asked (the load command) or taken from the file.
struct TLoadRequest {
  QString FileName;
  QString Name;
  bool NameAsked = false;
};

class TLoadTask;

class TNetworkLoader : public TProgressStrip {
  Q_OBJECT

 public:
  /// Called on the window's thread when a file has been read (or not):
  /// a cancelled read gives Refused with kNetworkLoadCancelled.
  using Done = std::function<void(const TLoadRequest& request, TResult<TNetworkSession::TLoaded>& result)>;

  explicit TNetworkLoader(Done done, QWidget* parent = nullptr);
  /// Cancels what is under way and waits for it.
  ~TNetworkLoader() override;

  /// Reads the file after those asked for before.
  void load(TLoadRequest request);
  /// Files being read or waiting.
  std::size_t pending() const;
  /// Ends the read under way (after its current record) and drops those
  /// waiting.
  void cancel();

 private:
  void startNext();
  void poll() override;
  void cancelPressed() override { cancel(); }
  void finished();

  Done m_done;
  std::unique_ptr<TLoadTask> m_task;
  std::deque<TLoadRequest> m_waiting;
};

}  // namespace korvane::gui
