#include "database/equation_of_state.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

bool IsPositive(double value) { return std::isfinite(value) && value > 0.0; }

/// A value that divides: zero is a division by zero, negative or not finite
/// is invalid input.
TResult<> CheckDivisor(double value) {
  if (value == 0.0) return PropertyError(TPropertyFault::kDivisionByZero);
  if (!IsPositive(value)) return PropertyError(TPropertyFault::kInvalidInput);
  return {};
}

bool IsKnownModel(TStateModel model) {
  return model == TStateModel::kIdeal || model == TStateModel::kRedlichKwong ||
         model == TStateModel::kSoaveRedlichKwong;
}

TResult<double> CubicPressure(TStateModel model, double omega, double Tc, double pc, double Vm, double T) {
  if (!IsPositive(Tc) || !std::isfinite(omega)) return PropertyError(TPropertyFault::kInvalidInput);
  if (const auto checked = CheckDivisor(pc); !checked) return checked.error();

  double b = 0.0;
  double attraction = 0.0;  // the subtracted term without its 1/(Vm·(Vm + b))
  if (model == TStateModel::kRedlichKwong) {
    // 69.122596 = R², 0.7199924 = 0.0866·R.
    const double a = 0.4275 * 69.122596 * std::pow(Tc, 2.5) / pc;
    b = 0.7199924 * Tc / pc;
    attraction = a / std::sqrt(T);
  } else {
    const double m = 0.48 + 1.574 * omega - 0.176 * omega * omega;
    const double RTc = kGasConstant * Tc;
    const double a = 0.42748 * RTc * RTc / pc;
    b = 0.08664 * kGasConstant * Tc / pc;
    const double root = 1.0 + m * (1.0 - std::sqrt(T / Tc));
    attraction = root * root * a;
  }
  if (Vm == b) return PropertyError(TPropertyFault::kDivisionByZero);
  const double p = kGasConstant * T / (Vm - b) - attraction / (Vm * (Vm + b));
  // Only a volume within rounding of b overflows here: it is the same pole.
  if (!std::isfinite(p)) return PropertyError(TPropertyFault::kDivisionByZero);
  return p;
}

/// The model's formula wherever it is defined, also below the co-volume and
/// where it turns negative: the root search needs the residual on both sides.
TResult<double> ModelPressure(TStateModel model, double omega, double Tc, double pc, double Vm, double T) {
  if (!IsKnownModel(model)) return PropertyError(TPropertyFault::kUnknownModel);
  if (!IsPositive(T)) return PropertyError(TPropertyFault::kInvalidInput);
  if (const auto checked = CheckDivisor(Vm); !checked) return checked.error();
  if (model == TStateModel::kIdeal) return kGasConstant * T / Vm;
  return CubicPressure(model, omega, Tc, pc, Vm, T);
}

/// Residual p(model; T, Vm) − p over the parameter vector.
TStateResidual PressureResidual(TStateModel model) {
  return [model](const TStateVector& s) -> TResult<double> {
    const TResult<double> p = ModelPressure(model, s[kStateAcentricFactor], s[kStateCriticalTemperature],
                                            s[kStateCriticalPressure], s[kStateVolume], s[kStateTemperature]);
    if (!p) return p;
    return p.value() - s[kStatePressure];
  };
}

}  // namespace

double CoVolume(TStateModel model, double Tc, double pc) {
  switch (model) {
    case TStateModel::kIdeal: return 0.0;
    case TStateModel::kRedlichKwong: return 0.7199924 * Tc / pc;
    case TStateModel::kSoaveRedlichKwong: return 0.08664 * kGasConstant * Tc / pc;
  }
  return 0.0;
}

TResult<double> StatePressure(TStateModel model, double omega, double /*Vc*/, double Tc, double pc, double Vm,
                              double T) {
  const TResult<double> p = ModelPressure(model, omega, Tc, pc, Vm, T);
  if (!p) return p;
  // Below the co-volume the molecules would take more room than the gas has,
  // and a pressure of 0 or less is no state of a gas: the formula still
  // gives numbers there, but none a user may take for a result.
  if (model != TStateModel::kIdeal && Vm <= CoVolume(model, Tc, pc))
    return PropertyError(TPropertyFault::kBelowCoVolume);
  if (p.value() <= 0.0) return PropertyError(TPropertyFault::kNoPositivePressure);
  return p;
}

