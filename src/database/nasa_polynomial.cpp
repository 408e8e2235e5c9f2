#include "database/nasa_polynomial.h"

#include <cmath>

namespace korvane {
namespace {

const std::array<double, 7>& RangeOf(const TNasaPolynomial& polynomial, double T) {
  return T <= polynomial.TCommon ? polynomial.Low : polynomial.High;
}

// H, H2 and H2O as in the GRI-Mech 3.0 thermodynamic data (G. P. Smith et
// al., thermo30.dat, 1999; H with its vanishing a2..a5 dropped); N2 and He
// from A. Burcat and B. Ruscic, Third Millennium Ideal Gas and Condensed
// Phase Thermochemical Database (ANL-05/20, TAE 960). Each reproduces the
// JANAF tables (M. W. Chase, NIST-JANAF Thermochemical Tables, 4th ed.,
// 1998) to a few hundredths of a per cent.
constexpr TNasaPolynomial kHydrogenAtom{
    200.0, 1000.0, 3500.0,
    {2.5, 0.0, 0.0, 0.0, 0.0, 2.54736599e+04, -4.46682853e-01},
    {2.5, 0.0, 0.0, 0.0, 0.0, 2.54736599e+04, -4.46682853e-01}};
constexpr TNasaPolynomial kHydrogen{
    200.0, 1000.0, 3500.0,
    {2.34433112e+00, 7.98052075e-03, -1.94781510e-05, 2.01572094e-08, -7.37611761e-12, -9.17935173e+02,
     6.83010238e-01},
    {3.33727920e+00, -4.94024731e-05, 4.99456778e-07, -1.79566394e-10, 2.00255376e-14, -9.50158922e+02,
     -3.20502331e+00}};
constexpr TNasaPolynomial kHelium{
    200.0, 1000.0, 6000.0,
    {2.5, 0.0, 0.0, 0.0, 0.0, -7.45375000e+02, 9.28723974e-01},
    {2.5, 0.0, 0.0, 0.0, 0.0, -7.45375000e+02, 9.28723974e-01}};
constexpr TNasaPolynomial kNitrogen{
    200.0, 1000.0, 6000.0,
    {3.53100528e+00, -1.23660988e-04, -5.02999433e-07, 2.43530612e-09, -1.40881235e-12, -1.04697628e+03,
     2.96747038e+00},
    {2.95257637e+00, 1.39690040e-03, -4.92631603e-07, 7.86010195e-11, -4.60755204e-15, -9.23948688e+02,
     5.87188762e+00}};
constexpr TNasaPolynomial kWater{
    200.0, 1000.0, 3500.0,
    {4.19864056e+00, -2.03643410e-03, 6.52040211e-06, -5.48797062e-09, 1.77197817e-12, -3.02937267e+04,
     -8.49032208e-01},
    {3.03399249e+00, 2.17691804e-03, -1.64072518e-07, -9.70419870e-11, 1.68200992e-14, -3.00042971e+04,
     4.96677010e+00}};

}  // namespace

double NasaHeatCapacity(const TNasaPolynomial& polynomial, double T) {
  const auto& a = RangeOf(polynomial, T);
  return kNasaGasConstant * (a[0] + T * (a[1] + T * (a[2] + T * (a[3] + T * a[4]))));
}

double NasaEnthalpy(const TNasaPolynomial& polynomial, double T) {
  const auto& a = RangeOf(polynomial, T);
  return kNasaGasConstant * (T * (a[0] + T * (a[1] / 2 + T * (a[2] / 3 + T * (a[3] / 4 + T * a[4] / 5)))) + a[5]);
}

double NasaEntropy(const TNasaPolynomial& polynomial, double T) {
  const auto& a = RangeOf(polynomial, T);
  return kNasaGasConstant * (a[0] * std::log(T) + T * (a[1] + T * (a[2] / 2 + T * (a[3] / 3 + T * a[4] / 4))) + a[6]);
}

const TNasaPolynomial& LiteraturePolynomial(TLiteratureSpecies species) {
  switch (species) {
    case TLiteratureSpecies::HydrogenAtom: return kHydrogenAtom;
    case TLiteratureSpecies::Hydrogen: return kHydrogen;
    case TLiteratureSpecies::Helium: return kHelium;
    case TLiteratureSpecies::Nitrogen: return kNitrogen;
    case TLiteratureSpecies::Water: break;
  }
  return kWater;
}

}  // namespace korvane
