#pragma once
/// TGlob_Set: shows and edits the process-wide kinetic parameter set and
/// manages its file: choose another file, reload it, save the set into it,
/// reset the set to its defaults. Every accepted edit writes the set at once;
/// only "Save" writes the file.

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <array>

#include "gui/gui_context.h"

class QLineEdit;
class QTableWidget;
class QTabWidget;

namespace korvane::gui {

class TGlob_Set : public QWidget {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Global settings");
  /// Background of a radical activity field whose text is no number, and of
  /// one holding another number than the stored one.
  static inline const QColor kInvalidColour{255, 110, 110};
  static inline const QColor kChangedColour{110, 220, 110};

  /// A window of its own, hidden until shown.
  explicit TGlob_Set(GuiContext& context, QWidget* parent = nullptr);
  /// Stops following the focus before the widgets go.
  ~TGlob_Set() override;

  /// Writes the set and the file name into every page.
  void refresh();

  // The buttons.
  void selectFile();
  void reload();
  void save();
  void resetToDefaults();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildIncrementsPage();
  QWidget* buildRadicalActivityPage();
  QWidget* buildAlternativesPage();
  void focusMoved(QWidget* now);
  /// The grid or field that holds `widget`, or null.
  QWidget* areaOf(const QWidget* widget) const;
  /// What happens when the focus has left a grid or a field: its edits are
  /// read and, after the user's consent, stored.
  void leaveArea();
  void incrementsLeft();
  void alternativesLeft();
  void fieldLeft(std::size_t index);
  void colourField(std::size_t index);
  char decimalSeparator() const;

  GuiContext& m_context;
  QLineEdit* m_source = nullptr;
  QTabWidget* m_pages = nullptr;
  QTableWidget* m_increments = nullptr;
  QTableWidget* m_alternatives = nullptr;
  /// Standard activity, cyclic parameter, initiation enthalpy, standard
  /// pressure, standard temperature, in the order of the page.
  std::array<QLineEdit*, 5> m_fields{};
  // The grid or field the user works in; it is left once the focus lands
  // anywhere outside it.
  QPointer<QWidget> m_area;
  // Set while an edit is being committed, so the focus moving into a
  // question box does not commit again.
  bool m_committing = false;
};

}  // namespace korvane::gui
