#include "gui/state_calculation.h"

#include <array>
#include <optional>

#include "database/property_estimation.h"
#include "gui/window_text.h"

namespace korvane::gui {
namespace {

struct Unit {
  const char* Name;  // UTF-8
  double Value;      // a factor to SI, or for temperatures an offset
};

constexpr std::array<Unit, 6> kPressureUnits{
    {{"Pa", 1.0}, {"kPa", 1000.0}, {"MPa", 1e6}, {"atm", 101325.0}, {"Bar", 100000.0}, {"Torr", 133.322}}};
constexpr std::array<Unit, 2> kTemperatureUnits{{{"K", 0.0}, {"\u00B0C", 273.15}}};
constexpr std::array<Unit, 3> kVolumeUnits{{{"m^3/mol", 1.0}, {"dm^3/mol", 0.001}, {"cm^3/mol", 1e-6}}};

template <std::size_t N>
QStringList Names(const std::array<Unit, N>& units) {
  QStringList names;
  for (const Unit& unit : units) names.append(QString::fromUtf8(unit.Name));
  return names;
}

template <std::size_t N>
double UnitValue(const std::array<Unit, N>& units, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < N ? units[static_cast<std::size_t>(index)].Value
                                                            : units[0].Value;
}

QString NotANumber(const QString& text) { return QStringLiteral("'%1' is not a valid floating point value").arg(text); }

QString NoResult(const TError& error) {
  return QStringLiteral("The calculation gave no result: %1.").arg(QString::fromLatin1(error.Message.c_str()));
}

}  // namespace

QStringList CalculatedQuantityCaptions() {
  return {QStringLiteral("Pressure (p)"), QStringLiteral("Temperature (T)"), QStringLiteral("Molar volume (Vm)"),
          QStringLiteral("Thermal capacity (cp)"), QStringLiteral("Factor of compreibility (z)")};
}
QStringList PressureUnitNames() { return Names(kPressureUnits); }
QStringList TemperatureUnitNames() { return Names(kTemperatureUnits); }
QStringList VolumeUnitNames() { return Names(kVolumeUnits); }
QStringList StateModelNames() {
  return {QStringLiteral("Ideal"), QStringLiteral("Redlich-Kwong"), QStringLiteral("Redlich-Kwong-Soave")};
}

StateInputsEnabled EnabledStateInputs(CalculatedQuantity quantity) {
  StateInputsEnabled enabled;
  switch (quantity) {
    case CalculatedQuantity::Pressure: enabled.Pressure = false; break;
    case CalculatedQuantity::Temperature: enabled.Temperature = false; break;
    case CalculatedQuantity::MolarVolume:
    case CalculatedQuantity::Compressibility: enabled.Volume = false; break;
    case CalculatedQuantity::HeatCapacity: break;
  }
  return enabled;
}

StateCalculation CalculateState(const TMolecule& molecule, CalculatedQuantity quantity, const StateInputs& inputs) {
  if (molecule.IsRadical())
    return {{}, QStringLiteral("No calculation is made for a radical: its properties are not estimated.")};

  // Only the inputs the quantity needs are read; heat capacity needs T only.
  const bool needsPressure = quantity != CalculatedQuantity::Pressure && quantity != CalculatedQuantity::HeatCapacity;
  const bool needsTemperature = quantity != CalculatedQuantity::Temperature;
  const bool needsVolume = quantity == CalculatedQuantity::Pressure || quantity == CalculatedQuantity::Temperature;
  double p = 0.0, T = 0.0, Vm = 0.0;
  const std::tuple<bool, const QString*, double*> fields[] = {
      {needsPressure, &inputs.Pressure, &p}, {needsTemperature, &inputs.Temperature, &T}, {needsVolume, &inputs.Volume, &Vm}};
  for (auto [needed, text, value] : fields) {
    if (!needed) continue;
    const std::optional<double> number = ReadNumber(*text);
    if (!number) return {{}, NotANumber(*text)};
    *value = *number;
  }
  p *= UnitValue(kPressureUnits, inputs.PressureUnit);
  T += UnitValue(kTemperatureUnits, inputs.TemperatureUnit);
  Vm *= UnitValue(kVolumeUnits, inputs.VolumeUnit);

  if (quantity == CalculatedQuantity::HeatCapacity) {
    const auto sums = CpCoefficients(JobackGroups(molecule), molecule);
    if (!sums) return {{}, NoResult(sums.error())};
    if (!(T > 0.0)) return {{}, NoResult(PropertyError(TPropertyFault::kInvalidInput))};
    return {QStringLiteral("Result of calculation: cp = %1 J/mol/K").arg(NumberText(HeatCapacity(T, sums.value()))),
            {}};
  }

  const TEstimatedProperties properties = EstimateProperties(molecule);
  if (inputs.Model != TStateModel::kIdeal) {
    // The cubic models need the critical point and the acentric factor.
    for (const TResult<double>* needed : {&properties.Tc, &properties.Pc, &properties.Omega})
      if (!*needed)
        return {{}, QStringLiteral("The model needs the critical temperature, critical pressure and acentric "
                                   "factor, which are not available: %1.")
                        .arg(QString::fromLatin1(needed->error().Message.c_str()))};
  }
  // The ideal gas uses none of them; an estimate that failed then counts as 0.
  const double omega = properties.Omega.value_or(0.0), Vc = properties.Vc.value_or(0.0);
  const double Tc = properties.Tc.value_or(0.0), pc = properties.Pc.value_or(0.0);
  const TStateModel model = inputs.Model;
  switch (quantity) {
    case CalculatedQuantity::Pressure:
      if (const auto result = StatePressure(model, omega, Vc, Tc, pc, Vm, T))
        return {QStringLiteral("Result of calculation: p = %1 Pa").arg(NumberText(result.value())), {}};
      else
        return {{}, NoResult(result.error())};
    case CalculatedQuantity::Temperature:
      if (const auto result = StateTemperature(model, omega, Vc, Tc, pc, Vm, p))
        return {QStringLiteral("Result of calculation: T = %1 K").arg(NumberText(result.value())), {}};
      else
        return {{}, NoResult(result.error())};
    case CalculatedQuantity::MolarVolume:
      if (const auto result = StateVolume(model, omega, Vc, Tc, pc, T, p))
        return {QStringLiteral("Result of calculation: Vm = %1 m^3/mol").arg(NumberText(result.value())), {}};
      else
        return {{}, NoResult(result.error())};
    case CalculatedQuantity::Compressibility:
      // z = p Vm / (R T) with Vm from the model at the entered p and T.
      if (const auto result = StateVolume(model, omega, Vc, Tc, pc, T, p))
        return {QStringLiteral("Result of calculation: z = %1")
                    .arg(NumberText(p * result.value() / (kGasConstant * T))),
                {}};
      else
        return {{}, NoResult(result.error())};
    case CalculatedQuantity::HeatCapacity: break;
  }
  return {};
}

}  // namespace korvane::gui
