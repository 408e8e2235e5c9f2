#pragma once
/// The calculator of the component detail window ("Calculations"): one of
/// pressure, temperature, molar volume, heat capacity or compressibility
/// factor of the pure gas from the entered state, under the chosen model.

#include <QString>
#include <QStringList>

#include "core/molecule.h"
#include "database/equation_of_state.h"

namespace korvane::gui {

/// The items of the radio group "  Calculate  ", in order.
enum class CalculatedQuantity {
  Pressure = 0,         ///< "Pressure (p)" from T and Vm
  Temperature = 1,      ///< "Temperature (T)" from p and Vm
  MolarVolume = 2,      ///< "Molar volume (Vm)" from p and T
  HeatCapacity = 3,     ///< "Thermal capacity (cp)": cp°(T)
  Compressibility = 4,  ///< "Factor of compreibility (z)" from p and T
};

/// Captions of the radio items, of the unit boxes and of the model box.
QStringList CalculatedQuantityCaptions();
QStringList PressureUnitNames();     ///< "Pa", "kPa", "MPa", "atm", "Bar", "Torr"
QStringList TemperatureUnitNames();  ///< "K", "°C"
QStringList VolumeUnitNames();       ///< "m^3/mol", "dm^3/mol", "cm^3/mol"
QStringList StateModelNames();       ///< "Ideal", "Redlich-Kwong", "Redlich-Kwong-Soave"

/// Which inputs an item leaves enabled: the quantity to be calculated is
/// not entered (p for item 0, T for item 1, Vm for items 2 and 4; item 3
/// leaves all three enabled).
struct StateInputsEnabled {
  bool Pressure = true;
  bool Temperature = true;
  bool Volume = true;
};
StateInputsEnabled EnabledStateInputs(CalculatedQuantity quantity);

/// The entered texts with the index chosen in each unit box.
struct StateInputs {
  QString Pressure;
  int PressureUnit = 0;
  QString Temperature;
  int TemperatureUnit = 0;
  QString Volume;
  int VolumeUnit = 0;
  TStateModel Model = TStateModel::kIdeal;
};

/// Either the line to append to the result memo, in SI units
/// ("Result of calculation: p = 99994.1 Pa"), or why there is none.
struct StateCalculation {
  QString Line;
  QString Problem;
};

/// Reads the inputs the quantity needs (either decimal separator), converts
/// them to SI and calculates. A radical, a text that is not a number, an
/// estimate the model needs but cannot have, and a failed calculation give
/// a Problem and no Line.
StateCalculation CalculateState(const TMolecule& molecule, CalculatedQuantity quantity, const StateInputs& inputs);

}  // namespace korvane::gui
