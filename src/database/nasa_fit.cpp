#include "database/nasa_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace korvane {
namespace {

constexpr double kTLow = 298.15, kTCommon = 1000.0, kTHigh = 3000.0;
// Accepted point temperatures: 298.15 K less a little rounding up to 1500 K.
constexpr double kPointMin = kTLow - 2.0, kPointMax = 1500.0 + 1e-9;
// Temperatures closer than this are one point given twice [K].
constexpr double kRepeatedGap = 1e-6;
constexpr std::size_t kMinPoints = 3, kMaxPoints = 16;

// The polynomial fits run in t = T / 1000 K, which keeps the powers near 1.
constexpr double kScale = 1000.0;
constexpr double kLowStart = kTLow / kScale, kLowWidth = (kTCommon - kTLow) / kScale;
constexpr double kHighStart = kTCommon / kScale, kHighWidth = (kTHigh - kTCommon) / kScale;

// Scale search of the Wilhoit curve [K]: a logarithmic grid, then golden
// sections between the neighbours of the best grid point.
constexpr double kScaleMin = 100.0, kScaleMax = 5000.0;
constexpr int kScaleGrid = 12, kGoldenSteps = 10;
// Points of y = T / (T + B) on 298.15–3000 K where the curve's slope is checked.
constexpr int kSlopeChecks = 24;

// Samples of the curve per range for the polynomial fit (ends included).
constexpr int kLowSamples = 36, kHighSamples = 41, kSamples = kLowSamples + kHighSamples;
constexpr int kTerms = 5;  // a1..a5 per range
// Slack of the monotonicity and limit checks, relative to cp∞.
constexpr double kSlack = 1e-9;
// Halvings of the step from a failing fit towards its repair.
constexpr int kRepairBisections = 12;

using TRange = std::array<double, kTerms>;  // cp/R coefficients in powers of t

TError Invalid(std::string message) { return {TErrorCode::InvalidInput, std::move(message)}; }

// ---------------------------------------------------------------- Wilhoit

// cp/R = Cp0 + (CpInf − Cp0) y² [1 + (y − 1)(a0 + a1 y + a2 y² + a3 y³)].
struct TWilhoit {
  double B = 1000.0;
  std::array<double, 4> A{};
  double Cp0 = 0, CpInf = 0;

