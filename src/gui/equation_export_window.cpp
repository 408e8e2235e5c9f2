#include "gui/equation_export_window.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/equation_export.h"
#include "reactions/kinetic_parameters.h"

namespace korvane::gui {
namespace {

QString Text(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TEqExporterWind::TEqExporterWind(GuiContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
  setWindowTitle(kCaption);
  auto* layout = new QVBoxLayout(this);

  layout->addWidget(new QLabel(QStringLiteral("Destionation file:")));
  auto* destinationRow = new QHBoxLayout;
  m_destination = new QLineEdit;
  m_destination->setObjectName(QStringLiteral("destination"));
  auto* select = new QPushButton(QStringLiteral("Select"));
  connect(select, &QPushButton::clicked, this, &TEqExporterWind::selectDestination);
  destinationRow->addWidget(m_destination, 1);
  destinationRow->addWidget(select);
  layout->addLayout(destinationRow);

  auto* choices = new QHBoxLayout;
  auto* languages = new QGroupBox(QStringLiteral("  Language  "));
  auto* languageLayout = new QVBoxLayout(languages);
  for (std::string_view name : kExportLanguageNames) {
    auto* button = new QRadioButton(Text(name));
    connect(button, &QRadioButton::toggled, this, [this](bool on) {
      if (on) languageChosen();
    });
    languageLayout->addWidget(button);
    m_languages.push_back(button);
  }
  languageLayout->addStretch();
  choices->addWidget(languages);

  auto* partsColumn = new QVBoxLayout;
  partsColumn->addWidget(new QLabel(QStringLiteral("Add parts:")));
  m_parts = new QListWidget;
  m_parts->setObjectName(QStringLiteral("parts"));
  for (std::string_view name : kExportPartNames) {
    auto* item = new QListWidgetItem(Text(name), m_parts);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  partsColumn->addWidget(m_parts);
  choices->addLayout(partsColumn, 1);
  layout->addLayout(choices);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* exportButton = new QPushButton(QStringLiteral("Export"));
  exportButton->setDefault(true);
  connect(exportButton, &QPushButton::clicked, this, &TEqExporterWind::exportEquations);
  buttons->addWidget(exportButton);
  layout->addLayout(buttons);

  m_languages.front()->setChecked(true);
  resize(460, 260);
}

void TEqExporterWind::languageChosen() {
  // The batch balance exists in Pascal only.
  QListWidgetItem* balance = m_parts->item(2);
  const bool pascal = m_languages.front()->isChecked();
  if (!pascal) balance->setCheckState(Qt::Unchecked);
  balance->setFlags(pascal ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsUserCheckable);
}

void TEqExporterWind::selectDestination() {
  // The export itself asks before it replaces a file.
  if (const auto name = m_context.Dialogs.saveFile(QStringLiteral("All files|*.*"), m_context.ProgramDirectory, false))
    m_destination->setText(*name);
}

void TEqExporterWind::exportEquations() {
  if (!m_network) return;
  const QString destination = m_destination->text();
  if (destination.isEmpty()) {
    m_context.Dialogs.message(QString(), Text(kEquationExportMsgNoDestination));
    return;
  }
  // The old file stays until the new one is complete, so a refused or failed
  // export never loses it.
  if (QFileInfo::exists(destination) &&
      !m_context.Dialogs.ask(Text(kEquationExportCaptionWarning), Text(kEquationExportMsgOverwrite)))
    return;

  TEquationExportRequest request;
  request.Destination = destination.toStdString();
  for (std::size_t i = 0; i < m_languages.size(); ++i)
    if (m_languages[i]->isChecked()) request.Language = ExportLanguageFromIndex(static_cast<int>(i));
  for (int row = 0; row < m_parts->count(); ++row)
    if (m_parts->item(row)->checkState() == Qt::Checked) request.Parts |= TExportParts{1} << row;

  const TKineticParameterSet& kinetics = m_context.Kinetics;
  const TEquationExportResult result = ExportEquations(*m_network, request, kinetics.Table, kinetics.AlternativeValues);
  if (!result.Ok()) {
    const bool failed = result.Status == TEquationExportStatus::WriteFailed;
    m_context.Dialogs.message(failed ? QStringLiteral("ERROR") : QString(),
                              QString::fromStdString(EquationExportMessage(result)));
    return;
  }
  m_context.Dialogs.message(QString(), Text(kEquationExportMsgFinished));
  accept();
}

}  // namespace korvane::gui
