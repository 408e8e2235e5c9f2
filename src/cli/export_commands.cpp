// korvane-cli export-equations and export-graph.

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

#include "app/equation_export.h"
#include "app/graph_export.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "render/molecule_picture_writer.h"
#include "smiles/smiles_writer.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const std::map<std::string, TExportLanguage> kLanguages = {
    {"pascal", TExportLanguage::Pascal}, {"c", TExportLanguage::C}, {"matlab", TExportLanguage::Matlab}};
const std::map<std::string, TExportParts> kParts = {
    {"constants", kExportKineticConstants}, {"rates", kExportRateEquations}, {"balance", kExportBalance}};

// The pictures are drawn with QtGui, which needs an application object; the
// offscreen platform lets the tool draw without a display.
std::unique_ptr<QGuiApplication> EnsureGuiApplication() {
  if (QGuiApplication::instance()) return nullptr;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Without a session (batch jobs, CI) Qt complains on stderr about the
  // missing runtime folder; give it a private one the way a session would.
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const fs::path runtime = fs::temp_directory_path() / ("korvane-runtime-" + std::to_string(::getuid()));
    std::error_code ignored;
    fs::create_directory(runtime, ignored);
    fs::permissions(runtime, fs::perms::owner_all, ignored);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 0);
  }
  static int argc = 1;
  static char name[] = "korvane-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// Renders the graph with Graphviz in the graph's folder, where its image
// attributes find the pictures. The picture appears under its name only once
// dot has written it whole.
void RenderGraphPng(const std::string& graphFileName, const CliStreams& streams) {
  const fs::path graph = fs::absolute(graphFileName);
  const fs::path png = fs::path(graph).replace_extension(".png");
  const QString dot = QStandardPaths::findExecutable("dot");
  if (dot.isEmpty()) {
    streams.Err << "Graphviz (dot) is not installed: " << png.string() << " was not rendered\n";
    return;
  }
  const fs::path partial = png.string() + ".part";
  QProcess process;
  process.setWorkingDirectory(QString::fromStdString(graph.parent_path().string()));
  process.start(dot, {"-Tpng", QString::fromStdString(graph.filename().string()), "-o",
                      QString::fromStdString(partial.filename().string())});
  const bool ran = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit;
  std::error_code error;
  if (!ran || process.exitCode() != 0) {
    fs::remove(partial, error);
    throw InputError(graphFileName, "Graphviz dot failed: " + process.readAllStandardError().trimmed().toStdString());
  }
  fs::rename(partial, png, error);
  if (error) {
    fs::remove(partial, error);
    throw InputError(png.string(), "cannot be written: " + error.message());
  }
  streams.Out << "rendered " << png.string() << '\n';
}

}  // namespace

int RunExportEquations(const ExportEquationsOptions& options, const CliStreams& streams) {
  const auto language = kLanguages.find(options.Language);
  if (language == kLanguages.end()) throw UsageError("--language: unknown language " + options.Language);
  const TExportParts available = AvailableExportParts(language->second);
  TExportParts parts = options.Parts.empty() ? available : 0;
  for (const std::string& name : options.Parts) {
    const auto part = kParts.find(name);
    if (part == kParts.end()) throw UsageError("--parts: unknown part " + name);
    if (!(part->second & available))
      streams.Err << "warning: --parts: " << options.Language << " has no " << name << " part; left out\n";
    parts |= part->second & available;
  }
  if (parts == 0) throw UsageError("--parts: nothing that " + options.Language + " offers was asked for");

  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  TKineticParameterSet parameters;
  const std::string parameterSource = LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);
  CheckOutputFile(options.Output);

  const TEquationExportRequest request{options.Output, language->second, parts,
                                       [](const TMolecule& molecule) { return CanonicalSmiles(molecule); }};
  const TResult<> exported = ExportEquations(network, request, parameters.Table, parameters.AlternativeValues);
  if (!exported && exported.error().Code == TErrorCode::KineticParameters)
    throw InputError(parameterSource.empty() ? "the default kinetic parameters" : parameterSource,
                     exported.error().Message);
  if (!exported) throw InputError(options.Output, exported.error().Message);
  streams.Out << kEquationExportMsgFinished << ' ' << options.Output << '\n';
  return kExitSuccess;
}

int RunExportGraph(const ExportGraphOptions& options, const CliStreams& streams) {
  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  CheckOutputFile(options.Output);

  const auto application = EnsureGuiApplication();
  PngPictureWriter pictures([&streams](const std::string& message) { streams.Err << "warning: " << message << '\n'; });
  if (const auto exported = ExportNetworkGraph(network, options.Output, options.WithoutHydrogen, pictures); !exported)
    throw InputError(options.Output, exported.error().Message);
  streams.Out << "wrote " << options.Output << " with the pictures of its components beside it\n";
  if (options.Png) RenderGraphPng(options.Output, streams);
  return kExitSuccess;
}

}  // namespace korvane
