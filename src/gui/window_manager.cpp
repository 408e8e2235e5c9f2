#include "gui/window_manager.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/network_file.h"
#include "database/mol_structure_file.h"
#include "gui/about_window.h"
#include "gui/database_editor.h"
#include "gui/database_opening.h"
#include "gui/equation_export_window.h"
#include "gui/fusion_window.h"
#include "gui/global_settings_window.h"
#include "gui/help_window.h"
#include "gui/dropped_files.h"
#include "gui/network_loader.h"
#include "gui/network_window.h"
#include "gui/recent_files.h"
#include "gui/recovery_store.h"
#include "gui/structure_editor.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"
#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

QLineEdit* ReadOnlyField() {
  auto* field = new QLineEdit(QStringLiteral("N/A"));
  field->setReadOnly(true);
  return field;
}


// Shows a new window and, once its layout has given it its final size,
// moves it up when it reaches below the screen.
void ShowInsideScreen(QWidget& window) {
  window.show();
  QTimer::singleShot(0, &window, [&window] {
    const QScreen* screen = window.screen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    // The title bar's height, where the window manager has not told it yet.
    const int titleBar = window.frameGeometry() == window.geometry() ? 30 : 0;
    const int overflow = window.frameGeometry().bottom() + titleBar - available.bottom();
    if (overflow > 0) window.move(window.x(), std::max(available.top(), window.y() - overflow));
  });
}

const QStringList kSaveDiscardCancel{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};

}  // namespace

TGen_Wind_Manager::TGen_Wind_Manager(GuiContext& context, QWidget* parent) : QMainWindow(parent), m_context(context) {
  setWindowTitle(kCaption);
  m_pages = new QTabWidget;
  m_pages->addTab(buildNetworksPage(), QStringLiteral("Reaction networks"));
  m_pages->addTab(buildDatabasePage(), QStringLiteral("DataBase"));
  connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 0)
      refresh();
    else
      showDatabasePage();
  });
  m_loader = new TNetworkLoader(
      [this](const TLoadRequest& request, TResult<TNetworkSession::TLoaded>& loaded) { loadFinished(request, loaded); });
  auto* central = new QWidget;
  auto* centralLayout = new QVBoxLayout(central);
  centralLayout->setContentsMargins(0, 0, 0, 0);
  centralLayout->addWidget(m_pages, 1);
  centralLayout->addWidget(m_loader);
  setCentralWidget(central);
  setAcceptDrops(true);
  m_recentFiles = LoadRecentFiles(m_context.SettingsFile);
  buildMenu();
  resize(560, 420);
  if (!m_context.RecoveryDirectory.isEmpty()) {
    m_recovery = std::make_unique<TRecoveryStore>(m_context.RecoveryDirectory);
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setObjectName(QStringLiteral("recoveryTimer"));
    m_recoveryTimer->setInterval(kRecoveryIntervalMs);
    connect(m_recoveryTimer, &QTimer::timeout, this, &TGen_Wind_Manager::writeRecoveryFiles);
    m_recoveryTimer->start();
  }

  loadKineticParameters();
  // The windows that exist once, created hidden in start-up order.
  m_databaseEditor = std::make_unique<TDBEditor_Win>(m_context);
  m_structureEditor = std::make_unique<TStruct_Edit>(m_context);
  m_context.StructureEditor = m_structureEditor.get();
  m_fusion = new TAdd_RN_CTRL_WIN(
      m_context,
      [this] {
        std::vector<TReact_Net_Wind*> windows;
        for (const auto& window : m_windows) windows.push_back(window.get());
        return windows;
      },
      this);
  m_globalSettings = new TGlob_Set(m_context, this);
  m_exporter = new TEqExporterWind(m_context, this);
  m_about = new TAboutWin(this);
  auto* settings = new QAction(QStringLiteral("Global settings"), this);
  connect(settings, &QAction::triggered, this, [this] { showGlobalSettings(); });
  menuBar()->insertAction(m_aboutAction, settings);
  AddTooltips(*this);
}

