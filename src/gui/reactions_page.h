#pragma once
/// The "Reactions" page of the network window: the reaction list with its
/// three modes, the display of one reaction (four structures, its
/// stoichiometry and eight values) and the commands on reactions.

#include <QWidget>
#include <functional>
#include <optional>

#include "gui/gui_context.h"
#include "gui/reaction_list.h"

class QGridLayout;
class QHBoxLayout;
class QCheckBox;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace korvane {
class TReaction;
}

namespace korvane::gui {

class NetworkTableView;
class PositionListModel;
class SelectionFollower;
class ReactionPictures;
class TReaction_Detail;
class TReact_Net_Wind;

class TReactionsPage : public QWidget {
  Q_OBJECT

 public:
  TReactionsPage(TReact_Net_Wind& window, GuiContext& context);

  /// Adds a command button beside "show", "refresh", "View details" and
  /// "Remove". The button is disabled while the network is generated and its
  /// command is refused then.
  QPushButton* addCommand(const QString& caption, std::function<void()> command);

  /// Appends a copy of the reaction (its participants must be components of
  /// the network) and refreshes the list. Refused during a run (null).
  TReaction* addReactionCopy(const TReaction& reaction);
  /// The reaction of the selected list line; null when none is selected, the
  /// line names no reaction of the network, or a run is under way (the user
  /// is then told).
  TReaction* selectedReaction();

  // The page's commands.
  void showReaction();
  void refresh();
  void viewDetails();
  void removeReaction();

  ReactionFilter filter() const;
  QListView* list() const { return m_list; }
  /// The "Table" view, shown instead of the list while "Table" is checked.
  NetworkTableView* tableView() const { return m_tableView; }
  void showTable(bool shown);
  /// The window of "View details", made on first use.
  TReaction_Detail& detailWindow();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildPreferences();
  QWidget* buildDisplay();
  void applyModeEnabling();
  void fillList(const TReactionNetwork& network);
  /// Gives the table the listed reactions, when it is shown.
  void fillTable(std::vector<int> positions);
  std::optional<std::size_t> selectedPosition(const TReactionNetwork& network) const;
  void clearDisplay();

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
  QGridLayout* m_commands = nullptr;
  QRadioButton* m_showAll = nullptr;
  QRadioButton* m_byType = nullptr;
  QRadioButton* m_bySubstance = nullptr;
  QCheckBox* m_hydrogenTransfers = nullptr;
  QCheckBox* m_betaScissions = nullptr;
  QCheckBox* m_allylIzomerations = nullptr;
  QCheckBox* m_recombinations = nullptr;
  QSpinBox* m_substance = nullptr;
  QCheckBox* m_asReactant = nullptr;
  QCheckBox* m_asProduct = nullptr;
  ReactionPictures* m_pictures = nullptr;
  QLabel* m_stoichiometry = nullptr;
  QLabel* m_activationEnergy = nullptr;
  QLabel* m_frequencyFactor = nullptr;
  QLabel* m_rateConstant = nullptr;
  QLabel* m_selectivity = nullptr;
  QLabel* m_afterFilter = nullptr;
  QLabel* m_absolute = nullptr;
  QLabel* m_activeRadicals = nullptr;
  TReaction_Detail* m_detail = nullptr;
};

}  // namespace korvane::gui
