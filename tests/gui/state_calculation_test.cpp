#include "gui/state_calculation.h"

#include <gtest/gtest.h>

#include "gui/window_text.h"
#include "molecule_builder.h"

namespace korvane::gui {
namespace {

using testing::MoleculeFrom;

// The number at the end of a result line, before its unit.
double ResultValue(const QString& line) {
  const QStringList words = line.split(QLatin1Char(' '));
  return ReadNumber(words.value(words.indexOf(QStringLiteral("=")) + 1)).value_or(-1.0);
}

TEST(StateCalculation, EachItemDisablesTheInputItCalculates) {
  const std::pair<CalculatedQuantity, std::array<bool, 3>> cases[] = {
      {CalculatedQuantity::Pressure, {false, true, true}},     {CalculatedQuantity::Temperature, {true, false, true}},
      {CalculatedQuantity::MolarVolume, {true, true, false}},  {CalculatedQuantity::HeatCapacity, {true, true, true}},
      {CalculatedQuantity::Compressibility, {true, true, false}}};
  for (const auto& [quantity, expected] : cases) {
    const StateInputsEnabled enabled = EnabledStateInputs(quantity);
    EXPECT_EQ((std::array<bool, 3>{enabled.Pressure, enabled.Temperature, enabled.Volume}), expected)
        << static_cast<int>(quantity);
  }
}

TEST(StateCalculation, ConvertsUnitsToSiAndAppendsSiResults) {
  const auto ethane = MoleculeFrom("C C; 0-1");
  StateInputs inputs{QStringLiteral("1"), 3, QStringLiteral("25"), 1, QStringLiteral("24,79"), 1};
  StateCalculation result = CalculateState(*ethane, CalculatedQuantity::Pressure, inputs);
  EXPECT_TRUE(result.Line.startsWith(QStringLiteral("Result of calculation: p = "))) << result.Line.toStdString();
  EXPECT_TRUE(result.Line.endsWith(QStringLiteral(" Pa")));
  EXPECT_NEAR(ResultValue(result.Line), 8.314 * 298.15 / 0.02479, 1e-6);  // about 99994

  // 1 atm and 0.02479 m3/mol give T back in K; and Vm in m3/mol from them.
  result = CalculateState(*ethane, CalculatedQuantity::Temperature, inputs);
  EXPECT_NEAR(ResultValue(result.Line), 101325 * 0.02479 / 8.314, 1e-9);
  EXPECT_TRUE(result.Line.endsWith(QStringLiteral(" K")));
  result = CalculateState(*ethane, CalculatedQuantity::MolarVolume, inputs);
  EXPECT_NEAR(ResultValue(result.Line), 8.314 * 298.15 / 101325, 1e-12);
  EXPECT_TRUE(result.Line.endsWith(QStringLiteral(" m^3/mol")));

  // An ideal gas has z = 1; a real one, near its critical point, less.
  result = CalculateState(*ethane, CalculatedQuantity::Compressibility, inputs);
  EXPECT_EQ(result.Line, "Result of calculation: z = 1");
  inputs.Model = TStateModel::kSoaveRedlichKwong;
  inputs.PressureUnit = 2;  // 1 MPa
  result = CalculateState(*ethane, CalculatedQuantity::Compressibility, inputs);
  EXPECT_GT(ResultValue(result.Line), 0.8);
  EXPECT_LT(ResultValue(result.Line), 1.0);

  // Heat capacity reads T only: methane's cp at 298.15 K.
  const StateInputs onlyT{QStringLiteral("not read"), 0, QStringLiteral("298.15"), 0, QStringLiteral("not read"), 0};
  result = CalculateState(*MoleculeFrom("C"), CalculatedQuantity::HeatCapacity, onlyT);
  EXPECT_TRUE(result.Line.startsWith(QStringLiteral("Result of calculation: cp = "))) << result.Problem.toStdString();
  EXPECT_NEAR(ResultValue(result.Line), 35.54, 0.01);
}

TEST(StateCalculation, ProblemsAppendNothingAndSayWhy) {
  const auto ethane = MoleculeFrom("C C; 0-1");
  const StateInputs good{QStringLiteral("101325"), 0, QStringLiteral("300"), 0, QStringLiteral("0,0246"), 0};
  struct Case {
    const char* name;
    const TMolecule* molecule;
    CalculatedQuantity quantity;
    StateInputs inputs;
    QString problem;
  };
  const auto ethyl = MoleculeFrom("C. C; 0-1");
  StateInputs badVolume = good, zeroPressure = good, liquid = good;
  badVolume.Volume = QStringLiteral("abc");
  zeroPressure.Pressure = QStringLiteral("0");
  liquid.Model = TStateModel::kRedlichKwong;  // ethane at 100 bar and 200 K: no gas root near the ideal volume
  liquid.Pressure = QStringLiteral("1e7");
  liquid.Temperature = QStringLiteral("200");
  const Case cases[] = {
      {"radical", ethyl.get(), CalculatedQuantity::Pressure, good,
       "No calculation is made for a radical: its properties are not estimated."},
      {"not a number", ethane.get(), CalculatedQuantity::Pressure, badVolume, "'abc' is not a valid floating point value"},
      {"zero pressure", ethane.get(), CalculatedQuantity::MolarVolume, zeroPressure,
       "The calculation gave no result: division by zero."},
      {"no root", ethane.get(), CalculatedQuantity::MolarVolume, liquid,
       "The calculation gave no result: no solution in the search interval."},
  };
  for (const Case& c : cases) {
    const StateCalculation result = CalculateState(*c.molecule, c.quantity, c.inputs);
    EXPECT_TRUE(result.Line.isEmpty()) << c.name;
    EXPECT_EQ(result.Problem, c.problem) << c.name;
  }
}

}  // namespace
}  // namespace korvane::gui
