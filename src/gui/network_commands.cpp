#include "gui/network_commands.h"

#include <QFileInfo>

#include "app/graph_export.h"
#include "render/molecule_picture_writer.h"

namespace korvane::gui {
namespace {

constexpr std::size_t kLongestNote = 255;  // bytes: the file keeps the note's length in one byte

// Counts each picture and stops the export when the user cancels. Runs on
// the worker; the messages stay there until the work has ended.
class CountingPictureWriter : public TMoleculePictureWriter {
 public:
  CountingPictureWriter(const std::atomic<bool>& stop, TTaskProgress& progress, std::set<std::string>& messages)
      : m_stop(stop), m_progress(progress),
        m_writer([&messages](const std::string& text) { messages.insert(text); }) {}

  TResult<> Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path) override {
    if (m_stop.load(std::memory_order_relaxed)) return TError{TErrorCode::Refused, kGraphExportCancelled};
    auto written = m_writer.Write(molecule, geometry, path);
    m_progress.Done.fetch_add(1, std::memory_order_relaxed);
    return written;
  }

 private:
  const std::atomic<bool>& m_stop;
  TTaskProgress& m_progress;
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
  progress.Total.store(static_cast<std::int64_t>(network.ComponentCount()), std::memory_order_relaxed);
  CountingPictureWriter writer(stop, progress, messages);
  const TResult<> exported = ExportNetworkGraph(network, request.FileName, request.RemoveHydrogen, writer);
  return exported ? std::string() : exported.error().Message;
}

}  // namespace korvane::gui