TGen_Wind_Manager::~TGen_Wind_Manager() {
  // A file still being read is dropped; its window would have no place.
  delete m_loader;
  m_loader = nullptr;
  destroyWindows();
  // A clean end: the recovery copies of this run go.
  m_recovery.reset();
  m_databaseEditor.reset();
  m_context.StructureEditor = nullptr;
  m_structureEditor.reset();
}

void TGen_Wind_Manager::loadKineticParameters() {
  TKineticParameterSet& set = m_context.Kinetics;
  set.Table = kKineticParameterDefaults;
  set.RadicalActivity = TRadicalActivity{};
  std::error_code error;
  if (!std::filesystem::exists(set.FileName, error)) {
    m_context.Dialogs.message(QString(), QString::fromLatin1(kKinparMsgFileDoesNotExist));
    return;
  }
  const TKinparReadReport read = ReadKineticParameterFile(set.FileName, set);
  for (std::string_view text : KinparDamageMessages(read.Damage, TKinparMessageContext::StartUp))
    m_context.Dialogs.message(QString(), QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
}

QWidget* TGen_Wind_Manager::buildNetworksPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  m_list = new QListWidget;
  connect(m_list, &QListWidget::itemClicked, this, [this] { showSelected(); });
  connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { showSelectedWindow(); });
  layout->addWidget(m_list, 1);

  auto* side = new QVBoxLayout;
  const std::pair<const char*, void (TGen_Wind_Manager::*)()> buttons[] = {
      {"Refresh", &TGen_Wind_Manager::refresh},
      {"Show", &TGen_Wind_Manager::showSelected},
      {"Show window", &TGen_Wind_Manager::showSelectedWindow},
      {"Erease RN", &TGen_Wind_Manager::ereaseSelected}};
  for (auto [caption, command] : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    connect(button, &QPushButton::clicked, this, command);
    side->addWidget(button);
  }
  auto* statistics = new QGroupBox(QStringLiteral("  Reaction Network statistics  "));
  auto* form = new QFormLayout(statistics);
  m_statName = ReadOnlyField();
  m_statComponents = ReadOnlyField();
  m_statReactions = ReadOnlyField();
  m_statName->setObjectName(QStringLiteral("statName"));
  m_statComponents->setObjectName(QStringLiteral("statComponents"));
  m_statReactions->setObjectName(QStringLiteral("statReactions"));
  form->addRow(QStringLiteral("Name:"), m_statName);
  form->addRow(QStringLiteral("Count of components:"), m_statComponents);
  form->addRow(QStringLiteral("Count of reactions:"), m_statReactions);
  side->addWidget(statistics);
  side->addStretch();
  layout->addLayout(side);
  return page;
}

QWidget* TGen_Wind_Manager::buildDatabasePage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  m_dbFileName = new QLabel(QStringLiteral("N/A"));
  m_dbName = new QLabel(QStringLiteral("N/A"));
  m_dbNote = new QLabel(QStringLiteral("N/A"));
  m_dbCount = new QLabel(QStringLiteral("N/A"));
  m_dbName->setObjectName(QStringLiteral("dbName"));
  m_dbCount->setObjectName(QStringLiteral("dbCount"));
  for (QLabel* value : {m_dbFileName, m_dbName, m_dbNote, m_dbCount}) {
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
  }
  form->addRow(QStringLiteral("Filename:"), m_dbFileName);
  form->addRow(QStringLiteral("DBName:"), m_dbName);
  form->addRow(QStringLiteral("Note:"), m_dbNote);
  form->addRow(QStringLiteral("Count of components:"), m_dbCount);
  return page;
}

