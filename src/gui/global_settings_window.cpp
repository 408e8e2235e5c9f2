#include "gui/global_settings_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "gui/kinetic_settings_text.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"
#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

struct RadicalActivityField {
  const char* label;
  double TRadicalActivity::*value;
  const char* unit;
  const char* name;
};

// In the order of the page.
constexpr std::array<RadicalActivityField, 5> kFields = {{
    {"Standard activity:", &TRadicalActivity::StandardActivity, "mol/m^3", "StandardActivity"},
    {"Cyclic parameter:", &TRadicalActivity::CyclicPar, "", "CyclicPar"},
    {"Initiation enthalpy:", &TRadicalActivity::InitiationEnthalpy, "J/mol", "InitiationEnthalpy"},
    {"Standard pressure:", &TRadicalActivity::StandardPressure, "Pa", "StandardPressure"},
    {"Standard temper.:", &TRadicalActivity::StandardTemperature, "K", "StandardTemperature"},
}};

// Edits of the tables smaller than this are taken for formatting noise.
constexpr double kIncrementTolerance = 1e-7;

const QString kNotANumber = QStringLiteral("It is not real numer.");

QTableWidgetItem* FixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

std::vector<std::string> ColumnTexts(const QTableWidget& grid, int column) {
  std::vector<std::string> texts;
  for (int row = 0; row < grid.rowCount(); ++row) texts.push_back(grid.item(row, column)->text().toStdString());
  return texts;
}

// Rows as high as the text needs, so more of the long grids fits.
void CompactRows(QTableWidget* grid) {
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
  grid->horizontalHeader()->setStretchLastSection(true);
}

bool Inside(const QWidget* widget, const QWidget* area) { return widget == area || area->isAncestorOf(widget); }

void SetBase(QLineEdit* field, const QColor& colour) {
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, colour);
  field->setPalette(palette);
}

}  // namespace

TGlob_Set::TGlob_Set(GuiContext& context, QWidget* parent) : QWidget(parent, Qt::Window), m_context(context) {
  setWindowTitle(kCaption);
  auto* kinetic = new QWidget;
  auto* layout = new QVBoxLayout(kinetic);

  auto* sourceRow = new QHBoxLayout;
  sourceRow->addWidget(new QLabel(QStringLiteral("Source:")));
  m_source = new QLineEdit;
  m_source->setObjectName(QStringLiteral("source"));
  m_source->setReadOnly(true);
  SetBase(m_source, QColor(Qt::yellow));
  sourceRow->addWidget(m_source, 1);
  layout->addLayout(sourceRow);

  auto* buttons = new QHBoxLayout;
  struct Command {
    const char* caption;
    const char* name;
    void (TGlob_Set::*run)();
  };
  const Command commands[] = {{"Select", "select", &TGlob_Set::selectFile},
                              {"Reload", "reload", &TGlob_Set::reload},
                              {"Save", "save", &TGlob_Set::save},
                              {"Reset to def.", "resetToDefaults", &TGlob_Set::resetToDefaults}};
  for (auto [caption, name, command] : commands) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    button->setObjectName(QString::fromLatin1(name));
    connect(button, &QPushButton::clicked, this, command);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  layout->addLayout(buttons);

  m_pages = new QTabWidget;
  m_pages->setObjectName(QStringLiteral("pages"));
  m_pages->addTab(buildIncrementsPage(), QStringLiteral("FrF/ActE increments"));
  m_pages->addTab(buildRadicalActivityPage(), QStringLiteral("RadAct_Met1"));
  m_pages->addTab(buildAlternativesPage(), QStringLiteral("Alternative params"));
  layout->addWidget(m_pages, 1);

  auto* outer = new QTabWidget;
  outer->addTab(kinetic, QStringLiteral("Kinetic"));
  auto* main = new QVBoxLayout(this);
  main->addWidget(outer);
  resize(480, 600);

  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusMoved(now); });
  // A page that is turned away hides its grid or field, which may leave the
  // focus nowhere for a moment; its edits are offered at once.
  connect(m_pages, &QTabWidget::currentChanged, this, [this] {
    if (m_area && !Inside(m_area, m_pages->currentWidget())) leaveArea();
  });
  AddTooltips(*this);
}

TGlob_Set::~TGlob_Set() { disconnect(qApp, &QApplication::focusChanged, this, nullptr); }

QWidget* TGlob_Set::buildIncrementsPage() {
  m_increments = new QTableWidget(kKineticParameterCount, 2);
  m_increments->setObjectName(QStringLiteral("increments"));
  m_increments->setHorizontalHeaderLabels({QStringLiteral("Parameter"), QStringLiteral("Value")});
  CompactRows(m_increments);
  m_increments->setColumnWidth(0, 200);
  for (int row = 0; row < kKineticParameterCount; ++row) {
    const std::string_view key = kKineticParameterKeys[static_cast<std::size_t>(row)];
    m_increments->setItem(row, 0, FixedItem(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()))));
    m_increments->setItem(row, 1, new QTableWidgetItem);
  }
  return m_increments;
}

