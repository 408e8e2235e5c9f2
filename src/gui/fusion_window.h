#pragma once
/// TAdd_RN_CTRL_WIN: merges the networks of other windows into the network
/// of a destination window (network fusion). Page "General" chooses the
/// destination and shows its state; page "Source" checks the sources. The
/// fusion runs on a worker thread under the leases of every network it
/// involves, with its progress and Cancel below the pages.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <vector>

#include "gui/gui_context.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace korvane::gui {

class TReact_Net_Wind;
class TTaskStrip;

class TAdd_RN_CTRL_WIN : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Add Reaction Networks");
  /// The open network windows, in the order of the window list.
  using WindowList = std::function<std::vector<TReact_Net_Wind*>()>;

  TAdd_RN_CTRL_WIN(GuiContext& context, WindowList windows, QWidget* parent = nullptr);

  /// The window whose network becomes the destination when this one is shown.
  void setTargetWindow(TReact_Net_Wind* window) { m_target = window; }

  /// "Execute fusion": the question, then the checked sources merged into
  /// the destination, in list order, on a worker; the window reports the
  /// end once the worker has finished.
  void executeFusion();
  bool isFusing() const;
  /// Cancels a fusion under way and waits for it, without reporting its
  /// end; for closing the program.
  void finishBackgroundWork();

 public slots:
  /// Closing is refused while a fusion runs: its Cancel is the way out.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fillDestinations();
  void destinationChosen();
  void showDestinationState();
  TReact_Net_Wind* destination() const;
  /// The controls that start or change a fusion follow whether one runs, and
  /// so do the windows it holds.
  void fusionStartedOrEnded();

  GuiContext& m_context;
  WindowList m_windows;
  QPointer<TReact_Net_Wind> m_target;
  // The windows behind the list lines (names need not be unique).
  std::vector<QPointer<TReact_Net_Wind>> m_destinations;
  std::vector<QPointer<TReact_Net_Wind>> m_sources;
  QComboBox* m_destinationList = nullptr;
  std::vector<QLabel*> m_state;
  QListWidget* m_sourceList = nullptr;
  QPushButton* m_execute = nullptr;
  QPushButton* m_close = nullptr;
  TTaskStrip* m_taskStrip = nullptr;
  // The destination and the sources of the fusion under way.
  std::vector<QPointer<TReact_Net_Wind>> m_held;
};

}  // namespace korvane::gui
