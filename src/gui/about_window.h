#pragma once
/// TAboutWin: what Korvane is, its version and the libraries it is built on,
/// in English or Czech.

#include <QDialog>

class QComboBox;
class QTextBrowser;

namespace korvane::gui {

class TAboutWin : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("About Korvane v1.0");

  explicit TAboutWin(QWidget* parent = nullptr);

  /// Shows the text in the language at `index` of the list ("English",
  /// "Česky").
  void showLanguage(int index);
  QString text() const;

 private:
  QComboBox* m_language;
  QTextBrowser* m_text;
};

}  // namespace korvane::gui
