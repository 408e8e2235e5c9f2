#include "gui/components_page.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "core/formula.h"
#include "database/mol_structure_file.h"
#include "gui/component_detail_window.h"
#include "gui/molecule_picture_widget.h"
#include "gui/network_table_view.h"
#include "gui/network_window.h"
#include "gui/position_list_model.h"
#include "gui/selection_follower.h"
#include "gui/window_placement.h"
#include "gui/window_text.h"
#include "reactions/feed_check.h"
#include "smiles/smiles_reader.h"
#include "smiles/smiles_writer.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kComponentPictureSize = 15;
// A name is kept in the network file with one byte of length.
constexpr qsizetype kLongestName = 255;

}  // namespace

TComponentsPage::TComponentsPage(TReact_Net_Wind& window, GuiContext& context)
    : m_window(window), m_context(context) {
  auto* layout = new QHBoxLayout(this);

  m_model = new PositionListModel(this);
  m_model->setToolTipProvider([this](int position) { return toolTip(position); });
  m_model->setLineProvider([this](int position) { return lineText(position); });
  const ListOrTable views = BuildListOrTable(window, context, m_model, QStringLiteral("componentList"),
                                             [this] { showComponent(); }, [this] { viewDetails(); });
  m_list = views.List;
  m_listFollower = views.ListFollower;
  m_tableView = views.Table;
  m_tableOn = views.TableOn;
  connect(m_tableOn, &QCheckBox::toggled, this, &TComponentsPage::showTable);
  m_viewsLayout = layout;
  layout->addLayout(views.Layout, 2);

  auto* side = new QVBoxLayout;
  m_picture = new MoleculePictureWidget(kComponentPictureSize);
  m_picture->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  m_picture->setMinimumSize(260, 200);
  m_picture->setMessageSink([this](const std::string& text) { reportDrawing(text); });
  side->addWidget(m_picture, 1);
  side->addWidget(buildFilter());
  side->addWidget(buildCommands());
  layout->addLayout(side, 3);

  applyFilterEnabling();
  FollowWindowState(*this, m_window, *m_tableView, m_listStale, [this] { fillList(m_window.network()); });
}

QWidget* TComponentsPage::buildFilter() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  m_filterOn = new QCheckBox(QStringLiteral("Filter substance list, show only:"));
  layout->addWidget(m_filterOn);

  m_filterGroup = new QGroupBox(QStringLiteral("  Substance list preferences  "));
  auto* grid = new QGridLayout(m_filterGroup);
  auto check = [this](const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
    return box;
  };
  m_molecules = check("Molecules");
  m_radicals = check("Radicals");
  m_saturated = check("Saturated");
  m_nonsaturated = check("Nonsaturated");
  m_aromatic = check("Aromatic");
  m_cyclic = check("Cyclic");
  m_acyclic = check("Acyclic");
  m_onlyFraction = check("Only fraction");
  m_fraction = new QSpinBox;
  m_fraction->setObjectName(QStringLiteral("fraction"));
  m_fraction->setRange(0, 255);  // carbon atoms of a molecule of at most 255 atoms
  connect(m_fraction, &QSpinBox::valueChanged, this, [this] { refresh(); });
  // Columns: kind, saturation, rings, fraction.
  grid->addWidget(m_molecules, 0, 0);
  grid->addWidget(m_radicals, 1, 0);
  grid->addWidget(m_saturated, 0, 1);
  grid->addWidget(m_nonsaturated, 1, 1);
  grid->addWidget(m_aromatic, 0, 2);
  grid->addWidget(m_cyclic, 1, 2);
  grid->addWidget(m_acyclic, 2, 2);
  grid->addWidget(m_onlyFraction, 0, 3);
  grid->addWidget(m_fraction, 1, 3);
  layout->addWidget(m_filterGroup);

  connect(m_filterOn, &QCheckBox::toggled, this, [this] {
    applyFilterEnabling();
    refresh();
  });
  connect(m_onlyFraction, &QCheckBox::toggled, this, [this] { applyFilterEnabling(); });
  return box;
}

