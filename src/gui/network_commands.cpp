#include "gui/network_commands.h"

#include <QFileInfo>

#include "app/graph_export.h"
#include "render/molecule_picture_writer.h"

namespace korvane::gui {
namespace {

constexpr std::size_t kLongestNote = 255;  // bytes: the file keeps the note's length in one byte

// Keeps the drawing's messages; they stay on the worker until the work has ended.
class CollectingPictureWriter : public TMoleculePictureWriter {
 public:
  explicit CollectingPictureWriter(std::set<std::string>& messages)
      : m_writer([&messages](const std::string& text) { messages.insert(text); }) {}

  TResult<> Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path) override {
    return m_writer.Write(molecule, geometry, path);
  }

 private:
  PngPictureWriter m_writer;
};

}  // namespace

std::optional<TSaveRequest> AskSaveAs(GuiContext& context, const QString& note) {
  const auto fileName = context.Dialogs.saveFile(QStringLiteral("Reaction Network Files|*.rnw"),
                                                 context.StartDirectory, false);
  if (!fileName) return std::nullopt;
  if (QFileInfo::exists(*fileName) &&
      !context.Dialogs.ask(QStringLiteral("WARNING"),
                           QStringLiteral("The file, you have chosen, exists. Are you sure to rewrite it?")))
    return std::nullopt;

  TSaveRequest request{QFileInfo(*fileName).absoluteFilePath(), note};
  for (;;) {
    request.Note = context.Dialogs
                       .input(QStringLiteral("Advanced infromation"), QStringLiteral("Note that will be saved to file"),
                              request.Note)
                       .value_or(QString());
    // The note is refused rather than cut, so nothing the user typed is lost
    // without being told.
    if (static_cast<std::size_t>(request.Note.toUtf8().size()) <= kLongestNote) return request;
    context.Dialogs.message(QStringLiteral("WARNING"),
                            QStringLiteral("The note is longer than 255 bytes. Shorten it, please."));
  }
}

QString SaveFailureMessage(const TError& error) {
  // A limit of the format names the component or reaction at fault as it is.
  if (error.Code == TErrorCode::FileFormat) return QString::fromStdString(error.Message);
  return QStringLiteral("The network was not saved: %1").arg(QString::fromLocal8Bit(error.Message.c_str()));
}

std::optional<TGraphExportRequest> AskGraphExport(GuiContext& context) {
  const auto fileName = context.Dialogs.saveFile(QString(), context.StartDirectory, true);
  if (!fileName) return std::nullopt;
  TGraphExportRequest request{fileName->toStdString(), false};
  if (!context.Dialogs.ask(QString::fromLatin1(kGraphFolderQuestionCaption),
                           QString::fromStdString(GraphFolderQuestion(request.FileName))))
    return std::nullopt;
  request.RemoveHydrogen = context.Dialogs.ask(QString::fromLatin1(kRemoveHydrogenQuestionCaption),
                                               QString::fromLatin1(kRemoveHydrogenQuestion));
  return request;
}

std::string ExportGraphWork(const TReactionNetwork& network, const TGraphExportRequest& request,
                            const std::atomic<bool>& stop, TTaskProgress& progress,
                            std::set<std::string>& messages) {
  CollectingPictureWriter writer(messages);
  const TResult<> exported =
      ExportNetworkGraph(network, request.FileName, request.RemoveHydrogen, writer, TaskControl(stop, progress));
  return exported ? std::string() : exported.error().Message;
}

}  // namespace korvane::gui
