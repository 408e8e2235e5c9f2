#include "gui/manual_reaction_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValidator>

#include "gui/molecule_picture_widget.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kPictureSize = 10;
constexpr int kMaxCount = 3;
constexpr int kComponentsPage = 1;
constexpr int kKineticPage = 2;

// Lets only the given characters into a field, also when text is pasted.
class CharacterValidator : public QValidator {
 public:
  CharacterValidator(std::string_view allowed, QObject* parent) : QValidator(parent), m_allowed(allowed) {}
  State validate(QString& input, int&) const override {
    return HasOnlyCharacters(input.toStdString(), m_allowed) ? Acceptable : Invalid;
  }

 private:
  std::string_view m_allowed;
};

QString Text(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// An entry of the activation-energy list, with how often a recipe names it.
QString EnergyEntryText(const QString& name, int count) {
  return count > 1 ? QStringLiteral("%1  (x%2)").arg(name).arg(count) : name;
}

}  // namespace

TManual_ReactConstr::TManual_ReactConstr(GuiContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
  setWindowTitle(kCaption);
  m_pages = new QTabWidget;
  m_pages->setObjectName(QStringLiteral("pages"));
  m_editingPages = {buildGeneralPage(), buildComponentsPage(), buildKineticPage()};
  m_pages->addTab(m_editingPages[0], QStringLiteral("General"));
  m_pages->addTab(m_editingPages[1], QStringLiteral("Components and stechiometry"));
  m_pages->addTab(m_editingPages[2], QStringLiteral("Kinetic parameters"));
  m_statusPage = new QWidget;
  auto* statusLayout = new QVBoxLayout(m_statusPage);
  m_report = new QPlainTextEdit;
  m_report->setObjectName(QStringLiteral("report"));
  m_report->setReadOnly(true);
  m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
  statusLayout->addWidget(m_report);
  m_pages->addTab(m_statusPage, QStringLiteral("Status"));
  connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == kComponentsPage) drawPictures();
    if (page == kKineticPage) kineticPageShown();
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_ok = new QPushButton(QStringLiteral("OK"));
  m_ok->setDefault(true);
  m_cancel = new QPushButton(QStringLiteral("Cancel"));
  m_acceptWithWarning = new QPushButton(QStringLiteral("Accept with warning"));
  m_doSameChanges = new QPushButton(QStringLiteral("Do same changes"));
  m_ok->setObjectName(QStringLiteral("ok"));
  m_cancel->setObjectName(QStringLiteral("cancel"));
  m_acceptWithWarning->setObjectName(QStringLiteral("acceptWithWarning"));
  m_doSameChanges->setObjectName(QStringLiteral("doSameChanges"));
  connect(m_ok, &QPushButton::clicked, this, &TManual_ReactConstr::check);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_acceptWithWarning, &QPushButton::clicked, this, &TManual_ReactConstr::acceptWithWarning);
  connect(m_doSameChanges, &QPushButton::clicked, this, &TManual_ReactConstr::doSameChanges);
  for (QPushButton* button : {m_ok, m_cancel, m_acceptWithWarning, m_doSameChanges}) buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages, 1);
  layout->addLayout(buttons);
  setEditing(true);
  resize(760, 460);
  AddTooltips(*this);
}

QWidget* TManual_ReactConstr::buildGeneralPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  m_class = new QComboBox;
  m_class->setObjectName(QStringLiteral("reactionType"));
  for (const std::string& identifier : ReactionTypeIdentifiers()) m_class->addItem(QString::fromStdString(identifier));
  connect(m_class, &QComboBox::currentIndexChanged, this, [this] { classChosen(); });
  form->addRow(QStringLiteral("Reaction type:"), m_class);

  auto* counts = new QHBoxLayout;
  m_reactantCount = new QSpinBox;
  m_productCount = new QSpinBox;
  m_reactantCount->setObjectName(QStringLiteral("reactantCount"));
  m_productCount->setObjectName(QStringLiteral("productCount"));
  for (QSpinBox* count : {m_reactantCount, m_productCount}) {
    count->setRange(1, kMaxCount);
    connect(count, &QSpinBox::valueChanged, this, [this] { enableRows(); });
  }
  counts->addWidget(m_reactantCount);
  counts->addWidget(new QLabel(QStringLiteral("/")));
  counts->addWidget(m_productCount);
  counts->addStretch();
  form->addRow(QStringLiteral("Count of reactants / products:"), counts);
  // What the other pages are for, so a first-time user finds the way.
  auto* hint = new QLabel(QStringLiteral(
      "Choose the components and their coefficients on the next page and the kinetic parameters on the page after "
      "it. \"OK\" checks the reaction and writes the report on the \"Status\" page; the network changes only after "
      "the reaction is accepted and you confirm it."));
  hint->setWordWrap(true);
  hint->setContentsMargins(0, 12, 0, 0);
  form->addRow(hint);
  return page;
}