QWidget* TComponentsPage::buildCommands() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  // Adding commands two to a row; later windows add theirs through addCommand.
  m_addingCommands = new QGridLayout;
  layout->addLayout(m_addingCommands);
  addCommand(QStringLiteral("Add from file"), [this] { addFromFile(); });
  addCommand(QStringLiteral("Add from SMILES"), [this] { addFromSmiles(); });

  auto* grid = new QGridLayout;
  const std::pair<const char*, void (TComponentsPage::*)()> commands[] = {
      {"Name components (DB)", &TComponentsPage::nameComponentsFromDatabase},
      {"Rename component", &TComponentsPage::renameComponent},
      {"Show component", &TComponentsPage::showComponent},
      {"Refresh", &TComponentsPage::refresh},
      {"View details", &TComponentsPage::viewDetails},
      {"Remove component", &TComponentsPage::removeComponent}};
  int index = 0;
  for (auto [caption, command] : commands) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    connect(button, &QPushButton::clicked, this, command);
    grid->addWidget(button, index / 3, index % 3);
    ++index;
  }
  layout->addLayout(grid);
  return box;
}

QPushButton* TComponentsPage::addCommand(const QString& caption, std::function<void()> command) {
  auto* button = new QPushButton(caption);
  connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] {
    if (m_window.networkForCommand()) command();
  });
  const int index = m_addingCommands->count();
  m_addingCommands->addWidget(button, index / 2, index % 2);
  return button;
}

void TComponentsPage::applyFilterEnabling() {
  m_filterGroup->setEnabled(m_filterOn->isChecked());
  m_fraction->setEnabled(m_onlyFraction->isChecked());
}

std::optional<ComponentFilter> TComponentsPage::filter() const {
  if (!m_filterOn->isChecked()) return std::nullopt;
  return ComponentFilter{m_molecules->isChecked(),  m_radicals->isChecked(), m_saturated->isChecked(),
                         m_nonsaturated->isChecked(), m_aromatic->isChecked(), m_cyclic->isChecked(),
                         m_acyclic->isChecked(),    m_onlyFraction->isChecked(), m_fraction->value()};
}

void TComponentsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Quietly: switching to the page during a command keeps the last list
  // until the command ends.
  m_listStale = m_window.isBusy();
  if (!m_listStale) fillList(m_window.network());
  applyFilterEnabling();
}

void TComponentsPage::refresh() {
  if (const TReactionNetwork* network = m_window.networkForCommand()) fillList(*network);
}

void TComponentsPage::showTable(bool shown) {
  m_tableOn->setChecked(shown);
  // The table's columns take the room the list's short lines leave.
  m_viewsLayout->setStretch(0, shown ? 3 : 2);
  m_viewsLayout->setStretch(1, shown ? 2 : 3);
  ShowListOrTable(shown, *m_list, *m_model, *m_tableView, !m_window.isBusy(),
                  [this] { fillTable(ListedComponents(m_window.network(), filter())); });
}

void TComponentsPage::fillTable(std::vector<int> positions) {
  if (!m_tableOn->isChecked()) return;
  m_tableView->setSource(
      std::make_unique<ComponentTableSource>(m_window.network(), std::move(positions),
                                             [](const TMolecule& molecule) {
                                               const TResult<std::string> smiles = CanonicalSmiles(molecule);
                                               return smiles ? smiles.value() : std::string("-");
                                             }),
      [this] { return !m_window.isBusy(); });
}

void TComponentsPage::fillList(const TReactionNetwork& network) {
  const std::optional<int> selected = SelectedListPosition(*m_list);
  std::vector<int> positions = ListedComponents(network, filter());
  fillTable(positions);
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(positions.size()));
  int selectedRow = -1;
  for (std::size_t row = 0; row < positions.size(); ++row) {
    texts.append(ComponentListText(positions[row], network.Component(static_cast<std::size_t>(positions[row]))->Name));
    if (selected && positions[row] == *selected) selectedRow = static_cast<int>(row);
  }
  m_model->setLines(std::move(positions), std::move(texts));
  m_listFollower->setQuiet(true);
  if (selectedRow >= 0) m_list->setCurrentIndex(m_model->index(selectedRow));
  m_listFollower->setQuiet(false);
}

