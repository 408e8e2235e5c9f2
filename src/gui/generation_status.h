#pragma once
/// Texts and numbers of a network window's generation status.

#include <QString>
#include <cstdint>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane::gui {

/// The progress bar's position from 0 to 1000: 1000 * current / last,
/// rounded; 0 while `last` is 0.
int ProgressPosition(std::int32_t current, std::int32_t last);

/// The message that closes a run: the completion text, or what stopped it
/// and that the network holds what was made until then.
QString RunEndMessage(const TGenerationOutcome& outcome);

/// The caption of that message, naming the network window ("Reaction network
/// \"hexane\""), never one of the captions that carry an icon.
QString RunEndCaption(const QString& windowName);

/// The "Status:" line once a run has ended: "Completed", "Stopped",
/// "Stopped at a limit" or "Failed".
QString RunStatusText(const TGenerationOutcome& outcome);

}  // namespace korvane::gui