QWidget* TManual_ReactConstr::buildComponentsPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  const char* captions[] = {"Reactant A", "Reactant B", "Product C", "Product D"};
  for (std::size_t k = 0; k < m_rows.size(); ++k) {
    Participant& row = m_rows[k];
    row.Reactant = k < 2;
    // Columns: A, B, the arrow, C, D.
    const int column = k < 2 ? static_cast<int>(k) : static_cast<int>(k) + 1;
    auto* caption = new QLabel(QString::fromLatin1(captions[k]));
    caption->setAlignment(Qt::AlignCenter);
    grid->addWidget(caption, 0, column);
    row.Choice = new QComboBox;
    row.Choice->setObjectName(QStringLiteral("component%1").arg(QChar(u'A' + static_cast<int>(k))));
    connect(row.Choice, &QComboBox::currentIndexChanged, this, [this, &row] { componentChosen(row); });
    grid->addWidget(row.Choice, 1, column);
    row.Coefficient = new QLineEdit;
    row.Coefficient->setObjectName(QStringLiteral("coefficient%1").arg(QChar(u'A' + static_cast<int>(k))));
    row.Coefficient->setValidator(new CharacterValidator(kCoefficientCharacters, row.Coefficient));
    connect(row.Coefficient, &QLineEdit::textEdited, this, [&row](const QString& text) {
      if (const auto normalized = NormalizedCoefficientText(text.toStdString(), row.Reactant))
        row.Coefficient->setText(QString::fromStdString(*normalized));
    });
    grid->addWidget(row.Coefficient, 2, column);
    row.Picture = new MoleculePictureWidget(kPictureSize);
    row.Picture->enableSaving(m_context.Dialogs, m_context.StartDirectory);
    row.Picture->setMinimumSize(140, 140);
    row.Picture->setMessageSink(
        [this](const std::string& text) { m_context.Dialogs.message(QString(), QString::fromStdString(text)); });
    grid->addWidget(row.Picture, 3, column);
    grid->setColumnStretch(column, 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("-------------->")), 3, 2, Qt::AlignCenter);
  grid->setRowStretch(3, 1);
  return page;
}