QWidget* TGlob_Set::buildRadicalActivityPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    auto* field = new QLineEdit;
    field->setObjectName(QString::fromLatin1(kFields[i].name));
    connect(field, &QLineEdit::textChanged, this, [this, i] { colourField(i); });
    m_fields[i] = field;
    auto* row = new QHBoxLayout;
    row->addWidget(field, 1);
    auto* unit = new QLabel(QString::fromLatin1(kFields[i].unit));
    unit->setMinimumWidth(60);
    row->addWidget(unit);
    form->addRow(QString::fromLatin1(kFields[i].label), row);
  }
  return page;
}

QWidget* TGlob_Set::buildAlternativesPage() {
  m_alternatives = new QTableWidget(kAlternativeParameterCount, 3);
  m_alternatives->setObjectName(QStringLiteral("alternatives"));
  m_alternatives->setHorizontalHeaderLabels({QString(), QStringLiteral("Value"), QStringLiteral("Note")});
  CompactRows(m_alternatives);
  for (int column = 0; column < 3; ++column) m_alternatives->setColumnWidth(column, std::array{75, 140, 155}[column]);
  for (int row = 0; row < kAlternativeParameterCount; ++row) {
    m_alternatives->setItem(row, 0, FixedItem(QString::fromStdString(AlternativeParameterDefaultNote(row))));
    m_alternatives->setItem(row, 1, new QTableWidgetItem);
    m_alternatives->setItem(row, 2, new QTableWidgetItem);
  }
  return m_alternatives;
}

char TGlob_Set::decimalSeparator() const { return QLocale().decimalPoint() == QLatin1String(",") ? ',' : '.'; }

void TGlob_Set::refresh() {
  const TKineticParameterSet& set = m_context.Kinetics;
  m_source->setText(QString::fromStdString(set.FileName));
  for (int row = 0; row < kKineticParameterCount; ++row)
    m_increments->item(row, 1)->setText(NumberText(set.Table[static_cast<std::size_t>(row)]));
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    m_fields[i]->setText(NumberText(set.RadicalActivity.*kFields[i].value));
    colourField(i);  // also when the text stayed the same
  }
  for (int row = 0; row < kAlternativeParameterCount; ++row) {
    const auto i = static_cast<std::size_t>(row);
    m_alternatives->item(row, 1)->setText(NumberText(set.AlternativeValues[i]));
    m_alternatives->item(row, 2)->setText(QString::fromStdString(set.AlternativeNotes[i]));
  }
}

void TGlob_Set::showEvent(QShowEvent* event) {
  // Every page reads the set when the window is shown, not when it is only
  // restored from an icon.
  if (!event->spontaneous()) refresh();
  QWidget::showEvent(event);
}

void TGlob_Set::closeEvent(QCloseEvent* event) {
  // Edits under way are offered for storing, as leaving them would.
  if (m_area) leaveArea();
  QWidget::closeEvent(event);
}

void TGlob_Set::focusMoved(QWidget* now) {
  // Losing the focus to another application, or for a moment to nothing
  // while a page is hidden, is no leaving: the area is left once the focus
  // lands outside it.
  if (m_committing || !now) return;
  if (m_area && !Inside(now, m_area)) leaveArea();
  m_area = areaOf(now);
}

QWidget* TGlob_Set::areaOf(const QWidget* widget) const {
  if (!widget) return nullptr;
  for (QWidget* area : {static_cast<QWidget*>(m_increments), static_cast<QWidget*>(m_alternatives)})
    if (Inside(widget, area)) return area;
  for (QLineEdit* field : m_fields)
    if (widget == field) return field;
  return nullptr;
}

void TGlob_Set::leaveArea() {
  QWidget* area = m_area;
  m_area = nullptr;
  if (!area || m_committing) return;
  m_committing = true;
  if (area == m_increments) incrementsLeft();
  if (area == m_alternatives) alternativesLeft();
  for (std::size_t i = 0; i < m_fields.size(); ++i)
    if (area == m_fields[i]) fieldLeft(i);
  m_committing = false;
  // The questions may have moved the focus meanwhile.
  m_area = areaOf(QApplication::focusWidget());
}

void TGlob_Set::incrementsLeft() {
  TKineticParameterSet& set = m_context.Kinetics;
  const TGridReading reading = ReadGridValues(ColumnTexts(*m_increments, 1), set.Table, decimalSeparator());
  if (reading.FirstInvalidRow) {
    // The grid keeps the text so that the user can mend it.
    m_context.Dialogs.message(QString(), kNotANumber);
    return;
  }
  if (reading.LargestChange > kIncrementTolerance &&
      m_context.Dialogs.ask(QStringLiteral("WARNING"),
                            QStringLiteral("Values was manually changed, do you want to accept changies?")))
    std::copy(reading.Values.begin(), reading.Values.end(), set.Table.begin());
  refresh();
}

