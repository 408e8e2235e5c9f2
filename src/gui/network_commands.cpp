#include "gui/network_commands.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <exception>
#include <set>

#include "app/graph_export.h"
#include "app/network_file.h"
#include "render/molecule_picture_writer.h"

namespace korvane::gui {
namespace {

constexpr std::size_t kLongestNote = 255;  // bytes: the file keeps the note's length in one byte

// Reports each picture to a progress box and stops the export when the user
// cancels it. Drawing messages are collected once each instead of one box
// per picture.
class ProgressPictureWriter : public TMoleculePictureWriter {
 public:
  ProgressPictureWriter(QProgressDialog& progress, std::set<std::string>& messages)
      : m_progress(progress), m_writer([&messages](const std::string& text) { messages.insert(text); }) {}

  bool Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path,
             std::string* error) override {
    m_progress.setValue(m_progress.value() + 1);
    QApplication::processEvents();
    if (m_progress.wasCanceled()) {
      if (error) *error = "the export was cancelled; the pictures written so far stay";
      return false;
    }
    return m_writer.Write(molecule, geometry, path, error);
  }

 private:
  QProgressDialog& m_progress;
  PngPictureWriter m_writer;
};

}  // namespace

bool SaveNetworkCommand(GuiContext& context, const TReactionNetwork& network) {
  const auto fileName = context.Dialogs.saveFile(QStringLiteral("Reaction Network Files|*.rnw"),
                                                 context.StartDirectory, false);
  if (!fileName) return false;
  if (QFileInfo::exists(*fileName) &&
      !context.Dialogs.ask(QStringLiteral("WARNING"),
                           QStringLiteral("The file, you have chosen, exists. Are you sure to rewrite it?")))
    return false;

  QString note;
  for (;;) {
    note = context.Dialogs
               .input(QStringLiteral("Advanced infromation"), QStringLiteral("Note that will be saved to file"), note)
               .value_or(QString());
    // The note is refused rather than cut, so nothing the user typed is lost
    // without being told.
    if (static_cast<std::size_t>(note.toUtf8().size()) <= kLongestNote) break;
    context.Dialogs.message(QStringLiteral("WARNING"),
                            QStringLiteral("The note is longer than 255 bytes. Shorten it, please."));
  }

  const std::string path = fileName->toStdString();
  const std::string text = note.toStdString();
  if (const std::string problem = NetworkFileLimitProblem(network, text); !problem.empty()) {
    context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(problem));
    return false;
  }
  try {
    WriteNetworkFile(network, text, path);
  } catch (const std::exception& error) {
    context.Dialogs.message(QStringLiteral("ERROR"),
                            QStringLiteral("The network was not saved: %1").arg(QString::fromLocal8Bit(error.what())));
    return false;
  }
  return true;
}

bool ExportGraphCommand(GuiContext& context, const TReactionNetwork& network, QWidget* parent) {
  const auto fileName = context.Dialogs.saveFile(QString(), context.StartDirectory, true);
  if (!fileName) return false;
  const std::string path = fileName->toStdString();
  if (!context.Dialogs.ask(QString::fromLatin1(kGraphFolderQuestionCaption),
                           QString::fromStdString(GraphFolderQuestion(path))))
    return false;
  const bool removeHydrogen = context.Dialogs.ask(QString::fromLatin1(kRemoveHydrogenQuestionCaption),
                                                  QString::fromLatin1(kRemoveHydrogenQuestion));

  QProgressDialog progress(QStringLiteral("Drawing the components..."), QStringLiteral("Cancel"), 0,
                           static_cast<int>(network.ComponentCount()), parent);
  progress.setWindowModality(Qt::ApplicationModal);
  progress.setMinimumDuration(500);
  std::set<std::string> messages;
  ProgressPictureWriter writer(progress, messages);
  const TGraphExportResult result = ExportNetworkGraph(network, path, removeHydrogen, writer);
  progress.reset();

  for (const std::string& message : messages) context.Dialogs.message(QString(), QString::fromStdString(message));
  if (!result) {
    context.Dialogs.message(QStringLiteral("ERROR"),
                            QStringLiteral("The graph was not exported: %1").arg(QString::fromStdString(result.Message)));
    return false;
  }
  return true;
}

}  // namespace korvane::gui