QWidget* TManual_ReactConstr::buildKineticPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* kinds = new QHBoxLayout;

  auto* explicitColumn = new QVBoxLayout;
  m_explicit = new QRadioButton(QStringLiteral("Enter parameters explicitly"));
  m_explicit->setObjectName(QStringLiteral("explicitParameters"));
  explicitColumn->addWidget(m_explicit);
  auto* explicitForm = new QFormLayout;
  // Labels above their fields, so a frequency factor of 15 digits shows whole.
  explicitForm->setRowWrapPolicy(QFormLayout::WrapAllRows);
  m_frequencyFactor = new QLineEdit;
  m_activationEnergy = new QLineEdit;
  m_frequencyFactor->setObjectName(QStringLiteral("frequencyFactor"));
  m_activationEnergy->setObjectName(QStringLiteral("activationEnergy"));
  for (QLineEdit* field : {m_frequencyFactor, m_activationEnergy}) {
    field->setValidator(new CharacterValidator(kParameterCharacters, field));
    connect(field, &QLineEdit::textChanged, this, [this] { showRateConstant(); });
  }
  explicitForm->addRow(QStringLiteral("Frequency factor/s:"), m_frequencyFactor);
  explicitForm->addRow(QStringLiteral("Activating energy/(kJ/mol):"), m_activationEnergy);
  explicitColumn->addLayout(explicitForm);
  explicitColumn->addStretch();
  kinds->addLayout(explicitColumn, 1);

  auto* globalColumn = new QVBoxLayout;
  m_global = new QRadioButton(QStringLiteral("Use global kinetic parameters"));
  m_global->setObjectName(QStringLiteral("globalParameters"));
  globalColumn->addWidget(m_global);
  auto* lists = new QHBoxLayout;
  auto* frequencyColumn = new QVBoxLayout;
  frequencyColumn->addWidget(new QLabel(QStringLiteral("Frequency factor:")));
  m_frequencyList = new QListWidget;
  m_frequencyList->setObjectName(QStringLiteral("frequencyList"));
  frequencyColumn->addWidget(m_frequencyList);
  auto* energyColumn = new QVBoxLayout;
  energyColumn->addWidget(new QLabel(QStringLiteral("Activating energy:")));
  m_energyList = new QListWidget;
  m_energyList->setObjectName(QStringLiteral("energyList"));
  connect(m_energyList, &QListWidget::itemChanged, this, &TManual_ReactConstr::energyEntryToggled);
  energyColumn->addWidget(m_energyList);
  lists->addLayout(frequencyColumn);
  lists->addLayout(energyColumn);
  globalColumn->addLayout(lists);
  kinds->addLayout(globalColumn, 2);
  layout->addLayout(kinds, 1);
  for (QRadioButton* kind : {m_explicit, m_global})
    connect(kind, &QRadioButton::toggled, this, [this] { enableParameterKind(); });

  auto* rate = new QHBoxLayout;
  rate->addWidget(new QLabel(QStringLiteral("Rate constant at T_ref = ")));
  m_referenceTemperature = new QLabel(QStringLiteral("N/A"));
  m_rateConstant = new QLabel(QStringLiteral("N/A"));
  m_rateConstant->setObjectName(QStringLiteral("rateConstant"));
  rate->addWidget(m_referenceTemperature);
  rate->addWidget(new QLabel(QStringLiteral(":  k =")));
  rate->addWidget(m_rateConstant);
  rate->addWidget(new QLabel(QStringLiteral("/s")));
  rate->addStretch();
  layout->addLayout(rate);
  m_activeRadicals = new QCheckBox(QStringLiteral("Multiply kinetic parametr by active radical concetration"));
  m_activeRadicals->setObjectName(QStringLiteral("activeRadicals"));
  layout->addWidget(m_activeRadicals);
  return page;
}

void TManual_ReactConstr::setNetwork(const TReactionNetwork* network) {
  m_network = network;
  m_accepted = false;
}

void TManual_ReactConstr::setReaction(TReaction* reaction) {
  m_reaction = reaction;
  m_accepted = false;
}

void TManual_ReactConstr::showEvent(QShowEvent* event) {
  loadReaction();
  QDialog::showEvent(event);
}

void TManual_ReactConstr::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (m_pages->currentIndex() == kComponentsPage) drawPictures();
}

void TManual_ReactConstr::drawPictures() {
  // A picture is drawn at the size its area has, which is known only once
  // the page is laid out.
  m_editingPages[kComponentsPage]->layout()->activate();
  for (Participant& row : m_rows) componentChosen(row);
}

