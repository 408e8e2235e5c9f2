#include "gui/reaction_text.h"

namespace korvane::gui {

std::array<const TMolecule*, 4> ReactionParticipants(const TReaction& reaction) {
  auto at = [](const TReactionSide& side, std::size_t k) -> const TMolecule* {
    return k < side.size() ? side[k] : nullptr;
  };
  return {at(reaction.Reactants, 0), at(reaction.Reactants, 1), at(reaction.Products, 0), at(reaction.Products, 1)};
}

QString StoichiometryText(const TReaction& reaction, const QString& arrow) {
  // Only the first two of each side are shown: a reaction has at most two
  // reactants and two products.
  auto side = [](const TSideCoefficients& coefficients, QChar first) {
    QString text;
    for (std::size_t k = 0; k < coefficients.size() && k < 2; ++k) {
      if (k > 0) text += QStringLiteral(" + ");
      text += QString::number(coefficients[k]) + QLatin1Char('*') + QChar(static_cast<char16_t>(first.unicode() + k));
    }
    return text;
  };
  return side(reaction.ReactantCoefs, QLatin1Char('A')) + arrow + side(reaction.ProductCoefs, QLatin1Char('C'));
}

QString ComponentIdText(const TMolecule* component) {
  return component ? QStringLiteral("[ %1 ]").arg(component->ID) : QStringLiteral("N/A");
}

QString BooleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace korvane::gui
