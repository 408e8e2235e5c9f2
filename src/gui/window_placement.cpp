#include "gui/window_placement.h"

#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QLayout>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace korvane::gui {

void PlaceOver(QWidget& window, const QWidget& owner) {
  QRect frame(QPoint(), window.size());
  frame.moveCenter(owner.frameGeometry().center());
  if (const QScreen* screen = owner.screen()) {
    // The frame (with its title bar) starts at the position; the client area
    // under it must end inside the screen.
    constexpr int kTitleBar = 32;
    const QRect available = screen->availableGeometry().adjusted(0, 0, 0, -kTitleBar);
    frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
  }
  window.move(frame.topLeft());
}

namespace {

// Room for the frame and title bar a window manager adds around the client area.
constexpr int kFrameWidth = 8;
constexpr int kTitleBar = 32;
const char* const kFitted = "korvaneFittedToScreen";
const char* const kScrolled = "korvaneContentScrolls";

// The window's content moved into a scroll area, which then fills the
// window: a main window's central widget, or the layout of any other.
void ScrollContent(QWidget& window) {
  auto* scroll = new QScrollArea;
  scroll->setObjectName(QStringLiteral("screenFitScroll"));
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  if (auto* main = qobject_cast<QMainWindow*>(&window)) {
    QWidget* central = main->takeCentralWidget();
    if (!central) return delete scroll;
    scroll->setWidget(central);
    central->show();  // taken off the window, it was hidden
    main->setCentralWidget(scroll);
    return;
  }
  QLayout* layout = window.layout();
  if (!layout) return delete scroll;
  auto* content = new QWidget;
  content->setLayout(layout);  // takes the layout and its widgets off the window
  scroll->setWidget(content);
  auto* outer = new QVBoxLayout(&window);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);
}

class ScreenFitFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* window = static_cast<QWidget*>(watched);
    if (!window->isWindow() || window->property(kFitted).toBool() || !window->screen()) return false;
    if (qobject_cast<QMessageBox*>(window) || qobject_cast<QFileDialog*>(window) ||
        qobject_cast<QInputDialog*>(window) || window->windowType() == Qt::Popup ||
        window->windowType() == Qt::ToolTip)
      return false;
    FitInside(*window, window->screen()->availableGeometry());
    return false;
  }
};

}  // namespace

void FitInside(QWidget& window, const QRect& available) {
  const QSize room(std::max(1, available.width() - kFrameWidth), std::max(1, available.height() - kTitleBar));
  const QSize needed = window.minimumSizeHint().expandedTo(window.minimumSize());
  if (!window.property(kScrolled).toBool() && (needed.width() > room.width() || needed.height() > room.height())) {
    ScrollContent(window);
    window.setProperty(kScrolled, true);
  }
  window.setProperty(kFitted, true);
  if (window.minimumWidth() > room.width() || window.minimumHeight() > room.height())
    window.setMinimumSize(std::min(window.minimumWidth(), room.width()), std::min(window.minimumHeight(), room.height()));
  window.resize(window.size().boundedTo(room));
  QRect frame(window.pos(), window.size() + QSize(kFrameWidth, kTitleBar));
  frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
  frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
  window.move(frame.topLeft());
}

QObject* NewScreenFitFilter(QObject* parent) { return new ScreenFitFilter(parent); }

}  // namespace korvane::gui
