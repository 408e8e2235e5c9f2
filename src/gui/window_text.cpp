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

QString EstimateNumberText(double value, int digits, const QLocale& locale) {
  if (value == 0.0 || !std::isfinite(value) || digits <= 0) return NumberText(value, locale);
  // The scale of the last kept digit; a power of ten divides exactly enough
  // here, as the text is written with at most 15 digits afterwards.
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value)))) - digits + 1;
  const double scale = std::pow(10.0, -exponent);
  const double rounded = exponent < 0 ? std::round(value * scale) / scale : std::round(value / std::pow(10.0, exponent)) * std::pow(10.0, exponent);
  return NumberText(rounded, locale);
}

std::optional<QString> WindowNameProblem(const QString& name) {
  if (name.trimmed().isEmpty()) return QStringLiteral("The window name must not be empty.");
  const qsizetype bytes = name.toUtf8().size();
  if (bytes > 255)
    return QStringLiteral("The window name is %1 bytes long; at most 255 bytes are kept. Choose a shorter name.")
        .arg(bytes);
  return std::nullopt;
}

std::optional<double> ReadNumber(const QString& text) {
  const std::optional<double> value = ParseKinparNumber(text.toStdString());
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

}  // namespace korvane::gui
