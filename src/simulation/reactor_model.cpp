#include "simulation/reactor_model.h"

#include <algorithm>
#include <cassert>
#include <numeric>

#include "app/export_kinetics.h"

namespace korvane {

TReactorModel::TReactorModel(const TKineticsModel& kinetics, const TSimulationSettings& settings,
                             std::span<const double> global, std::vector<double> initial, double steam)
    : m_kinetics(kinetics),
      m_kind(settings.Reactor),
      m_profile(settings.Profile),
      m_pressure(settings.Pressure),
      m_pressureSlope(settings.Length ? -settings.PressureDrop / *settings.Length : 0.0),
      m_velocity(settings.Velocity.value_or(0.0)),
      m_steam(steam),
      m_tracksPosition(settings.Reactor == TReactorKind::PlugFlow && settings.Velocity.has_value()),
      m_species(kinetics.SpeciesCount()),
      m_initial(std::move(initial)),
      m_parameters(kinetics.LinkedParameters()) {
  assert(m_initial.size() == m_species);
  for (int m : m_parameters) m_parameterValues.push_back(global[static_cast<std::size_t>(m)]);
  const std::size_t reactions = kinetics.ReactionCount();
  for (auto* v : {&m_c, &m_f, &m_dc, &m_df}) v->assign(m_species, 0.0);
  for (auto* v : {&m_k, &m_r, &m_dr}) v->assign(reactions, 0.0);
  m_rowStart = kinetics.JacobianRowStart();
  m_columns = kinetics.JacobianColumns();
  m_jacobian.assign(m_columns.size(), 0.0);
  if (m_tracksPosition) {
    m_columns.push_back(static_cast<std::int64_t>(m_species));
    m_rowStart.push_back(static_cast<std::int64_t>(m_columns.size()));
  }
}

void TReactorModel::InitialState(std::span<double> y) const {
  std::copy(m_initial.begin(), m_initial.end(), y.begin());
  if (m_tracksPosition) y[m_species] = 0.0;
}

double TReactorModel::TemperatureOf(std::span<const double> y) const { return m_profile.At(PositionOf(y)); }

double TReactorModel::PressureOf(std::span<const double> y) const {
  return m_pressure + m_pressureSlope * PositionOf(y);
}

double TReactorModel::VolumeOf(std::span<const double> y) const {
  if (m_kind == TReactorKind::Batch) return 1.0;
  const double moles = std::accumulate(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(m_species), m_steam);
  return moles * kExportGasConstant * TemperatureOf(y) / PressureOf(y);
}

void TReactorModel::Evaluate(std::span<const double> y) {
  m_T = TemperatureOf(y);
  m_N = std::accumulate(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(m_species), m_steam);
  m_V = VolumeOf(y);
  for (std::size_t j = 0; j < m_species; ++j) m_c[j] = y[j] / m_V;
  // The exponentials only change with the temperature.
  if (m_T != m_lastT) {
    m_kinetics.RateConstants(m_T, m_k);
    m_lastT = m_T;
  }
  m_kinetics.Rates(m_k, m_c, m_r);
  m_kinetics.Production(m_r, m_f);
}

void TReactorModel::Rhs(std::span<const double> y, std::span<double> ydot) {
  Evaluate(y);
  for (std::size_t j = 0; j < m_species; ++j) ydot[j] = m_V * m_f[j];
  if (m_tracksPosition) ydot[m_species] = m_velocity * m_V;
}

void TReactorModel::Jacobian(std::span<const double> y, std::span<double> values) {
  Evaluate(y);
  m_kinetics.Jacobian(m_k, m_c, std::span<double>(values.data(), m_jacobian.size()));
  if (m_tracksPosition) values[m_jacobian.size()] = 0.0;
}

void TReactorModel::RatesAt(std::span<const double> y, std::span<double> r) {
  Evaluate(y);
  std::copy(m_r.begin(), m_r.end(), r.begin());
}

void TReactorModel::SensitivityRhs(std::span<const double> y, std::span<const double> s, std::size_t which,
                                   std::span<double> out) {
  const double sz = m_tracksPosition ? s[m_species] : 0.0;
  const double slope = m_tracksPosition ? m_profile.SlopeAt(PositionOf(y)) : 0.0;
  // The element's volume follows its moles, temperature and pressure.
  double dV = 0.0;
  if (m_kind == TReactorKind::PlugFlow) {
    const double sumS = std::accumulate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(m_species), 0.0);
    dV = m_V * (sumS / m_N + (slope / m_T - m_pressureSlope / PressureOf(y)) * sz);
  }
  for (std::size_t j = 0; j < m_species; ++j) m_dc[j] = (s[j] - m_c[j] * dV) / m_V;
  m_kinetics.RateDirection(m_k, m_c, m_dc, m_dr);

  // Temperature through the position: d ln k_i / dT = 1000 E_i / (R T^2).
  const double dT = slope * sz;
  if (dT != 0.0)
    for (std::size_t i = 0; i < m_r.size(); ++i)
      m_dr[i] += m_r[i] * 1000.0 * m_kinetics.ActivationEnergy(i) / (kExportGasConstant * m_T * m_T) * dT;

  // The parameter itself: ln A entries scale A_i by the entry's share of it,
  // E entries add to E_i.
  const int parameter = m_parameters[which];
  const bool isFrequencyFactor = parameter < kE_STOPValue;
  const double scale = isFrequencyFactor ? m_parameterValues[which] : 1.0;
  for (const TParameterLink& link : m_kinetics.ParameterLinks()) {
    if (link.Parameter != parameter) continue;
    const double A = m_kinetics.FrequencyFactor(link.Reaction);
    const double lnA = A != 0.0 ? link.InA / A : 0.0;
    m_dr[link.Reaction] +=
        m_r[link.Reaction] * scale * (lnA - 1000.0 * link.InE / (kExportGasConstant * m_T));
  }
  m_kinetics.Production(m_dr, m_df);
  for (std::size_t j = 0; j < m_species; ++j) out[j] = dV * m_f[j] + m_V * m_df[j];
  if (m_tracksPosition) out[m_species] = m_velocity * dV;
}

}  // namespace korvane
