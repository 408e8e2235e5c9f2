#pragma once
/// TReaction_Detail: one reaction of a network in depth: its data and
/// structures ("General"), the reactions competing for its reactants
/// ("Competitive reations"), where its kinetic parameters come from and a
/// selectivity study over temperature ("Kinetics"). It changes nothing in
/// the network.

#include <QWidget>
#include <array>

#include "gui/gui_context.h"

class QLabel;
class QListView;
class QListWidget;
class QTabWidget;

namespace korvane {
class TReaction;
class TReactionNetwork;
}  // namespace korvane

namespace korvane::gui {

class PositionListModel;
class ReactionPictures;
class SelectivityStudyPage;
class TReact_Net_Wind;

/// The value texts that show one reaction on "General" and "Competitive
/// reations".
struct ReactionFields {
  QLabel* Type = nullptr;
  QLabel* FrequencyFactor = nullptr;
  QLabel* ActivationEnergy = nullptr;
  QLabel* RateConstant = nullptr;
  QLabel* Temperature = nullptr;  ///< "General" only
  QLabel* AfterFilter = nullptr;
  QLabel* ActiveRadicals = nullptr;
  std::array<QLabel*, 4> Components{};
  QLabel* Stoichiometry = nullptr;
  ReactionPictures* Pictures = nullptr;
};

class TReaction_Detail : public QWidget {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Reaction details viewer");

  /// A window of its own, closed (hidden) with the network window.
  TReaction_Detail(TReact_Net_Wind& window, GuiContext& context);
  ~TReaction_Detail() override;

  /// The reaction to show, a reaction of the window's network.
  void SetReaction(TReactionNetwork& network, TReaction& reaction);

  /// The network and reaction for a command; nulls, after telling the user
  /// why, while the network is generated. Without a reaction: "No reaction
  /// was selected." when `tellWhenNone`.
  struct Subject {
    TReactionNetwork* Network = nullptr;
    TReaction* Reaction = nullptr;
    explicit operator bool() const { return Network && Reaction; }
  };
  Subject subjectForCommand(bool tellWhenNone = false);
  GuiContext& context() { return m_context; }

  // The show handlers of the pages.
  void showGeneral();
  void showCompetitors();
  void showCompetitor();
  void showData();

  QTabWidget* pages() const { return m_pages; }
  QTabWidget* kineticsPages() const { return m_kineticsPages; }
  QListView* competitorList() const { return m_competitorList; }
  SelectivityStudyPage* selectivityStudy() const { return m_study; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildGeneral();
  QWidget* buildCompetitors();
  QWidget* buildData();
  QWidget* buildKinetics();
  void pageShown(int index);
  void kineticsPageShown(int index);
  /// Fills the fields from the reaction at the network's temperature.
  void showIn(const ReactionFields& fields, const TReaction& reaction, const TReactionNetwork& network);
  /// After a command changed the network: a reaction that is gone is
  /// forgotten and the window closes; otherwise the lists are made again.
  void networkEdited();

  TReact_Net_Wind& m_window;
  GuiContext& m_context;
  TReactionNetwork* m_network = nullptr;
  TReaction* m_reaction = nullptr;

  QTabWidget* m_pages = nullptr;
  QTabWidget* m_kineticsPages = nullptr;
  ReactionFields m_general;
  ReactionFields m_competitor;
  PositionListModel* m_competitors = nullptr;
  QListView* m_competitorList = nullptr;
  QLabel* m_parameterSource = nullptr;
  QListWidget* m_increments = nullptr;
  QLabel* m_finalA = nullptr;
  QLabel* m_finalE = nullptr;
  QLabel* m_finalK = nullptr;
  SelectivityStudyPage* m_study = nullptr;
};

}  // namespace korvane::gui
