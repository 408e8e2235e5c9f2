#pragma once
/// Start-up of the desktop program.

class QApplication;

namespace korvane::gui {

inline constexpr const char* kApplicationTitle = "Korvane v1.0";

/// Sets the application's title, creates the main window (which loads the
/// kinetic parameter file) with the windows that exist once, shows it and
/// runs the event loop until it closes. Returns the loop's exit code.
int RunKorvane(QApplication& application);

}  // namespace korvane::gui
