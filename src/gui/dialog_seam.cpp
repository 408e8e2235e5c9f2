#include "gui/dialog_seam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace korvane::gui {
namespace {

QMessageBox::Icon IconFor(const QString& caption) {
  if (caption.compare(QLatin1String("ERROR"), Qt::CaseInsensitive) == 0) return QMessageBox::Critical;
  if (caption.compare(QLatin1String("WARNING"), Qt::CaseInsensitive) == 0) return QMessageBox::Warning;
  return QMessageBox::NoIcon;
}

// Boxes belong to the window the user works in, so focus returns there.
// Right after a modal window closes no window is active yet: the box then
// belongs to the window that opened the modal one.
QWidget* Owner(QWidget* returnTo, QWidget* fallback) {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  return returnTo ? returnTo : fallback;
}

QString TitleFor(const QString& caption) {
  return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

}  // namespace

void QtDialogSeam::message(const QString& caption, const QString& text) {
  QMessageBox box(IconFor(caption), TitleFor(caption), text, QMessageBox::Ok, Owner(m_returnTo, m_parent));
  box.exec();
}

bool QtDialogSeam::ask(const QString& caption, const QString& text) {
  const QMessageBox::Icon icon = caption.isEmpty() ? QMessageBox::Question : IconFor(caption);
  QMessageBox box(icon, TitleFor(caption), text, QMessageBox::Yes | QMessageBox::No, Owner(m_returnTo, m_parent));
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

int QtDialogSeam::choose(const QString& caption, const QString& text, const QStringList& buttons, int defaultButton,
                         int escapeButton) {
  const QMessageBox::Icon icon = caption.isEmpty() ? QMessageBox::Question : IconFor(caption);
  QMessageBox box(icon, TitleFor(caption), text, QMessageBox::NoButton, Owner(m_returnTo, m_parent));
  std::vector<QPushButton*> pushed;
  for (qsizetype i = 0; i < buttons.size(); ++i)
    pushed.push_back(box.addButton(buttons[i], i == escapeButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  if (defaultButton >= 0 && defaultButton < std::ssize(pushed)) box.setDefaultButton(pushed[defaultButton]);
  if (escapeButton >= 0 && escapeButton < std::ssize(pushed)) box.setEscapeButton(pushed[escapeButton]);
  box.exec();
  const auto clicked = std::find(pushed.begin(), pushed.end(), box.clickedButton());
  return clicked == pushed.end() ? escapeButton : static_cast<int>(clicked - pushed.begin());
}

std::optional<QString> QtDialogSeam::input(const QString& caption, const QString& prompt, const QString& initial) {
  QInputDialog box(Owner(m_returnTo, m_parent));
  box.setWindowTitle(TitleFor(caption));
  box.setLabelText(prompt);
  box.setTextValue(initial);
  box.setMinimumWidth(440);  // room for the caption beside the program's name
  // The layout sizes the box to its contents: a wide field keeps it wide
  // also when the prompt is empty.
  if (auto* field = box.findChild<QLineEdit*>()) field->setMinimumWidth(400);
  if (box.exec() != QDialog::Accepted) return std::nullopt;
  return box.textValue();
}

std::optional<QString> QtDialogSeam::openFile(const QString& filter, const QString& directory) {
  const QString name = QFileDialog::getOpenFileName(Owner(m_returnTo, m_parent), QString(), directory, QtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogSeam::chooseFile(const QString& filter, const QString& directory) {
  QFileDialog dialog(Owner(m_returnTo, m_parent), QString(), directory, QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogSeam::saveFile(const QString& filter, const QString& directory,
                                              bool confirmOverwrite) {
  QFileDialog dialog(Owner(m_returnTo, m_parent), QString(), directory, QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(DefaultSuffix(filter));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

int QtDialogSeam::exec(QDialog& window) {
  QPointer<QWidget> opener = Owner(m_returnTo, m_parent);
  const int result = window.exec();
  m_returnTo = opener;
  if (opener) opener->activateWindow();
  return result;
}

QString QtFileFilter(const QString& filter) {
  if (filter.isEmpty()) return QString();
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i].trimmed() + QLatin1String(" (") + patterns + QLatin1Char(')');
  }
  if (parts.size() % 2 == 1) filters << parts.back();
  return filters.join(QLatin1String(";;"));
}

QString DefaultSuffix(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  if (parts.size() < 2) return {};
  const QString pattern = parts[1].section(QLatin1Char(';'), 0, 0).trimmed();
  if (!pattern.startsWith(QLatin1String("*."))) return {};
  const QString extension = pattern.mid(2);
  if (extension.contains(QLatin1Char('*')) || extension.contains(QLatin1Char('?'))) return {};
  return extension;
}

}  // namespace korvane::gui
