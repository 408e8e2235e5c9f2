#pragma once
/// The model of a "Table" view: the cells of a TableSource, in the order of
/// the sorted column, narrowed by a search text and a structure.

#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/network_table.h"

namespace korvane::gui {

class NetworkTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  /// The row's position in the network's component or reaction list (int).
  static constexpr int PositionRole = Qt::UserRole;

  /// Whether sorting by the column may go ahead.
  using SortGuard = std::function<bool(int column)>;

  explicit NetworkTableModel(QObject* parent = nullptr);
  ~NetworkTableModel() override;

  /// Shows a new source, sorted and narrowed as the last one was.
  void setSource(std::unique_ptr<TableSource> source);
  /// Shows nothing, and reads nothing, until the next source.
  void clear();
  TableSource* source() const { return m_source.get(); }
  void setSortGuard(SortGuard guard) { m_sortGuard = std::move(guard); }
  /// The sorted column (-1: the network's order) and its order.
  int sortColumn() const { return m_sortColumn; }
  Qt::SortOrder sortOrder() const { return m_sortOrder; }

  /// Keeps the rows whose names, formulas or SMILES contain `text`.
  void setSearch(const QString& text);
  /// Keeps the rows that are, or involve, `component`; null keeps none
  /// (the structure is no component); nothing lifts the condition.
  void setStructure(std::optional<const TMolecule*> component);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  /// Numeric columns by value, the others by text; equal cells keep the
  /// network's order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  /// The row showing that position, or -1.
  int rowOfPosition(int position) const;
  /// The header and the given rows (every shown row when empty), as text
  /// with "." decimals.
  std::string delimitedText(std::vector<int> rows, char separator) const;

 private:
  void rebuild();
  /// Orders every source row by the column.
  void arrange(int column, Qt::SortOrder order);

  std::unique_ptr<TableSource> m_source;
  std::vector<int> m_order;  // source rows in sort order
  std::vector<int> m_rows;   // source rows shown
  int m_sortColumn = -1;
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
  std::string m_search;
  std::optional<const TMolecule*> m_structure;
  SortGuard m_sortGuard;
};

}  // namespace korvane::gui