std::optional<std::size_t> TComponentsPage::selectedComponent(const TReactionNetwork& network) const {
  const std::optional<int> position =
      m_tableOn->isChecked() ? m_tableView->currentPosition() : SelectedListPosition(*m_list);
  if (!position || *position < 0 || static_cast<std::size_t>(*position) >= network.ComponentCount())
    return std::nullopt;
  return static_cast<std::size_t>(*position);
}

QString TComponentsPage::toolTip(int position) const {
  // Never while a run may be changing the network.
  if (m_window.isBusy()) return {};
  const TReactionNetwork& network = m_window.network();
  if (position < 0 || static_cast<std::size_t>(position) >= network.ComponentCount()) return {};
  const TMolecule& component = *network.Component(static_cast<std::size_t>(position));
  const TResult<std::string> smiles = CanonicalSmiles(component);
  return QString::fromStdString(HillFormula(component)) + QLatin1Char('\n') +
         (smiles ? QString::fromStdString(smiles.value())
                 : QStringLiteral("no SMILES: ") + QString::fromStdString(smiles.error().Message));
}

QString TComponentsPage::lineText(int position) const {
  if (m_window.isBusy()) return {};
  const TReactionNetwork& network = m_window.network();
  if (position < 0 || static_cast<std::size_t>(position) >= network.ComponentCount()) return {};
  return ComponentListText(*network.Component(static_cast<std::size_t>(position)));
}

void TComponentsPage::reportDrawing(const std::string& text) {
  m_context.Dialogs.message(QString(), QString::fromStdString(text));
}

TMolecule* TComponentsPage::addRootComponent(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                                             const TBoolMatrix& aromatic, const std::string& name) {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return nullptr;
  std::string problem;
  const auto molecule = TMolecule::FromStructure(0, adjacency, atomTypes, aromatic, &problem);
  if (!molecule || molecule->AtomCount() == 0) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The structure is not a valid molecule and was not added. %1")
                                  .arg(QString::fromStdString(problem)));
    return nullptr;
  }
  // Refused before it enters the network: the generators cannot mend a
  // broken structure or handle other elements (the batch tool checks the same).
  if (const std::string problem = FeedProblem(*molecule); !problem.empty()) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The structure cannot be a feed and was not added: %1.")
                                  .arg(QString::fromStdString(problem)));
    return nullptr;
  }
  // Two components of one species would split its reactions between them.
  if (const int existing = network->FindComponent(*molecule); existing >= 0) {
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("The structure is already component [ %1 ] of the reaction network. "
                                             "It was not added again.")
                                  .arg(existing));
    return nullptr;
  }
  TMolecule* component = nullptr;
  const bool ran = m_window.editNetwork(QStringLiteral("Add component"), [&](TReactionNetwork& edited) {
    component = edited.AddComponent(adjacency, atomTypes, aromatic, true, &problem);
    if (component && !name.empty()) component->Name = name;
    return component != nullptr;
  });
  if (!ran) return nullptr;
  if (!component) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The structure is not a valid molecule and was not added. %1")
                                  .arg(QString::fromStdString(problem)));
    return nullptr;
  }
  // The new component is selected and drawn, so the user sees what came in.
  if (const int row = m_model->rowOfPosition(component->ID); row >= 0) {
    m_list->setCurrentIndex(m_model->index(row));
    m_list->scrollTo(m_list->currentIndex());
    m_picture->showMolecule(*component);
  }
  if (const int row = m_tableView->model().rowOfPosition(component->ID); row >= 0) {
    m_tableView->table()->selectRow(row);
    m_tableView->table()->scrollTo(m_tableView->table()->currentIndex());
  }
  return component;
}

void TComponentsPage::addFromFile() {
  const std::optional<QString> fileName =
      m_context.Dialogs.openFile(QStringLiteral("Mulecular Structure File *.ms|*.ms"), m_context.StartDirectory);
  if (fileName) addStructureFile(*fileName);
}

