#include "gui/reaction_detail_text.h"

#include "reactions/recipes.h"

namespace korvane::gui {

std::vector<int> CompetingReactions(const TReactionNetwork& network, const TReaction& reaction) {
  std::vector<int> positions;
  for (const TMolecule* reactant : reaction.Reactants) {
    if (reactant == network.HydrogenAtom()) continue;
    for (const TReaction* competitor : reactant->ReactionLinks[kConsumedIn])
      if (competitor != &reaction) positions.push_back(network.IndexOfReaction(competitor));
  }
  return positions;
}

QString ParameterSourceText(const TReaction& reaction) {
  return reaction.UsesExplicitKinetics() ? QStringLiteral("Set") : QStringLiteral("Estimeted using addition method");
}

QStringList IncrementLines(const TReaction& reaction, const TKineticParameterSet& kinetics) {
  if (reaction.UsesExplicitKinetics()) return {};
  const bool alternative = reaction.ReactionType == kOtherReaction2;
  auto names = [&](const std::string& recipe, QStringList& lines) {
    for (char c : recipe) {
      const auto index = static_cast<unsigned char>(c);
      QString name;
      if (alternative)
        name = QString::fromStdString(kinetics.AlternativeNotes[index]);
      else if (index < kKineticParameterCount)
        name = QString::fromLatin1(kKineticParameterKeys[index].data(), kKineticParameterKeys[index].size());
      else  // only a damaged file names an entry beyond the table
        name = QStringLiteral("entry %1, not in the table").arg(index);
      lines.append(QStringLiteral(" - ") + name);
    }
  };
  QStringList lines{QStringLiteral("Frequency factor")};
  names(reaction.FreqFact2, lines);
  lines.append(QString());
  lines.append(QStringLiteral("Activating energy"));
  names(reaction.ActEnerg2, lines);
  return lines;
}

Arrhenius ParameterValues(const TReaction& reaction, const TKineticParameterSet& kinetics) {
  return {reaction.FrequencyFactorValue(kinetics.Table, kinetics.AlternativeValues),
          reaction.ActivationEnergyValue(kinetics.Table, kinetics.AlternativeValues)};
}

std::vector<std::pair<double, double>> SelectivityCurve(const Arrhenius& studied,
                                                        const std::vector<Arrhenius>& competitors, double from,
                                                        double to) {
  std::vector<std::pair<double, double>> points;
  if (!(to > from)) return points;
  points.reserve(kSelectivitySteps + 1);
  for (int n = 0; n <= kSelectivitySteps; ++n) {
    const double T = from + (to - from) * n / kSelectivitySteps;
    const double k0 = RateConstant(studied.A, studied.E, T);
    double sum = k0;
    for (const Arrhenius& competitor : competitors) sum += RateConstant(competitor.A, competitor.E, T);
    points.emplace_back(T, sum != 0.0 ? k0 / sum : 0.0);
  }
  return points;
}

std::string SelectivityRangeProblem(double from, double to) {
  if (!(from >= kStudyLowestT && to <= kStudyHighestT && from <= kStudyHighestT && to >= kStudyLowestT))
    return "The temperatures of the study must lie between 200 and 3000 K.";
  if (!(from < to)) return "The temperature \"From\" must be below the temperature \"to\".";
  return {};
}

}  // namespace korvane::gui
