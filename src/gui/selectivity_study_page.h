#pragma once
/// The "Selectivity study" page of the reaction detail window: the share of
/// the reaction in consuming one of its reactants, over a temperature
/// interval, drawn as a line chart, which saves and copies itself and its
/// data from its context menu.

#include <QWidget>
#include <memory>

class QChartView;
class QComboBox;
class QLineEdit;
class QLineSeries;
class QListView;
class QValueAxis;

namespace korvane::gui {

class PictureActions;
class PositionListModel;
class TReaction_Detail;

class SelectivityStudyPage : public QWidget {
  Q_OBJECT

 public:
  explicit SelectivityStudyPage(TReaction_Detail& detail);
  ~SelectivityStudyPage() override;

  /// What showing the page does: lists the reaction's reactants.
  void showPage();
  /// Lists the reactions consuming the reactant of the chosen line.
  void chooseReactant(int index);
  /// "Calculate": draws the share over the interval "From" to "to".
  void calculate();
  void clear();

  QComboBox* reactants() const { return m_reactants; }
  QListView* reactions() const { return m_reactions; }
  QLineEdit* from() const { return m_from; }
  QLineEdit* to() const { return m_to; }
  QLineSeries* series() const { return m_series; }
  QChartView* chart() const { return m_chart; }
  /// The chart's context-menu entries: save, copy, export its data.
  PictureActions& chartActions() { return *m_chartActions; }

 private:
  TReaction_Detail& m_detail;
  QComboBox* m_reactants = nullptr;
  PositionListModel* m_model = nullptr;
  QListView* m_reactions = nullptr;
  QLineEdit* m_from = nullptr;
  QLineEdit* m_to = nullptr;
  QChartView* m_chart = nullptr;
  QLineSeries* m_series = nullptr;
  QValueAxis* m_temperatureAxis = nullptr;
  QValueAxis* m_selectivityAxis = nullptr;
  std::unique_ptr<PictureActions> m_chartActions;
};

}  // namespace korvane::gui
