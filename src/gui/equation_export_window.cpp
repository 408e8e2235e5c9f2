#include "gui/equation_export_window.h"
#include "gui/tooltip_texts.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "app/cantera_export.h"
#include "app/chemkin_export.h"
#include "app/equation_export.h"
#include "reactions/kinetic_parameters.h"
#include "smiles/smiles_writer.h"

namespace korvane::gui {
namespace {

QString Text(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

TResult<std::string> Smiles(const TMolecule& molecule) { return CanonicalSmiles(molecule); }

// What the mechanism's header names as the source of its kinetics: the
// defaults, or the program's set, which the settings window may have edited
// since its file was read.
std::string ParameterSource(const TKineticParameterSet& set) {
  if (set.Table == kKineticParameterDefaults && set.RadicalActivity == TRadicalActivity{} &&
      std::all_of(set.AlternativeValues.begin(), set.AlternativeValues.end(), [](double v) { return v == 0.0; }))
    return {};
  return "the program's kinetic parameter set (file " +
         QFileInfo(QString::fromStdString(set.FileName)).absoluteFilePath().toStdString() + ")";
}

// The message of a mechanism export (CHEMKIN or Cantera) that failed.
void ReportMechanismNotExported(GuiContext& context, const TError& error) {
  context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The mechanism was not exported: %1")
                                                       .arg(QString::fromStdString(error.Message)));
}

// The job of an export: `run(control)` on the network window's worker, then
// nothing when the user cancelled (the previous files are whole),
// `failed(error)` when it failed, and `finished` when it succeeded.
template <class Run>
TEqExporterWind::TExportJob ExportJob(GuiContext& context, Run run, std::function<void(const TError&)> failed,
                                      QString finished) {
  auto result = std::make_shared<std::invoke_result_t<Run, const TWorkControl&>>(TError{});
  return TEqExporterWind::TExportJob{
      [run = std::move(run), result, &context](TNetworkSession::TBusyLease& lease, TTaskProgress& progress) {
        if (context.BeforeExport) context.BeforeExport();
        *result = run(TaskControl(lease.StopFlag(), progress));
        return std::string();
      },
      [result, failed = std::move(failed), finished, &context](const TBackgroundTask& task) {
        if (!*result && task.cancelled()) return;
        if (!*result) return failed(result->error());
        context.Dialogs.message(QString(), finished);
      }};
}

// The job of a mechanism export (CHEMKIN or Cantera) once `check` lets it
// run: `write(network, kinetics, options, control)` on the kinetic
// parameters as they are now. None when the check refuses it, which the user
// is told.
template <class Options, class Check, class Write>
std::optional<TEqExporterWind::TExportJob> MechanismJob(GuiContext& context, const TReactionNetwork* network,
                                                        const Options& options, Check check, Write write,
                                                        QString finished) {
  const TKineticParameterSet kinetics = context.Kinetics;
  if (const auto checked = check(*network, kinetics, options); !checked) {
    ReportMechanismNotExported(context, checked.error());
    return std::nullopt;
  }
  return ExportJob(
      context,
      [network, options, kinetics, write](const TWorkControl& control) {
        return write(*network, kinetics, options, control);
      },
      [&context](const TError& error) { ReportMechanismNotExported(context, error); }, std::move(finished));
}

}  // namespace

TEqExporterWind::TEqExporterWind(GuiContext& context, QWidget* parent) : QDialog(parent), m_context(context) {
  setWindowTitle(kCaption);
  auto* layout = new QVBoxLayout(this);

  layout->addWidget(new QLabel(QStringLiteral("Destionation file:")));
  auto* destinationRow = new QHBoxLayout;
  m_destination = new QLineEdit;
  m_destination->setObjectName(QStringLiteral("destination"));
  auto* select = new QPushButton(QStringLiteral("Select"));
  select->setObjectName(QStringLiteral("select"));
  connect(select, &QPushButton::clicked, this, &TEqExporterWind::selectDestination);
  destinationRow->addWidget(m_destination, 1);
  destinationRow->addWidget(select);
  layout->addLayout(destinationRow);

  auto* choices = new QHBoxLayout;
  auto* languages = new QGroupBox(QStringLiteral("  Language  "));
  auto* languageLayout = new QVBoxLayout(languages);
  std::vector<std::string_view> names(std::begin(kExportLanguageNames), std::end(kExportLanguageNames));
  names.push_back(kChemkinLanguageName);
  names.push_back(kCanteraLanguageName);
  constexpr const char* objectNames[] = {"pascal", "c", "matlab", "chemkin", "cantera"};
  static_assert(std::size(objectNames) == std::size(kExportLanguageNames) + 2);
  for (std::size_t i = 0; i < names.size(); ++i) {
    auto* button = new QRadioButton(Text(names[i]));
    button->setObjectName(QString::fromLatin1(objectNames[i]));
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
  exportButton->setObjectName(QStringLiteral("export"));
  exportButton->setDefault(true);
  connect(exportButton, &QPushButton::clicked, this, &TEqExporterWind::exportEquations);
  buttons->addWidget(exportButton);
  layout->addLayout(buttons);

  m_languages.front()->setChecked(true);
  resize(460, 260);
  AddTooltips(*this);
}

bool TEqExporterWind::chemkinChosen() const { return m_languages[std::size(kExportLanguageNames)]->isChecked(); }

bool TEqExporterWind::canteraChosen() const { return m_languages.back()->isChecked(); }

void TEqExporterWind::languageChosen() {
  // The batch balance exists in Pascal only; a mechanism has no parts.
  QListWidgetItem* balance = m_parts->item(2);
  const bool pascal = m_languages.front()->isChecked();
  if (!pascal) balance->setCheckState(Qt::Unchecked);
  balance->setFlags(pascal ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable : Qt::ItemIsUserCheckable);
  m_parts->setEnabled(!chemkinChosen() && !canteraChosen());
}

void TEqExporterWind::selectDestination() {
  // The export itself asks before it replaces a file.
  if (const auto name = m_context.Dialogs.saveFile(QStringLiteral("All files|*.*"), m_context.StartDirectory, false))
    m_destination->setText(*name);
}

void TEqExporterWind::exportEquations() {
  m_job.reset();
  if (!m_network) return;
  const QString destination = m_destination->text();
  if (destination.isEmpty()) {
    m_context.Dialogs.message(QString(), Text(kEquationExportMsgNoDestination));
    return;
  }
  // The old file stays until the new one is complete, so a refused, failed
  // or cancelled export never loses it.
  if (QFileInfo::exists(destination) &&
      !m_context.Dialogs.ask(Text(kEquationExportCaptionWarning), Text(kEquationExportMsgOverwrite)))
    return;
  if (chemkinChosen()) {
    if (prepareChemkin(destination)) accept();
    return;
  }
  if (canteraChosen()) {
    if (prepareCantera(destination)) accept();
    return;
  }

  TEquationExportRequest request;
  request.Destination = destination.toStdString();
  for (std::size_t i = 0; i < m_languages.size(); ++i)
    if (m_languages[i]->isChecked()) request.Language = ExportLanguageFromIndex(static_cast<int>(i));
  for (int row = 0; row < m_parts->count(); ++row)
    if (m_parts->item(row)->checkState() == Qt::Checked) request.Parts |= TExportParts{1} << row;
  request.Smiles = Smiles;

  // The worker gets its own copy of the parameters, which the settings
  // window may change while it writes.
  const TKineticParameterSet kinetics = m_context.Kinetics;
  if (const auto checked = CheckEquationExport(*m_network, request, kinetics.Table, kinetics.AlternativeValues);
      !checked) {
    m_context.Dialogs.message(QString(), QString::fromStdString(checked.error().Message));
    return;
  }
  GuiContext& context = m_context;
  m_job = ExportJob(
      context,
      [network = m_network, request, kinetics](const TWorkControl& control) {
        return ExportEquations(*network, request, kinetics.Table, kinetics.AlternativeValues, control);
      },
      [&context](const TError& error) {
        const bool failed = error.Code == TErrorCode::FileSystem;
        context.Dialogs.message(failed ? QStringLiteral("ERROR") : QString(), QString::fromStdString(error.Message));
      },
      Text(kEquationExportMsgFinished));
  accept();
}

std::optional<TEqExporterWind::TExportJob> TEqExporterWind::takeJob() { return std::exchange(m_job, std::nullopt); }

bool TEqExporterWind::prepareChemkin(const QString& destination) {
  TChemkinExportOptions options;
  options.MechanismFile = destination.toStdString();
  options.DictionaryFile = ChemkinDictionaryFileFor(options.MechanismFile);
  options.ParameterSource = ParameterSource(m_context.Kinetics);
  options.Smiles = Smiles;
  const QString dictionary = QString::fromStdString(options.DictionaryFile);
  if (QFileInfo::exists(dictionary) &&
      !m_context.Dialogs.ask(Text(kEquationExportCaptionWarning),
                             QStringLiteral("The species dictionary \"%1\" exists. Overwrite it?").arg(dictionary)))
    return false;
  m_job = MechanismJob(
      m_context, m_network, options,
      [](const auto& network, const auto& kinetics, const auto& o) { return CheckChemkinExport(network, kinetics, o); },
      [](const auto& network, const auto& kinetics, const auto& o, const TWorkControl& control) {
        return ExportChemkin(network, kinetics, o, control);
      },
      Text(kEquationExportMsgFinished) + QStringLiteral("\n\nThe species dictionary is %1.").arg(dictionary));
  return m_job.has_value();
}

bool TEqExporterWind::prepareCantera(const QString& destination) {
  TCanteraExportOptions options;
  options.File = destination.toStdString();
  options.ParameterSource = ParameterSource(m_context.Kinetics);
  m_job = MechanismJob(
      m_context, m_network, options,
      [](const auto& network, const auto& kinetics, const auto& o) { return CheckCanteraExport(network, kinetics, o); },
      [](const auto& network, const auto& kinetics, const auto& o, const TWorkControl& control) {
        return ExportCantera(network, kinetics, o, control);
      },
      Text(kEquationExportMsgFinished));
  return m_job.has_value();
}

}  // namespace korvane::gui
