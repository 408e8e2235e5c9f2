#include "gui/manual_reaction_check.h"

#include <cmath>
#include <limits>

#include "reactions/kinetic_parameters.h"
#include "reactions/kinpar_file.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {
namespace {

constexpr const char* kOk = " OK";
constexpr const char* kTypeWarning =
    " WARNING - reaction types \"other\" and \"other2\" is not recommended. Properties are not established.";
constexpr const char* kMissingParticipant = " ERROR: One or both reactant molecule object does not exist. ";
constexpr const char* kInvalidCoefficient = " ERROR: Stechiometric coefficient must be a whole number other than zero.";
constexpr const char* kMassBalanceError = " ERROR: Reaction does not match mass balance!";
constexpr const char* kMassBalanceWarning =
    " WARNING: Reaction does not match mass balance exactly but only aproximatly. There is some infinitesimal "
    "deviation.";
constexpr const char* kInvalidNumber = " ERROR: Invalid number format.";
constexpr const char* kNegativeFrequency = " ERROR: Frequency factor negative is not possible.";
constexpr const char* kSmallFrequency = " WARNING: Frequency factor unusually small.";
constexpr const char* kNegativeEnergy = " ERROR: Activating energy negative is not possible.";
constexpr const char* kSmallEnergy = " WARNING: Activating energy unusually small.";
constexpr const char* kHighEnergy = " WARNING: Activating energy is very high.";
constexpr const char* kInvalidFrequencyEntry = "ERROR: Invalid frequency factor.";
constexpr const char* kZeroEnergy = "WARNING: Activating enegy is zero!";

// Below this share of the summed masses a deviation counts as failing the
// balance; a deviation within rounding of the sums (molar masses are summed
// atom by atom) counts as none.
constexpr double kBalanceTolerance = 1e-4;
// Activation energies are entered in kJ/mol: radical reactions lie between a
// few and a few hundred. (Limits of 1000 and 1e6 would be J/mol, and warned
// of every usual value as "unusually small".)
constexpr double kSmallEnergyLimit = 1.0;
constexpr double kHighEnergyLimit = 1000.0;
constexpr double kRoundingTolerance = 1e-12;

std::optional<double> ReadFinite(std::string_view text) {
  const std::optional<double> value = ParseKinparNumber(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

// A whole number other than zero that fits the coefficient type.
std::optional<std::int32_t> ReadCoefficient(std::string_view text) {
  const std::optional<double> value = ReadFinite(text);
  if (!value || *value != std::trunc(*value) || *value == 0.0 ||
      std::fabs(*value) > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

class Report {
 public:
  explicit Report(std::vector<std::string>& lines) : m_lines(lines) {}
  void line(std::string label, const std::vector<const char*>& findings) {
    if (findings.empty()) label += kOk;
    for (const char* finding : findings) label += finding;
    m_lines.push_back(std::move(label));
  }

 private:
  std::vector<std::string>& m_lines;
};

// Fills one side of the reaction; the finding of the first faulty row, or
// nothing. A counter of 3 leaves rows without components, as the dialog has
// only two rows per side.
const char* AddSide(const std::array<TManualParticipant, 2>& rows, int count, bool reactants,
                    const TReactionNetwork& network, TReaction& reaction) {
  for (int row = 0; row < count; ++row) {
    const TManualParticipant* participant = row < 2 && (row == 0 || count == 2) ? &rows[row] : nullptr;
    if (!participant || !participant->Component || *participant->Component < 0 ||
        static_cast<std::size_t>(*participant->Component) >= network.ComponentCount())
      return kMissingParticipant;
    const std::optional<std::int32_t> coefficient = ReadCoefficient(participant->Coefficient);
    if (!coefficient) return kInvalidCoefficient;
    TMolecule* component = network.Component(static_cast<std::size_t>(*participant->Component));
    if (reactants)
      reaction.AddReactant(component, -std::abs(*coefficient));
    else
      reaction.AddProduct(component, std::abs(*coefficient));
  }
  return nullptr;
}

const char* MassBalanceFinding(const TReaction& reaction) {
  double deviation = 0.0, masses = 0.0, scale = 0.0;
  auto add = [&](const TReactionSide& molecules, const TSideCoefficients& coefficients) {
    for (std::size_t i = 0; i < molecules.size(); ++i) {
      const double mass = molecules[i]->MolarMass();
      deviation += mass * coefficients[i];
      masses += mass;
      scale += std::fabs(mass * coefficients[i]);
    }
  };
  add(reaction.Reactants, reaction.ReactantCoefs);
  add(reaction.Products, reaction.ProductCoefs);
  if (std::fabs(deviation) > kBalanceTolerance * std::fabs(masses)) return kMassBalanceError;
  if (std::fabs(deviation) > kRoundingTolerance * scale) return kMassBalanceWarning;
  return nullptr;
}

}  // namespace

bool HasOnlyCharacters(std::string_view text, std::string_view allowed) {
  return text.find_first_not_of(allowed) == std::string_view::npos;
}

std::optional<std::string> NormalizedCoefficientText(std::string_view text, bool reactant) {
  const std::optional<double> value = ReadFinite(text);
  if (!value || *value == 0.0) return std::nullopt;
  std::string_view digits = text;
  while (!digits.empty() && (digits.front() == '+' || digits.front() == '-' || digits.front() == ' '))
    digits.remove_prefix(1);
  if (reactant && *value > 0.0) return "-" + std::string(digits);
  if (!reactant && *value < 0.0) return std::string(digits);
  return std::nullopt;
}

TManualReactionCheck CheckManualReaction(const TManualReactionInput& input, const TReaction& start,
                                         const TReactionNetwork& network) {
  TManualReactionCheck check;
  check.Reaction = start;
  TReaction& reaction = check.Reaction;
  Report report(check.Report);
  bool warned = false;
  // Outcome stays Error until the last check has passed.

  check.Report = {"Checking specified reaction:", ""};
  reaction.ReactionType = input.ReactionType;
  const bool other = input.ReactionType == kOtherReaction || input.ReactionType == kOtherReaction2;
  report.line("Reaction type: ", other ? std::vector{kTypeWarning} : std::vector<const char*>{});
  warned |= other;

  reaction.Reactants.clear();
  reaction.ReactantCoefs.clear();
  reaction.SetProducts({}, {});
  if (const char* fault = AddSide(input.Reactants, input.ReactantCount, true, network, reaction)) {
    report.line("Reactants and stechiometry:", {fault});
    return check;
  }
  report.line("Reactants and stechiometry:", {});
  if (const char* fault = AddSide(input.Products, input.ProductCount, false, network, reaction)) {
    report.line("Products and stechiometry:", {fault});
    return check;
  }
  report.line("Products and stechiometry:", {});

  const char* balance = MassBalanceFinding(reaction);
  report.line("Mass balance:", balance ? std::vector{balance} : std::vector<const char*>{});
  if (balance == kMassBalanceError) return check;
  warned |= balance != nullptr;

  if (input.Parameters == TManualParameters::Explicit) {
    const std::optional<double> a = ReadFinite(input.FrequencyFactor);
    // A negative frequency factor would make every rate negative.
    const char* frequency = !a           ? kInvalidNumber
                            : *a < 0.0   ? kNegativeFrequency
                            : *a <= 1e10 ? kSmallFrequency
                                         : nullptr;
    report.line("Frequency factor:", frequency ? std::vector{frequency} : std::vector<const char*>{});
    if (frequency != nullptr && frequency != kSmallFrequency) return check;
    warned |= frequency != nullptr;
    reaction.FreqFactor = *a;

    const std::optional<double> e = ReadFinite(input.ActivationEnergy);
    const char* energy = !e                        ? kInvalidNumber
                         : *e < 0.0                ? kNegativeEnergy
                         : *e < kSmallEnergyLimit  ? kSmallEnergy
                         : *e > kHighEnergyLimit   ? kHighEnergy
                                                   : nullptr;
    report.line("Activating energy:", energy ? std::vector{energy} : std::vector<const char*>{});
    if (energy == kInvalidNumber || energy == kNegativeEnergy) return check;
    warned |= energy != nullptr;
    reaction.ActEnergy = *e;
    // What the user entered is the reaction's kinetics, whatever its class.
    reaction.ExplicitKinetics = true;
  } else {
    const int entries = input.ReactionType == kOtherReaction2 ? kAlternativeParameterCount : kKineticParameterCount;
    auto valid = [entries](int entry) { return entry >= 0 && entry < entries; };
    if (!input.FrequencyEntry || !valid(*input.FrequencyEntry)) {
      report.line("Activating energy:", {kInvalidFrequencyEntry});
      return check;
    }
    // A recipe holds one parameter index per character.
    reaction.FreqFact2 = std::string(1, static_cast<char>(*input.FrequencyEntry));
    reaction.ActEnerg2.clear();
    for (int entry : input.EnergyEntries)
      if (valid(entry)) reaction.ActEnerg2 += static_cast<char>(entry);
    reaction.ExplicitKinetics = false;
    const bool zero = reaction.ActEnerg2.empty();
    report.line("Activating energy:", zero ? std::vector{kZeroEnergy} : std::vector<const char*>{});
    warned |= zero;
  }

  report.line("Other checkings:", {});
  reaction.MultiplyByActiveRadicals = input.MultiplyByActiveRadicals;
  check.Outcome = warned ? TManualCheckOutcome::Warnings : TManualCheckOutcome::Accepted;
  return check;
}

}  // namespace korvane::gui
