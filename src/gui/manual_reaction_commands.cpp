#include "gui/manual_reaction_commands.h"

#include <QPushButton>

#include "gui/manual_reaction_window.h"
#include "gui/network_window.h"
#include "gui/reactions_page.h"

namespace korvane::gui {
namespace {

const QString kIntegrityQuestion = QStringLiteral(
    "Would you like to re-calculate selectivity and next information to check integrity of reaction network?");

// Runs the dialog modally over the window on `reaction`; whether it accepted.
bool RunDialog(TReact_Net_Wind& window, GuiContext& context, const TReactionNetwork& network, TReaction& reaction) {
  TManual_ReactConstr dialog(context, &window);
  dialog.setNetwork(&network);
  dialog.setReaction(&reaction);
  context.Dialogs.exec(dialog);
  return dialog.accepted();
}

void OfferIntegrityCheck(TReactionNetwork& network, GuiContext& context) {
  if (!context.Dialogs.ask(QString(), kIntegrityQuestion)) return;
  network.Relink();
  network.AfterFilterSelectivity();
}

const QString kAddReaction = QStringLiteral("Add reaction");
const QString kEditReaction = QStringLiteral("Edit reaction");

}  // namespace

void AddManualReactionCommands(TReact_Net_Wind& window, GuiContext& context) {
  window.reactionsPage()
      ->addCommand(QStringLiteral("Add munally"), [&window, &context] { AddReactionByHand(window, context); })
      ->setObjectName(QStringLiteral("addMunally"));
  window.reactionsPage()
      ->addCommand(QStringLiteral("Edit actual"), [&window, &context] { EditSelectedReaction(window, context); })
      ->setObjectName(QStringLiteral("editActual"));
}

void AddReactionByHand(TReact_Net_Wind& window, GuiContext& context) {
  TReactionNetwork* network = window.networkForCommand();
  if (!network) return;
  TReaction reaction;
  if (!RunDialog(window, context, *network, reaction)) {
    context.Dialogs.message(QString(), QStringLiteral("Reaction will not be added."));
    return;
  }
  if (!context.Dialogs.ask(QString(), QStringLiteral("Are you sure to add specified reaction to reaction network?")))
    return;
  // The reaction and the recalculation it may ask for are one step.
  window.editNetwork(kAddReaction, [&](TReactionNetwork& edited) {
    edited.AddReactionCopy(reaction);
    OfferIntegrityCheck(edited, context);
    return true;
  });
}

void EditSelectedReaction(TReact_Net_Wind& window, GuiContext& context) {
  TReactionNetwork* network = window.networkForCommand();
  if (!network) return;
  TReaction* selected = window.reactionsPage()->selectedReaction();
  if (!selected) return;
  // The working copy: participants with their coefficients, class,
  // explicit parameters, recipes and the active-radical flag.
  TReaction copy;
  for (std::size_t i = 0; i < selected->Reactants.size(); ++i)
    copy.AddReactant(selected->Reactants[i], selected->ReactantCoefs[i]);
  for (std::size_t i = 0; i < selected->Products.size(); ++i)
    copy.AddProduct(selected->Products[i], selected->ProductCoefs[i]);
  copy.SetParameters(selected->ReactionType, selected->ActEnergy, selected->FreqFactor);
  copy.MultiplyByActiveRadicals = selected->MultiplyByActiveRadicals;
  copy.ExplicitKinetics = selected->ExplicitKinetics;
  copy.FreqFact2 = selected->FreqFact2;
  copy.ActEnerg2 = selected->ActEnerg2;

  if (!RunDialog(window, context, *network, copy)) {
    context.Dialogs.message(QString(), QStringLiteral("Changes will not be aplicated."));
    return;
  }
  if (!context.Dialogs.ask(QString(), QStringLiteral("Are you sure to apply changes?"))) return;
  window.editNetwork(kEditReaction, [&](TReactionNetwork& edited) {
    edited.EditReaction(static_cast<std::size_t>(edited.IndexOfReaction(selected)), copy);
    OfferIntegrityCheck(edited, context);
    return true;
  });
}

}  // namespace korvane::gui