void TGen_Wind_Manager::buildMenu() {
  QMenu* networks = menuBar()->addMenu(QStringLiteral("Reaction network"));
  networks->addAction(QStringLiteral("New"), this, [this] { newWindow(); })->setShortcut(QKeySequence::New);
  networks->addAction(QStringLiteral("Load from file"), this, [this] { loadFromFile(); })
      ->setShortcut(QKeySequence::Open);
  m_recentMenu = networks->addMenu(QStringLiteral("Recent files"));
  fillRecentMenu();
  networks->addSeparator();
  QAction* quit = networks->addAction(QStringLiteral("Quit"), this, [this] { close(); });
  quit->setShortcut(QKeySequence::Quit);
  // Ctrl+Q ends the program from any of its windows.
  quit->setShortcutContext(Qt::ApplicationShortcut);
  m_databaseMenu = menuBar()->addMenu(QStringLiteral("DataBase"));
  m_databaseMenu->addAction(QStringLiteral("Open"), this, [this] { openDatabase(); });
  QAction* bundled =
      m_databaseMenu->addAction(QStringLiteral("Open bundled database"), this, [this] { openBundledDatabase(); });
  bundled->setEnabled(!m_context.BundledDatabase.isEmpty());
  m_databaseMenu->addAction(QStringLiteral("Edit"), this, [this] { editDatabase(); });
  m_aboutAction = menuBar()->addAction(QStringLiteral("About"), this, [this] { showAbout(); });
  QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
  QAction* guide = help->addAction(QStringLiteral("User guide"), this, [this] { showUserGuide(); });
  guide->setShortcut(QKeySequence::HelpContents);
  // F1 opens the guide from any window of the program.
  guide->setShortcutContext(Qt::ApplicationShortcut);
  auto* draw = new QAction(QStringLiteral("Draw new structure"), this);
  connect(draw, &QAction::triggered, this, [this] { drawNewStructure(); });
  menuBar()->insertAction(m_aboutAction, draw);
}

void TGen_Wind_Manager::refresh() {
  const int row = m_list->currentRow();
  m_list->clear();
  // A network with unsaved changes is marked as its window's title marks it.
  for (std::size_t i = 0; i < m_windows.size(); ++i)
    m_list->addItem(QStringLiteral("[ %1 ] - %2%3")
                        .arg(i)
                        .arg(m_windows[i]->name(), m_windows[i]->session().IsModified() ? QStringLiteral(" *")
                                                                                        : QString()));
  if (row >= 0 && row < m_list->count()) m_list->setCurrentRow(row);
}

TReact_Net_Wind* TGen_Wind_Manager::selectedWindow(std::size_t* position) const {
  const QListWidgetItem* item = m_list->currentItem();
  if (m_list->count() == 0 || !item) return nullptr;
  const std::optional<int> number = ListPosition(item->text());
  if (!number || *number < 0 || static_cast<std::size_t>(*number) >= m_windows.size()) return nullptr;
  if (position) *position = static_cast<std::size_t>(*number);
  return m_windows[static_cast<std::size_t>(*number)].get();
}

void TGen_Wind_Manager::showSelected() {
  TReact_Net_Wind* window = selectedWindow();
  if (!window) return;
  m_statName->setText(window->name());
  if (window->isGenerating()) {
    // The counts would race the generator; they are shown once it ends.
    m_statComponents->setText(QStringLiteral("generating..."));
    m_statReactions->setText(QStringLiteral("generating..."));
    return;
  }
  m_statComponents->setText(QString::number(window->network().ComponentCount()));
  m_statReactions->setText(QString::number(window->network().ReactionCount()));
}

void TGen_Wind_Manager::showSelectedWindow() {
  TReact_Net_Wind* window = selectedWindow();
  if (!window) return;
  window->setDatabase(m_context.Database);
  window->show();
  window->raise();
  window->activateWindow();
}

