#pragma once
/// TReact_Net_Wind: the window of one reaction network. It holds the
/// network's session (the network as a document: its file, its changes, its
/// undo history, its busy lease), its preferences page, runs a generation on
/// a TGenVlakno thread polled every 250 ms, and saves and exports the
/// network on worker threads with their progress below the pages. Its
/// "Components" and "Reactions" pages are classes of their own.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/network_session.h"
#include "gui/background_task.h"
#include "gui/gui_context.h"
#include "reactions/reaction_network.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;
class QPropertyAnimation;

namespace korvane::gui {

class TComponentsPage;
class TGenVlakno;
class TReactionsPage;
class TSimulationWindow;
class TTaskStrip;

class TReact_Net_Wind : public QMainWindow {
  Q_OBJECT

 public:
  /// Caption of every network window; the window manager appends ": name".
  static inline const QString kCaption = QStringLiteral("Reaction Network Window");

  TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TNetworkSession> session,
                  QWidget* parent = nullptr);
  /// A window of a network made elsewhere, in a session of its own.
  TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TReactionNetwork> network,
                  QWidget* parent = nullptr);
  /// Stops a run or a task under way and waits for its thread before the
  /// network goes.
  ~TReact_Net_Wind() override;

  const QString& name() const { return m_name; }
  std::shared_ptr<TDBCoordinator> database() const { return m_database; }
  void setDatabase(std::shared_ptr<TDBCoordinator> database);

  TNetworkSession& session() { return *m_session; }
  /// True from "Generate all reactions now" until the poll has seen the run
  /// finish.
  bool isGenerating() const { return m_thread != nullptr; }
  /// True while any long command (a run, a save, an export, a fusion) holds
  /// the network; nothing else may touch it then.
  bool isBusy() const { return m_session->IsBusy(); }
  /// Tells the window that a command of another window (a fusion) took or
  /// released its network: its controls and pages follow.
  void refreshBusyState();
  /// The network, for a command of this window or of its auxiliary windows;
  /// null, after telling the user why, while a long command holds it.
  TReactionNetwork* networkForCommand();
  /// The network without the check, for callers that know no command is
  /// under way (the window manager after a load, tests).
  TReactionNetwork& network() { return m_session->Network(); }

  /// Runs a command that changes the network as one undoable step named
  /// `label` (see TNetworkSession::Edit); `change` returns whether it changed
  /// anything. Tells the user when the network is busy. Returns whether the
  /// command ran.
  bool editNetwork(const QString& label, const std::function<bool(TReactionNetwork&)>& change);
  /// Tells the pages, the auxiliary windows and the title that a command
  /// changed the network.
  void notifyNetworkEdited();

  /// Writes the network's five preferences into the preference fields.
  void showPreferences();

  /// The "Components" and "Reactions" pages; commands of other windows that
  /// add components or reactions go through them.
  TComponentsPage* componentsPage() const { return m_componentsPage; }
  TReactionsPage* reactionsPage() const { return m_reactionsPage; }

  /// Adds a page beside the preference page.
  void addPage(QWidget* page, const QString& title);
  /// A button of the group of network controls; it is disabled, and its
  /// command refused, while the network is busy.
  QPushButton* addNetworkControl(const QString& caption, std::function<void()> command);
  /// A window that closes (hides) with this one: component and reaction
  /// details, the database list, the manual reaction dialog.
  void addAuxiliaryWindow(QWidget* window);

  // The commands of the preference page and the menus.
  /// Reads and checks the five fields and the two limits and applies them
  /// (one undoable step when a preference changes); false, after telling
  /// the user, when a field does not read or the network is busy.
  bool applyChanges();
  /// Applies the fields as "Apply changes" does, then starts a run.
  void generate();
  void stopGeneration();
  /// "Save": to the network's file without a question once it has one,
  /// else as "Save as...".
  void save();
  /// "Save as..." and "Save reaction network to file": the file, the
  /// overwrite question and the note, then the file written on a worker.
  void saveAs();
  /// Saves at once on this thread, for closing and erasing: to the network's
  /// file, or after asking as "Save as..." does. False when the user
  /// cancelled or the save failed (the user has been told).
  bool saveBeforeClosing();
  void exportGraph();
  void undo();
  void redo();
  /// Starts `work` on a worker under a lease for `command`, with the
  /// progress strip (and its Cancel when `cancellable`) below the pages;
  /// `done` runs here once it has finished. False, after telling the user,
  /// when the network is busy.
  bool startTask(const QString& command, bool cancellable, TBackgroundTask::Work work,
                 std::function<void(const TBackgroundTask&)> done);
  /// "Simulate": opens the simulation window of the network, or brings it
  /// forward when it is open.
  void openSimulation();
  /// The simulation window; null until "Simulate" first opened it.
  TSimulationWindow* simulationWindow() const { return m_simulation.get(); }
  /// Cancels a save or an export under way, or stops a run, and waits for
  /// its thread, without reporting its end; for closing the program.
  void finishBackgroundWork();
  /// Rolls the window up to its status line, or back down to its height.
  void toggleRollUp();

  /// The key of the window's recovery copy, set by the window manager.
  int recoveryKey() const { return m_recoveryKey; }
  void setRecoveryKey(int key) { m_recoveryKey = key; }

 signals:
  /// A run started (true) or has been polled as finished (false).
  void generatingChanged(bool generating);
  /// A long command started (true) or ended (false): run, save or export.
  void busyChanged(bool busy);
  /// A command changed the network (an edit, a run, a fusion, undo or
  /// redo): lists refresh, and windows showing a component or reaction that
  /// is gone forget it.
  void networkEdited();
  /// The file name or the modified state changed.
  void documentChanged();
  /// The network was saved to this file.
  void savedTo(const QString& fileName);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void build();
  QWidget* buildPreferencePage();
  void buildMenu();
  void poll();
  void startSave(const QString& fileName, const QString& note);
  /// Tells the title, the main window and the recent files that the network
  /// is now in `fileName`.
  void announceSaved(const QString& fileName);
  void setGeneratorStatus(const QString& text, const QColor& colour);
  void updateControls();
  void updateTitle();
  void updateUndoActions();
  /// Undo (back) or Redo, with the refusal told.
  void travel(bool back);
  /// Preference fields read as the window would apply them; an empty
  /// optional after telling the user what is wrong.
  std::optional<TNetworkPreferences> readPreferenceFields();

  GuiContext& m_context;
  QString m_name;
  std::unique_ptr<TNetworkSession> m_session;
  std::shared_ptr<TDBCoordinator> m_database;
  std::unique_ptr<TGenVlakno> m_thread;
  std::vector<QPointer<QWidget>> m_auxiliaryWindows;
  std::unique_ptr<TSimulationWindow> m_simulation;
  int m_savedHeight = 0;
  bool m_rolledUp = false;
  int m_recoveryKey = -1;

  QTabWidget* m_pages = nullptr;
  TComponentsPage* m_componentsPage = nullptr;
  TReactionsPage* m_reactionsPage = nullptr;
  QWidget* m_statusStrip = nullptr;
  QLabel* m_generatorStatus = nullptr;
  QLineEdit* m_temperature = nullptr;
  QLineEdit* m_eBeta = nullptr;
  QLineEdit* m_eHTransfer = nullptr;
  QLineEdit* m_eAllyl = nullptr;
  QLineEdit* m_minSelectivity = nullptr;
  QSpinBox* m_componentLimit = nullptr;
  QSpinBox* m_memoryLimit = nullptr;
  QSpinBox* m_threads = nullptr;
  QPushButton* m_apply = nullptr;
  QPushButton* m_generate = nullptr;
  QPushButton* m_stop = nullptr;
  QPushButton* m_exportGraph = nullptr;
  QPushButton* m_save = nullptr;
  QLabel* m_status = nullptr;
  QProgressBar* m_progress = nullptr;
  QLabel* m_actualComponent = nullptr;
  QLabel* m_time = nullptr;
  QTimer* m_pollTimer = nullptr;
  QWidget* m_controlsGroup = nullptr;
  TTaskStrip* m_taskStrip = nullptr;
  QPropertyAnimation* m_rollAnimation = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  // Controls that read or change the network: disabled while it is busy.
  std::vector<QPointer<QWidget>> m_networkControls;
  std::vector<QAction*> m_networkActions;
};

}  // namespace korvane::gui
