#pragma once
/// Texts every window shares: the position in a list line ("[ 3 ] - name")
/// and numbers in the user's decimal format.

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace korvane::gui {

/// The number between the first "[ " and the first " ]" of a list line, read
/// as a decimal integer; nothing when the line holds no such number.
std::optional<int> ListPosition(QStringView line);

/// The shortest text of at most 15 significant digits that reads back to the
/// value, with the locale's decimal separator ("0,01" in a comma locale;
/// exponents as "1E14").
QString NumberText(double value, const QLocale& locale = QLocale());

/// The value rounded to `digits` significant digits, then written as
/// NumberText writes it: for estimates, whose last digits are only the noise
/// of their arithmetic ("-360000", not "-359999.999999999").
QString EstimateNumberText(double value, int digits, const QLocale& locale = QLocale());

/// What is wrong with a network window's name as typed: empty (or blanks
/// only), or longer than the 255 bytes a network file keeps; nothing when it
/// will do.
std::optional<QString> WindowNameProblem(const QString& name);

/// A finite number written with either decimal separator, whatever the
/// locale, so the default texts ("0,01", "298,15") read everywhere; nothing
/// for any other text.
std::optional<double> ReadNumber(const QString& text);

}  // namespace korvane::gui
