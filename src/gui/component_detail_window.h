#pragma once
/// TComponent_Detail: everything known about one component of a network:
/// invariants and structure, estimated properties with a state calculator,
/// matrices, the reactions that form or consume it, and the components
/// related to it through them. It only reads the network.

#include <QWidget>

#include "gui/gui_context.h"
#include "gui/matrix_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace korvane {
class TMolecule;
class TReactionNetwork;
}  // namespace korvane

namespace korvane::gui {

class ComponentPropertiesTab;
class ComponentReactionsTab;
class MoleculePictureWidget;
class RelatedComponentsTab;
class TReact_Net_Wind;

class TComponent_Detail : public QWidget {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Component_Detail");

  /// A window of its own, closed (hidden) with the network window.
  TComponent_Detail(TReact_Net_Wind& window, GuiContext& context);
  ~TComponent_Detail() override;

  /// The component to show, a component of the window's network.
  void SetComponent(TReactionNetwork& network, TMolecule& component);
  /// Fills "Summary" and the properties; the lists of the other tabs start
  /// again for the new component.
  void FillComponent();

  /// The network and component for a command of a tab; nulls, after telling
  /// the user why, while the network is generated. Nulls without a
  /// component.
  struct Subject {
    TReactionNetwork* Network = nullptr;
    TMolecule* Component = nullptr;
    explicit operator bool() const { return Network && Component; }
  };
  Subject subjectForCommand();
  GuiContext& context() { return m_context; }

  /// Fills the grid of the "Matrices" tab with the chosen matrix.
  void showMatrix(MatrixKind kind);

  QTabWidget* tabs() const { return m_tabs; }
  ComponentPropertiesTab* properties() const { return m_properties; }
  ComponentReactionsTab* reactions() const { return m_reactions; }
  RelatedComponentsTab* related() const { return m_related; }
  QTableWidget* matrixGrid() const { return m_grid; }

 private:
  QWidget* buildSummary();
  QWidget* buildMatrices();
  void tabShown(int index);
  /// After a command changed the network: a component that is gone is
  /// forgotten and the window closes; otherwise the lists are made again,
  /// since positions may have moved.
  void networkEdited();

  TReact_Net_Wind& m_window;
  GuiContext& m_context;
  TReactionNetwork* m_network = nullptr;
  TMolecule* m_component = nullptr;

  QTabWidget* m_tabs = nullptr;
  QLabel* m_id = nullptr;
  QLabel* m_radicalCyclic = nullptr;
  QLabel* m_atomCount = nullptr;
  QLineEdit* m_atomsPerType = nullptr;
  QLineEdit* m_graphScore = nullptr;
  QLineEdit* m_graphScore2 = nullptr;
  QLabel* m_formula = nullptr;
  QLabel* m_molarWeight = nullptr;
  QLabel* m_name = nullptr;
  MoleculePictureWidget* m_structure = nullptr;
  ComponentPropertiesTab* m_properties = nullptr;
  QComboBox* m_matrixChoice = nullptr;
  QTableWidget* m_grid = nullptr;
  ComponentReactionsTab* m_reactions = nullptr;
  RelatedComponentsTab* m_related = nullptr;
};

}  // namespace korvane::gui
