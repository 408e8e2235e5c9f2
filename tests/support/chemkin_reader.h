#pragma once
/// A small reader of CHEMKIN-II mechanisms for tests, written from the
/// format's description and independent of Korvane's writer: ELEMENTS,
/// SPECIES, THERMO (fixed-column NASA records) and REACTIONS with FORD and
/// DUPLICATE, and the net production rates the mechanism implies.

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace korvane::testing {

struct ChemkinThermoRecord {
  std::map<std::string, int> Composition;
  double TLow = 0.0, THigh = 0.0, TCommon = 0.0;
  std::array<double, 7> High{}, Low{};
};

struct ChemkinMechanismReaction {
  std::vector<std::pair<std::string, double>> Reactants, Products;
  /// Orders set by FORD.
  std::map<std::string, double> Orders;
  double A = 0.0, B = 0.0, E = 0.0;
  bool Reversible = false;
  bool Duplicate = false;
};

struct ChemkinMechanism {
  std::vector<std::string> Elements, Species;
  std::map<std::string, ChemkinThermoRecord> Thermo;
  /// The words after REACTIONS (units).
  std::vector<std::string> ReactionUnits;
  std::vector<ChemkinMechanismReaction> Reactions;
};

/// Reads a mechanism; throws std::runtime_error naming the line on anything
/// it does not understand.
ChemkinMechanism ReadChemkinMechanism(const std::string& text);

/// Net production rate of every species [mol/(cm^3 s)] at T [K] for the
/// concentrations [mol/cm^3] (missing species count as 0): mass action with
/// the FORD orders, activation energies in kelvins.
std::map<std::string, double> NetProductionRates(const ChemkinMechanism& mechanism,
                                                 const std::map<std::string, double>& concentrations, double T);

}  // namespace korvane::testing
