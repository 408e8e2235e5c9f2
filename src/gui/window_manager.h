#pragma once
/// TGen_Wind_Manager: the main window. It loads the kinetic parameter file
/// at start-up, keeps the ordered list of network windows (a window's
/// position in the list is the number the user sees), creates, loads, shows
/// and erases them, and opens the current molecular database. It guards the
/// user's work: nothing unsaved goes without a question (erasing a window,
/// quitting), networks with unsaved changes are copied to a recovery folder
/// every five minutes, and the copies of a run that did not end cleanly are
/// offered back at the next start.

#include <QMainWindow>
#include <memory>
#include <vector>

#include "app/network_session.h"
#include "gui/gui_context.h"
#include "reactions/reaction_network.h"

class QDialog;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QTimer;

namespace korvane::gui {

class TReact_Net_Wind;
class HelpWindow;
class TAboutWin;
class TDBEditor_Win;
class TStruct_Edit;
class TAdd_RN_CTRL_WIN;
class TEqExporterWind;
class TGlob_Set;
class TNetworkLoader;
class TRecoveryStore;
struct TLoadRequest;

class TGen_Wind_Manager : public QMainWindow {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Reacion Network Windows manager");
  /// Load from file refuses more windows than this.
  static constexpr std::size_t kLoadLimit = 20;
  /// The window count is 8 bits wide.
  static constexpr std::size_t kWindowLimit = 255;
  /// Recovery copies are written this often [ms].
  static constexpr int kRecoveryIntervalMs = 5 * 60 * 1000;

  /// Fills the kinetic parameter set with its defaults, reads the kinetic
  /// parameter file and reports its damage, and creates the windows that
  /// exist once, hidden.
  explicit TGen_Wind_Manager(GuiContext& context, QWidget* parent = nullptr);
  /// Stops every run under way and waits for it, then destroys the network
  /// windows, last first.
  ~TGen_Wind_Manager() override;

  std::size_t windowCount() const { return m_windows.size(); }
  TReact_Net_Wind* window(std::size_t position) const { return m_windows[position].get(); }
  QListWidget* windowList() const { return m_list; }
  TDBEditor_Win* databaseEditor() const { return m_databaseEditor.get(); }
  TStruct_Edit* structureEditor() const { return m_structureEditor.get(); }

  // Menu commands.
  void newWindow();
  void loadFromFile();
  void openDatabase();
  /// Opens the database installed with the program.
  void openBundledDatabase();
  /// Shows the database editor, also without a database: its "New" is how
  /// a first database is made.
  void editDatabase();
  /// Saves a drawn structure as a structure file under an identification.
  void drawNewStructure();
  void showGlobalSettings();
  void showAbout();
  /// Help > "User guide" (F1 in any window): the guide in a window of its own.
  void showUserGuide();
  /// The guide's window once opened, or null.
  HelpWindow* userGuide() const { return m_userGuide; }
  /// Opens network files as new windows named after their files (the
  /// command line, dropped files, recent files), with the load command's
  /// checks and questions.
  void openFiles(const QStringList& fileNames);
  /// Offers the networks that a run which did not end cleanly left in the
  /// recovery folder: Restore opens each in a window, Discard removes them.
  void offerRecovery();
  /// Writes the recovery copy of every network with unsaved changes (and
  /// removes those of saved ones); the timer calls it every five minutes.
  void writeRecoveryFiles();
  /// The recent network files, newest first.
  const QStringList& recentFiles() const { return m_recentFiles; }
  /// Network files are being read (on a worker thread) or wait to be.
  bool isLoading() const;
  // Commands of the "Reaction networks" page, on the selected list line.
  void refresh();
  void showSelected();
  void showSelectedWindow();
  void ereaseSelected();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  /// The load command for one file: the window limit, the file's existence,
  /// a file already open and the name (asked, or the file's name) here;
  /// then the file is read on a worker and loadFinished goes on.
  void openNetworkFile(const QString& fileName, bool askName);
  /// The rest of the load command once the file is read: its error, the
  /// damage question, the new window, the note.
  void loadFinished(const TLoadRequest& request, TResult<TNetworkSession::TLoaded>& loaded);
  /// Tells the user when Load from file would pass kLoadLimit windows.
  bool loadLimitReached();
  /// The question before the program ends; false keeps it running.
  bool mayQuit();
  void rememberFile(const QString& fileName);
  void fillRecentMenu();
  void loadKineticParameters();
  QWidget* buildNetworksPage();
  QWidget* buildDatabasePage();
  void buildMenu();
  void showDatabasePage();
  /// Asks before the current database is closed; false when the user keeps it.
  bool closeCurrentDatabase();
  /// Opens the database file and makes it the current one of every window.
  void useDatabase(const QString& fileName);
  /// The window of the selected list line; null when nothing is selected or
  /// the line holds no valid number.
  TReact_Net_Wind* selectedWindow(std::size_t* position = nullptr) const;
  TReact_Net_Wind* appendWindow(const QString& name, std::unique_ptr<TNetworkSession> session);
  /// Gives a network window the controls that open the windows existing
  /// once: fusion and the equation exporter.
  void addSharedControls(TReact_Net_Wind& window);
  /// Shows one of the dialogs that exist once modally over `caller`.
  void execOver(QDialog& dialog, QWidget& caller);
  void destroyWindows();

  GuiContext& m_context;
  std::vector<std::unique_ptr<TReact_Net_Wind>> m_windows;
  // Windows of their own, not children: the database editor stays usable
  // beside this one, and closing the structure editor gives the focus back
  // to whichever window opened it, not to this one.
  std::unique_ptr<TDBEditor_Win> m_databaseEditor;
  std::unique_ptr<TStruct_Edit> m_structureEditor;
  TAdd_RN_CTRL_WIN* m_fusion = nullptr;
  TGlob_Set* m_globalSettings = nullptr;
  TEqExporterWind* m_exporter = nullptr;
  TAboutWin* m_about = nullptr;
  HelpWindow* m_userGuide = nullptr;
  QMenu* m_databaseMenu = nullptr;
  QMenu* m_recentMenu = nullptr;
  QStringList m_recentFiles;
  std::unique_ptr<TRecoveryStore> m_recovery;
  QTimer* m_recoveryTimer = nullptr;
  int m_nextRecoveryKey = 0;
  // The last item of the menu bar; the items of later windows go before it.
  QAction* m_aboutAction = nullptr;

  QTabWidget* m_pages = nullptr;
  TNetworkLoader* m_loader = nullptr;
  QListWidget* m_list = nullptr;
  QLineEdit* m_statName = nullptr;
  QLineEdit* m_statComponents = nullptr;
  QLineEdit* m_statReactions = nullptr;
  QLabel* m_dbFileName = nullptr;
  QLabel* m_dbName = nullptr;
  QLabel* m_dbNote = nullptr;
  QLabel* m_dbCount = nullptr;
};

}  // namespace korvane::gui
