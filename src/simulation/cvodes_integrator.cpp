#include "simulation/cvodes_integrator.h"

#include <cvodes/cvodes.h>
#include <cvodes/cvodes_ls.h>
#include <nvector/nvector_serial.h>
#include <sundials/sundials_context.h>
#include <sunlinsol/sunlinsol_klu.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include <algorithm>
#include <string>

namespace korvane {

struct TCvodesIntegrator::TImpl {
  TReactorModel* Model = nullptr;
  TIntegratorOptions Options;
  SUNContext Context = nullptr;
  void* Cvode = nullptr;
  N_Vector Y = nullptr, Constraints = nullptr, Q = nullptr;
  N_Vector* YS = nullptr;
  int SensitivityCount = 0;
  SUNMatrix Matrix = nullptr;
  SUNLinearSolver Solver = nullptr;
  std::string LastError;
  bool Stopped = false;
  double TargetPosition = 0.0;

  std::size_t size() const { return Model->StateSize(); }

  ~TImpl() {
    if (YS) N_VDestroyVectorArray(YS, SensitivityCount);
    if (Cvode) CVodeFree(&Cvode);
    if (Solver) SUNLinSolFree(Solver);
    if (Matrix) SUNMatDestroy(Matrix);
    for (N_Vector v : {Y, Constraints, Q})
      if (v) N_VDestroy(v);
    if (Context) SUNContext_Free(&Context);
  }
};

namespace {

using TImpl = TCvodesIntegrator::TImpl;

std::span<double> Span(N_Vector v) {
  return {N_VGetArrayPointer(v), static_cast<std::size_t>(N_VGetLength(v))};
}

int Rhs(realtype, N_Vector y, N_Vector ydot, void* data) {
  auto& impl = *static_cast<TImpl*>(data);
  if (impl.Options.Control.StopRequested()) {
    impl.Stopped = true;
    return -1;
  }
  impl.Model->Rhs(Span(y), Span(ydot));
  return 0;
}

int Jacobian(realtype, N_Vector y, N_Vector, SUNMatrix J, void* data, N_Vector, N_Vector, N_Vector) {
  auto& impl = *static_cast<TImpl*>(data);
  // CVODE zeroes the sparse matrix, pattern included, before each call.
  const auto& rows = impl.Model->JacobianRowStart();
  const auto& columns = impl.Model->JacobianColumns();
  std::copy(rows.begin(), rows.end(), SM_INDEXPTRS_S(J));
  std::copy(columns.begin(), columns.end(), SM_INDEXVALS_S(J));
  impl.Model->Jacobian(Span(y), std::span<double>(SM_DATA_S(J), columns.size()));
  return 0;
}

int SensitivityRhs(int count, realtype, N_Vector y, N_Vector, N_Vector* yS, N_Vector* ySdot, void* data, N_Vector,
                   N_Vector) {
  auto& impl = *static_cast<TImpl*>(data);
  impl.Model->Evaluate(Span(y));
  for (int p = 0; p < count; ++p)
    impl.Model->SensitivityRhs(Span(y), Span(yS[p]), static_cast<std::size_t>(p), Span(ySdot[p]));
  return 0;
}

int QuadratureRhs(realtype, N_Vector y, N_Vector qdot, void* data) {
  auto& impl = *static_cast<TImpl*>(data);
  impl.Options.Quadrature(Span(y), Span(qdot));
  return 0;
}

int PositionRoot(realtype, N_Vector y, realtype* g, void* data) {
  auto& impl = *static_cast<TImpl*>(data);
  g[0] = impl.Model->PositionOf(Span(y)) - impl.TargetPosition;
  return 0;
}

void KeepError(int, const char* module, const char* function, char* message, void* data) {
  static_cast<TImpl*>(data)->LastError = std::string(module) + " " + function + ": " + message;
}

TError SetupError(const std::string& what) {
  return {TErrorCode::InvalidInput, "The solver could not be set up (" + what + ")."};
}

}  // namespace

TCvodesIntegrator::TCvodesIntegrator(std::unique_ptr<TImpl> impl) : m_impl(std::move(impl)) {}
TCvodesIntegrator::~TCvodesIntegrator() = default;

TResult<std::unique_ptr<TCvodesIntegrator>> TCvodesIntegrator::Create(TReactorModel& model,
                                                                      const TIntegratorOptions& options) {
  auto impl = std::make_unique<TImpl>();
  TImpl& m = *impl;
  m.Model = &model;
  m.Options = options;
  if (SUNContext_Create(nullptr, &m.Context) != 0) return SetupError("context");
  const auto n = static_cast<sunindextype>(model.StateSize());
  m.Y = N_VNew_Serial(n, m.Context);
  m.Constraints = N_VNew_Serial(n, m.Context);
  m.Cvode = CVodeCreate(CV_BDF, m.Context);
  if (!m.Y || !m.Constraints || !m.Cvode) return SetupError("memory");
  CVodeSetErrHandlerFn(m.Cvode, KeepError, &m);
  model.InitialState(Span(m.Y));
  if (CVodeInit(m.Cvode, Rhs, 0.0, m.Y) != CV_SUCCESS ||
      CVodeSStolerances(m.Cvode, options.RelativeTolerance, options.AbsoluteTolerance) != CV_SUCCESS ||
      CVodeSetUserData(m.Cvode, &m) != CV_SUCCESS)
    return SetupError(m.LastError);
  CVodeSetMaxNumSteps(m.Cvode, 1000000);

  const auto nonZeros = static_cast<sunindextype>(model.JacobianColumns().size());
  m.Matrix = SUNSparseMatrix(n, n, nonZeros, CSR_MAT, m.Context);
  m.Solver = m.Matrix ? SUNLinSol_KLU(m.Y, m.Matrix, m.Context) : nullptr;
  if (!m.Solver || CVodeSetLinearSolver(m.Cvode, m.Solver, m.Matrix) != CVLS_SUCCESS ||
      CVodeSetJacFn(m.Cvode, Jacobian) != CVLS_SUCCESS)
    return SetupError("sparse linear solver: " + m.LastError);

  // Moles never fall below 0; the position is free.
  N_VConst(1.0, m.Constraints);
  if (model.TracksPosition()) Span(m.Constraints)[model.SpeciesCount()] = 0.0;
  if (CVodeSetConstraints(m.Cvode, m.Constraints) != CV_SUCCESS) return SetupError("constraints: " + m.LastError);

  if (options.Sensitivities && !model.SensitivityParameters().empty()) {
    m.SensitivityCount = static_cast<int>(model.SensitivityParameters().size());
    m.YS = N_VCloneVectorArray(m.SensitivityCount, m.Y);
    if (!m.YS) return SetupError("memory");
    for (int p = 0; p < m.SensitivityCount; ++p) N_VConst(0.0, m.YS[p]);
    // Scales of the sensitivity tolerances: ln A and kJ/mol are both of order 1.
    std::vector<realtype> scales(static_cast<std::size_t>(m.SensitivityCount), 1.0);
    if (CVodeSensInit(m.Cvode, m.SensitivityCount, CV_STAGGERED, SensitivityRhs, m.YS) != CV_SUCCESS ||
        CVodeSetSensParams(m.Cvode, nullptr, scales.data(), nullptr) != CV_SUCCESS ||
        CVodeSensEEtolerances(m.Cvode) != CV_SUCCESS || CVodeSetSensErrCon(m.Cvode, SUNTRUE) != CV_SUCCESS)
      return SetupError("sensitivities: " + m.LastError);
  }
  if (options.QuadratureCount > 0) {
    m.Q = N_VNew_Serial(static_cast<sunindextype>(options.QuadratureCount), m.Context);
    if (!m.Q) return SetupError("memory");
    N_VConst(0.0, m.Q);
    if (CVodeQuadInit(m.Cvode, QuadratureRhs, m.Q) != CV_SUCCESS) return SetupError("quadratures: " + m.LastError);
  }
  if (model.TracksPosition() && CVodeRootInit(m.Cvode, 1, PositionRoot) != CV_SUCCESS)
    return SetupError("position: " + m.LastError);
  return std::unique_ptr<TCvodesIntegrator>(new TCvodesIntegrator(std::move(impl)));
}

TResult<> TCvodesIntegrator::fetch(int flag) {
  TImpl& m = *m_impl;
  if (m.Stopped) return TError{TErrorCode::Refused, std::string(kSimulationStopped)};
  if (flag < 0)
    return TError{TErrorCode::NoValue, "The integration failed at t = " + std::to_string(m_time) + " s (" +
                                           CVodeGetReturnFlagName(flag) + "): " + m.LastError};
  if (m.YS) CVodeGetSens(m.Cvode, &m_time, m.YS);
  if (m.Q) CVodeGetQuad(m.Cvode, &m_time, m.Q);
  return {};
}

TResult<> TCvodesIntegrator::AdvanceTo(double t) {
  TImpl& m = *m_impl;
  // Far beyond any position: the root function must not stop a run in time.
  m.TargetPosition = 1.0e300;
  if (t <= m_time) return {};
  const int flag = CVode(m.Cvode, t, m.Y, &m_time, CV_NORMAL);
  return fetch(flag);
}

TResult<> TCvodesIntegrator::AdvanceToPosition(double z) {
  TImpl& m = *m_impl;
  m.TargetPosition = z;
  if (m.Model->PositionOf(State()) >= z) return {};
  CVodeRootInit(m.Cvode, 1, PositionRoot);
  // Aim past the time the element needs at its present speed; the root ends the call.
  for (int attempt = 0; attempt < 200; ++attempt) {
    std::vector<double> ydot(m.size());
    m.Model->Rhs(State(), ydot);
    const double speed = ydot[m.Model->SpeciesCount()];
    const double ahead = speed > 0.0 ? 2.0 * (z - m.Model->PositionOf(State())) / speed : 1.0;
    const int flag = CVode(m.Cvode, m_time + std::max(ahead, 1.0e-12), m.Y, &m_time, CV_NORMAL);
    if (const auto fetched = fetch(flag); !fetched) return fetched;
    if (flag == CV_ROOT_RETURN || m.Model->PositionOf(State()) >= z) return {};
  }
  return TError{TErrorCode::NoValue, "The fluid element did not reach the position " + std::to_string(z) + " m."};
}

std::span<const double> TCvodesIntegrator::State() const { return Span(m_impl->Y); }

std::span<const double> TCvodesIntegrator::Sensitivity(std::size_t which) const {
  return Span(m_impl->YS[which]);
}

std::span<const double> TCvodesIntegrator::Quadratures() const {
  return m_impl->Q ? std::span<const double>(Span(m_impl->Q)) : std::span<const double>();
}

TCvodesIntegrator::TStatistics TCvodesIntegrator::Statistics() const {
  TStatistics statistics;
  void* cvode = m_impl->Cvode;
  CVodeGetNumSteps(cvode, &statistics.Steps);
  CVodeGetNumRhsEvals(cvode, &statistics.RhsEvaluations);
  CVodeGetNumJacEvals(cvode, &statistics.JacobianEvaluations);
  CVodeGetNumErrTestFails(cvode, &statistics.ErrorTestFailures);
  CVodeGetNumNonlinSolvConvFails(cvode, &statistics.NewtonFailures);
  return statistics;
}

}  // namespace korvane
