#pragma once
/// What every window of the desktop program shares: the dialog seam, the
/// process-wide kinetic parameter set and the current molecular database.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/physical_memory.h"
#include "database/db_coordinator.h"
#include "gui/dialog_seam.h"
#include "reactions/kinetic_parameters.h"

namespace korvane::gui {

class TStruct_Edit;

struct GuiContext {
  /// Every modal question goes through it.
  DialogSeam& Dialogs;
  /// The one kinetic parameter set of the program, written only from the
  /// user-interface thread.
  TKineticParameterSet& Kinetics;
  /// The database opened from the DataBase menu, or none. Shared, so a
  /// window that still holds the previous one never holds a dangling one.
  std::shared_ptr<TDBCoordinator> Database;
  /// Where the file dialogs start: the folder the program was started in,
  /// where its kinetic parameter file lives too (an installed program's
  /// own folder is no place for the user's files).
  QString StartDirectory;
  /// The molecular database installed with the program; empty when it was
  /// not found.
  QString BundledDatabase;
  /// The one structure editor of the program, which the main window, the
  /// component pages and the database editor open; owned by the main window.
  TStruct_Edit* StructureEditor = nullptr;
  /// The settings file (recent files); empty: the user's settings of the
  /// program.
  QString SettingsFile;
  /// Where the recovery copies of unsaved networks go; empty: none are kept.
  QString RecoveryDirectory;
  /// Called on a generator thread after each component of a run; tests
  /// hold a run there, so that what they do during it never depends on how
  /// fast the machine is. None in the program.
  std::function<void()> AfterGeneratedComponent = nullptr;
  /// Called on the worker of a save or a fusion each time it reports its
  /// progress; tests hold the task there, as a run above. None in the
  /// program.
  std::function<void()> AfterTaskProgress = nullptr;
  /// Called on the worker before an equation or CHEMKIN export writes;
  /// tests hold the export there for the same reason. None in the program.
  std::function<void()> BeforeExport = nullptr;
  /// The machine's physical memory [bytes] (0: unknown), which bounds and
  /// sets the default of a network window's memory limit; tests give a
  /// figure of their own.
  std::uint64_t PhysicalMemory = PhysicalMemoryBytes();
  /// The user guide shipped with the program (its README); empty when it was
  /// not found.
  QString UserGuide = QString();
};

}  // namespace korvane::gui
