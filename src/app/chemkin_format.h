#pragma once
/// Text rules of CHEMKIN-II files: numbers that read back exactly, reaction
/// lines within 80 columns, and the fixed-column thermo record of a species.

#include <string>
#include <utility>
#include <vector>

#include "core/molecule.h"
#include "database/species_thermo.h"

namespace korvane {

/// The shortest scientific text that reads back to the same double, always
/// with a point and an exponent ("1.5E+13", "6.0E+00"), whatever the locale.
std::string ChemkinNumber(double value);

/// Significant digits of the numbers in the exported equations (Pascal, C,
/// Matlab): a value shortened to them is the value those equations use.
inline constexpr int kExportedDigits = 16;

/// The shortest text (fixed or scientific, always with a point) of a value
/// that rounds to the same kExportedDigits significant digits as the value
/// itself; at most as long as ChemkinNumber(value).
std::string ChemkinShortNumber(double value);

/// Columns of a CHEMKIN-II record; a reader ignores what lies beyond.
inline constexpr std::size_t kChemkinLineLimit = 80;

/// A reaction line up to its comment: the equation, the frequency factor,
/// the temperature exponent 0.0 and the activation temperature. The usual
/// layout pads the equation to 40 columns and writes the numbers exactly;
/// when that and the two blanks before the comment pass kChemkinLineLimit,
/// the padding goes, and then the numbers are shortened with
/// ChemkinShortNumber. CHEMKIN-II keeps an
/// equation and its three parameters on one line, so a line that is still
/// too long (an equation of about 45 characters or more) is returned as it
/// is; the species names keep equations well below that.
std::string ChemkinReactionLine(const std::string& equation, double a, double activationTemperature);

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
