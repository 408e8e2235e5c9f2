#pragma once
/// Texts of the database windows: the item lines of the database editor and
/// of the database list, reading an index back from them, the editor's
/// caption and the question that confirms a new database.

#include <QString>
#include <QStringView>
#include <optional>

#include "core/vectors.h"

namespace korvane::gui {

/// Database editor line: "[" index "] - " and each synonym followed by " ;",
/// the last two characters cut: "[4] - ethane ;C2H6", and "[4] " for an item
/// without synonyms.
QString EditorItemLine(int index, const TStrVector& synonyms);
/// The number between the first "[" and the first "]" of an editor line;
/// nothing when there is none.
std::optional<int> EditorLineIndex(QStringView line);

/// Database list line: "[ " index " ] " and the synonyms joined by ";" when
/// the list shows every item, without the space after " ]" when it shows
/// what a search found.
QString ListItemLine(int index, const TStrVector& synonyms, bool afterSearch);

/// The editor's caption: its title and the database name, or "[ *Blank* ]"
/// without a database.
QString EditorCaption(const QString* databaseName);

/// Text of the question that confirms a new database.
QString NewDatabaseQuestion(const QString& fileName, const QString& name, const QString& note);

/// The synonyms joined by "+", the search text that finds the items carrying
/// all of them.
QString SearchTextOf(const TStrVector& synonyms);

}  // namespace korvane::gui