void TManual_ReactConstr::loadReaction() {
  m_accepted = false;
  m_checked.reset();
  m_report->clear();
  setEditing(true);
  m_pages->setCurrentIndex(0);
  if (!m_network || !m_reaction) return;
  const TReaction& reaction = *m_reaction;

  // A new reaction has no class yet; it starts as "other", whose parameters
  // are entered explicitly.
  const auto& codes = ReactionTypeCodes();
  const auto code = std::find(codes.begin(), codes.end(), reaction.ReactionType);
  m_class->setCurrentIndex(
      static_cast<int>(code != codes.end() ? code - codes.begin()
                                           : std::find(codes.begin(), codes.end(), kOtherReaction) - codes.begin()));
  m_reactantCount->setValue(std::clamp(static_cast<int>(reaction.Reactants.size()), 1, kMaxCount));
  m_productCount->setValue(std::clamp(static_cast<int>(reaction.Products.size()), 1, kMaxCount));

  QStringList components;
  for (std::size_t i = 0; i < m_network->ComponentCount(); ++i) components << QStringLiteral("[ %1 ]").arg(i);
  for (std::size_t k = 0; k < m_rows.size(); ++k) {
    Participant& row = m_rows[k];
    const TReactionSide& molecules = row.Reactant ? reaction.Reactants : reaction.Products;
    const TSideCoefficients& coefficients = row.Reactant ? reaction.ReactantCoefs : reaction.ProductCoefs;
    const std::size_t position = k % 2;
    const QSignalBlocker blocker(row.Choice);
    row.Choice->clear();
    row.Choice->addItems(components);
    const int index = position < molecules.size() ? m_network->IndexOfComponent(molecules[position]) : -1;
    row.Choice->setCurrentIndex(index);
    componentChosen(row);
    // Rows without a participant propose the usual coefficient.
    row.Coefficient->setText(position < coefficients.size() ? QString::number(coefficients[position])
                                                            : QString::fromLatin1(row.Reactant ? "-1" : "1"));
  }
  enableRows();

  m_frequencyFactor->setText(NumberText(reaction.FreqFactor));
  m_activationEnergy->setText(NumberText(reaction.ActEnergy));
  m_activeRadicals->setChecked(reaction.MultiplyByActiveRadicals);
  m_referenceTemperature->setText(NumberText(m_network->GetPreferences().NormTemperature) + QStringLiteral(" K"));
  showRateConstant();

  fillParameterLists(reaction.ReactionType == kOtherReaction2);
  if (reaction.ReactionType != kOtherReaction) {
    if (!reaction.FreqFact2.empty()) {
      const int entry = static_cast<unsigned char>(reaction.FreqFact2.front());
      if (entry < m_frequencyList->count()) m_frequencyList->setCurrentRow(entry);
    }
    const QSignalBlocker blocker(m_energyList);
    for (char c : reaction.ActEnerg2) {
      const int entry = static_cast<unsigned char>(c);
      if (entry < m_energyList->count()) ++m_energyCounts[static_cast<std::size_t>(entry)];
    }
    for (int entry = 0; entry < m_energyList->count(); ++entry) {
      const int count = m_energyCounts[static_cast<std::size_t>(entry)];
      QListWidgetItem* item = m_energyList->item(entry);
      item->setCheckState(count > 0 ? Qt::Checked : Qt::Unchecked);
      item->setText(EnergyEntryText(item->data(Qt::UserRole).toString(), count));
    }
  }
  kineticPageShown();
}

void TManual_ReactConstr::enableRows() {
  for (std::size_t k = 0; k < m_rows.size(); ++k) {
    const bool second = k % 2 == 1;
    const int count = m_rows[k].Reactant ? m_reactantCount->value() : m_productCount->value();
    const bool enabled = !second || count >= 2;
    m_rows[k].Choice->setEnabled(enabled);
    m_rows[k].Coefficient->setEnabled(enabled);
    m_rows[k].Picture->setEnabled(enabled);
  }
}

void TManual_ReactConstr::componentChosen(Participant& row) {
  const int index = row.Choice->currentIndex();
  if (!m_network || index < 0 || static_cast<std::size_t>(index) >= m_network->ComponentCount()) {
    row.Picture->clearPicture();
    return;
  }
  row.Picture->showMolecule(*m_network->Component(static_cast<std::size_t>(index)));
}

std::int32_t TManual_ReactConstr::chosenClass() const {
  const int index = m_class->currentIndex();
  const auto& codes = ReactionTypeCodes();
  return index >= 0 && static_cast<std::size_t>(index) < codes.size() ? codes[static_cast<std::size_t>(index)]
                                                                      : kOtherReaction;
}

void TManual_ReactConstr::classChosen() {
  // Class 11 chooses among the alternative parameters, the others among the
  // keys of the global table; a choice made in the other table means nothing.
  const bool alternative = chosenClass() == kOtherReaction2;
  if (alternative != m_alternativeLists) fillParameterLists(alternative);
}

void TManual_ReactConstr::kineticPageShown() {
  // A reaction whose explicit values are its kinetics shows them again.
  const bool explicitKinetics = chosenClass() == kOtherReaction || (m_reaction && m_reaction->ExplicitKinetics);
  (explicitKinetics ? m_explicit : m_global)->setChecked(true);
  enableParameterKind();
}

void TManual_ReactConstr::enableParameterKind() {
  const bool explicitParameters = m_explicit->isChecked();
  m_frequencyFactor->setEnabled(explicitParameters);
  m_activationEnergy->setEnabled(explicitParameters);
  m_frequencyList->setEnabled(!explicitParameters);
  m_energyList->setEnabled(!explicitParameters);
}

