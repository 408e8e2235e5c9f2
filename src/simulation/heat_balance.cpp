#include "simulation/heat_balance.h"

#include <string>

#include "app/ordered_chunks.h"
#include "database/species_thermo.h"
#include "reactions/reaction_network.h"

namespace korvane {

TResult<std::vector<TNasaPolynomial>> ComponentPolynomials(const TReactionNetwork& network, unsigned threads,
                                                          const TWorkControl& control) {
  struct TRecord {
    TNasaPolynomial Polynomial;
    std::string Failure;
  };
  const std::size_t count = network.ComponentCount();
  std::vector<TNasaPolynomial> polynomials;
  polynomials.reserve(count);
  std::string failure;
  TWorkCounter counter(control, count);
  ForEachChunkInOrder<TRecord>(
      count, threads,
      [&network](std::size_t j) {
        // On a copy, as the exports do: the estimate builds the atoms and
        // matrices, which go with the copy instead of staying on the network.
        const auto thermo = SpeciesThermo(*network.Component(j)->Copy());
        if (thermo) return TRecord{thermo.value().Polynomial, {}};
        return TRecord{{}, "no thermodynamic data for component " + std::to_string(j) + ": " + thermo.error().Message};
      },
      [&](std::size_t, std::vector<TRecord> records) {
        for (TRecord& record : records) {
          if (!record.Failure.empty()) {
            failure = std::move(record.Failure);
            return false;
          }
          polynomials.push_back(record.Polynomial);
        }
        return counter.Step(records.size());
      });
  if (!failure.empty()) return TError{TErrorCode::NoValue, failure};
  if (counter.Stopped()) return TError{TErrorCode::Refused, "stopped"};
  return polynomials;
}

THeatTaken THeatBalance::At(std::span<const double> moles, double temperature) const {
  const TNasaPolynomial& water = LiteraturePolynomial(TLiteratureSpecies::Water);
  double enthalpy = Steam * (NasaEnthalpy(water, temperature) - NasaEnthalpy(water, InitialTemperature));
  double reactions = 0.0;
  double finalMoles = Steam, initialMoles = Steam;
  for (std::size_t j = 0; j < Polynomials.size(); ++j) {
    if (moles[j] == 0.0 && Initial[j] == 0.0) continue;
    const double hot = NasaEnthalpy(Polynomials[j], temperature);
    enthalpy += moles[j] * hot - Initial[j] * NasaEnthalpy(Polynomials[j], InitialTemperature);
    reactions += (moles[j] - Initial[j]) * hot;
    finalMoles += moles[j];
    initialMoles += Initial[j];
  }
  if (Kind == TReactorKind::Batch) {
    enthalpy -= kNasaGasConstant * (finalMoles * temperature - initialMoles * InitialTemperature);
    reactions -= kNasaGasConstant * temperature * (finalMoles - initialMoles);
  }
  // J per g of hydrocarbon is kJ per kg.
  return {enthalpy / FedMass, reactions / FedMass};
}

}  // namespace korvane
