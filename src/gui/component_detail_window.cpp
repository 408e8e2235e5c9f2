#include "gui/component_detail_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/component_properties_tab.h"
#include "gui/component_reactions_tab.h"
#include "gui/molecule_picture_widget.h"
#include "gui/network_window.h"
#include "gui/reaction_text.h"
#include "gui/related_components_tab.h"
#include "gui/value_label.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kStructureSize = 12;
enum Tab { kSummaryTab, kPropertiesTab, kMatricesTab, kReactionsTab, kRelatedTab };

QString Joined(const TByteVector& values) {
  QStringList texts;
  for (std::uint8_t value : values) texts.append(QString::number(value));
  return texts.join(QLatin1Char(';'));
}

}  // namespace

TComponent_Detail::TComponent_Detail(TReact_Net_Wind& window, GuiContext& context)
    : QWidget(&window, Qt::Window), m_window(window), m_context(context) {
  setWindowTitle(kCaption);
  // A viewer: Escape closes it, as it closes a dialog.
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  m_tabs = new QTabWidget;
  m_tabs->addTab(buildSummary(), QStringLiteral("Summary"));
  m_properties = new ComponentPropertiesTab(
      [this]() -> const TMolecule* { return subjectForCommand().Component; }, context.Dialogs);
  m_tabs->addTab(m_properties, QStringLiteral("Properties"));
  m_tabs->addTab(buildMatrices(), QStringLiteral("Matrices"));
  m_reactions = new ComponentReactionsTab(*this);
  m_tabs->addTab(m_reactions, QStringLiteral("Reactions"));
  m_related = new RelatedComponentsTab(*this);
  m_tabs->addTab(m_related, QStringLiteral("Related components"));
  layout->addWidget(m_tabs);
  connect(m_tabs, &QTabWidget::currentChanged, this, &TComponent_Detail::tabShown);

  connect(&window, &TReact_Net_Wind::busyChanged, this, [this](bool busy) { m_tabs->setEnabled(!busy); });
  connect(&window, &TReact_Net_Wind::networkEdited, this, &TComponent_Detail::networkEdited);
  resize(900, 600);
  AddTooltips(*this);
}

// Tab widgets may report a current page while they are taken apart; by then
// this window's own parts are gone.
TComponent_Detail::~TComponent_Detail() { disconnect(m_tabs, nullptr, this, nullptr); }

QWidget* TComponent_Detail::buildSummary() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* form = new QFormLayout;
  m_id = AddValueRow(*form, QStringLiteral("Component ID:"), QStringLiteral("componentId"));
  m_name = AddValueRow(*form, QStringLiteral("Name:"), QStringLiteral("componentName"));
  m_formula = AddValueRow(*form, QStringLiteral("Molecule formula: "), QStringLiteral("formula"));
  m_molarWeight = AddValueRow(*form, QStringLiteral("Molar weight / (g/mol):"), QStringLiteral("molarWeight"));
  m_radicalCyclic = AddValueRow(*form, QStringLiteral("Radical / cyclic: "), QStringLiteral("radicalCyclic"));
  m_atomCount = AddValueRow(*form, QStringLiteral("Count of atoms:"), QStringLiteral("atomCount"));
  // Lists as long as the molecule: fields that scroll rather than widen the window.
  const std::tuple<const char*, const char*, QLineEdit**> lists[] = {
      {"Count of atoms per type: ", "atomsPerType", &m_atomsPerType},
      {"Graph score: ", "graphScore", &m_graphScore},
      {"Graph score II: ", "graphScore2", &m_graphScore2}};
  for (auto [caption, name, field] : lists) {
    *field = new QLineEdit(QStringLiteral("N/A"));
    (*field)->setReadOnly(true);
    (*field)->setObjectName(QString::fromLatin1(name));
    form->addRow(QString::fromLatin1(caption), *field);
  }
  layout->addLayout(form, 1);

  auto* structure = new QGroupBox(QStringLiteral("  Structure  "));
  auto* structureLayout = new QVBoxLayout(structure);
  m_structure = new MoleculePictureWidget(kStructureSize);
  m_structure->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  m_structure->setMinimumSize(280, 240);
  m_structure->setMessageSink(
      [this](const std::string& text) { m_context.Dialogs.message(QString(), QString::fromStdString(text)); });
  structureLayout->addWidget(m_structure);
  layout->addWidget(structure, 1);
  return page;
}