TMolecule* TComponentsPage::addStructureFile(const QString& fileName) {
  if (!m_window.networkForCommand()) return nullptr;
  if (!QFileInfo(fileName).isFile()) {
    m_context.Dialogs.message(QString(), QStringLiteral("File, you have selected, does not esist. Process stopped."));
    return nullptr;
  }
  const auto structure = ReadMolStructureFile(fileName.toStdString());
  if (!structure) {
    const QString message = structure.error().Code == TErrorCode::FileSystem
                                ? QStringLiteral("The file %1 could not be read: %2")
                                : QStringLiteral("The file %1 was not added: %2");
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              message.arg(fileName, QString::fromLocal8Bit(structure.error().Message.c_str())));
    return nullptr;
  }
  return addRootComponent(structure->AdjacencyMatrix, structure->AtomTypes, structure->AromaticMatrix);
}

void TComponentsPage::addFromSmiles() {
  if (!m_window.networkForCommand()) return;
  QString smiles;
  for (;;) {
    const std::optional<QString> answer = m_context.Dialogs.input(
        QStringLiteral("Add from SMILES"), QStringLiteral("SMILES of the component (e.g. CCCCCC)"), smiles);
    if (!answer || answer->trimmed().isEmpty()) return;
    smiles = *answer;
    const auto read = MoleculeFromSmiles(smiles.toStdString());
    if (read) {
      const TMolecule& molecule = *read.value();
      addRootComponent(molecule.AdjacencyMatrix(), molecule.AtomTypes(), molecule.AromaticMatrix());
      return;
    }
    // Asked again with the text as typed, so a slip is mended, not retyped.
    m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(read.error().Message));
  }
}

void TComponentsPage::nameComponentsFromDatabase() {
  if (!m_window.networkForCommand()) return;
  const std::shared_ptr<TDBCoordinator> database = m_window.database();
  if (!database) {
    m_context.Dialogs.message(QString(), QStringLiteral("No DataBase was opened. Process stopped."));
    return;
  }
  if (const auto named = m_window.session().NameComponents(*database); !named) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(named.error().Message));
    return;
  }
  m_window.notifyNetworkEdited();
}

void TComponentsPage::renameComponent() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedComponent(*network);
  if (!position) return;
  const QString oldName = QString::fromStdString(network->Component(*position)->Name);
  QString name = oldName;
  for (;;) {
    const std::optional<QString> answer =
        m_context.Dialogs.input(QStringLiteral("Enter new name"), QStringLiteral("Enter new name"), name);
    if (!answer || *answer == oldName) return;
    name = *answer;
    if (name.toUtf8().size() <= kLongestName) break;
    m_context.Dialogs.message(QStringLiteral("WARNING"),
                              QStringLiteral("The name is longer than 255 bytes. Shorten it, please."));
  }
  m_window.editNetwork(QStringLiteral("Rename component"), [&](TReactionNetwork& edited) {
    edited.Component(*position)->Name = name.toStdString();
    return true;
  });
}

void TComponentsPage::showComponent() {
  const TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  if (const std::optional<std::size_t> position = selectedComponent(*network))
    m_picture->showMolecule(*network->Component(*position));
}

TComponent_Detail& TComponentsPage::detailWindow() {
  if (!m_detail) {
    m_detail = new TComponent_Detail(m_window, m_context);
    m_window.addAuxiliaryWindow(m_detail);
    PlaceOver(*m_detail, m_window);
  }
  return *m_detail;
}

void TComponentsPage::viewDetails() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedComponent(*network);
  if (!position) return;
  TComponent_Detail& detail = detailWindow();
  detail.SetComponent(*network, *network->Component(*position));
  detail.FillComponent();
  detail.show();
  detail.raise();
  detail.activateWindow();
}

void TComponentsPage::removeComponent() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedComponent(*network);
  if (!position) return;
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("Action will remove all realted components and reactions, continue?")))
    return;
  m_picture->clearPicture();
  m_window.editNetwork(QStringLiteral("Remove component"), [&](TReactionNetwork& edited) {
    edited.RemoveComponent(*position);
    return true;
  });
}

}  // namespace korvane::gui