void TGen_Wind_Manager::ereaseSelected() {
  std::size_t position = 0;
  TReact_Net_Wind* window = selectedWindow(&position);
  if (!window) return;
  if (window->isGenerating()) {
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("Reaction network \"%1\" is being generated. Stop the generation before "
                                             "you erase it.")
                                  .arg(window->name()));
    return;
  }
  if (window->isBusy()) {
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("Reaction network \"%1\" is busy with \"%2\". Wait until it ends, or "
                                             "cancel it, before you erase it.")
                                  .arg(window->name(), QString::fromStdString(window->session().BusyCommand())));
    return;
  }
  if (window->session().IsModified()) {
    // Unsaved work is never erased without a chance to keep it.
    const int answer = m_context.Dialogs.choose(
        QStringLiteral("WARNING"),
        QStringLiteral("Reaction network \"%1\" has changes that were not saved. Save them before it is ereased?")
            .arg(window->name()),
        kSaveDiscardCancel, 0, 2);
    if (answer == 2 || (answer == 0 && !window->saveBeforeClosing())) return;
  } else if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                                    QStringLiteral("Reaction network \"%1\" and all relevant data will be ereased. "
                                                   "Are you sure to continue?")
                                        .arg(window->name()))) {
    return;
  }
  if (m_recovery) m_recovery->remove(window->recoveryKey());
  m_windows.erase(m_windows.begin() + static_cast<std::ptrdiff_t>(position));
  refresh();
}

void TGen_Wind_Manager::execOver(QDialog& dialog, QWidget& caller) {
  // Over the window that asks, which has the focus back afterwards; the
  // dialog returns to this window, which outlives every network window.
  dialog.setParent(&caller, dialog.windowFlags());
  m_context.Dialogs.exec(dialog);
  dialog.setParent(this, dialog.windowFlags());
}

void TGen_Wind_Manager::addSharedControls(TReact_Net_Wind& window) {
  // The commands run only while the window is not generating.
  window.addNetworkControl(QStringLiteral("Add sub- (reaction network)"), [this, &window] {
    m_fusion->setTargetWindow(&window);
    execOver(*m_fusion, window);
  });
  window.addNetworkControl(TEqExporterWind::kExportCommand, [this, &window] {
    {
      // The exporter reads the network while it is open: nothing may change it.
      auto lease = window.session().TryLease(TEqExporterWind::kExportCommand.toStdString());
      if (!lease) {
        m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(lease.error().Message));
        return;
      }
      m_exporter->setNetwork(&window.network());
      execOver(*m_exporter, window);
      m_exporter->setNetwork(nullptr);
    }
    // The export itself runs on the window's worker, under a lease of its own.
    if (auto job = m_exporter->takeJob())
      window.startTask(TEqExporterWind::kExportCommand, true, std::move(job->Work), std::move(job->Done));
  });
}

TReact_Net_Wind* TGen_Wind_Manager::appendWindow(const QString& name, std::unique_ptr<TNetworkSession> session) {
  auto window = std::make_unique<TReact_Net_Wind>(m_context, name, std::move(session));
  window->setDatabase(m_context.Database);
  window->setRecoveryKey(m_nextRecoveryKey++);
  addSharedControls(*window);
  connect(window.get(), &TReact_Net_Wind::documentChanged, this, [this] { refresh(); });
  connect(window.get(), &TReact_Net_Wind::savedTo, this, [this](const QString& fileName) { rememberFile(fileName); });
  // Cascaded beside the main window, inside the screen.
  const int step = 28 * static_cast<int>(m_windows.size() % 8);
  QPoint corner = geometry().topLeft() + QPoint(40 + step, 40 + step);
  if (const QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    corner.setX(std::clamp(corner.x(), available.left(), std::max(available.left(), available.right() - window->width())));
    corner.setY(std::clamp(corner.y(), available.top(),
                           std::max(available.top(), available.bottom() - window->height() - 40)));
  }
  window->move(corner);
  m_windows.push_back(std::move(window));
  return m_windows.back().get();
}

