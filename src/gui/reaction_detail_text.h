#pragma once
/// What the reaction detail window computes for its pages: the competing
/// reactions, the origin of the kinetic parameters and the selectivity
/// study.

#include <QString>
#include <QStringList>
#include <string>
#include <utility>
#include <vector>

#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {

/// Positions of the reactions that consume a reactant of the reaction
/// (other than the hydrogen radical), reactant by reactant in link order,
/// leaving out the reaction itself. A reaction consuming both reactants is
/// listed twice.
std::vector<int> CompetingReactions(const TReactionNetwork& network, const TReaction& reaction);

/// "Set" for explicit kinetics (class 10, or values entered by hand), else
/// "Estimeted using addition method".
QString ParameterSourceText(const TReaction& reaction);

/// The lines of "Increments:": "Frequency factor", " - " and the name of
/// each entry of the frequency-factor recipe, an empty line, "Activating
/// energy" and the entries of the activation-energy recipe. Names are the
/// keys of the kinetic parameter table, or for class 11 the notes of the
/// alternative parameters. Empty for explicit kinetics.
QStringList IncrementLines(const TReaction& reaction, const TKineticParameterSet& kinetics);

/// A and E [kJ/mol] of a reaction over the parameter tables (explicit for
/// explicit kinetics, recipes otherwise).
struct Arrhenius {
  double A = 0.0;
  double E = 0.0;
};
Arrhenius ParameterValues(const TReaction& reaction, const TKineticParameterSet& kinetics);

/// Temperature [K] of the final rate constant of "Data".
inline constexpr double kDataTemperature = 1050.0;

/// Number of intervals of the selectivity study: 251 points.
inline constexpr int kSelectivitySteps = 250;

/// Points (T, k0 / (k0 + Σ ki)) at T = from + (to − from)·n/250, n = 0..250:
/// the share of the studied reaction in consuming its reactant, other
/// reactants' concentrations left aside. Nothing unless to > from. A
/// temperature where every rate constant is 0 gives the share 0.
std::vector<std::pair<double, double>> SelectivityCurve(const Arrhenius& studied,
                                                        const std::vector<Arrhenius>& competitors, double from,
                                                        double to);

/// Lowest and highest temperature of a selectivity study [K]: outside them
/// the kinetic parameters mean nothing (and below 0 K nothing at all).
inline constexpr double kStudyLowestT = 200.0;
inline constexpr double kStudyHighestT = 3000.0;

/// Why a selectivity study cannot run from `from` to `to` [K], empty when
/// it can: both within kStudyLowestT..kStudyHighestT, "from" below "to".
std::string SelectivityRangeProblem(double from, double to);

}  // namespace korvane::gui