TResult<double> StateTemperature(TStateModel model, double omega, double Vc, double Tc, double pc, double Vm,
                                 double p) {
  if (!IsKnownModel(model)) return PropertyError(TPropertyFault::kUnknownModel);
  // Positive p and Vm also give the search a positive ideal-gas temperature
  // to centre its interval on.
  if (!IsPositive(p) || !IsPositive(Vm)) return PropertyError(TPropertyFault::kInvalidInput);
  if (model == TStateModel::kIdeal) return p * Vm / kGasConstant;
  TStateVector parameters{p, 0.0, Vm, pc, Tc, Vc, omega};
  return BisectionSolve(PressureResidual(model), parameters, kStateTemperature);
}

TResult<double> StateVolume(TStateModel model, double omega, double Vc, double Tc, double pc, double T, double p) {
  if (!IsKnownModel(model)) return PropertyError(TPropertyFault::kUnknownModel);
  if (!IsPositive(T)) return PropertyError(TPropertyFault::kInvalidInput);
  if (const auto checked = CheckDivisor(p); !checked) return checked.error();
  if (model == TStateModel::kIdeal) return kGasConstant * T / p;
  TStateVector parameters{p, T, 0.0, pc, Tc, Vc, omega};
  return BisectionSolve(PressureResidual(model), parameters, kStateVolume);
}

TResult<double> BisectionSolve(const TStateResidual& residual, TStateVector& parameters, std::size_t unknown) {
  double x1 = 0.0;
  double x2 = 0.0;
  if (unknown == kStateTemperature) {
    const double ideal = parameters[kStatePressure] * parameters[kStateVolume] / kGasConstant;
    if (!IsPositive(ideal)) return PropertyError(TPropertyFault::kInvalidInput);
    x1 = 0.3 * ideal;
    x2 = 4.0 * ideal;
  } else if (unknown == kStateVolume) {
    if (const auto checked = CheckDivisor(parameters[kStatePressure]); !checked) return checked.error();
    const double ideal = kGasConstant * parameters[kStateTemperature] / parameters[kStatePressure];
    if (!IsPositive(ideal)) return PropertyError(TPropertyFault::kInvalidInput);
    x1 = 0.1 * ideal;
    x2 = 5.0 * ideal;
  } else {
    return PropertyError(TPropertyFault::kInvalidInput);
  }

  // A failed search leaves the vector as it was given.
  const double original = parameters[unknown];
  auto fail = [&](TError error) -> TResult<double> {
    parameters[unknown] = original;
    return error;
  };
  auto succeed = [&](double x) -> TResult<double> {
    parameters[unknown] = x;
    return x;
  };
  // The residual's own error ends the search as it stands.
  TError evaluationError;
  auto evaluate = [&](double x, double& value) {
    parameters[unknown] = x;
    const TResult<double> r = residual(parameters);
    if (!r) {
      evaluationError = r.error();
      return false;
    }
    if (!std::isfinite(r.value())) {
      evaluationError = PropertyError(TPropertyFault::kOutOfRange);
      return false;
    }
    value = r.value();
    return true;
  };

  double f1 = 0.0;
  double f2 = 0.0;
  if (!evaluate(x1, f1) || !evaluate(x2, f2)) return fail(evaluationError);
  // An end that is already a root would otherwise be halved away from.
  if (f1 == 0.0) return succeed(x1);
  if (f2 == 0.0) return succeed(x2);
  if ((f1 < 0.0) == (f2 < 0.0)) return fail(PropertyError(TPropertyFault::kNoSignChange));

  const double startResidual = std::max(std::abs(f1), std::abs(f2));
  double mid = x1;
  double fm = f1;
  for (int step = 0; step < kBisectionSteps; ++step) {
    mid = (x1 + x2) / 2.0;
    if (!evaluate(mid, fm)) return fail(evaluationError);
    if (fm != 0.0 && (f1 < 0.0) != (fm < 0.0)) {
      x2 = mid;
    } else {
      x1 = mid;
      f1 = fm;
    }
    if (std::abs(fm) < kBisectionTolerance) break;
  }
  // Across a pole (Vm = b inside the volume interval) the residual changes
  // sign too, and the halving closes in on the pole with an ever larger
  // residual. A root ends with a residual far below the starting ones.
  if (!(std::abs(fm) <= startResidual)) return fail(PropertyError(TPropertyFault::kNoRoot));
  return succeed(mid);
}

}  // namespace korvane