void TGen_Wind_Manager::newWindow() {
  if (m_windows.size() >= kWindowLimit) {
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("Maximum count of reaction network windows is 255. The next one will not "
                                             "be created. Erase one of the existing ones first."));
    return;
  }
  QString name = QStringLiteral("RN_Window #%1").arg(m_windows.size());
  for (;;) {
    const std::optional<QString> answer =
        m_context.Dialogs.input(QStringLiteral("Enter window name"), QStringLiteral("Window name"), name);
    if (!answer) return;
    name = *answer;
    if (const auto problem = WindowNameProblem(name)) {
      m_context.Dialogs.message(QStringLiteral("WARNING"), *problem);
      continue;
    }
    const bool taken = std::any_of(m_windows.begin(), m_windows.end(),
                                   [&name](const auto& window) { return window->name() == name; });
    if (!taken) break;
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("Window named \"%1\" already exists. Choose another name.").arg(name));
  }
  ShowInsideScreen(*appendWindow(name, std::make_unique<TNetworkSession>()));
  refresh();
}

void TGen_Wind_Manager::loadFromFile() {
  if (loadLimitReached()) return;
  const std::optional<QString> fileName =
      m_context.Dialogs.openFile(QStringLiteral("Reaction network files|*.rnw"), m_context.StartDirectory);
  if (fileName) openNetworkFile(*fileName, true);
}

void TGen_Wind_Manager::openFiles(const QStringList& fileNames) {
  for (const QString& fileName : fileNames) openNetworkFile(fileName, false);
}

bool TGen_Wind_Manager::isLoading() const { return m_loader && m_loader->pending() > 0; }

bool TGen_Wind_Manager::loadLimitReached() {
  if (m_windows.size() + m_loader->pending() < kLoadLimit) return false;
  m_context.Dialogs.message(QString(),
                            QStringLiteral("Maximum count of paralel window copy is 20. The next one will not be "
                                           "created. You have to clouse one of existing."));
  return true;
}

void TGen_Wind_Manager::openNetworkFile(const QString& chosen, bool askName) {
  if (loadLimitReached()) return;
  if (!QFileInfo::exists(chosen)) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("File, you have selected, does not exist. Process stopped."));
    return;
  }
  const QString fileName = QFileInfo(chosen).absoluteFilePath();
  // A second window of a file already open would let two versions of it be
  // saved over each other: shown first, opened again only when asked for.
  for (const auto& open : m_windows) {
    const QString openFile = QString::fromStdString(open->session().FileName());
    if (openFile.isEmpty() || QFileInfo(openFile) != QFileInfo(fileName)) continue;
    open->show();
    open->raise();
    open->activateWindow();
    if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                               QStringLiteral("The file \"%1\" is already open in the reaction network window "
                                              "\"%2\". Open another copy?")
                                   .arg(fileName, open->name())))
      return;
    break;
  }
  const QString proposal = QStringLiteral("RN_Window #%1").arg(m_windows.size());
  QString name = askName ? proposal : QFileInfo(fileName).completeBaseName();
  // A name typed empty or too long is asked again; cancelling keeps the
  // proposal.
  while (askName) {
    name = m_context.Dialogs.input(QStringLiteral("Enter window name"), QStringLiteral("Window name"), name)
               .value_or(proposal);
    const auto problem = WindowNameProblem(name);
    if (!problem) break;
    m_context.Dialogs.message(QStringLiteral("WARNING"), *problem);
  }
  if (WindowNameProblem(name)) name = proposal;  // a file named by blanks alone

  m_loader->load({fileName, name, askName});
}

