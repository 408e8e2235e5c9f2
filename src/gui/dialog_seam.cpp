#include "gui/dialog_seam.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
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

// A box as wide as its title needs: a caption that names something (a
// network) is not cut to "Reaction n...". The title bar shows the caption
// followed by the program's name, often in bold.
void FitTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  QString shown = box.windowTitle();
  const QString program = QApplication::applicationDisplayName();
  if (!program.isEmpty() && !shown.contains(program)) shown += QStringLiteral(" \u2014 ") + program;
  QFont titleFont = box.font();
  titleFont.setBold(true);
  constexpr int kTitleBarExtras = 140;  // icon and buttons of the title bar
  const int width = QFontMetrics(titleFont).horizontalAdvance(shown) + kTitleBarExtras;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                grid->columnCount());
}

QString TitleFor(const QString& caption) {
  return caption.isEmpty() ? QApplication::applicationDisplayName() : caption;
}

// Windows that are the seam's own boxes and dialogs, not windows a box
// should return to.
bool IsBox(const QWidget* window) {
  return qobject_cast<const QMessageBox*>(window) || qobject_cast<const QInputDialog*>(window) ||
         qobject_cast<const QFileDialog*>(window);
}

}  // namespace

QtDialogSeam::QtDialogSeam(QWidget* parent) : m_parent(parent) {
  if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance()))
    m_focusTracking = QObject::connect(application, &QApplication::focusChanged, [this](QWidget*, QWidget* now) {
      QWidget* window = now ? now->window() : nullptr;
      if (window && !IsBox(window)) m_lastActive = window;
    });
}

QtDialogSeam::~QtDialogSeam() { QObject::disconnect(m_focusTracking); }

// Boxes belong to the window the user works in, so focus returns there.
// Right after a modal window or a file dialog closes no window is active yet:
// the box then belongs to the window last active, or to the one that opened
// the modal window.
QWidget* QtDialogSeam::owner() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow(); active && !IsBox(active)) return active;
  if (m_lastActive && m_lastActive->isVisible()) return m_lastActive;
  return m_returnTo ? m_returnTo.data() : m_parent;
}

void QtDialogSeam::returnTo(QWidget* window) {
  if (!window || !window->isVisible()) return;
  window->raise();
  window->activateWindow();
}

void QtDialogSeam::message(const QString& caption, const QString& text) {
  QPointer<QWidget> asking = owner();
  QMessageBox box(IconFor(caption), TitleFor(caption), text, QMessageBox::Ok, asking);
  FitTitle(box);
  box.exec();
  returnTo(asking);
}

bool QtDialogSeam::ask(const QString& caption, const QString& text) {
  const QMessageBox::Icon icon = caption.isEmpty() ? QMessageBox::Question : IconFor(caption);
  QPointer<QWidget> asking = owner();
  QMessageBox box(icon, TitleFor(caption), text, QMessageBox::Yes | QMessageBox::No, asking);
  FitTitle(box);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::No);
  const bool yes = box.exec() == QMessageBox::Yes;
  returnTo(asking);
  return yes;
}

int QtDialogSeam::choose(const QString& caption, const QString& text, const QStringList& buttons, int defaultButton,
                         int escapeButton) {
  const QMessageBox::Icon icon = caption.isEmpty() ? QMessageBox::Question : IconFor(caption);
  QPointer<QWidget> asking = owner();
  QMessageBox box(icon, TitleFor(caption), text, QMessageBox::NoButton, asking);
  FitTitle(box);
  std::vector<QPushButton*> pushed;
  for (qsizetype i = 0; i < buttons.size(); ++i)
    pushed.push_back(box.addButton(buttons[i], i == escapeButton ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
  if (defaultButton >= 0 && defaultButton < std::ssize(pushed)) box.setDefaultButton(pushed[defaultButton]);
  if (escapeButton >= 0 && escapeButton < std::ssize(pushed)) box.setEscapeButton(pushed[escapeButton]);
  box.exec();
  returnTo(asking);
  const auto clicked = std::find(pushed.begin(), pushed.end(), box.clickedButton());
  return clicked == pushed.end() ? escapeButton : static_cast<int>(clicked - pushed.begin());
}

std::optional<QString> QtDialogSeam::input(const QString& caption, const QString& prompt, const QString& initial) {
  QPointer<QWidget> asking = owner();
  QInputDialog box(asking);
  box.setWindowTitle(TitleFor(caption));
  box.setLabelText(prompt);
  box.setTextValue(initial);
  box.setMinimumWidth(440);  // room for the caption beside the program's name
  // The layout sizes the box to its contents: a wide field keeps it wide
  // also when the prompt is empty.
  if (auto* field = box.findChild<QLineEdit*>()) field->setMinimumWidth(400);
  const bool accepted = box.exec() == QDialog::Accepted;
  returnTo(asking);
  if (!accepted) return std::nullopt;
  return box.textValue();
}

std::optional<QString> QtDialogSeam::openFile(const QString& filter, const QString& directory) {
  QPointer<QWidget> asking = owner();
  const QString name = QFileDialog::getOpenFileName(asking, QString(), directory, QtFileFilter(filter));
  returnTo(asking);
  if (name.isEmpty()) return std::nullopt;
  return name;
}

std::optional<QString> QtDialogSeam::chooseFile(const QString& filter, const QString& directory) {
  QPointer<QWidget> asking = owner();
  QFileDialog dialog(asking, QString(), directory, QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  returnTo(asking);
  if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogSeam::saveFile(const QString& filter, const QString& directory,
                                              bool confirmOverwrite) {
  QPointer<QWidget> asking = owner();
  QFileDialog dialog(asking, QString(), directory, QtFileFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(DefaultSuffix(filter));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  returnTo(asking);
  if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

int QtDialogSeam::exec(QDialog& window) {
  QPointer<QWidget> opener = owner();
  const int result = window.exec();
  m_returnTo = opener;
  returnTo(opener);
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
