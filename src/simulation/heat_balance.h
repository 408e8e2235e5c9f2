#pragma once
/// The heat a reactor takes up from the inlet state to a point of the run,
/// from every species' NASA polynomial (database/species_thermo.h) and
/// steam's:
///
///   plug flow:  Q = H(n, T) - H(n0, T0)                      (steady open system, no shaft work)
///   batch:      Q = U(n, T) - U(n0, T0),  U = H - N R T       (closed, constant volume)
///
/// with H(n, T) = sum_j n_j H_j(T) + n_steam H_water(T) and N every mole of
/// the gas. The part the reactions take is the change of composition at the
/// point's temperature, sum_j (n_j - n0_j) H_j(T) (minus R T times the change
/// of moles in the batch); the rest heats the gas along the temperature
/// profile. Both are given per kg of hydrocarbon fed [kJ/kg].

#include <span>
#include <vector>

#include "core/result.h"
#include "core/work_control.h"
#include "database/nasa_polynomial.h"
#include "simulation/simulation_settings.h"

namespace korvane {

class TReactionNetwork;

/// The polynomial of every component, made on `threads` workers. NoValue
/// naming the first component the estimates cannot describe (an isotope, a
/// foreign atom); Refused when `control` asks to stop.
TResult<std::vector<TNasaPolynomial>> ComponentPolynomials(const TReactionNetwork& network, unsigned threads,
                                                          const TWorkControl& control = {});

struct THeatTaken {
  /// Everything the gas took up since the inlet, and the reactions' part [kJ/kg].
  double Total = 0.0;
  double Reactions = 0.0;
};

/// Inlet and point states of one fluid element: the components' moles, the
/// temperature [K] and the steam's moles (inert, the same at both).
struct THeatBalance {
  const std::vector<TNasaPolynomial>& Polynomials;
  TReactorKind Kind;
  std::span<const double> Initial;
  double InitialTemperature;
  double Steam;
  /// Mass of hydrocarbon fed to the element [g].
  double FedMass;

  THeatTaken At(std::span<const double> moles, double temperature) const;
};

}  // namespace korvane