void TGen_Wind_Manager::loadFinished(const TLoadRequest& request, TResult<TNetworkSession::TLoaded>& loaded) {
  const QString& fileName = request.FileName;
  const bool askName = request.NameAsked;
  if (!loaded && loaded.error().Code == TErrorCode::Refused) return;  // cancelled by the user
  if (!loaded) {
    // Not a network file, or not readable: nothing opens.
    m_context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The file %1 cannot be opened: %2")
                                                           .arg(fileName, QString::fromStdString(loaded.error().Message)));
    return;
  }
  const TNetworkLoadReport& file = loaded.value().File;
  if (file.Damage != kNetworkFileRead) {
    const QString question =
        QStringLiteral("%1\n\n%2\n\nOpen what could be read? %3 of %4 components and %5 of %6 reactions were read.")
            .arg(QString::fromStdString(NetworkFileDamageMessage(file.Damage)),
                 QString::fromStdString(NetworkFileDamageReason(file.Damage)))
            .arg(file.ComponentsRead)
            .arg(file.ComponentsInFile)
            .arg(file.ReactionsRead)
            .arg(file.ReactionsInFile);
    if (m_context.Dialogs.choose(QStringLiteral("ERROR"), question, {QStringLiteral("Open"), QStringLiteral("Cancel")},
                                 1, 1) != 0)
      return;
  }
  TReact_Net_Wind* window = appendWindow(request.Name, std::move(loaded.value().Session));
  window->showPreferences();
  // The load command shows the note always; opening by name shows a note
  // only when there is one.
  if (askName || !file.Note.empty())
    m_context.Dialogs.message(QStringLiteral("Note saved at file"), QString::fromStdString(file.Note));
  if (file.Damage == kNetworkFileRead) rememberFile(fileName);
  ShowInsideScreen(*window);
  refresh();
}

void TGen_Wind_Manager::rememberFile(const QString& fileName) {
  m_recentFiles = WithRecentFile(m_recentFiles, QFileInfo(fileName).absoluteFilePath());
  StoreRecentFiles(m_context.SettingsFile, m_recentFiles);
  fillRecentMenu();
}

void TGen_Wind_Manager::fillRecentMenu() {
  m_recentMenu->clear();
  for (qsizetype i = 0; i < m_recentFiles.size(); ++i) {
    const QString fileName = m_recentFiles[i];
    m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(fileName), this,
                            [this, fileName] { openNetworkFile(fileName, false); });
  }
  m_recentMenu->setEnabled(!m_recentFiles.isEmpty());
}

bool TGen_Wind_Manager::closeCurrentDatabase() {
  // The editor's unsaved changes would go with the database it holds now.
  if (!m_databaseEditor->mayDiscardChanges()) return false;
  if (!m_context.Database) return true;
  const QString question = QStringLiteral(
                               "A DBase named \"%1\" is still open. It is needed to close it before opening the "
                               "other one? Do you want to continue?")
                               .arg(QString::fromStdString(m_context.Database->GetDBName()));
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"), question)) return false;
  m_context.Database.reset();
  for (auto& window : m_windows) window->setDatabase(nullptr);
  return true;
}

void TGen_Wind_Manager::openDatabase() {
  if (!closeCurrentDatabase()) return;
  const std::optional<QString> fileName =
      m_context.Dialogs.openFile(QStringLiteral("Molecullar DataBase Files *.mdb|*mdb"), m_context.StartDirectory);
  if (!fileName || !QFileInfo::exists(*fileName)) return;
  useDatabase(*fileName);
}

void TGen_Wind_Manager::openBundledDatabase() {
  if (m_context.BundledDatabase.isEmpty() || !closeCurrentDatabase()) return;
  useDatabase(m_context.BundledDatabase);
}

void TGen_Wind_Manager::useDatabase(const QString& fileName) {
  m_context.Database = OpenDatabaseFile(fileName, m_context.Dialogs);
  for (auto& window : m_windows) window->setDatabase(m_context.Database);
  showDatabasePage();
  if (!m_context.Database) return;
  m_databaseEditor->setDatabase(m_context.Database);
  if (m_context.Dialogs.ask(QStringLiteral("Use DBEditor now?"), QStringLiteral("Do you wish open selected DB in DBEditor now?")))
    editDatabase();
}

