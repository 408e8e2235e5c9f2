#pragma once
/// A fixture for window tests: a scripted dialog seam, a kinetic parameter
/// set of their own and a fresh working directory (where ./kinpar.ini is
/// looked for, and the settings and recovery copies go).

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "gui/gui_context.h"
#include "gui/window_manager.h"
#include "scripted_dialogs.h"

namespace korvane::testing {

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_directory.isValid());
    m_previousDirectory = QDir::currentPath();
    QDir::setCurrent(m_directory.path());
    // The program's settings and recovery copies stay in the test's folder.
    context.SettingsFile = file(QStringLiteral("settings.ini"));
    context.RecoveryDirectory = file(QStringLiteral("recovery"));
    // Whatever the machine: the windows' memory limits start at 4 GiB.
    context.PhysicalMemory = std::uint64_t{8} << 30;
  }
  void TearDown() override { QDir::setCurrent(m_previousDirectory); }

  /// A file name in the working directory.
  QString file(const QString& name) const { return m_directory.filePath(name); }

  /// The main window, started without a kinetic parameter file.
  std::unique_ptr<gui::TGen_Wind_Manager> startManager() {
    dialogs.expectMessage(QString(), QStringLiteral("Kinetic parameters file does not exist. Values was set to default"));
    auto manager = std::make_unique<gui::TGen_Wind_Manager>(context);
    EXPECT_TRUE(dialogs.finished());
    return manager;
  }

  /// The name box of a new network window, proposing `proposed`.
  void expectWindowName(const QString& proposed, std::optional<QString> answer) {
    dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"), proposed, answer);
  }
  /// The question that follows the opening of a database.
  void expectEditorQuestion(bool answer) {
    dialogs.expectQuestion(QStringLiteral("Use DBEditor now?"),
                           QStringLiteral("Do you wish open selected DB in DBEditor now?"), answer);
  }

  ScriptedDialogs dialogs;
  TKineticParameterSet kinetics;
  gui::GuiContext context{dialogs, kinetics, nullptr, QString(), QString(), nullptr, QString(), QString()};

 private:
  QTemporaryDir m_directory;
  QString m_previousDirectory;
};

}  // namespace korvane::testing