  double Value(double T) const {
    const double y = T / (T + B);
    const double q = A[0] + y * (A[1] + y * (A[2] + y * A[3]));
    return Cp0 + (CpInf - Cp0) * y * y * (1.0 + (y - 1.0) * q);
  }
};

// The reduced curve p(y) = y² + y²(y − 1)q(y), between 0 (cp0) and 1 (cp∞),
// rises on [yLow, yHigh] and stays within [0, 1] there (slope sampled).
bool WilhoitAcceptable(const std::array<double, 4>& a, int count, double yLow, double yHigh) {
  std::array<double, 4> c{};
  for (int k = 0; k < count; ++k) c[k] = a[k];
  // p(y) = Σ p_k y^k, k = 2..6
  const double p2 = 1.0 - c[0], p3 = c[0] - c[1], p4 = c[1] - c[2], p5 = c[2] - c[3], p6 = c[3];
  auto value = [&](double y) { return y * y * (p2 + y * (p3 + y * (p4 + y * (p5 + y * p6)))); };
  auto slope = [&](double y) { return y * (2 * p2 + y * (3 * p3 + y * (4 * p4 + y * (5 * p5 + y * 6 * p6)))); };
  if (value(yLow) < 0.0 || value(yHigh) > 1.0) return false;
  const double step = (yHigh - yLow) / (kSlopeChecks - 1);
  for (int i = 0; i < kSlopeChecks; ++i)
    if (slope(yLow + step * i) < 0.0) return false;
  return true;
}

// The points reduced to r = (cp/R − Cp0) / (CpInf − Cp0).
struct TReducedPoints {
  std::array<double, kMaxPoints> T{}, R{};
  int Count = 0;
  int MaxCoefficients = 0;
};

struct TScaleFit {
  double Residual = std::numeric_limits<double>::infinity();
  std::array<double, 4> A{};
  int Count = 0;
};

// The best acceptable a0..a3 at scale B: least squares on z = r − y² with
// the basis y²(y − 1)y^k. The Cholesky factor of the 4 × 4 normal equations
// holds those of every leading subset, so 4 down to 0 coefficients share it.
TScaleFit FitAtScale(double B, const TReducedPoints& points) {
  std::array<double, kMaxPoints> y{}, z{};
  std::array<std::array<double, 4>, kMaxPoints> phi{};
  for (int i = 0; i < points.Count; ++i) {
    y[i] = points.T[i] / (points.T[i] + B);
    z[i] = points.R[i] - y[i] * y[i];
    double f = y[i] * y[i] * (y[i] - 1.0);
    for (int k = 0; k < 4; ++k, f *= y[i]) phi[i][k] = f;
  }
  std::array<std::array<double, 4>, 4> L{};
  std::array<double, 4> g{};
  for (int i = 0; i < points.Count; ++i)
    for (int k = 0; k < 4; ++k) {
      g[k] += phi[i][k] * z[i];
      for (int l = 0; l <= k; ++l) L[k][l] += phi[i][k] * phi[i][l];
    }
  // Cholesky in place; a pivot lost to rounding ends the usable subset.
  int usable = 0;
  for (int k = 0; k < points.MaxCoefficients; ++k) {
    const double diagonal = L[k][k];
    double d = diagonal;
    for (int m = 0; m < k; ++m) d -= L[k][m] * L[k][m];
    if (!(d > 1e-12 * diagonal)) break;
    L[k][k] = std::sqrt(d);
    for (int l = k + 1; l < 4; ++l) {
      double s = L[l][k];
      for (int m = 0; m < k; ++m) s -= L[l][m] * L[k][m];
      L[l][k] = s / L[k][k];
    }
    ++usable;
  }
  std::array<double, 4> w{};  // L⁻¹ g
  for (int k = 0; k < usable; ++k) {
    double s = g[k];
    for (int m = 0; m < k; ++m) s -= L[k][m] * w[m];
    w[k] = s / L[k][k];
  }
  const double yLow = kTLow / (kTLow + B), yHigh = kTHigh / (kTHigh + B);
  for (int count = usable; count > 0; --count) {
    TScaleFit fit;
    fit.Count = count;
    for (int k = count - 1; k >= 0; --k) {
      double s = w[k];
      for (int m = k + 1; m < count; ++m) s -= L[m][k] * fit.A[m];
      fit.A[k] = s / L[k][k];
    }
    if (!WilhoitAcceptable(fit.A, count, yLow, yHigh)) continue;
    fit.Residual = 0;
    for (int i = 0; i < points.Count; ++i) {
      double e = z[i];
      for (int k = 0; k < count; ++k) e -= fit.A[k] * phi[i][k];
      fit.Residual += e * e;
    }
    return fit;
  }
  TScaleFit plain;  // a = 0: y² rises from 0 towards 1
  plain.Residual = 0;
  for (int i = 0; i < points.Count; ++i) plain.Residual += z[i] * z[i];
  return plain;
}

TWilhoit FitWilhoit(const TReducedPoints& points, double cp0, double cpInf) {
  double bestLogB = 0;
  TScaleFit best;
  auto consider = [&](double logB) {
    TScaleFit fit = FitAtScale(std::exp(logB), points);
    const double residual = fit.Residual;
    if (residual < best.Residual) best = fit, bestLogB = logB;
    return residual;
  };
  const double logMin = std::log(kScaleMin), logMax = std::log(kScaleMax);
  const double step = (logMax - logMin) / (kScaleGrid - 1);
  int bestIndex = 0;
  double bestGrid = std::numeric_limits<double>::infinity();
  for (int i = 0; i < kScaleGrid; ++i) {
    const double residual = consider(logMin + step * i);
    if (residual < bestGrid) bestGrid = residual, bestIndex = i;
  }
  // Golden sections over the neighbours of the best grid scale.
  constexpr double kInverseGolden = 0.6180339887498949;  // (√5 − 1) / 2
  double lo = logMin + step * std::max(bestIndex - 1, 0);
  double hi = logMin + step * std::min(bestIndex + 1, kScaleGrid - 1);
  double x1 = hi - kInverseGolden * (hi - lo), x2 = lo + kInverseGolden * (hi - lo);
  double f1 = consider(x1), f2 = consider(x2);
  for (int i = 0; i < kGoldenSteps; ++i) {
    if (f1 < f2) {
      hi = x2, x2 = x1, f2 = f1;
      x1 = hi - kInverseGolden * (hi - lo), f1 = consider(x1);
    } else {
      lo = x1, x1 = x2, f1 = f2;
      x2 = lo + kInverseGolden * (hi - lo), f2 = consider(x2);
    }
  }
  TWilhoit curve;
  curve.B = std::exp(bestLogB);
  curve.A = best.A;
  curve.Cp0 = cp0, curve.CpInf = cpInf;
  return curve;
}

// -------------------------------------------------- constrained polynomial fit

double SampleTemperature(int s) {
  return s < kLowSamples ? kTLow + (kTCommon - kTLow) * s / (kLowSamples - 1)
                         : kTCommon + (kTHigh - kTCommon) * (s - kLowSamples) / (kHighSamples - 1);
}

// x = M c: both ranges' coefficients (low then high, powers of t) from the
// curve's cp/R at the samples, least squares with equal value and slope at
// t = 1. Built once by solving the KKT system for every sample's unit vector.
struct TFitOperator {
  std::array<std::array<double, kSamples>, 2 * kTerms> M{};