void TGen_Wind_Manager::editDatabase() {
  if (!m_databaseEditor->isVisible() && !m_databaseEditor->testAttribute(Qt::WA_Moved))
    if (const QScreen* screen = this->screen()) {
      // The first time in the middle of the screen; later where the user left it.
      QRect frame(QPoint(), m_databaseEditor->size());
      frame.moveCenter(screen->availableGeometry().center());
      m_databaseEditor->move(frame.topLeft());
    }
  m_databaseEditor->show();
  m_databaseEditor->raise();
  m_databaseEditor->activateWindow();
}

void TGen_Wind_Manager::drawNewStructure() {
  std::optional<TMolCharacterisation> structure = m_structureEditor->drawStructure();
  if (!structure) return;
  const std::optional<QString> fileName = m_context.Dialogs.saveFile(
      QStringLiteral("Molecullar Structure Files *.mdb|*.ms"), m_context.StartDirectory, true);
  if (!fileName) return;
  const std::optional<QString> answer =
      m_context.Dialogs.input(QStringLiteral("Enter identification"), QString(), QString());
  if (!answer) return;
  bool isNumber = false;
  structure->Identification = answer->trimmed().toInt(&isNumber, 10);
  if (!isNumber) {
    m_context.Dialogs.message(QString(), QStringLiteral("'%1' is not a valid integer value").arg(*answer));
    return;
  }
  if (const auto written = WriteMolStructureFile(*structure, fileName->toStdString()); !written)
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The structure was not saved to %1: %2")
                                  .arg(*fileName, QString::fromLocal8Bit(written.error().Message.c_str())));
}

void TGen_Wind_Manager::showDatabasePage() {
  const TDBCoordinator* database = m_context.Database.get();
  if (!database) return;
  m_dbFileName->setText(QString::fromStdString(database->GetDBFileName()));
  m_dbName->setText(QString::fromStdString(database->GetDBName()));
  m_dbNote->setText(QString::fromStdString(database->GetNote()));
  m_dbCount->setText(QString::number(database->ItemCount()));
}

void TGen_Wind_Manager::showGlobalSettings() {
  m_globalSettings->show();
  m_globalSettings->raise();
  m_globalSettings->activateWindow();
}

void TGen_Wind_Manager::showAbout() { m_context.Dialogs.exec(*m_about); }

void TGen_Wind_Manager::showUserGuide() {
  if (!m_userGuide) m_userGuide = new HelpWindow(m_context.UserGuide, this);
  m_userGuide->show();
  m_userGuide->raise();
  m_userGuide->activateWindow();
}

void TGen_Wind_Manager::destroyWindows() {
  // A fusion holds several windows' networks: it ends before any of them
  // goes. Then last first, as the list was built; each window stops its run
  // and waits for the thread before its network goes.
  if (m_fusion) m_fusion->finishBackgroundWork();
  while (!m_windows.empty()) m_windows.pop_back();
}

