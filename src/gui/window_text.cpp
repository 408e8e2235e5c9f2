#include "gui/window_text.h"

#include <cmath>

#include "reactions/kinpar_file.h"

namespace korvane::gui {

std::optional<int> ListPosition(QStringView line) {
  const qsizetype open = line.indexOf(u"[ ");
  if (open < 0) return std::nullopt;
  const qsizetype close = line.indexOf(u" ]", open + 2);
  if (close < 0) return std::nullopt;
  bool ok = false;
  const int position = line.sliced(open + 2, close - open - 2).toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return position;
}

QString NumberText(double value, const QLocale& locale) {
  // The kinetic parameter file writes numbers the same way; only the
  // separator differs between "." and ",".
  const char separator = locale.decimalPoint() == QLatin1String(",") ? ',' : '.';
  return QString::fromStdString(FormatKinparNumber(value, separator));
}

std::optional<double> ReadNumber(const QString& text) {
  const std::optional<double> value = ParseKinparNumber(text.toStdString());
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

}  // namespace korvane::gui
