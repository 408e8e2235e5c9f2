#pragma once
/// The component page's commands that take feeds from the open database and
/// from the structure editor: "Add from DBase" and "Add by drawing struct.".

namespace korvane::gui {

class TComponentsPage;
class TReact_Net_Wind;
struct GuiContext;

/// Adds both commands to the page of `window`. "Add from DBase" shows the
/// window's database list modally and adds every accepted molecule as a
/// root; "Add by drawing struct." opens the structure editor and adds the
/// accepted structure as a root.
void AddDatabaseAndDrawingCommands(TReact_Net_Wind& window, TComponentsPage& page, GuiContext& context);

}  // namespace korvane::gui
