#include "gui/generation_status.h"

#include <algorithm>
#include <cmath>

namespace korvane::gui {

int ProgressPosition(std::int32_t current, std::int32_t last) {
  if (last == 0) return 0;
  return static_cast<int>(std::lround(1000.0 * current / last));
}

QString RunEndMessage(const TGenerationOutcome& outcome) {
  switch (outcome.End) {
    case TGenerationEnd::Completed:
      return QStringLiteral("Generation succesfully completed.");
    case TGenerationEnd::Stopped:
      return QStringLiteral(
          "Generation was stopped. The network is incomplete: it holds the components processed so far, closed by "
          "recombination.");
    case TGenerationEnd::ComponentLimitReached:
      return QStringLiteral("Generation stopped: %1. The network is incomplete: it holds the components processed so "
                            "far, closed by recombination.")
          .arg(QString::fromStdString(outcome.Message));
    case TGenerationEnd::MemoryLimitReached:
      return QStringLiteral("Generation stopped: %1. The network is incomplete: it holds the components processed so "
                            "far, closed by recombination. Raise \"Memory limit (MiB):\" on the preferences page, up "
                            "to the physical memory, to let a run go further.")
          .arg(QString::fromStdString(outcome.Message));
    case TGenerationEnd::Failed:
      break;
  }
  return QStringLiteral("Generation failed: %1. The network holds what was generated before the failure.")
      .arg(QString::fromStdString(outcome.Message));
}

QString RunEndCaption(const QString& windowName) {
  return QStringLiteral("Reaction network \"%1\"").arg(windowName);
}

QString RunStatusText(const TGenerationOutcome& outcome) {
  switch (outcome.End) {
    case TGenerationEnd::Completed: return QStringLiteral("Completed");
    case TGenerationEnd::Stopped: return QStringLiteral("Stopped");
    case TGenerationEnd::ComponentLimitReached:
    case TGenerationEnd::MemoryLimitReached: return QStringLiteral("Stopped at a limit");
    case TGenerationEnd::Failed: break;
  }
  return QStringLiteral("Failed");
}

}  // namespace korvane::gui
