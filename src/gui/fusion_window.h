#pragma once
/// TAdd_RN_CTRL_WIN: merges the networks of other windows into the network
/// of a destination window (network fusion). Page "General" chooses the
/// destination and shows its state; page "Source" checks the sources.

#include <QDialog>
#include <QPointer>
#include <functional>
#include <vector>

#include "gui/gui_context.h"

class QComboBox;
class QLabel;
class QListWidget;

namespace korvane::gui {

class TReact_Net_Wind;

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
  /// the destination, in list order.
  void executeFusion();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fillDestinations();
  void destinationChosen();
  void showDestinationState();
  TReact_Net_Wind* destination() const;

  GuiContext& m_context;
  WindowList m_windows;
  QPointer<TReact_Net_Wind> m_target;
  // The windows behind the list lines (names need not be unique).
  std::vector<QPointer<TReact_Net_Wind>> m_destinations;
  std::vector<QPointer<TReact_Net_Wind>> m_sources;
  QComboBox* m_destinationList = nullptr;
  std::vector<QLabel*> m_state;
  QListWidget* m_sourceList = nullptr;
};

}  // namespace korvane::gui
