#include "gui/component_properties_tab.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "database/property_estimation.h"
#include "gui/reaction_text.h"
#include "gui/window_text.h"

namespace korvane::gui {
namespace {

QLineEdit* ValueField(const QString& objectName, const QString& hint = QString()) {
  auto* field = new QLineEdit(QStringLiteral("N/A"));
  field->setReadOnly(true);
  field->setObjectName(objectName);
  field->setToolTip(hint);
  return field;
}

// Six significant digits: more than any of these estimates holds, and no
// arithmetic noise ("-360000", not "-359999.999999999").
QString EstimateText(const TResult<double>& result) {
  return result ? EstimateNumberText(result.value(), 6) : QString::fromLatin1(result.error().Message.c_str());
}

}  // namespace

ComponentPropertiesTab::ComponentPropertiesTab(std::function<const TMolecule*()> subject, DialogSeam& dialogs,
                                               QWidget* parent)
    : QTabWidget(parent), m_subject(std::move(subject)), m_dialogs(dialogs) {
  addTab(buildSummary(), QStringLiteral("Summary"));
  addTab(buildCalculations(), QStringLiteral("Calculations"));
  setCalculated(CalculatedQuantity::Pressure);
}

QWidget* ComponentPropertiesTab::buildSummary() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  auto* main = new QGroupBox(QStringLiteral("Main physical properties"));
  auto* mainForm = new QFormLayout(main);
  m_formula = ValueField(QStringLiteral("propertyFormula"));
  m_molarWeight = ValueField(QStringLiteral("propertyMolarWeight"));
  m_name = ValueField(QStringLiteral("propertyName"));
  m_radicalCyclic = ValueField(QStringLiteral("propertyRadicalCyclic"));
  mainForm->addRow(QStringLiteral("Molecule formula: "), m_formula);
  mainForm->addRow(QStringLiteral("Molar weight / (g/mol):"), m_molarWeight);
  mainForm->addRow(QStringLiteral("Name:"), m_name);
  mainForm->addRow(QStringLiteral("Radical / cyclic: "), m_radicalCyclic);
  left->addWidget(main);
  auto* others = new QGroupBox(QStringLiteral("  Others  "));
  auto* othersForm = new QFormLayout(others);
  // No estimate gives a viscosity.
  othersForm->addRow(QStringLiteral("\u03B7 / (Pa*s)"), ValueField(QStringLiteral("propertyViscosity")));
  left->addWidget(others);
  left->addStretch();
  layout->addLayout(left, 1);

  auto* estimates = new QGroupBox(QStringLiteral("Estimated properties"));
  auto* form = new QFormLayout(estimates);
  const std::array<std::tuple<const char*, const char*, const char*>, 10> rows{{
      {"cp\u00B0 /(J/mol/K)", "propertyCp", "Ideal gass izobaric thermal capacity at standard contidion"},
      {"\u0394H\u00B0form,m /(J/mol)", "propertyHf", "Standard enthalpy of formation"},
      {"\u0394G\u00B0form,m /(J/mol)", "propertyGf", "Standard Gibbs energy (free enthalpy) of formation"},
      {"\u0394S\u00B0form,m /(J/mol/K)", "propertySf", "Standad entropy of formation"},
      {"Tb / K", "propertyTb", "Normal boiling point"},
      {"TC / K", "propertyTc", "Critical Temperature"},
      {"pC / Pa", "propertyPc", "Critical pressure"},
      {"VC / (m\u00B3/mol)", "propertyVc", "Critical volume"},
      {"zC", "propertyZc", "Compresibility factor at critical point"},
      {"\u03C9", "propertyOmega", "Acentric factor"},
  }};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& [caption, name, hint] = rows[i];
    m_estimates[i] = ValueField(QString::fromLatin1(name), QString::fromLatin1(hint));
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setToolTip(QString::fromLatin1(hint));
    form->addRow(label, m_estimates[i]);
  }
  layout->addWidget(estimates, 1);
  return page;
}