void TManual_ReactConstr::fillParameterLists(bool alternative) {
  m_alternativeLists = alternative;
  QStringList names;
  if (alternative) {
    // Notes stay empty until a kinetic parameter file is read; the default
    // note names the parameter meanwhile.
    for (int i = 0; i < kAlternativeParameterCount; ++i) {
      const std::string& note = m_context.Kinetics.AlternativeNotes[static_cast<std::size_t>(i)];
      names << QString::fromStdString(note.empty() ? AlternativeParameterDefaultNote(i) : note);
    }
  } else {
    for (std::string_view key : kKineticParameterKeys) names << Text(key);
  }
  const QSignalBlocker blocker(m_energyList);
  m_frequencyList->clear();
  m_frequencyList->addItems(names);
  m_energyList->clear();
  m_energyCounts.assign(static_cast<std::size_t>(names.size()), 0);
  for (const QString& name : names) {
    auto* item = new QListWidgetItem(name, m_energyList);
    item->setData(Qt::UserRole, name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
  }
}

void TManual_ReactConstr::energyEntryToggled(QListWidgetItem* item) {
  const auto entry = static_cast<std::size_t>(m_energyList->row(item));
  if (entry >= m_energyCounts.size()) return;
  int& count = m_energyCounts[entry];
  const bool checked = item->checkState() == Qt::Checked;
  if (checked == (count > 0)) return;
  count = checked ? 1 : 0;
  const QSignalBlocker blocker(m_energyList);
  item->setText(EnergyEntryText(item->data(Qt::UserRole).toString(), count));
}

void TManual_ReactConstr::showRateConstant() {
  if (!m_network || m_frequencyFactor->text().isEmpty() || m_activationEnergy->text().isEmpty()) return;
  const std::optional<double> a = ReadNumber(m_frequencyFactor->text());
  const std::optional<double> e = ReadNumber(m_activationEnergy->text());
  m_rateConstant->setText(a && e ? NumberText(RateConstant(*a, *e, m_network->GetPreferences().NormTemperature))
                                 : QStringLiteral("N/A"));
}

TManualReactionInput TManual_ReactConstr::input() const {
  TManualReactionInput in;
  in.ReactionType = chosenClass();
  in.ReactantCount = m_reactantCount->value();
  in.ProductCount = m_productCount->value();
  for (std::size_t k = 0; k < m_rows.size(); ++k) {
    TManualParticipant& participant = (k < 2 ? in.Reactants : in.Products)[k % 2];
    const int index = m_rows[k].Choice->currentIndex();
    if (index >= 0) participant.Component = index;
    participant.Coefficient = m_rows[k].Coefficient->text().toStdString();
  }
  in.Parameters = m_explicit->isChecked() ? TManualParameters::Explicit : TManualParameters::Global;
  in.FrequencyFactor = m_frequencyFactor->text().toStdString();
  in.ActivationEnergy = m_activationEnergy->text().toStdString();
  if (const QListWidgetItem* chosen = m_frequencyList->currentItem(); chosen && chosen->isSelected())
    in.FrequencyEntry = m_frequencyList->row(chosen);
  for (std::size_t entry = 0; entry < m_energyCounts.size(); ++entry)
    in.EnergyEntries.insert(in.EnergyEntries.end(), static_cast<std::size_t>(m_energyCounts[entry]),
                            static_cast<int>(entry));
  in.MultiplyByActiveRadicals = m_activeRadicals->isChecked();
  return in;
}

void TManual_ReactConstr::check() {
  if (!m_network || !m_reaction) return;
  m_pages->setCurrentWidget(m_statusPage);
  const TManualReactionCheck result = CheckManualReaction(input(), *m_reaction, *m_network);
  QStringList lines;
  for (const std::string& line : result.Report) lines << QString::fromStdString(line);
  m_report->setPlainText(lines.join(QLatin1Char('\n')));
  switch (result.Outcome) {
    case TManualCheckOutcome::Error:
      break;
    case TManualCheckOutcome::Warnings:
      m_checked = result.Reaction;
      setEditing(false);
      break;
    case TManualCheckOutcome::Accepted:
      *m_reaction = result.Reaction;
      m_accepted = true;
      accept();
      break;
  }
}

void TManual_ReactConstr::acceptWithWarning() {
  if (!m_checked || !m_reaction) return;
  *m_reaction = *m_checked;
  m_accepted = true;
  accept();
}

void TManual_ReactConstr::doSameChanges() { setEditing(true); }

void TManual_ReactConstr::setEditing(bool editing) {
  for (QWidget* page : m_editingPages) page->setEnabled(editing);
  m_ok->setVisible(editing);
  m_cancel->setVisible(editing);
  m_acceptWithWarning->setVisible(!editing);
  m_doSameChanges->setVisible(!editing);
  if (editing) m_checked.reset();
}

}  // namespace korvane::gui
