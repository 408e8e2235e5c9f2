#pragma once
/// The "Table" view of the network window's "Components" and "Reactions"
/// pages: a sortable table with a search box, a query by structure, copying
/// of the selected rows and "Export CSV".

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "gui/gui_context.h"
#include "gui/network_table_model.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QTableView;
class QTimer;
class QVBoxLayout;

namespace korvane::gui {

class TReact_Net_Wind;

/// The component of the window's network with the structure a SMILES
/// names (canonical identity): null when none has it; nothing when the
/// network is busy or the text is no SMILES (the user has been told).
std::optional<const TMolecule*> ComponentOfSmiles(TReact_Net_Wind& window, DialogSeam& dialogs, const QString& smiles);

class NetworkTableView : public QWidget {
  Q_OBJECT

 public:
  /// The component a SMILES names: null when no component has that
  /// structure; nothing when the text is no SMILES (the user has been told).
  using StructureFinder = std::function<std::optional<const TMolecule*>(const QString& smiles)>;

  NetworkTableView(GuiContext& context, StructureFinder finder, QWidget* parent = nullptr);

  /// Shows the source's rows, keeping the sort, the search and the
  /// structure, and the current row where its component or reaction is
  /// still shown. Missing SMILES are then made in short passes between
  /// events while `canRead` allows, so searching and sorting by them finds
  /// them made.
  void setSource(std::unique_ptr<TableSource> source, std::function<bool()> canRead);
  /// Forgets the source: nothing is read until the next.
  void clear();

  NetworkTableModel& model() const { return *m_model; }
  QTableView* table() const { return m_table; }
  /// Position of the component or reaction of the current row.
  std::optional<int> currentPosition() const;

  /// The selected rows, tab-separated under the header, to the clipboard.
  void copySelection();
  /// Every shown row, in the shown order, to a CSV file the user names.
  void exportCsv();
  /// Narrows the table to the structure typed in the structure field; an
  /// empty field lifts the condition.
  void findStructure();

 protected:
  /// Ctrl+C in the table copies the selected rows, not the current cell.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void prepareSome();
  /// Whether to sort by the column: asks first when that computes many
  /// slow cells.
  bool mayTakeLong(int column);
  void updateCount();

  GuiContext& m_context;
  StructureFinder m_finder;
  std::function<bool()> m_canRead;
  NetworkTableModel* m_model = nullptr;
  QTableView* m_table = nullptr;
  QLineEdit* m_search = nullptr;
  QLineEdit* m_structure = nullptr;
  QLabel* m_count = nullptr;
  QTimer* m_prepare = nullptr;
};

class PositionListModel;
class SelectionFollower;

/// A page's list of lines and the table that can take its place, stacked
/// under the "Table" box that switches between them (the table hidden).
struct ListOrTable {
  QListView* List = nullptr;
  SelectionFollower* ListFollower = nullptr;
  NetworkTableView* Table = nullptr;
  QCheckBox* TableOn = nullptr;
  QVBoxLayout* Layout = nullptr;
};

/// Both views of a page: the list over `model`, named `listName`; each
/// calls `onCurrent` when its current line changes (the list only while
/// it has lines) and `onOpen` on a double click.
ListOrTable BuildListOrTable(TReact_Net_Wind& window, GuiContext& context, PositionListModel* model,
                             const QString& listName, const std::function<void()>& onCurrent,
                             const std::function<void()>& onOpen);

/// Keeps a page with a list and a table in step with its window: disabled
/// while the window is busy, the table emptied meanwhile (it reads the
/// network cell by cell) and `fillList` run afterwards when the table or
/// the list (`listStale`, set by the page while busy) needs it and the
/// page is shown; `fillList` again after every edit.
void FollowWindowState(QWidget& page, TReact_Net_Wind& window, NetworkTableView& table, bool& listStale,
                       const std::function<void()>& fillList);

/// Shows a page's table in place of its list, or the list again, carrying
/// the selected component or reaction across: the table, made by `fill`
/// when `canFill`, starts on the list's line; the list takes the table's
/// line and the table is emptied.
void ShowListOrTable(bool table, QListView& list, const PositionListModel& model, NetworkTableView& view,
                     bool canFill, const std::function<void()>& fill);

}  // namespace korvane::gui
