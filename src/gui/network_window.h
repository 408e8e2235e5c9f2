#pragma once
/// TReact_Net_Wind: the window of one reaction network. It holds the
/// network, its preferences page, runs a generation on a TGenVlakno thread
/// polled every 250 ms, and saves and exports the network. Its "Components"
/// and "Reactions" pages are classes of their own.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>
#include <memory>
#include <vector>

#include "gui/gui_context.h"
#include "reactions/reaction_network.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace korvane::gui {

class TComponentsPage;
class TGenVlakno;
class TReactionsPage;

class TReact_Net_Wind : public QMainWindow {
  Q_OBJECT

 public:
  /// Caption of every network window; the window manager appends ": name".
  static inline const QString kCaption = QStringLiteral("Reaction Network Window");

  TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TReactionNetwork> network,
                  QWidget* parent = nullptr);
  /// Stops a run under way and waits for its thread before the network goes.
  ~TReact_Net_Wind() override;

  const QString& name() const { return m_name; }
  std::shared_ptr<TDBCoordinator> database() const { return m_database; }
  void setDatabase(std::shared_ptr<TDBCoordinator> database);

  /// True from "Generate all reactions now" until the poll has seen the run
  /// finish. Meanwhile nothing but the thread may touch the network.
  bool isGenerating() const { return m_thread != nullptr; }
  /// The network, for a command of this window or of its auxiliary windows;
  /// null, after telling the user why, while a run is under way.
  TReactionNetwork* networkForCommand();
  /// The network without the check, for callers that know no run is under
  /// way (the window manager after a load, tests).
  TReactionNetwork& network() { return *m_network; }

  /// Writes the network's five preferences into the preference fields.
  void showPreferences();

  /// The "Components" and "Reactions" pages; commands of other windows that
  /// add components or reactions go through them.
  TComponentsPage* componentsPage() const { return m_componentsPage; }
  TReactionsPage* reactionsPage() const { return m_reactionsPage; }
  /// Tells the pages and auxiliary windows that a command changed the
  /// network (added, renamed or removed components or reactions).
  void notifyNetworkEdited() { emit networkEdited(); }

  /// Adds a page beside the preference page.
  void addPage(QWidget* page, const QString& title);
  /// A button of the group of network controls; it is disabled, and its
  /// command refused, while a run is under way.
  QPushButton* addNetworkControl(const QString& caption, std::function<void()> command);
  /// A window that closes (hides) with this one: component and reaction
  /// details, the database list, the manual reaction dialog.
  void addAuxiliaryWindow(QWidget* window);

  /// The commands of the preference page, also reachable from the menu.
  void applyChanges();
  void generate();
  void stopGeneration();
  void saveToFile();
  void exportGraph();
  /// Rolls the window up to its status line, or back down to its height.
  void toggleRollUp();

 signals:
  /// A run started (true) or has been polled as finished (false).
  void generatingChanged(bool generating);
  /// The network's content changed as a whole (a run ended, a load).
  void networkReplaced();
  /// A command changed the network: lists refresh, and windows showing a
  /// component or reaction that is gone forget it.
  void networkEdited();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildPreferencePage();
  void buildMenu();
  void poll();
  void setGeneratorStatus(const QString& text, const QColor& colour);
  void updateControls();
  /// Preference fields read as the window would apply them; an empty
  /// optional after telling the user what is wrong.
  std::optional<TNetworkPreferences> readPreferenceFields();

  GuiContext& m_context;
  QString m_name;
  std::unique_ptr<TReactionNetwork> m_network;
  std::shared_ptr<TDBCoordinator> m_database;
  std::unique_ptr<TGenVlakno> m_thread;
  std::vector<QPointer<QWidget>> m_auxiliaryWindows;
  int m_savedHeight = 0;
  bool m_rolledUp = false;

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
  // Controls that read or change the network: disabled during a run.
  std::vector<QPointer<QWidget>> m_networkControls;
  std::vector<QAction*> m_networkActions;
};

}  // namespace korvane::gui
