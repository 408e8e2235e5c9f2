#pragma once
/// The rules of the manual reaction dialog without its widgets: which keys
/// its fields take, how coefficient signs are kept, and the check that
/// "OK" runs over what the user entered, with its report lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reactions/reaction.h"

namespace korvane {
class TReactionNetwork;
}

namespace korvane::gui {

/// Characters the coefficient fields take (besides Enter and Backspace).
inline constexpr std::string_view kCoefficientCharacters = "+,-.0123456789Ee";
/// Characters the explicit frequency factor and activation energy fields take.
inline constexpr std::string_view kParameterCharacters = ",-.0123456789Ee";

/// Whether every character of `text` is one of `allowed`.
bool HasOnlyCharacters(std::string_view text, std::string_view allowed);

/// Reactant coefficients are held negative and product coefficients
/// positive: the text a coefficient field shows after the user typed `text`
/// ("2" in a reactant field becomes "-2", "-1" in a product field "1"), or
/// nothing when it stays as typed (also while it is no number yet).
std::optional<std::string> NormalizedCoefficientText(std::string_view text, bool reactant);

/// One reactant or product row of the dialog.
struct TManualParticipant {
  /// Position of the chosen component in the network; none when nothing is chosen.
  std::optional<int> Component;
  /// The coefficient field's text.
  std::string Coefficient;
};

enum class TManualParameters { Explicit, Global };

/// Everything the dialog's controls hold when "OK" is pressed.
struct TManualReactionInput {
  /// Class code chosen in the class list (TReactionType).
  std::int32_t ReactionType = kOtherReaction;
  /// The two counters, 1 to 3.
  int ReactantCount = 1;
  int ProductCount = 1;
  std::array<TManualParticipant, 2> Reactants;
  std::array<TManualParticipant, 2> Products;
  TManualParameters Parameters = TManualParameters::Explicit;
  /// Texts of the explicit fields [1/s] and [kJ/mol].
  std::string FrequencyFactor;
  std::string ActivationEnergy;
  /// Chosen entry of the frequency-factor list; none when nothing is chosen.
  std::optional<int> FrequencyEntry;
  /// Checked entries of the activation-energy list, in list order; an entry
  /// that a recipe names twice is listed twice.
  std::vector<int> EnergyEntries;
  bool MultiplyByActiveRadicals = false;
};

enum class TManualCheckOutcome {
  /// An error stopped the check; the reaction cannot be accepted.
  Error,
  /// No error but warnings: the user may accept with them.
  Warnings,
  Accepted,
};

struct TManualReactionCheck {
  /// The report, line by line.
  std::vector<std::string> Report;
  TManualCheckOutcome Outcome = TManualCheckOutcome::Error;
  /// The reaction as specified (meaningful unless Outcome is Error): the
  /// starting record with the class, the participants and the parameters
  /// of the chosen kind replaced; the other kind's parameters stay.
  /// ExplicitKinetics says which kind was chosen.
  TReaction Reaction;
};

/// Checks a reaction specified by hand between components of `network`,
/// starting from the record `start` (empty for a new reaction, a copy for
/// an edited one). The report opens with "Checking specified reaction:" and
/// an empty line, then one line per check, the label followed by its
/// findings or " OK"; an error ends the report. Nothing is changed.
TManualReactionCheck CheckManualReaction(const TManualReactionInput& input, const TReaction& start,
                                         const TReactionNetwork& network);

}  // namespace korvane::gui
