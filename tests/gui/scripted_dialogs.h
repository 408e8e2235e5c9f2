#pragma once
/// The dialog seam answered from a script: every question a test expects,
/// in order, with its exact caption and text, and the answer to give. A
/// question the script does not expect fails the test and is answered No /
/// Cancel; expectations never asked fail it when the script is destroyed.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "gui/dialog_seam.h"

namespace korvane::testing {

class ScriptedDialogs : public gui::DialogSeam {
 public:
  ~ScriptedDialogs() override;

  ScriptedDialogs& expectMessage(const QString& caption, const QString& text) {
    return push({.kind = Kind::Message, .caption = caption, .text = text});
  }
  /// A message whose text contains `fragment` (for texts that carry a path
  /// or a system error).
  ScriptedDialogs& expectMessageContaining(const QString& caption, const QString& fragment) {
    return push({.kind = Kind::Message, .caption = caption, .text = fragment, .containing = true});
  }
  ScriptedDialogs& expectQuestion(const QString& caption, const QString& text, bool answer) {
    return push({.kind = Kind::Question, .caption = caption, .text = text, .yes = answer});
  }
  /// A question with buttons of its own: the buttons must be these, the
  /// default and Escape buttons as given; the answer is the position of the
  /// button pressed.
  ScriptedDialogs& expectChoice(const QString& caption, const QString& text, const QStringList& buttons,
                                int defaultButton, int escapeButton, int answer) {
    return push({.kind = Kind::Choice,
                 .caption = caption,
                 .text = text,
                 .buttons = buttons,
                 .defaultButton = defaultButton,
                 .escapeButton = escapeButton,
                 .choice = answer});
  }
  /// The same for a question whose text contains `fragment`.
  ScriptedDialogs& expectChoiceContaining(const QString& caption, const QString& fragment, const QStringList& buttons,
                                          int defaultButton, int escapeButton, int answer) {
    return push({.kind = Kind::Choice,
                 .caption = caption,
                 .text = fragment,
                 .containing = true,
                 .buttons = buttons,
                 .defaultButton = defaultButton,
                 .escapeButton = escapeButton,
                 .choice = answer});
  }
  ScriptedDialogs& expectInput(const QString& caption, const QString& prompt, const QString& initial,
                               std::optional<QString> answer) {
    return push({.kind = Kind::Input, .caption = caption, .text = prompt, .initial = initial, .answer = answer});
  }
  ScriptedDialogs& expectOpenFile(const QString& filter, std::optional<QString> answer) {
    return push({.kind = Kind::OpenFile, .text = filter, .answer = answer});
  }
  ScriptedDialogs& expectChooseFile(const QString& filter, std::optional<QString> answer) {
    return push({.kind = Kind::ChooseFile, .text = filter, .answer = answer});
  }
  ScriptedDialogs& expectSaveFile(const QString& filter, std::optional<QString> answer) {
    return push({.kind = Kind::SaveFile, .text = filter, .answer = answer});
  }
  /// A window shown modally, recognised by its title; `drive` works its
  /// controls (the window is visible meanwhile) and returns its result code.
  ScriptedDialogs& expectWindow(const QString& title, std::function<int(QDialog&)> drive) {
    return push({.kind = Kind::Window, .caption = title, .drive = std::move(drive)});
  }

  /// Whether every expectation has been met.
  bool finished() const { return m_steps.empty(); }
  /// Processes events until the script is finished or the time is up.
  bool waitUntilFinished(int timeoutMs = 60000);

  void message(const QString& caption, const QString& text) override;
  bool ask(const QString& caption, const QString& text) override;
  int choose(const QString& caption, const QString& text, const QStringList& buttons, int defaultButton,
             int escapeButton) override;
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
  std::optional<QString> openFile(const QString& filter, const QString&) override {
    return fileAnswer(Kind::OpenFile, filter);
  }
  std::optional<QString> chooseFile(const QString& filter, const QString&) override {
    return fileAnswer(Kind::ChooseFile, filter);
  }
  std::optional<QString> saveFile(const QString& filter, const QString&, bool) override {
    return fileAnswer(Kind::SaveFile, filter);
  }
  int exec(QDialog& window) override;

 private:
  enum class Kind { Message, Question, Input, OpenFile, SaveFile, Window, ChooseFile, Choice };
  struct Step {
    Kind kind;
    QString caption{};  // the window title for Window
    QString text{};     // text, prompt or filter
    QString initial{};
    bool containing = false;
    bool yes = false;
    QStringList buttons{};
    int defaultButton = 0, escapeButton = 0, choice = 0;
    std::optional<QString> answer{};
    std::function<int(QDialog&)> drive{};
  };
  /// The next step when it is of this kind with this caption and text; else
  /// a test failure and nothing.
  std::optional<Step> take(Kind kind, const QString& caption, const QString& text);
  ScriptedDialogs& push(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
  }
  std::optional<QString> fileAnswer(Kind kind, const QString& filter);

  std::deque<Step> m_steps;
};

}  // namespace korvane::testing
