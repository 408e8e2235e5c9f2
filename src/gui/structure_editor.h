#pragma once
/// TStruct_Edit: the structure editor. The user places carbon, hydrogen and
/// aromatic carbon atoms on a drawing area, joins them with bonds, marks
/// unpaired electrons, completes the structure with hydrogens or pastes one
/// as SMILES, and accepts it. One editor exists for the whole run; its
/// drawing stays from one opening to the next until "Clear all". It knows
/// nothing of what its callers do with the structure.

#include <QDialog>
#include <optional>

#include "core/structure_sketch.h"
#include "database/mol_db_types.h"
#include "gui/gui_context.h"

class QAction;
class QLabel;
class QMenuBar;

namespace korvane::gui {

class SketchArea;

class TStruct_Edit : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Struct_Edit");

  explicit TStruct_Edit(GuiContext& context, QWidget* parent = nullptr);

  /// Opens the editor modally over the other windows, its result emptied
  /// first, and gives the structure when the user accepted one.
  std::optional<TMolCharacterisation> drawStructure();

  /// Whether "Accept structure" was chosen during the current opening.
  bool structureAccepted() const { return m_accepted; }
  /// The accepted structure: independent copies of the editing data; its
  /// Identification is left as the caller set it.
  TMolCharacterisation& result() { return m_result; }
  StructureSketch& sketch() { return m_sketch; }
  SketchArea* drawingArea() const { return m_area; }

  // Menu commands.
  void completeStructure();
  void clearAll();
  void acceptStructure();
  /// Adds the molecule of the SMILES on the clipboard to the drawing,
  /// centred on the last mouse position.
  void pasteSmiles();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void buildMenu(QMenuBar* bar);
  /// Shows the chosen kinds and the mode in the menu and the status line.
  void showState();

  GuiContext& m_context;
  StructureSketch m_sketch;
  TMolCharacterisation m_result;
  bool m_accepted = false;
  SketchArea* m_area = nullptr;
  QLabel* m_state = nullptr;
  QAction* m_unpairedElectron = nullptr;
  std::vector<std::pair<QAction*, SketchBondKind>> m_bondActions;
};

}  // namespace korvane::gui