  TFitOperator() {
    constexpr int n = 2 * kTerms + 2;
    std::array<std::array<double, n>, n> K{};
    std::array<std::array<double, kSamples>, n> rhs{};
    for (int s = 0; s < kSamples; ++s) {
      const int offset = s < kLowSamples ? 0 : kTerms;
      const double t = SampleTemperature(s) / kScale;
      std::array<double, kTerms> power{};
      power[0] = 1;
      for (int k = 1; k < kTerms; ++k) power[k] = power[k - 1] * t;
      for (int k = 0; k < kTerms; ++k) {
        rhs[offset + k][s] = power[k];
        for (int l = 0; l < kTerms; ++l) K[offset + k][offset + l] += power[k] * power[l];
      }
    }
    // Constraints at t = 1: Σ low_k = Σ high_k, Σ k low_k = Σ k high_k.
    for (int k = 0; k < kTerms; ++k) {
      K[2 * kTerms][k] = K[k][2 * kTerms] = 1;
      K[2 * kTerms][kTerms + k] = K[kTerms + k][2 * kTerms] = -1;
      K[2 * kTerms + 1][k] = K[k][2 * kTerms + 1] = k;
      K[2 * kTerms + 1][kTerms + k] = K[kTerms + k][2 * kTerms + 1] = -k;
    }
    // Gaussian elimination with partial pivoting, all right-hand sides at once.
    for (int c = 0; c < n; ++c) {
      int pivot = c;
      for (int r = c + 1; r < n; ++r)
        if (std::abs(K[r][c]) > std::abs(K[pivot][c])) pivot = r;
      std::swap(K[c], K[pivot]);
      std::swap(rhs[c], rhs[pivot]);
      for (int r = c + 1; r < n; ++r) {
        const double f = K[r][c] / K[c][c];
        if (f == 0) continue;
        for (int j = c; j < n; ++j) K[r][j] -= f * K[c][j];
        for (int s = 0; s < kSamples; ++s) rhs[r][s] -= f * rhs[c][s];
      }
    }
    for (int r = n - 1; r >= 0; --r)
      for (int s = 0; s < kSamples; ++s) {
        double v = rhs[r][s];
        for (int j = r + 1; j < n; ++j) v -= K[r][j] * rhs[j][s];
        rhs[r][s] = v / K[r][r];
      }
    for (int k = 0; k < 2 * kTerms; ++k) M[k] = rhs[k];
  }
};

const TFitOperator& FitOperator() {
  static const TFitOperator op;  // built once; thread-safe initialisation
  return op;
}

// ------------------------------------------------------------ check and repair

double Evaluate(const TRange& b, double t) { return b[0] + t * (b[1] + t * (b[2] + t * (b[3] + t * b[4]))); }
double Slope(const TRange& b, double t) { return b[1] + t * (2 * b[2] + t * (3 * b[3] + t * 4 * b[4])); }

// Smallest slope dP/dt on [t0, t1]: at the ends or where the second
// derivative 2b2 + 6b3 t + 12b4 t² vanishes.
double SmallestSlope(const TRange& b, double t0, double t1) {
  double least = std::min(Slope(b, t0), Slope(b, t1));
  const double qa = 12 * b[4], qb = 6 * b[3], qc = 2 * b[2];
  auto consider = [&](double t) {
    if (t > t0 && t < t1) least = std::min(least, Slope(b, t));
  };
  if (qa == 0) {
    if (qb != 0) consider(-qc / qb);
    return least;
  }
  const double discriminant = qb * qb - 4 * qa * qc;
  if (discriminant < 0) return least;
  const double q = -0.5 * (qb + std::copysign(std::sqrt(discriminant), qb));
  consider(q / qa);
  if (q != 0) consider(qc / q);
  return least;
}

bool PolynomialAcceptable(const TRange& low, const TRange& high, double cp0, double cpInf) {
  const double slack = kSlack * cpInf;
  return SmallestSlope(low, kLowStart, kHighStart) >= -slack &&
         SmallestSlope(high, kHighStart, kHighStart + kHighWidth) >= -slack &&
         Evaluate(low, kLowStart) >= cp0 - slack && Evaluate(high, kHighStart + kHighWidth) <= cpInf + slack;
}

constexpr std::array<std::array<double, kTerms>, kTerms> kBinomial{{
    {1, 0, 0, 0, 0},
    {1, 1, 0, 0, 0},
    {1, 2, 1, 0, 0},
    {1, 3, 3, 1, 0},
    {1, 4, 6, 4, 1},
}};

// Bernstein coefficients on [t0, t0 + w] of a polynomial in powers of t.
TRange ToBernstein(const TRange& b, double t0, double w) {
  TRange q{};  // powers of s = (t − t0) / w
  double wj = 1;
  for (int j = 0; j < kTerms; ++j, wj *= w) {
    double s = 0, t0k = 1;
    for (int k = j; k < kTerms; ++k, t0k *= t0) s += b[k] * kBinomial[k][j] * t0k;
    q[j] = s * wj;
  }
  TRange beta{};
  for (int i = 0; i < kTerms; ++i)
    for (int j = 0; j <= i; ++j) beta[i] += kBinomial[i][j] / kBinomial[4][j] * q[j];
  return beta;
}

TRange FromBernstein(const TRange& beta, double t0, double w) {
  TRange q{};
  for (int j = 0; j < kTerms; ++j) {
    double s = 0;
    for (int i = 0; i <= j; ++i) s += ((j - i) % 2 ? -1.0 : 1.0) * kBinomial[j][i] * beta[i];
    q[j] = kBinomial[4][j] * s;
  }
  TRange b{};
  double wj = 1;
  for (int j = 0; j < kTerms; ++j, wj *= w) {
    double mt0 = 1;  // (−t0)^(j−k), k from j down
    for (int k = j; k >= 0; --k, mt0 *= -t0) b[k] += q[j] / wj * kBinomial[j][k] * mt0;
  }
  return b;
}

// Least squares non-decreasing sequence (pool adjacent violators), then
// every value clamped to [lo, hi].
template <std::size_t N>
void MakeNonDecreasing(std::array<double, N>& v, std::size_t first, double lo, double hi) {
  std::array<double, N> mean{};
  std::array<std::size_t, N> size{};
  std::size_t blocks = 0;
  for (std::size_t i = first; i < N; ++i) {
    mean[blocks] = v[i], size[blocks] = 1, ++blocks;
    while (blocks > 1 && mean[blocks - 2] > mean[blocks - 1]) {
      const std::size_t merged = size[blocks - 2] + size[blocks - 1];
      mean[blocks - 2] = (mean[blocks - 2] * size[blocks - 2] + mean[blocks - 1] * size[blocks - 1]) / merged;
      size[blocks - 2] = merged;
      --blocks;
    }
  }
  for (std::size_t b = 0, i = first; b < blocks; ++b)
    for (std::size_t j = 0; j < size[b]; ++j, ++i) v[i] = std::clamp(mean[b], lo, hi);
}

// Non-decreasing Bernstein coefficients within [cp0, cp∞] make each range
// rise and stay within the limits; the high range's first two coefficients
// follow from the low range's last two (equal value and slope at 1000 K).
void BernsteinRepair(TRange& low, TRange& high, double cp0, double cpInf) {
  TRange lowBeta = ToBernstein(low, kLowStart, kLowWidth);
  TRange highBeta = ToBernstein(high, kHighStart, kHighWidth);
  MakeNonDecreasing(lowBeta, 0, cp0, cpInf);
  // dP/dt at 1000 K is 4(β4 − β3)/w in each range.
  const double ratio = kHighWidth / kLowWidth;
  double second = lowBeta[4] + (lowBeta[4] - lowBeta[3]) * ratio;
  if (second > cpInf) {
    lowBeta[3] = lowBeta[4] - (cpInf - lowBeta[4]) / ratio;  // only raises β3: still non-decreasing
    second = cpInf;
  }
  highBeta[0] = lowBeta[4];
  highBeta[1] = second;
  MakeNonDecreasing(highBeta, 2, second, cpInf);
  low = FromBernstein(lowBeta, kLowStart, kLowWidth);
  high = FromBernstein(highBeta, kHighStart, kHighWidth);
}

// The fit moved towards its Bernstein repair only as far as the checks need:
// the acceptable coefficient sets form a convex set (slopes and limits are
// linear in the coefficients), so the blend is bisected.
void Repair(TRange& low, TRange& high, double cp0, double cpInf) {
  TRange safeLow = low, safeHigh = high;
  BernsteinRepair(safeLow, safeHigh, cp0, cpInf);
  auto blend = [](const TRange& from, const TRange& to, double f) {
    TRange mixed;
    for (int k = 0; k < kTerms; ++k) mixed[k] = (1 - f) * from[k] + f * to[k];
    return mixed;
  };
  double rejected = 0, accepted = 1;
  for (int i = 0; i < kRepairBisections; ++i) {
    const double f = 0.5 * (rejected + accepted);
    (PolynomialAcceptable(blend(low, safeLow, f), blend(high, safeHigh, f), cp0, cpInf) ? accepted : rejected) = f;
  }
  low = accepted == 1 ? safeLow : blend(low, safeLow, accepted);
  high = accepted == 1 ? safeHigh : blend(high, safeHigh, accepted);
}

// ------------------------------------------------------------ input and result

std::string Kelvin(double T) { return std::to_string(T) + " K"; }

TResult<std::monostate> Validate(const TThermoPoints& points) {
  if (!std::isfinite(points.Enthalpy298) || !std::isfinite(points.Entropy298))
    return Invalid("The enthalpy and entropy at 298.15 K must be finite numbers");
  switch (points.Shape) {
    case TMolecularShape::Atom:
      if (points.AtomCount != 1) return Invalid("An atom must have an atom count of 1");
      break;
    case TMolecularShape::Linear:
      if (points.AtomCount < 2) return Invalid("A linear molecule needs at least 2 atoms");
      break;
    case TMolecularShape::Nonlinear:
      if (points.AtomCount < 3) return Invalid("A nonlinear molecule needs at least 3 atoms");
      break;
  }
  if (points.Shape != TMolecularShape::Atom && points.HeatCapacity.size() < kMinPoints)
    return Invalid("The heat capacity needs at least 3 temperatures");
  if (points.HeatCapacity.size() > kMaxPoints)
    return Invalid("The heat capacity is given at more than " + std::to_string(kMaxPoints) + " temperatures");
  for (std::size_t i = 0; i < points.HeatCapacity.size(); ++i) {
    const auto [T, cp] = points.HeatCapacity[i];
    if (!std::isfinite(T) || !std::isfinite(cp)) return Invalid("The heat capacity points must be finite numbers");
    if (T < kPointMin || T > kPointMax)
      return Invalid("The heat capacity at " + Kelvin(T) + " lies outside 298.15–1500 K");
    if (!(cp > 0)) return Invalid("The heat capacity at " + Kelvin(T) + " must be positive");
    for (std::size_t j = 0; j < i; ++j)
      if (std::abs(points.HeatCapacity[j].first - T) < kRepeatedGap)
        return Invalid("The heat capacity is given twice at " + Kelvin(T));
  }
  return {};
}

// a6 and a7 of a range so that H and S take the given values at T.
void SetEnthalpyEntropy(std::array<double, 7>& a, double T, double enthalpy, double entropy) {
  a[5] = enthalpy / kNasaGasConstant - T * (a[0] + T * (a[1] / 2 + T * (a[2] / 3 + T * (a[3] / 4 + T * a[4] / 5))));
  a[6] = entropy / kNasaGasConstant - (a[0] * std::log(T) + T * (a[1] + T * (a[2] / 2 + T * (a[3] / 3 + T * a[4] / 4))));
}

// Coefficients in powers of T from those in powers of t = T / 1000 K.
std::array<double, 7> Unscaled(const TRange& b) {
  std::array<double, 7> a{};
  double factor = 1;
  for (int k = 0; k < kTerms; ++k, factor /= kScale) a[k] = b[k] * factor;
  return a;
}

}  // namespace

