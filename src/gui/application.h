#pragma once
/// Start-up of the desktop program.

class QApplication;

namespace korvane::gui {

inline constexpr const char* kApplicationTitle = "Korvane v1.0";

/// Sets the application's title, creates the main window (which loads the
/// kinetic parameter file) with the windows that exist once, shows it,
/// offers what a run that did not end cleanly left behind, opens the
/// network files named on the command line, and runs the event loop until
/// the main window closes. Returns the loop's exit code.
int RunKorvane(QApplication& application);

}  // namespace korvane::gui
