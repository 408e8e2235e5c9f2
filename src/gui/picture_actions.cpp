#include "gui/picture_actions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

#include "core/file_replace.h"
#include "gui/dialog_seam.h"
#include "render/png_writer.h"

namespace korvane::gui {
namespace {

const QString kPngFilter = QStringLiteral("PNG picture|*.png");
const QString kSvgFilter = QStringLiteral("SVG drawing|*.svg");
const QString kCsvFilter = QStringLiteral("CSV table|*.csv");

// Writes text as the file's new contents; the reason of a failure, or an
// empty string.
QString WriteText(const QString& path, const std::string& text) {
  const auto written = ReplaceFileContents(path.toStdString(), text);
  return written ? QString() : QString::fromStdString(written.error().Message);
}

}  // namespace

PictureActions::PictureActions(QWidget& widget, PictureSources sources)
    : m_widget(widget), m_sources(std::move(sources)) {
  auto add = [&](const char* text, auto&& handler, bool saving) {
    auto* action = new QAction(QString::fromUtf8(text), &m_widget);
    QObject::connect(action, &QAction::triggered, &m_widget, handler);
    m_actions << action;
    if (saving) {
      action->setEnabled(false);
      m_saving << action;
    }
  };
  add("Save as PNG…", [this] {
    const QImage image = m_sources.Image();
    if (image.isNull()) return;
    save(kPngFilter, [image](const QString& path) {
      const auto written = WritePng(image, path.toStdString());
      return written ? QString() : QString::fromStdString(written.error().Message);
    });
  }, true);
  if (m_sources.Svg)
    add("Save as SVG…", [this] {
      if (m_sources.Image().isNull()) return;
      const std::string svg = m_sources.Svg();
      save(kSvgFilter, [svg](const QString& path) { return WriteText(path, svg); });
    }, true);
  add("Copy", [this] {
    const QImage image = m_sources.Image();
    if (!image.isNull()) QGuiApplication::clipboard()->setImage(image);
  }, false);
  if (m_sources.Csv)
    add("Export data (CSV)…", [this] {
      const std::string csv = m_sources.Csv();
      save(kCsvFilter, [csv](const QString& path) { return WriteText(path, csv); });
    }, true);
  if (m_sources.Smiles)
    add("Copy SMILES", [this] {
      const std::string smiles = m_sources.Smiles();
      if (!smiles.empty()) QGuiApplication::clipboard()->setText(QString::fromStdString(smiles));
    }, false);
  m_widget.setContextMenuPolicy(Qt::ActionsContextMenu);
  m_widget.addActions(m_actions);
}

void PictureActions::enableSaving(DialogSeam& dialogs, const QString& directory) {
  m_dialogs = &dialogs;
  m_directory = directory;
  for (QAction* action : m_saving) action->setEnabled(true);
}

void PictureActions::save(const QString& filter, const std::function<QString(const QString&)>& write) {
  if (!m_dialogs) return;
  const auto path = m_dialogs->saveFile(filter, m_directory, true);
  if (!path) return;
  if (const QString failure = write(*path); !failure.isEmpty())
    m_dialogs->message(QStringLiteral("ERROR"), QStringLiteral("Could not write %1: %2").arg(*path, failure));
}

}  // namespace korvane::gui