double LowHeatCapacityLimit(TMolecularShape shape) {
  // Classical equipartition: R/2 per translational and rotational degree of
  // freedom plus R for cp − cv; 3 translations, 0, 2 or 3 rotations.
  switch (shape) {
    case TMolecularShape::Atom: return 2.5 * kNasaGasConstant;
    case TMolecularShape::Linear: return 3.5 * kNasaGasConstant;
    case TMolecularShape::Nonlinear: break;
  }
  return 4.0 * kNasaGasConstant;
}

double HighHeatCapacityLimit(TMolecularShape shape, int atomCount) {
  // The low limit plus R for each of the 3N − 5 (linear) or 3N − 6 vibrations.
  const double n = atomCount;
  switch (shape) {
    case TMolecularShape::Atom: return 2.5 * kNasaGasConstant;
    case TMolecularShape::Linear: return (3 * n - 1.5) * kNasaGasConstant;
    case TMolecularShape::Nonlinear: break;
  }
  return (3 * n - 2) * kNasaGasConstant;
}

TResult<TNasaPolynomial> FitNasaPolynomial(const TThermoPoints& points) {
  if (auto valid = Validate(points); !valid) return valid.error();
  TNasaPolynomial polynomial;
  polynomial.TLow = kTLow, polynomial.TCommon = kTCommon, polynomial.THigh = kTHigh;
  const double cp0 = LowHeatCapacityLimit(points.Shape) / kNasaGasConstant;
  const double cpInf = HighHeatCapacityLimit(points.Shape, points.AtomCount) / kNasaGasConstant;

  TRange low{}, high{};
  if (points.Shape == TMolecularShape::Atom) {
    low[0] = high[0] = cp0;
  } else {
    TReducedPoints reduced;
    reduced.Count = static_cast<int>(points.HeatCapacity.size());
    reduced.MaxCoefficients = std::min(4, reduced.Count - 1);
    for (int i = 0; i < reduced.Count; ++i) {
      reduced.T[i] = points.HeatCapacity[i].first;
      reduced.R[i] = (points.HeatCapacity[i].second / kNasaGasConstant - cp0) / (cpInf - cp0);
    }
    const TWilhoit curve = FitWilhoit(reduced, cp0, cpInf);
    std::array<double, kSamples> samples{};
    for (int s = 0; s < kSamples; ++s) samples[s] = curve.Value(SampleTemperature(s));
    const TFitOperator& op = FitOperator();
    for (int k = 0; k < kTerms; ++k) {
      double l = 0, h = 0;
      for (int s = 0; s < kSamples; ++s) {
        l += op.M[k][s] * samples[s];
        h += op.M[kTerms + k][s] * samples[s];
      }
      low[k] = l, high[k] = h;
    }
    if (!PolynomialAcceptable(low, high, cp0, cpInf)) Repair(low, high, cp0, cpInf);
  }
  polynomial.Low = Unscaled(low);
  polynomial.High = Unscaled(high);
  SetEnthalpyEntropy(polynomial.Low, kTLow, points.Enthalpy298, points.Entropy298);
  SetEnthalpyEntropy(polynomial.High, kTCommon, NasaEnthalpy(polynomial, kTCommon), NasaEntropy(polynomial, kTCommon));
  return polynomial;
}

}  // namespace korvane
