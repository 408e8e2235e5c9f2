#pragma once
/// The one way windows ask the user something: messages, Yes/No questions,
/// input boxes, file dialogs and the windows one window shows modally over
/// another. Windows never open a modal box themselves, so tests can answer
/// every question from a script and check its caption and text exactly.

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QWidget;

namespace korvane::gui {

class DialogSeam {
 public:
  virtual ~DialogSeam() = default;

  /// A message with an OK button. An empty caption gives a plain message
  /// under the application's title; "ERROR" and "WARNING" (any case) carry
  /// the matching icon.
  virtual void message(const QString& caption, const QString& text) = 0;
  /// A question with the buttons Yes and No; true for Yes.
  virtual bool ask(const QString& caption, const QString& text) = 0;
  /// A question with buttons of its own ("Save all", "Discard", "Cancel");
  /// returns the position of the button pressed. Enter presses
  /// `defaultButton`, Escape (and closing the box) `escapeButton`.
  virtual int choose(const QString& caption, const QString& text, const QStringList& buttons, int defaultButton,
                     int escapeButton) = 0;
  /// An input box; nothing when the user cancels.
  virtual std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) = 0;
  /// File dialogs. `filter` is written as the windows give it,
  /// "Description|*.ext" (empty: every file); nothing when cancelled.
  virtual std::optional<QString> openFile(const QString& filter, const QString& directory) = 0;
  /// An existing file or the name of a new one, for a command that either
  /// reads or creates the file it is pointed at.
  virtual std::optional<QString> chooseFile(const QString& filter, const QString& directory) = 0;
  /// With `confirmOverwrite`, the dialog itself asks before an existing file
  /// is chosen.
  virtual std::optional<QString> saveFile(const QString& filter, const QString& directory, bool confirmOverwrite) = 0;
  /// Shows a window modally over the others and returns its result code
  /// (QDialog::Accepted or Rejected).
  virtual int exec(QDialog& window) = 0;
};

/// The seam on Qt's own boxes (QMessageBox, QInputDialog, QFileDialog). A
/// box opens over the window the user works in (the active one, or the one
/// last active when none is, as right after a file dialog or between two
/// boxes) and that window is in front again once the box closes.
class QtDialogSeam : public DialogSeam {
 public:
  /// `parent` is the window of last resort, before any window was active.
  explicit QtDialogSeam(QWidget* parent = nullptr);
  ~QtDialogSeam() override;
  void setParent(QWidget* parent) { m_parent = parent; }

  void message(const QString& caption, const QString& text) override;
  bool ask(const QString& caption, const QString& text) override;
  int choose(const QString& caption, const QString& text, const QStringList& buttons, int defaultButton,
             int escapeButton) override;
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
  std::optional<QString> openFile(const QString& filter, const QString& directory) override;
  std::optional<QString> chooseFile(const QString& filter, const QString& directory) override;
  std::optional<QString> saveFile(const QString& filter, const QString& directory, bool confirmOverwrite) override;
  int exec(QDialog& window) override;

 private:
  /// The window a box belongs to now.
  QWidget* owner() const;
  /// Brings the window that asked back in front.
  static void returnTo(QWidget* window);

  QWidget* m_parent;
  /// The window that opened the last modal window.
  QPointer<QWidget> m_returnTo;
  /// The last active window of the program other than a box or dialog of
  /// this seam.
  QPointer<QWidget> m_lastActive;
  QMetaObject::Connection m_focusTracking;
};

/// Qt's form of a "Description|*.ext|Other|*.x;*.y" filter:
/// "Description (*.ext);;Other (*.x *.y)". A filter whose pattern lacks its
/// dot ("*mdb") is kept as written.
QString QtFileFilter(const QString& filter);

/// The extension the save dialog adds to a name typed without one: that of
/// the filter's first pattern ("*.rnw" gives "rnw"); empty when the pattern
/// has none ("*mdb", "*").
QString DefaultSuffix(const QString& filter);

}  // namespace korvane::gui
