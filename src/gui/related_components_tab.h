#pragma once
/// The "Related components" tab of the component detail window: the
/// products or precursors of the component, filtered, and the structure of
/// one of them.

#include <QWidget>

#include "gui/related_components.h"

class QCheckBox;
class QGroupBox;
class QListView;
class QRadioButton;
class QSpinBox;

namespace korvane::gui {

class MoleculePictureWidget;
class PositionListModel;
class TComponent_Detail;

class RelatedComponentsTab : public QWidget {
  Q_OBJECT

 public:
  explicit RelatedComponentsTab(TComponent_Detail& detail);

  /// What showing the tab does: applies both enable states and refreshes.
  void showTab();
  void refresh();
  /// Draws the network component of the selected line.
  void showComponent();
  void clearList();

  RelatedFilter filter() const;
  QListView* list() const { return m_list; }

 private:
  void applyEnabling();

  TComponent_Detail& m_detail;
  PositionListModel* m_model = nullptr;
  QListView* m_list = nullptr;
  QRadioButton* m_products = nullptr;
  QRadioButton* m_precursors = nullptr;
  QCheckBox* m_filterReactions = nullptr;
  QCheckBox* m_hydrogenTransfer = nullptr;
  QCheckBox* m_betaScission = nullptr;
  QCheckBox* m_allylIzomeration = nullptr;
  QCheckBox* m_filterComponents = nullptr;
  QCheckBox* m_radicals = nullptr;
  QCheckBox* m_molecules = nullptr;
  QCheckBox* m_onlyFraction = nullptr;
  QSpinBox* m_fraction = nullptr;
  MoleculePictureWidget* m_picture = nullptr;
};

}  // namespace korvane::gui
