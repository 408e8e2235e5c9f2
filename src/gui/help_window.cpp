#include "gui/help_window.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/user_guide.h"

namespace korvane::gui {

HelpWindow::HelpWindow(const QString& guideFile, QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(QStringLiteral("User guide"));
  auto* layout = new QVBoxLayout(this);
  m_browser = new QTextBrowser;
  m_browser->setOpenExternalLinks(true);
  layout->addWidget(m_browser);
  QFile file(guideFile);
  QString guide;
  if (!guideFile.isEmpty() && file.open(QIODevice::ReadOnly)) guide = DesktopGuide(QString::fromUtf8(file.readAll()));
  if (guide.isEmpty()) {
    m_browser->setPlainText(
        QStringLiteral("The user guide was not found: it is installed as share/korvane/README.md beside the "
                       "program's bin folder%1.")
            .arg(guideFile.isEmpty() ? QString() : QStringLiteral(" (looked for %1)").arg(guideFile)));
  } else {
    // The pictures sit in docs/ beside the guide.
    m_browser->setSearchPaths({QFileInfo(guideFile).absolutePath()});
    m_browser->setMarkdown(guide);
  }
  resize(760, 640);
}

}  // namespace korvane::gui
