#pragma once
/// The "Properties" tab of the component detail window: the estimated
/// properties ("Summary") and the equation-of-state calculator
/// ("Calculations").

#include <QTabWidget>
#include <array>
#include <functional>

#include "gui/dialog_seam.h"
#include "gui/state_calculation.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace korvane {
class TMolecule;
}

namespace korvane::gui {

class ComponentPropertiesTab : public QTabWidget {
  Q_OBJECT

 public:
  /// `subject` gives the component for a calculation, or null (after telling
  /// the user why) when there is none to read now.
  ComponentPropertiesTab(std::function<const TMolecule*()> subject, DialogSeam& dialogs, QWidget* parent = nullptr);

  /// Fills "Main physical properties" and the estimated properties; for a
  /// radical the estimates read "N/A".
  void showComponent(const TMolecule& component);
  void clear();

  /// Chooses the item of "  Calculate  " and enables the inputs it needs.
  void setCalculated(CalculatedQuantity quantity);
  /// "Calculate": appends the result line, or tells the user why there is none.
  void calculate();

 private:
  QWidget* buildSummary();
  QWidget* buildCalculations();

  std::function<const TMolecule*()> m_subject;
  DialogSeam& m_dialogs;
  QLineEdit* m_formula = nullptr;
  QLineEdit* m_molarWeight = nullptr;
  QLineEdit* m_name = nullptr;
  QLineEdit* m_radicalCyclic = nullptr;
  // cp, Hf, Gf, Sf, Tb, Tc, pc, Vc, zc, omega.
  std::array<QLineEdit*, 10> m_estimates{};
  QButtonGroup* m_calculated = nullptr;
  QLineEdit* m_pressure = nullptr;
  QLineEdit* m_temperature = nullptr;
  QLineEdit* m_volume = nullptr;
  QComboBox* m_pressureUnit = nullptr;
  QComboBox* m_temperatureUnit = nullptr;
  QComboBox* m_volumeUnit = nullptr;
  QComboBox* m_model = nullptr;
  QPlainTextEdit* m_results = nullptr;
  // Label, field and unit box of p, T and Vm, enabled together.
  std::array<std::array<QWidget*, 3>, 3> m_inputRows{};
};

}  // namespace korvane::gui
