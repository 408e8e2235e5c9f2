#pragma once
/// Texts that show one reaction in the pages and detail windows: the
/// stoichiometry line, component references and booleans.

#include <QString>
#include <array>

#include "reactions/reaction.h"

namespace korvane::gui {

/// The arrow of the reaction page's "Stechiometry:" line.
inline const QString kPageArrow = QStringLiteral("   --->   ");
/// The arrow of the component and reaction detail windows.
inline const QString kDetailArrow = QStringLiteral("  --->  ");

/// The first and second reactant (A, B) and the first and second product
/// (C, D); null where the reaction has none.
std::array<const TMolecule*, 4> ReactionParticipants(const TReaction& reaction);

/// "-1*A + -1*B" + arrow + "1*C + 1*D": coefficients as held (reactants
/// negative), B and D only where the reaction has them.
QString StoichiometryText(const TReaction& reaction, const QString& arrow);

/// "[ ID ]" of a component, "N/A" for none.
QString ComponentIdText(const TMolecule* component);

/// "True" or "False".
QString BooleanText(bool value);

}  // namespace korvane::gui
