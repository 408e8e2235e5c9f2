#pragma once
/// What every exporter says when it was stopped: its destination files are
/// exactly as they were (an exporter writes through temporary files that
/// replace them only once complete).

#include "core/work_control.h"

namespace korvane {

inline constexpr const char* kExportCancelled = "The export was cancelled; no file was changed.";

}  // namespace korvane
