#pragma once
/// Tooltips of the windows' buttons: what each one does, for the captions
/// that do not say it themselves (the program's short and historic forms,
/// "show", "Erease RN", "Add munally", the filter boxes...).

#include <QString>
#include <QStringView>

class QWidget;

namespace korvane::gui {

/// The tooltip of a button with this caption; empty when the caption says
/// it all ("Cancel", "Close", "OK").
QString TooltipFor(QStringView caption);

/// Gives every button under `root` that has no tooltip yet the one for its
/// caption. Windows call it once their controls are built.
void AddTooltips(QWidget& root);

}  // namespace korvane::gui
