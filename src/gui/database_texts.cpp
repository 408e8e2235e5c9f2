#include "gui/database_texts.h"

#include <QStringList>

namespace korvane::gui {

QString EditorItemLine(int index, const TStrVector& synonyms) {
  QString line = QStringLiteral("[%1] - ").arg(index);
  for (const std::string& synonym : synonyms) line += QString::fromStdString(synonym) + QStringLiteral(" ;");
  line.chop(2);
  return line;
}

std::optional<int> EditorLineIndex(QStringView line) {
  const qsizetype open = line.indexOf(u'[');
  const qsizetype close = line.indexOf(u']');
  if (open < 0 || close <= open) return std::nullopt;
  bool ok = false;
  const int index = line.sliced(open + 1, close - open - 1).toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return index;
}

QString ListItemLine(int index, const TStrVector& synonyms, bool afterSearch) {
  return QStringLiteral("[ %1 ]").arg(index) + (afterSearch ? QString() : QStringLiteral(" ")) +
         QString::fromStdString(Join(synonyms));
}

QString EditorCaption(const QString* databaseName) {
  const QString title = QStringLiteral("Molecular Database files editor v1.01a");
  if (!databaseName) return title + QStringLiteral(":  [ *Blank* ]");
  return title + QStringLiteral(":  [") + *databaseName + QLatin1Char(']');
}

QString NewDatabaseQuestion(const QString& fileName, const QString& name, const QString& note) {
  return QStringLiteral("Database initial Data: FileName=\"%1\"; DBName=\"%2\"; Note=\"%3\"").arg(fileName, name, note);
}

QString SearchTextOf(const TStrVector& synonyms) {
  QStringList names;
  for (const std::string& synonym : synonyms) names << QString::fromStdString(synonym);
  return names.join(QLatin1Char('+'));
}

}  // namespace korvane::gui
