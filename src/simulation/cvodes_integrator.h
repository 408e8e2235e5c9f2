#pragma once
/// TCvodesIntegrator: one reactor's equations integrated by SUNDIALS CVODES
/// (BDF, Newton iteration, KLU sparse direct linear solver), with forward
/// sensitivities to the linked kinetic parameters and quadratures when
/// asked. Species moles are kept non-negative by CVODE's inequality
/// constraints.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/result.h"
#include "core/work_control.h"
#include "simulation/reactor_model.h"

namespace korvane {

struct TIntegratorOptions {
  double RelativeTolerance = 1.0e-7;
  double AbsoluteTolerance = 1.0e-12;
  /// Follow the sensitivities to the model's SensitivityParameters.
  bool Sensitivities = false;
  /// Quantities integrated beside the state: their time derivatives at a
  /// state, written into the span given (one per quadrature).
  std::size_t QuadratureCount = 0;
  std::function<void(std::span<const double> y, std::span<double> qdot)> Quadrature;
  /// Looked at in every evaluation of the equations; a stop ends the step
  /// under way.
  TWorkControl Control;
};

class TCvodesIntegrator {
 public:
  /// Ready at t = 0 with the model's initial state. `model` is not owned.
  /// InvalidInput with the solver's message when SUNDIALS refuses the setup.
  static TResult<std::unique_ptr<TCvodesIntegrator>> Create(TReactorModel& model, const TIntegratorOptions& options);
  ~TCvodesIntegrator();
  TCvodesIntegrator(const TCvodesIntegrator&) = delete;
  TCvodesIntegrator& operator=(const TCvodesIntegrator&) = delete;

  /// Integrates to time `t` [s]. Refused with kSimulationStopped when the
  /// control's stop was set, NoValue with the solver's message when the
  /// integration fails.
  TResult<> AdvanceTo(double t);
  /// Integrates until the element reaches position `z` [m] (position tracked).
  TResult<> AdvanceToPosition(double z);

  double Time() const { return m_time; }
  std::span<const double> State() const;
  /// Sensitivity of the state to parameter `which`, at Time().
  std::span<const double> Sensitivity(std::size_t which) const;
  /// The quadratures at Time().
  std::span<const double> Quadratures() const;
  /// Counters of the integration so far.
  struct TStatistics {
    long Steps = 0, RhsEvaluations = 0, JacobianEvaluations = 0, ErrorTestFailures = 0, NewtonFailures = 0;
  };
  TStatistics Statistics() const;

  /// The SUNDIALS objects; defined in the source only.
  struct TImpl;

 private:
  explicit TCvodesIntegrator(std::unique_ptr<TImpl> impl);
  TResult<> fetch(int flag);
  std::unique_ptr<TImpl> m_impl;
  double m_time = 0.0;
};

/// The message of a run ended by its stop flag.
inline constexpr std::string_view kSimulationStopped = "The simulation was stopped.";

}  // namespace korvane
