#pragma once
/// The "Components" page of the network window: the component list with
/// its filter, the picture of one component, and the commands that add,
/// name, rename, show and remove components.

#include <QWidget>
#include <functional>
#include <optional>

#include "core/vectors.h"
#include "gui/component_list.h"
#include "gui/gui_context.h"

class QGridLayout;
class QHBoxLayout;
class QCheckBox;
class QGroupBox;
class QListView;
class QPushButton;
class QSpinBox;

namespace korvane {
class TMolecule;
}

namespace korvane::gui {

class MoleculePictureWidget;
class NetworkTableView;
class PositionListModel;
class SelectionFollower;
class TComponent_Detail;
class TReact_Net_Wind;

class TComponentsPage : public QWidget {
  Q_OBJECT

 public:
  TComponentsPage(TReact_Net_Wind& window, GuiContext& context);

  /// Adds a command button to the group of adding commands ("Add from
  /// file", "Add from SMILES", ...). The button is disabled while the
  /// network is generated and its command is refused then.
  QPushButton* addCommand(const QString& caption, std::function<void()> command);

  /// Adds a structure to the network as a root component and refreshes the
  /// list. A structure that is already a component is not added twice: the
  /// user is told which component it is. Refused during a run. Returns the
  /// new component, or null when nothing was added (the user has been told
  /// why).
  /// `name`, when given, is the new component's name (a database entry's).
  TMolecule* addRootComponent(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                              const TBoolMatrix& aromatic, const std::string& name = {});

  /// Reads a structure file and adds it as addRootComponent does; null,
  /// after telling the user, when it does not read.
  TMolecule* addStructureFile(const QString& fileName);

  // The page's commands.
  void addFromFile();
  void addFromSmiles();
  void nameComponentsFromDatabase();
  void renameComponent();
  void showComponent();
  void refresh();
  void viewDetails();
  void removeComponent();

  /// The filter as the controls set it; nothing when the filter is off.
  std::optional<ComponentFilter> filter() const;
  QListView* list() const { return m_list; }
  /// The "Table" view, shown instead of the list while "Table" is checked.
  NetworkTableView* tableView() const { return m_tableView; }
  void showTable(bool shown);
  /// The window of "View details", made on first use.
  TComponent_Detail& detailWindow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildFilter();
  QWidget* buildCommands();
  void applyFilterEnabling();
  /// Rebuilds the list from the network, keeping the selected component
  /// selected where it is still listed.
  void fillList(const TReactionNetwork& network);
  /// Gives the table the listed components, when it is shown.
  void fillTable(std::vector<int> positions);
  /// The selected component's position when it is one of the network.
  std::optional<std::size_t> selectedComponent(const TReactionNetwork& network) const;
  QString toolTip(int position) const;
  QString lineText(int position) const;
  void reportDrawing(const std::string& text);

  TReact_Net_Wind& m_window;
  // Shown while a command held the network: filled when the command ends.
  bool m_listStale = false;
  GuiContext& m_context;
  PositionListModel* m_model = nullptr;
  QListView* m_list = nullptr;
  SelectionFollower* m_listFollower = nullptr;
  QCheckBox* m_tableOn = nullptr;
  NetworkTableView* m_tableView = nullptr;
  // The views beside the page's controls.
  QHBoxLayout* m_viewsLayout = nullptr;
  MoleculePictureWidget* m_picture = nullptr;
  QCheckBox* m_filterOn = nullptr;
  QGroupBox* m_filterGroup = nullptr;
  QCheckBox* m_molecules = nullptr;
  QCheckBox* m_radicals = nullptr;
  QCheckBox* m_saturated = nullptr;
  QCheckBox* m_nonsaturated = nullptr;
  QCheckBox* m_aromatic = nullptr;
  QCheckBox* m_cyclic = nullptr;
  QCheckBox* m_acyclic = nullptr;
  QCheckBox* m_onlyFraction = nullptr;
  QSpinBox* m_fraction = nullptr;
  QGridLayout* m_addingCommands = nullptr;
  TComponent_Detail* m_detail = nullptr;
};

}  // namespace korvane::gui
