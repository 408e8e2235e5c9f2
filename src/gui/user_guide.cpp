#include "gui/user_guide.h"

#include <QRegularExpression>

namespace korvane::gui {

QString DesktopGuide(const QString& readme) {
  static const QRegularExpression heading(QStringLiteral("^## The desktop program[ \\t]*$"),
                                          QRegularExpression::MultilineOption);
  static const QRegularExpression nextSection(QStringLiteral("^## "), QRegularExpression::MultilineOption);
  const QRegularExpressionMatch start = heading.match(readme);
  if (!start.hasMatch()) return {};
  const QRegularExpressionMatch end = nextSection.match(readme, start.capturedEnd());
  const qsizetype stop = end.hasMatch() ? end.capturedStart() : readme.size();
  return readme.mid(start.capturedStart(), stop - start.capturedStart()).trimmed() + QLatin1Char('\n');
}

}  // namespace korvane::gui
