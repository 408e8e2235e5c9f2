#include "scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QTest>

namespace korvane::testing {
namespace {

const char* KindName(int kind) {
  static const char* const names[] = {"message", "question", "input box", "open-file dialog", "save-file dialog",
                                      "window", "file dialog (existing or new file)", "question with buttons"};
  return names[kind];
}

}  // namespace

ScriptedDialogs::~ScriptedDialogs() {
  for (const Step& step : m_steps)
    ADD_FAILURE() << "expected " << KindName(static_cast<int>(step.kind)) << " never came: \""
                  << step.caption.toStdString() << "\" \"" << step.text.toStdString() << "\"";
}

bool ScriptedDialogs::waitUntilFinished(int timeoutMs) {
  return QTest::qWaitFor([this] { return finished(); }, timeoutMs);
}

std::optional<ScriptedDialogs::Step> ScriptedDialogs::take(Kind kind, const QString& caption, const QString& text) {
  const std::string asked = std::string(KindName(static_cast<int>(kind))) + " \"" + caption.toStdString() +
                            "\" \"" + text.toStdString() + "\"";
  if (m_steps.empty()) {
    ADD_FAILURE() << "unexpected " << asked;
    return std::nullopt;
  }
  Step step = m_steps.front();
  const bool textMatches = step.containing ? text.contains(step.text) : text == step.text;
  if (step.kind != kind || step.caption != caption || !textMatches) {
    ADD_FAILURE() << "expected " << KindName(static_cast<int>(step.kind)) << " \"" << step.caption.toStdString()
                  << "\" \"" << step.text.toStdString() << "\", got " << asked;
    return std::nullopt;
  }
  m_steps.pop_front();
  return step;
}

void ScriptedDialogs::message(const QString& caption, const QString& text) { take(Kind::Message, caption, text); }

bool ScriptedDialogs::ask(const QString& caption, const QString& text) {
  const auto step = take(Kind::Question, caption, text);
  return step && step->yes;
}

int ScriptedDialogs::choose(const QString& caption, const QString& text, const QStringList& buttons,
                            int defaultButton, int escapeButton) {
  const auto step = take(Kind::Choice, caption, text);
  if (!step) return escapeButton;
  EXPECT_EQ(buttons.join(QLatin1Char('|')).toStdString(), step->buttons.join(QLatin1Char('|')).toStdString());
  EXPECT_EQ(defaultButton, step->defaultButton) << "default button of " << text.toStdString();
  EXPECT_EQ(escapeButton, step->escapeButton) << "escape button of " << text.toStdString();
  return step->choice;
}

std::optional<QString> ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString& initial) {
  const auto step = take(Kind::Input, caption, prompt);
  if (!step) return std::nullopt;
  EXPECT_EQ(initial.toStdString(), step->initial.toStdString()) << "pre-filled text of " << prompt.toStdString();
  return step->answer;
}

std::optional<QString> ScriptedDialogs::fileAnswer(Kind kind, const QString& filter) {
  const auto step = take(kind, QString(), filter);
  return step ? step->answer : std::nullopt;
}

int ScriptedDialogs::exec(QDialog& window) {
  const auto step = take(Kind::Window, window.windowTitle(), QString());
  if (!step) return QDialog::Rejected;
  window.show();
  const int result = step->drive(window);
  window.hide();
  return result;
}

}  // namespace korvane::testing