bool TGen_Wind_Manager::mayQuit() {
  // A network being generated will hold the run's work, and one being saved
  // or exported holds work under way: both are named with the unsaved ones.
  std::vector<TReact_Net_Wind*> unsaved;
  QStringList lines;
  bool workUnderWay = false;
  for (const auto& window : m_windows) {
    const std::string busy = window->session().BusyCommand();
    if (!window->session().IsModified() && busy.empty()) continue;
    unsaved.push_back(window.get());
    workUnderWay |= !busy.empty() && !window->isGenerating();
    const QString file = QString::fromStdString(window->session().FileName());
    lines << QStringLiteral("  ") + window->name() +
                 (window->isGenerating() ? QStringLiteral(" (being generated)")
                  : !busy.empty()        ? QStringLiteral(" (busy with \"%1\")").arg(QString::fromStdString(busy))
                  : file.isEmpty()       ? QString()
                                         : QStringLiteral(" (%1)").arg(QFileInfo(file).fileName()));
  }
  int answer = 1;  // nothing unsaved: nothing to save
  if (!unsaved.empty()) {
    answer = m_context.Dialogs.choose(
        QStringLiteral("WARNING"),
        QStringLiteral("These reaction networks have %1:\n\n%2\n\nSave them before the program ends?")
            .arg(workUnderWay ? QStringLiteral("changes that were not saved, or work under way")
                      : QStringLiteral("changes that were not saved"),
                 lines.join(QLatin1Char('\n'))),
        {QStringLiteral("Save all"), QStringLiteral("Discard"), QStringLiteral("Cancel")}, 0, 2);
    if (answer == 2) return false;
  }
  // Only now do runs stop and exports end, so that Cancel keeps them going.
  m_fusion->finishBackgroundWork();
  for (const auto& window : m_windows) window->finishBackgroundWork();
  if (answer == 0)
    for (TReact_Net_Wind* window : unsaved)
      if (window->session().IsModified() && !window->saveBeforeClosing()) return false;
  return true;
}

void TGen_Wind_Manager::closeEvent(QCloseEvent* event) {
  // The editor asks about its unsaved changes first; a No keeps the program.
  if ((m_databaseEditor->isVisible() && !m_databaseEditor->close()) || !mayQuit()) {
    event->ignore();
    return;
  }
  destroyWindows();
  event->accept();
}

void TGen_Wind_Manager::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData(), QStringLiteral(".rnw")).isEmpty()) event->acceptProposedAction();
}

void TGen_Wind_Manager::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData(), QStringLiteral(".rnw"));
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  openFiles(files);
}

void TGen_Wind_Manager::writeRecoveryFiles() {
  if (!m_recovery) return;
  for (const auto& window : m_windows) {
    if (window->isBusy()) continue;  // its network is being changed or written
    m_recovery->update(window->recoveryKey(), window->name(), window->session());
  }
}

void TGen_Wind_Manager::offerRecovery() {
  if (!m_recovery) return;
  const std::vector<TRecoveryStore::TRecovered> found = m_recovery->abandoned();
  if (found.empty()) {
    m_recovery->discardAbandoned();  // empty folders of earlier runs
    return;
  }
  QStringList lines;
  for (const auto& copy : found)
    lines << QStringLiteral("  %1%2, written %3")
                 .arg(copy.WindowName,
                      copy.FileName.isEmpty() ? QString()
                                              : QStringLiteral(" (%1)").arg(QFileInfo(copy.FileName).fileName()),
                      QLocale().toString(copy.Written, QLocale::ShortFormat));
  // Escape restores: nothing is lost by a key pressed in haste.
  const int answer = m_context.Dialogs.choose(
      QStringLiteral("Recovery"),
      QStringLiteral("The program did not end normally. These reaction networks had changes that were not "
                     "saved:\n\n%1\n\nRestore them?")
          .arg(lines.join(QLatin1Char('\n'))),
      {QStringLiteral("Restore"), QStringLiteral("Discard")}, 0, 0);
  if (answer == 0) {
    for (const auto& copy : found) {
      auto loaded = TNetworkSession::Load(copy.CopyPath.toStdString());
      if (!loaded || loaded.value().File.Damage != kNetworkFileRead) {
        m_context.Dialogs.message(QStringLiteral("ERROR"),
                                  QStringLiteral("The copy of \"%1\" could not be read and was not restored.")
                                      .arg(copy.WindowName));
        continue;
      }
      loaded.value().Session->Recovered(copy.FileName.toStdString());
      TReact_Net_Wind* window = appendWindow(copy.WindowName, std::move(loaded.value().Session));
      window->showPreferences();
      ShowInsideScreen(*window);
    }
    refresh();
    // Written again at once, so the restored work is safe in this run's copies.
    writeRecoveryFiles();
  }
  m_recovery->discardAbandoned();
}

}  // namespace korvane::gui
