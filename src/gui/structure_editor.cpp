#include "gui/structure_editor.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <QVBoxLayout>

#include "gui/sketch_area.h"
#include "gui/tooltip_texts.h"
#include "smiles/smiles_reader.h"

namespace korvane::gui {
namespace {

// Bond length of a pasted molecule [pixels]: labels such as "C(10)HH" fit
// between neighbours.
constexpr int kPastedBondLength = 70;

}  // namespace

TStruct_Edit::TStruct_Edit(GuiContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
  setWindowTitle(kCaption);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  auto* bar = new QMenuBar(this);
  layout->setMenuBar(bar);
  m_area = new SketchArea(m_sketch);
  layout->addWidget(m_area);
  m_state = new QLabel;
  m_state->setObjectName(QStringLiteral("editorState"));
  layout->addWidget(m_state);
  auto* hint = new QLabel(QStringLiteral(
      "Choose an atom in \"Atoms\" and click the area to place it; choose a bond in \"Bonds\" and click two labels "
      "to join them."));
  hint->setEnabled(false);  // drawn greyed, as a hint
  layout->addWidget(hint);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  buildMenu(bar);
  connect(m_area, &SketchArea::changed, this, [this] { showState(); });
  showState();
  AddTooltips(*this);
}

void TStruct_Edit::buildMenu(QMenuBar* bar) {
  QMenu* atoms = bar->addMenu(QStringLiteral("Atoms"));
  auto* atomGroup = new QActionGroup(this);
  for (auto [caption, kind] : {std::pair{"C", SketchAtomKind::Carbon}, {"H", SketchAtomKind::Hydrogen},
                               {"Aromatic C", SketchAtomKind::AromaticCarbon}}) {
    QAction* action = atoms->addAction(QString::fromLatin1(caption), this, [this, kind] {
      m_sketch.ChooseAtomKind(kind);
      showState();
    });
    action->setCheckable(true);
    atomGroup->addAction(action);
  }
  QMenu* bonds = bar->addMenu(QStringLiteral("Bonds"));
  auto* bondGroup = new QActionGroup(this);
  for (auto [caption, kind] : {std::pair{"1x", SketchBondKind::Single}, {"2x", SketchBondKind::Double},
                               {"3x", SketchBondKind::Triple}, {"Aromatic", SketchBondKind::Aromatic}}) {
    QAction* action = bonds->addAction(QString::fromLatin1(caption), this, [this, kind] {
      m_sketch.ChooseBondKind(kind);
      m_area->update();
      showState();
    });
    action->setCheckable(true);
    bondGroup->addAction(action);
    m_bondActions.emplace_back(action, kind);
  }
  m_unpairedElectron = bar->addAction(QStringLiteral("Non-paird_electron"), this, [this] {
    m_sketch.ToggleUnpairedElectronMode();
    showState();
  });
  m_unpairedElectron->setCheckable(true);
  QMenu* functions = bar->addMenu(QStringLiteral("Functions"));
  functions->addAction(QStringLiteral("Complete structure by including H"), this, [this] { completeStructure(); });
  functions->addAction(QStringLiteral("Clear all"), this, [this] { clearAll(); });
  functions->addSeparator();
  functions->addAction(QStringLiteral("Paste SMILES"), this, [this] { pasteSmiles(); })->setShortcut(QKeySequence::Paste);
  bar->addAction(QStringLiteral("Accept structure"), this, [this] { acceptStructure(); });
}

void TStruct_Edit::showState() {
  static const char* const kAtomNames[] = {"none", "C", "H", "Aromatic C"};
  static const char* const kBondNames[] = {"none", "1x", "2x", "3x", "Aromatic"};
  // The menu shows the mode as it is, also after an opening cleared it.
  m_unpairedElectron->setChecked(m_sketch.UnpairedElectronMode());
  m_state->setText(QStringLiteral("Atom: %1    Bond: %2    Non-paired electron mode: %3    Atoms: %4")
                       .arg(QLatin1String(kAtomNames[static_cast<int>(m_sketch.AtomKind())]),
                            QLatin1String(kBondNames[static_cast<int>(m_sketch.BondKind())]),
                            m_sketch.UnpairedElectronMode() ? QStringLiteral("on") : QStringLiteral("off"))
                       .arg(m_sketch.AtomCount()));
}

std::optional<TMolCharacterisation> TStruct_Edit::drawStructure() {
  m_result = TMolCharacterisation{};
  // The editor opens over the window that asks for it, also when that is not
  // its parent (the database editor), and that window has the focus back
  // afterwards instead of the editor's parent jumping forward.
  QPointer<QWidget> caller = QApplication::activeWindow();
  if (caller == this) caller = nullptr;
  if (caller) {
    create();
    if (QWindow* handle = windowHandle()) handle->setTransientParent(caller->window()->windowHandle());
    layout()->activate();
    QRect frame(QPoint(), size());
    frame.moveCenter(caller->frameGeometry().center());
    if (const QScreen* screen = caller->screen()) {
      const QRect available = screen->availableGeometry();
      frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
      frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
    }
    move(frame.topLeft());
  }
  m_context.Dialogs.exec(*this);
  if (caller) {
    // The focus goes back to the caller, so the boxes it shows next open over
    // it. The window system hands it over later; nothing here waits for it.
    caller->raise();
    caller->activateWindow();
  }
  if (!m_accepted) return std::nullopt;
  return m_result;
}

void TStruct_Edit::showEvent(QShowEvent* event) {
  m_accepted = false;
  m_sketch.StartOpening();
  showState();
  m_area->update();
  QDialog::showEvent(event);
}

void TStruct_Edit::completeStructure() {
  m_sketch.CompleteWithHydrogens();
  m_area->update();
  showState();
}

void TStruct_Edit::clearAll() {
  m_sketch.Clear();
  m_area->update();
  showState();
}

void TStruct_Edit::acceptStructure() {
  m_accepted = true;
  m_result.AdjacencyMatrix = m_sketch.AdjacencyMatrix();
  m_result.AtomTypes = m_sketch.AtomTypes();
  m_result.AromaticMatrix = m_sketch.AromaticMatrix();
  accept();
}

void TStruct_Edit::pasteSmiles() {
  const QString smiles = QApplication::clipboard()->text().trimmed();
  if (smiles.isEmpty()) {
    m_context.Dialogs.message(QString(), QStringLiteral("The clipboard holds no text to read as SMILES."));
    return;
  }
  const auto read = MoleculeFromSmiles(smiles.toStdString());
  if (!read) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(read.error().Message));
    return;
  }
  const TMolecule* molecule = read.value().get();
  const QPoint centre = m_area->lastMousePosition();
  if (!m_sketch.AddMolecule(*molecule, {centre.x(), centre.y()}, m_area->labelBounds(), kPastedBondLength)) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The drawing would hold more than %1 atoms with this molecule. Nothing "
                                             "was added.")
                                  .arg(kMaxAtoms));
    return;
  }
  m_area->update();
  showState();
}

}  // namespace korvane::gui