QWidget* ComponentPropertiesTab::buildCalculations() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;

  auto* group = new QGroupBox(QStringLiteral("  Calculate  "));
  auto* groupLayout = new QVBoxLayout(group);
  m_calculated = new QButtonGroup(this);
  const QStringList captions = CalculatedQuantityCaptions();
  for (int i = 0; i < captions.size(); ++i) {
    auto* item = new QRadioButton(captions[i]);
    m_calculated->addButton(item, i);
    groupLayout->addWidget(item);
  }
  connect(m_calculated, &QButtonGroup::idClicked, this,
          [this](int id) { setCalculated(static_cast<CalculatedQuantity>(id)); });
  left->addWidget(group);

  auto* inputs = new QGridLayout;
  auto row = [&](int r, const char* caption, QLineEdit*& field, QComboBox*& unit, const QString& text,
                 const QStringList& units, const char* name) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    field = new QLineEdit(text);
    field->setObjectName(QString::fromLatin1(name));
    unit = new QComboBox;
    unit->setObjectName(QString::fromLatin1(name) + QStringLiteral("Unit"));
    unit->addItems(units);
    inputs->addWidget(label, r, 0);
    inputs->addWidget(field, r, 1);
    inputs->addWidget(unit, r, 2);
    m_inputRows[static_cast<std::size_t>(r)] = {label, field, unit};
  };
  // A consistent ideal-gas state as a start: 101325 Pa, 298.15 K.
  row(0, "p = ", m_pressure, m_pressureUnit, QStringLiteral("101325"), PressureUnitNames(), "pressure");
  row(1, "T = ", m_temperature, m_temperatureUnit, NumberText(298.15), TemperatureUnitNames(), "temperature");
  row(2, "Vm = ", m_volume, m_volumeUnit, NumberText(0.0244644), VolumeUnitNames(), "volume");
  left->addLayout(inputs);

  auto* modelRow = new QFormLayout;
  m_model = new QComboBox;
  m_model->setObjectName(QStringLiteral("model"));
  m_model->addItems(StateModelNames());
  modelRow->addRow(QStringLiteral("State behaviour model:"), m_model);
  left->addLayout(modelRow);
  auto* calculate = new QPushButton(QStringLiteral("Calculate"));
  connect(calculate, &QPushButton::clicked, this, &ComponentPropertiesTab::calculate);
  left->addWidget(calculate);
  left->addStretch();
  layout->addLayout(left);

  m_results = new QPlainTextEdit;
  m_results->setObjectName(QStringLiteral("results"));
  m_results->setReadOnly(true);
  layout->addWidget(m_results, 1);
  return page;
}

void ComponentPropertiesTab::showComponent(const TMolecule& component) {
  const TInvariants& invariants = component.Invariants();
  m_formula->setText(QString::fromStdString(component.Formula()));
  m_molarWeight->setText(NumberText(component.MolarMass()));
  m_name->setText(QString::fromStdString(component.Name));
  m_radicalCyclic->setText(BooleanText(invariants.Radical) + QStringLiteral(" / ") + BooleanText(invariants.Cyclic));
  // A radical gets no estimates: its fields say so rather than keeping the
  // values of the component shown before.
  if (component.IsRadical()) {
    for (QLineEdit* field : m_estimates) field->setText(QStringLiteral("N/A"));
    return;
  }
  const TEstimatedProperties p = EstimateProperties(component);
  const std::array<const TResult<double>*, 10> values{&p.Cp298, &p.Hf, &p.Gf, &p.Sf, &p.Tb,
                                                     &p.Tc,    &p.Pc, &p.Vc, &p.Zc, &p.Omega};
  for (std::size_t i = 0; i < values.size(); ++i) m_estimates[i]->setText(EstimateText(*values[i]));
}

void ComponentPropertiesTab::clear() {
  for (QLineEdit* field : {m_formula, m_molarWeight, m_name, m_radicalCyclic}) field->setText(QStringLiteral("N/A"));
  for (QLineEdit* field : m_estimates) field->setText(QStringLiteral("N/A"));
}

void ComponentPropertiesTab::setCalculated(CalculatedQuantity quantity) {
  m_calculated->button(static_cast<int>(quantity))->setChecked(true);
  const StateInputsEnabled enabled = EnabledStateInputs(quantity);
  const bool rows[] = {enabled.Pressure, enabled.Temperature, enabled.Volume};
  for (std::size_t r = 0; r < 3; ++r)
    for (QWidget* control : m_inputRows[r]) control->setEnabled(rows[r]);
}

void ComponentPropertiesTab::calculate() {
  const TMolecule* component = m_subject();
  if (!component) return;
  const StateInputs inputs{m_pressure->text(),
                           m_pressureUnit->currentIndex(),
                           m_temperature->text(),
                           m_temperatureUnit->currentIndex(),
                           m_volume->text(),
                           m_volumeUnit->currentIndex(),
                           static_cast<TStateModel>(m_model->currentIndex())};
  const StateCalculation result =
      CalculateState(*component, static_cast<CalculatedQuantity>(m_calculated->checkedId()), inputs);
  if (result.Line.isEmpty())
    m_dialogs.message(QString(), result.Problem);
  else
    m_results->appendPlainText(result.Line);
}

}  // namespace korvane::gui
