#pragma once
/// Text rules of CHEMKIN-II files: numbers that read back exactly, and the
/// fixed-column thermo record of a species.

#include <string>
#include <utility>
#include <vector>

#include "core/molecule.h"
#include "database/species_thermo.h"

namespace korvane {

/// The shortest scientific text that reads back to the same double, always
/// with a point and an exponent ("1.5E+13", "6.0E+00"), whatever the locale.
std::string ChemkinNumber(double value);

/// A number in the thermo records' E15.8 field: 15 characters, a leading
/// space or minus sign, eight decimals, two exponent digits (values below
/// 1e-99 in magnitude are written as zero). Empty when the value does not fit
/// (not finite, or 1e100 and above in magnitude).
std::string ThermoNumber(double value);

/// Element symbols and atom counts of a species in the order C, H, HE, N, O,
/// leaving out elements it does not hold.
std::vector<std::pair<std::string, int>> ElementComposition(const TMolecule& molecule);

/// The four 80-column lines of a species' thermo record, each ending in a
/// line feed: name (columns 1-18), source (19-24), up to four elements with
/// their counts (25-44), phase G (45), low, high and common temperatures
/// (46-73), the line number in column 80; then the high-range coefficients
/// a1-a7 and the low-range a1-a7 in E15.8 fields. Empty when a coefficient
/// does not fit its field.
std::string ThermoRecord(const std::string& name, const std::vector<std::pair<std::string, int>>& elements,
                         const TSpeciesThermo& thermo);

}  // namespace korvane
