#pragma once
/// The "Reactions" tab of the component detail window: the reactions that
/// form or consume the component, and the display of one of them.

#include <QWidget>

class QLabel;
class QListView;
class QRadioButton;

namespace korvane::gui {

class PositionListModel;
class ReactionPictures;
class TComponent_Detail;

class ComponentReactionsTab : public QWidget {
  Q_OBJECT

 public:
  explicit ComponentReactionsTab(TComponent_Detail& detail);

  /// Lists the reactions forming ("Producting this components") or
  /// consuming the component, in network order.
  void refresh();
  /// Shows the reaction of the selected line.
  void showReaction();
  void clearDisplay();
  void clearList();

  QListView* list() const { return m_list; }
  /// Chooses "Producting this components" (true) or "Consuming this
  /// components", which refreshes the list.
  void setProducing(bool producing);

 private:
  TComponent_Detail& m_detail;
  PositionListModel* m_model = nullptr;
  QListView* m_list = nullptr;
  QRadioButton* m_producing = nullptr;
  QRadioButton* m_consuming = nullptr;
  ReactionPictures* m_pictures = nullptr;
  QLabel* m_stoichiometry = nullptr;
  QLabel* m_activationEnergy = nullptr;
  QLabel* m_frequencyFactor = nullptr;
  QLabel* m_selectivity = nullptr;
  QLabel* m_rateConstant = nullptr;
  QLabel* m_afterFilter = nullptr;
  QLabel* m_absolute = nullptr;
};

}  // namespace korvane::gui
