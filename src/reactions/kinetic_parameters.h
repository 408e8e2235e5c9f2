#pragma once
/// The kinetic parameter set: the process-wide constants from which reaction
/// recipes are evaluated.
///
/// It has five parts: the additivity table of 28 frequency factors [1/s] and
/// activation-energy increments [kJ/mol], the five constants of the radical
/// activity model "method1", 256 free alternative parameters with a note
/// each, and the name of the kinetic parameter file they come from.
/// Generation does not read the set; only the user-interface thread writes it.

#include <array>
#include <string>
#include <string_view>

namespace korvane {

inline constexpr int kKineticParameterCount = 28;
inline constexpr int kRadicalActivityCount = 5;
inline constexpr int kAlternativeParameterCount = 256;

/// Index of each entry of the kinetic parameter table; the recipes of the
/// reactions name entries by these numbers. A_ entries are frequency factors
/// [1/s], E_ entries activation energies or increments [kJ/mol].
enum KineticParameterIndex : int {
  kA_BetaSc_CH = 0,
  kA_BetaSc_CC = 1,
  kA_HydogegTransfer = 2,
  kA_Recombination = 3,
  kA_AllylIzomeration = 4,
  /// Stop value; no generated recipe names it.
  kE_STOPValue = 5,
  /// Base of C-H beta-scission by the number of carbon neighbours (1, 2, 3).
  kE_BetaSc_CH_Prim = 6,
  kE_BetaSc_CH_Sec = 7,
  kE_BetaSc_CH_Terc = 8,
  /// Base of C-C beta-scission by the substitution sum (3 to 8).
  kE_BetaSc_CC_1subst = 9,
  kE_BetaSc_CC_2subst = 10,
  kE_BetaSc_CC_3subst = 11,
  kE_BetaSc_CC_4subst = 12,
  kE_BetaSc_CC_5subst = 13,
  kE_BetaSc_CC_6subst = 14,
  /// Increment per double bond on a bond atom.
  kE_BetaSc_DoubleAlfa = 15,
  /// Increment per triple or aromatic bond on a bond atom.
  kE_BetaSc_TripleOrAromAlfa = 16,
  /// Increment per multiple or aromatic bond one atom further out.
  kE_BetaSc_MultiBondInBeta = 17,
  /// Base of hydrogen transfer by the number of carbon neighbours (0 to 3).
  kE_HTransf_Methane = 18,
  kE_HTransf_Prim = 19,
  kE_HTransf_Sec = 20,
  kE_HtransfTerc = 21,
  /// Increment per double bond on the carbon.
  kE_HTransf_DoubleAlfa = 22,
  /// Increment per triple or aromatic bond on the carbon.
  kE_HTransf_TripleOrAromAlfa = 23,
  /// Increment per multiple or aromatic bond of a neighbour.
  kE_HTransf_MultiInBeta = 24,
  kE_Recombination = 25,
  kE_AllylIzomeration = 26,
  /// Increment when the broken C-C bond lies in a ring.
  kE_BetaSc_CyclBond = 27,
};

/// Key of each table entry in the kinetic parameter file, by index.
inline constexpr std::array<std::string_view, kKineticParameterCount> kKineticParameterKeys = {
    "A_BetaSc_CH",         "A_BetaSc_CC",          "A_HydogegTransfer",        "A_Recombination",
    "A_AllylIzomeration",  "E_STOPValue",          "E_BetaSc_CH_Prim",         "E_BetaSc_CH_Sec",
    "E_BetaSc_CH_Terc",    "E_BetaSc_CC_1subst",   "E_BetaSc_CC_2subst",       "E_BetaSc_CC_3subst",
    "E_BetaSc_CC_4subst",  "E_BetaSc_CC_5subst",   "E_BetaSc_CC_6subst",       "E_BetaSc_DoubleAlfa",
    "E_BetaSc_TripleOrAromAlfa", "E_BetaSc_MultiBondInBeta", "E_HTransf_Methane", "E_HTransf_Prim",
    "E_HTransf_Sec",       "E_HtransfTerc",        "E_HTransf_DoubleAlfa",     "E_HTransf_TripleOrAromAlfa",
    "E_HTransf_MultiInBeta", "E_Recombination",    "E_AllylIzomeration",       "E_BetaSc_CyclBond",
};

using TKineticParameterTable = std::array<double, kKineticParameterCount>;

/// Default of each table entry, by index.
inline constexpr TKineticParameterTable kKineticParameterDefaults = {
    2.0e13,  1.0e13,  3.72e9, 1.0e10, 1.0e13,  //
    1000,                                      //
    166.563, 160.704, 150.66,                  //
    133.502, 117.18,  84.54,  84.54,  84.54,  84.54,
    37.6,    75.0,    -18.8,                   //
    55.66,   46.04,   39.76,  36.41,           //
    44.44,   1000,    -16.32,                  //
    0,       117.18,  5.0,
};

/// Constants of the radical activity model "method1", in storage order. They
/// are stored, shown, edited and written; no computation reads them.
struct TRadicalActivity {
  /// [Pa]
  double StandardPressure = 405300;
  /// [K]
  double StandardTemperature = 955.65;
  /// [mol/m^3]
  double StandardActivity = 6.159e-08;
  /// [J/mol]
  double InitiationEnthalpy = 362760;
  /// Dimensionless.
  double CyclicPar = 0.900122828;

  friend bool operator==(const TRadicalActivity&, const TRadicalActivity&) = default;
};

/// Key and field of each radical activity constant, in storage order.
inline constexpr std::array<std::string_view, kRadicalActivityCount> kRadicalActivityKeys = {
    "StandardPressure", "StandardTemperature", "StandardActivity", "InitiationEnthalpy", "CyclicPar",
};
inline constexpr std::array<double TRadicalActivity::*, kRadicalActivityCount> kRadicalActivityFields = {
    &TRadicalActivity::StandardPressure,   &TRadicalActivity::StandardTemperature,
    &TRadicalActivity::StandardActivity,   &TRadicalActivity::InitiationEnthalpy,
    &TRadicalActivity::CyclicPar,
};

using TAlternativeValues = std::array<double, kAlternativeParameterCount>;
using TAlternativeNotes = std::array<std::string, kAlternativeParameterCount>;

/// The kinetic parameter file in the working directory.
inline constexpr std::string_view kDefaultKineticParameterFileName = "./kinpar.ini";

/// Default note of alternative parameter i: "p[" + i + "]".
std::string AlternativeParameterDefaultNote(int i);

/// One kinetic parameter set. A fresh set is in the start-up state: table and
/// radical activity at their defaults, alternative values 0, notes empty
/// (until a file is read), file name ./kinpar.ini.
struct TKineticParameterSet {
  TKineticParameterTable Table = kKineticParameterDefaults;
  TRadicalActivity RadicalActivity{};
  TAlternativeValues AlternativeValues{};
  TAlternativeNotes AlternativeNotes{};
  /// The current kinetic parameter file; resetting leaves it alone.
  std::string FileName{kDefaultKineticParameterFileName};

  /// Table and radical activity to their defaults, every alternative value to
  /// 0 and note i to "p[i]".
  void ResetToDefaults();
};

/// The process-wide set, created in the start-up state on first use. Only the
/// user-interface thread may touch it.
TKineticParameterSet& KineticParameters();

}  // namespace korvane
