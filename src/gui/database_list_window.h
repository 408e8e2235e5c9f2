#pragma once
/// TDBList_Win: picks molecules from the open database for a reaction
/// network. It lists the items, filters them by name fragments as the user
/// types, shows the structure of the clicked item and collects a selection;
/// "Accept selection" hands the selected items' molecules to the caller.

#include <QDialog>
#include <memory>

#include "core/molecule.h"
#include "database/db_coordinator.h"
#include "gui/gui_context.h"

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace korvane::gui {

class MoleculePictureWidget;

class TDBList_Win : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("DBList");

  explicit TDBList_Win(GuiContext& context, QWidget* parent = nullptr);

  /// Takes the database (none leaves the window as it is): its name goes
  /// after the caption and every item is listed.
  void ConnectDatabase(std::shared_ptr<TDBCoordinator> database);
  /// Readies the window for an opening: every item listed, the selection,
  /// the result and the search emptied. Without a database it says so and
  /// returns false.
  bool prepareToShow();
  /// The molecules of the accepted selection, in its order; they belong to
  /// the database. Empty unless "Accept selection" closed the window.
  const TMoleculeVector& result() const { return m_result; }

  QLineEdit* searchField() const { return m_search; }
  QListWidget* itemList() const { return m_items; }
  QListWidget* selectionList() const { return m_selection; }

  // Commands.
  void search(const QString& text);
  void searchEntered();
  void showSelectedItem();
  void addSelected();
  void removeSelected();
  void acceptSelection();

 private:
  void listEveryItem();

  GuiContext& m_context;
  std::shared_ptr<TDBCoordinator> m_database;
  TMoleculeVector m_result;
  QLineEdit* m_search = nullptr;
  QListWidget* m_items = nullptr;
  QListWidget* m_selection = nullptr;
  QCheckBox* m_showStructure = nullptr;
  MoleculePictureWidget* m_picture = nullptr;
};

}  // namespace korvane::gui
