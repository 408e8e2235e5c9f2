#pragma once
/// TDBEditor_Win: creates, opens, edits and saves molecular databases,
/// searches them by name fragments and by structure, and reports on an
/// item's molecule. It works on a current database of its own, which the
/// main window sets to its database when it opens one. Changes stay in
/// memory until "Save"; closing with unsaved changes asks first.

#include <QMainWindow>
#include <memory>
#include <optional>

#include "database/db_coordinator.h"
#include "gui/gui_context.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace korvane::gui {

class MoleculePictureWidget;

class TDBEditor_Win : public QMainWindow {
  Q_OBJECT

 public:
  static inline const QString kInitialCaption = QStringLiteral("DataBase Editor");
  /// The header fields, in the order of the window.
  enum class HeaderField { FileName, Name, Note };

  explicit TDBEditor_Win(GuiContext& context, QWidget* parent = nullptr);

  /// Makes the database current (the main window's hand-off): the header
  /// fields show its values and the item list its items.
  void setDatabase(std::shared_ptr<TDBCoordinator> database);
  const std::shared_ptr<TDBCoordinator>& database() const { return m_database; }
  bool hasUnsavedChanges() const { return m_unsaved; }
  /// True when there are no unsaved changes or the user agrees to lose them.
  bool mayDiscardChanges();

  QLineEdit* headerField(HeaderField field) const;
  QCheckBox* headerOk(HeaderField field) const;
  QLineEdit* searchField() const { return m_search; }
  QListWidget* itemList() const { return m_items; }
  QTableWidget* synonymGrid() const { return m_synonyms; }
  QSpinBox* synonymCount() const { return m_synonymCount; }
  QLineEdit* msFileField() const { return m_msFile; }
  QLineEdit* smilesField() const { return m_smiles; }
  QLineEdit* reservationsField() const { return m_reservations; }
  QPlainTextEdit* report() const { return m_report; }

  // Menu "DB".
  void newDatabase();
  void openDatabase();
  void saveDatabase();
  void selectFileName();
  /// The "OK" box of a header field: its text goes into the database.
  void applyField(HeaderField field);
  // The item commands.
  void showItem();
  void selectStructureFile();
  void addItem();
  void rewriteItem();
  void deleteItem();
  void moreInfo();
  void searchByStructure();
  /// Lists the items the search text finds.
  void refreshItems();
  /// What the 500 ms timer does: caption, header fields and their colours.
  void refreshDisplay();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildHeader();
  QGroupBox* buildDataGroup();
  void buildMenu();
  void setControlsEnabled(bool enabled);
  void fillHeader();
  void resizeSynonymGrid(int count);
  TStrVector gridSynonyms() const;
  /// Index of the selected item line; nothing without one.
  std::optional<std::size_t> selectedItem() const;
  void showPicture(std::size_t index, std::uint8_t size);
  void error(const QString& text);

  GuiContext& m_context;
  std::shared_ptr<TDBCoordinator> m_database;
  // The database whose values the header fields were filled with.
  const TDBCoordinator* m_shownDatabase = nullptr;
  bool m_unsaved = false;

  QLineEdit* m_fields[3] = {};
  QCheckBox* m_oks[3] = {};
  QLabel* m_version = nullptr;
  QGroupBox* m_data = nullptr;
  QLineEdit* m_search = nullptr;
  QListWidget* m_items = nullptr;
  QLabel* m_itemIndex = nullptr;
  QLineEdit* m_msFile = nullptr;
  QLineEdit* m_smiles = nullptr;
  QSpinBox* m_synonymCount = nullptr;
  QTableWidget* m_synonyms = nullptr;
  QLineEdit* m_reservations = nullptr;
  MoleculePictureWidget* m_picture = nullptr;
  QPlainTextEdit* m_report = nullptr;
  QPushButton* m_searchByStructure = nullptr;
  QTimer* m_timer = nullptr;
};

}  // namespace korvane::gui
