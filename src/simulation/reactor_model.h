#pragma once
/// TReactorModel: the ordinary differential equations of one reactor over a
/// kinetics model, in the moles of a fluid element.
///
/// The element holds 1 m^3 of gas at the inlet (initial) state: n_j(0) =
/// x_j p0 / (R T0), R = kExportGasConstant, with the steam's moles beside
/// the network's species (inert, not part of the state).
///
///   batch:      V = 1 m^3,            dn_j/dt = f_j(n)
///   plug flow:  V = N R T(z) / p(z),  dn_j/dt = V f_j(n / V),  dz/dt = u0 V
///
/// with N every mole of the element (steam included), f = S r the kinetics
/// model's production rates [mol/(m^3 s)], u0 the inlet velocity [m/s]. The
/// position z is a state only when an inlet velocity is given; the pressure
/// falls linearly over the length.

#include <span>
#include <vector>

#include "simulation/kinetics_model.h"
#include "simulation/simulation_settings.h"

namespace korvane {

class TReactorModel {
 public:
  /// `kinetics` is not owned and must outlive the model; `global` is the
  /// parameter table it was built with; `initial` holds the initial moles of
  /// every species, `steam` those of the steam [mol].
  TReactorModel(const TKineticsModel& kinetics, const TSimulationSettings& settings, std::span<const double> global,
                std::vector<double> initial, double steam);

  /// Species, plus the position when it is tracked.
  std::size_t StateSize() const { return m_species + (m_tracksPosition ? 1 : 0); }
  bool TracksPosition() const { return m_tracksPosition; }
  std::size_t SpeciesCount() const { return m_species; }
  void InitialState(std::span<double> y) const;

  double PositionOf(std::span<const double> y) const { return m_tracksPosition ? y[m_species] : 0.0; }
  double TemperatureOf(std::span<const double> y) const;
  double PressureOf(std::span<const double> y) const;
  /// Volume of the element [m^3].
  double VolumeOf(std::span<const double> y) const;

  /// dy/dt.
  void Rhs(std::span<const double> y, std::span<double> ydot);
  /// Pattern and values of the Newton matrix's Jacobian, compressed rows:
  /// the kinetics' sparse Jacobian (exact for the batch); the plug flow's
  /// dense rank-one terms of the element's expansion and the position's
  /// couplings are left out, which only slows the Newton iteration.
  const std::vector<std::int64_t>& JacobianRowStart() const { return m_rowStart; }
  const std::vector<std::int64_t>& JacobianColumns() const { return m_columns; }
  void Jacobian(std::span<const double> y, std::span<double> values);

  /// Global kinetic parameters whose sensitivity is followed: the linked
  /// ones; A entries in ln A, E entries in kJ/mol.
  const std::vector<int>& SensitivityParameters() const { return m_parameters; }
  /// Concentrations, temperature, rate constants and rates at state y, for
  /// SensitivityRhs (Rhs, Jacobian and RatesAt evaluate on their own).
  void Evaluate(std::span<const double> y);
  /// ds/dt of the sensitivity `s` to parameter `which` (a position in
  /// SensitivityParameters) at the state last evaluated: the exact Jacobian
  /// times s plus df/dparameter.
  void SensitivityRhs(std::span<const double> y, std::span<const double> s, std::size_t which, std::span<double> out);

  /// Rates r_i [mol/(m^3 s)] at state y, and the element's volume, for the
  /// rate of production.
  void RatesAt(std::span<const double> y, std::span<double> r);

 private:
  const TKineticsModel& m_kinetics;
  TReactorKind m_kind;
  TTemperatureProfile m_profile;
  double m_pressure, m_pressureSlope, m_velocity, m_steam;
  bool m_tracksPosition;
  std::size_t m_species;
  std::vector<double> m_initial;
  std::vector<int> m_parameters;
  std::vector<double> m_parameterValues;
  std::vector<std::int64_t> m_rowStart, m_columns;
  // Scratch, valid after evaluate().
  std::vector<double> m_c, m_k, m_r, m_f, m_dc, m_dr, m_df, m_jacobian;
  double m_T = 0.0, m_V = 1.0, m_N = 0.0;
  double m_lastT = -1.0;
};

}  // namespace korvane
