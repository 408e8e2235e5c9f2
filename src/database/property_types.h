#pragma once
/// Shared vocabulary of the property estimates and the equation-of-state
/// solver: the gas constant and the reasons a calculation has no value.
/// Calculations answer with the result type, whose error (NoValue) carries
/// the reason's text; domain code does not raise.

#include <cstdint>

#include "core/result.h"

namespace korvane {

/// Gas constant used by every property and state calculation [J/(mol·K)].
inline constexpr double kGasConstant = 8.314;

/// Why a property or state calculation produced no value.
enum class TPropertyFault : std::uint8_t {
  kRadical,         ///< radicals get no group vector and no properties
  kNoGroupVector,   ///< the group vector does not have one count per Joback group
  kInvalidInput,    ///< an input is not finite or outside its physical range
  kDivisionByZero,  ///< a denominator of the formula is zero
  kOutOfRange,      ///< the formula leaves its range of validity (e.g. a negative Tc denominator)
  kUnknownModel,    ///< the equation-of-state model code is not 0, 1 or 2
  kNoSignChange,    ///< root search: the residual has one sign at both starting ends
  kNoRoot,          ///< root search: the sign change was a pole, not a root
  kBelowCoVolume,   ///< a cubic model at a molar volume not above its co-volume b
  kNoPositivePressure,  ///< the model gives no positive pressure at this state
};

/// One line of English text describing the fault, for messages.
inline const char* FaultText(TPropertyFault fault) {
  switch (fault) {
    case TPropertyFault::kRadical: return "properties are not available for a radical";
    case TPropertyFault::kNoGroupVector: return "no group vector for this molecule";
    case TPropertyFault::kInvalidInput: return "an input value is not valid";
    case TPropertyFault::kDivisionByZero: return "division by zero";
    case TPropertyFault::kOutOfRange: return "the estimate is outside the range of the method";
    case TPropertyFault::kUnknownModel: return "unknown state behaviour model";
    case TPropertyFault::kNoSignChange: return "no solution in the search interval";
    case TPropertyFault::kNoRoot: return "the search ended on a singularity, not a solution";
    case TPropertyFault::kBelowCoVolume: return "the molar volume is not above the co-volume b of the model";
    case TPropertyFault::kNoPositivePressure: return "the model gives no positive pressure at this state";
  }
  return "unknown fault";
}

/// The error of a calculation that has no value for the reason `fault`:
/// NoValue with FaultText as the message.
inline TError PropertyError(TPropertyFault fault) { return {TErrorCode::NoValue, FaultText(fault)}; }

}  // namespace korvane