QWidget* TComponent_Detail::buildMatrices() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  m_matrixChoice = new QComboBox;
  m_matrixChoice->addItems(MatrixNames());
  m_matrixChoice->setCurrentIndex(-1);
  connect(m_matrixChoice, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0 && subjectForCommand()) showMatrix(static_cast<MatrixKind>(index));
  });
  layout->addWidget(m_matrixChoice);
  m_grid = new QTableWidget;
  m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_grid->horizontalHeader()->setDefaultSectionSize(44);
  layout->addWidget(m_grid, 1);
  return page;
}

void TComponent_Detail::SetComponent(TReactionNetwork& network, TMolecule& component) {
  m_network = &network;
  m_component = &component;
}

TComponent_Detail::Subject TComponent_Detail::subjectForCommand() {
  if (!m_component) return {};
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return {};
  return {network, m_component};
}

void TComponent_Detail::FillComponent() {
  const Subject subject = subjectForCommand();
  if (!subject) return;
  const TMolecule& component = *subject.Component;
  const TInvariants& invariants = component.Invariants();
  m_id->setText(QString::number(component.ID));
  m_radicalCyclic->setText(BooleanText(invariants.Radical) + QStringLiteral(" / ") + BooleanText(invariants.Cyclic));
  m_atomCount->setText(QString::number(component.AtomCount()));
  m_atomsPerType->setText(Joined(invariants.AtomsPerType));
  m_graphScore->setText(Joined(invariants.GraphScore1));
  m_graphScore2->setText(Joined(invariants.GraphScore2));
  for (QLineEdit* field : {m_atomsPerType, m_graphScore, m_graphScore2}) field->setCursorPosition(0);
  m_formula->setText(QString::fromStdString(component.Formula()));
  m_molarWeight->setText(NumberText(component.MolarMass()));
  m_name->setText(QString::fromStdString(component.Name));
  m_structure->showMolecule(component);
  m_properties->showComponent(component);
  setWindowTitle(kCaption + QStringLiteral(": [ %1 ]").arg(component.ID));
  m_reactions->refresh();
  m_reactions->clearDisplay();
  tabShown(m_tabs->currentIndex());
}

void TComponent_Detail::showMatrix(MatrixKind kind) {
  if (!m_component) return;
  const std::vector<QStringList> cells = MatrixCells(*m_component, kind);
  const int rows = static_cast<int>(cells.size());
  const int columns = rows > 0 ? static_cast<int>(cells.front().size()) : 0;
  m_grid->clear();
  m_grid->setRowCount(rows);
  m_grid->setColumnCount(columns);
  // The indices stand in the header row and column.
  QStringList indices;
  for (int i = 0; i < std::max(rows, columns); ++i) indices.append(QString::number(i));
  m_grid->setHorizontalHeaderLabels(indices.mid(0, columns));
  m_grid->setVerticalHeaderLabels(indices.mid(0, rows));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) m_grid->setItem(r, c, new QTableWidgetItem(cells[static_cast<std::size_t>(r)][c]));
}

void TComponent_Detail::tabShown(int index) {
  // Quietly: looking at a tab during a run reads nothing.
  if (!m_component || m_window.isBusy()) return;
  if (index == kMatricesTab && m_matrixChoice->currentIndex() >= 0)
    showMatrix(static_cast<MatrixKind>(m_matrixChoice->currentIndex()));
  else if (index == kRelatedTab)
    m_related->showTab();
}

void TComponent_Detail::networkEdited() {
  if (!m_component) return;
  // Checked at once after the change, before anything new can take the
  // removed component's place; by address only, as it may be freed.
  bool present = false;
  for (std::size_t i = 0; i < m_network->ComponentCount() && !present; ++i)
    present = m_network->Component(i) == m_component;
  if (!present) {
    m_component = nullptr;
    m_reactions->clearList();
    m_related->clearList();
    close();
    return;
  }
  FillComponent();
}

}  // namespace korvane::gui