void TGlob_Set::alternativesLeft() {
  TKineticParameterSet& set = m_context.Kinetics;
  const TGridReading reading =
      ReadGridValues(ColumnTexts(*m_alternatives, 1), set.AlternativeValues, decimalSeparator());
  if (reading.FirstInvalidRow) {
    m_context.Dialogs.message(QString(), kNotANumber);
    return;
  }
  const std::vector<std::string> notes = ColumnTexts(*m_alternatives, 2);
  const bool notesChanged = !std::equal(notes.begin(), notes.end(), set.AlternativeNotes.begin());
  if ((reading.FirstChangedRow || notesChanged) &&
      m_context.Dialogs.ask(QStringLiteral("Confirmation"),
                            QStringLiteral("Alternative parameters or their notes were changed. Overwrite by new "
                                           "values?"))) {
    std::copy(reading.Values.begin(), reading.Values.end(), set.AlternativeValues.begin());
    std::copy(notes.begin(), notes.end(), set.AlternativeNotes.begin());
  }
  refresh();
}

void TGlob_Set::fieldLeft(std::size_t index) {
  double& stored = m_context.Kinetics.RadicalActivity.*kFields[index].value;
  const std::string text = m_fields[index]->text().toStdString();
  switch (FieldState(text, stored, decimalSeparator())) {
    case TFieldState::Invalid:
      m_context.Dialogs.message(QString(), kNotANumber);
      break;
    case TFieldState::Changed:
      if (m_context.Dialogs.ask(QStringLiteral("Confirmation"),
                                QStringLiteral("Value has been changed. Overwrite it?")))
        stored = *ReadRealNumber(text, decimalSeparator());
      break;
    case TFieldState::Unchanged:
      break;
  }
  refresh();
}

void TGlob_Set::colourField(std::size_t index) {
  const double stored = m_context.Kinetics.RadicalActivity.*kFields[index].value;
  QLineEdit* field = m_fields[index];
  switch (FieldState(field->text().toStdString(), stored, decimalSeparator())) {
    case TFieldState::Invalid:
      SetBase(field, kInvalidColour);
      break;
    case TFieldState::Changed:
      SetBase(field, kChangedColour);
      break;
    case TFieldState::Unchanged:
      field->setPalette(QPalette());
      break;
  }
}

void TGlob_Set::selectFile() {
  TKineticParameterSet& set = m_context.Kinetics;
  const QString folder = QFileInfo(QString::fromStdString(set.FileName)).absolutePath();
  const std::optional<QString> chosen =
      m_context.Dialogs.chooseFile(QStringLiteral("Kinetic parameters files|*.ini|All files|*"), folder);
  if (!chosen) return;
  if (!QFileInfo::exists(*chosen)) {
    if (m_context.Dialogs.ask(QStringLiteral("WARNING"),
                              QStringLiteral("The file, you have chosen, does not exist. Do you want to keep current "
                                             "kinetic data and rewrite only point to file?"))) {
      set.FileName = chosen->toStdString();
      refresh();
    }
    return;
  }
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("Global kinetic parameters file was selected. Do you want to reload it?")))
    return;
  set.FileName = chosen->toStdString();
  reload();
}

void TGlob_Set::reload() {
  TKineticParameterSet& set = m_context.Kinetics;
  // A file that does not exist reads as one without keys: every parameter
  // would become the missing value -1.
  if (!QFileInfo::exists(QString::fromStdString(set.FileName)) &&
      !m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("The file \"%1\" does not exist. Reloading it would mark every kinetic "
                                            "parameter as missing (-1). Do you want to reload it anyway?")
                                 .arg(QString::fromStdString(set.FileName))))
    return;
  const TKinparReadReport read = ReadKineticParameterFile(set.FileName, set);
  for (std::string_view text : KinparDamageMessages(read.Damage, TKinparMessageContext::Reload))
    m_context.Dialogs.message(QString(), QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
  refresh();
}

void TGlob_Set::save() {
  const TKineticParameterSet& set = m_context.Kinetics;
  if (const auto written = WriteKineticParameterFile(set.FileName, set, decimalSeparator()); !written)
    m_context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The kinetic parameters were not saved: %1")
                                                           .arg(QString::fromStdString(written.error().Message)));
}

void TGlob_Set::resetToDefaults() {
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("Values will be rewrited by defulat values. Are you sure to continue?")))
    return;
  m_context.Kinetics.ResetToDefaults();
  refresh();
}

}  // namespace korvane::gui
