#pragma once
/// TManual_ReactConstr: defines or edits one reaction between components of
/// a network: its class, one or two reactants and products with their
/// coefficients, and its kinetic parameters, explicit or as recipes over the
/// global or alternative parameter tables. "OK" checks the reaction
/// (manual_reaction_check.h) and writes the report; the dialog accepts only
/// a reaction without errors, and one with warnings only when the user says
/// so. The dialog fills the caller's reaction record; it never changes the
/// network.

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "gui/gui_context.h"
#include "gui/manual_reaction_check.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace korvane::gui {

class MoleculePictureWidget;

class TManual_ReactConstr : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Manually construction of reaction");

  explicit TManual_ReactConstr(GuiContext& context, QWidget* parent = nullptr);

  /// The network whose components may be chosen; not owned.
  void setNetwork(const TReactionNetwork* network);
  /// The record to show and to fill (owned by the caller); it changes only
  /// when the dialog accepts.
  void setReaction(TReaction* reaction);
  /// Whether the dialog ended with an accepted reaction.
  bool accepted() const { return m_accepted; }

  // The buttons.
  void check();
  void acceptWithWarning();
  void doSameChanges();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  /// A reactant (A, B) or product (C, D) row.
  struct Participant {
    QComboBox* Choice = nullptr;
    QLineEdit* Coefficient = nullptr;
    MoleculePictureWidget* Picture = nullptr;
    bool Reactant = true;
  };

  QWidget* buildGeneralPage();
  QWidget* buildComponentsPage();
  QWidget* buildKineticPage();
  void loadReaction();
  void enableRows();
  void componentChosen(Participant& row);
  void drawPictures();
  void classChosen();
  void kineticPageShown();
  void enableParameterKind();
  void fillParameterLists(bool alternative);
  void energyEntryToggled(QListWidgetItem* item);
  void showRateConstant();
  void setEditing(bool editing);
  std::int32_t chosenClass() const;
  TManualReactionInput input() const;

  GuiContext& m_context;
  const TReactionNetwork* m_network = nullptr;
  TReaction* m_reaction = nullptr;
  bool m_accepted = false;
  // The reaction of a check that ended with warnings, for "Accept with warning".
  std::optional<TReaction> m_checked;
  // The lists show the alternative notes (class 11) rather than the keys.
  bool m_alternativeLists = false;
  // How often each entry of the activation-energy list is named: a recipe
  // may name one increment twice (two double bonds), which a check mark
  // alone would lose.
  std::vector<int> m_energyCounts;

  QTabWidget* m_pages = nullptr;
  std::array<QWidget*, 3> m_editingPages{};
  QWidget* m_statusPage = nullptr;
  QComboBox* m_class = nullptr;
  QSpinBox* m_reactantCount = nullptr;
  QSpinBox* m_productCount = nullptr;
  std::array<Participant, 4> m_rows;
  QRadioButton* m_explicit = nullptr;
  QRadioButton* m_global = nullptr;
  QLineEdit* m_frequencyFactor = nullptr;
  QLineEdit* m_activationEnergy = nullptr;
  QListWidget* m_frequencyList = nullptr;
  QListWidget* m_energyList = nullptr;
  QLabel* m_referenceTemperature = nullptr;
  QLabel* m_rateConstant = nullptr;
  QCheckBox* m_activeRadicals = nullptr;
  QPlainTextEdit* m_report = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QPushButton* m_acceptWithWarning = nullptr;
  QPushButton* m_doSameChanges = nullptr;
};

}  // namespace korvane::gui
