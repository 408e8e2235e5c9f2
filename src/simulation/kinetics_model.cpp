#include "simulation/kinetics_model.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "app/export_kinetics.h"
#include "reactions/reaction.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

// k_i times the product of the concentrations of every reactant entry but `skip`.
double ProductWithout(const std::uint32_t* entries, std::size_t count, std::size_t skip, std::span<const double> c) {
  double product = 1.0;
  for (std::size_t e = 0; e < count; ++e)
    if (e != skip) product *= c[entries[e]];
  return product;
}

}  // namespace

TResult<TKineticsModel> TKineticsModel::Build(const TReactionNetwork& network, const TKineticsInput& input) {
  if (!(input.ActiveRadicals >= 0.0) || !std::isfinite(input.ActiveRadicals))
    return TError{TErrorCode::InvalidInput, "The concentration of active radicals must be a finite number of 0 or more."};
  const TExportKinetics kinetics = ReactionKinetics(network, input.Global, input.Alternative);
  if (!kinetics.MissingKeys.empty())
    return TError{TErrorCode::KineticParameters, MissingParametersMessage(kinetics.MissingKeys)};

  TKineticsModel model;
  const std::size_t species = network.ComponentCount(), reactions = network.ReactionCount();
  model.m_speciesCount = species;
  model.m_cActR = input.ActiveRadicals;
  model.m_A.reserve(reactions);
  model.m_E.reserve(reactions);
  model.m_activeRadicals.reserve(reactions);
  model.m_entryStart.reserve(reactions + 1);
  model.m_entryStart.push_back(0);

  // Stoichiometry gathered by reaction, then turned into rows by species.
  std::vector<std::int64_t> rowCount(species + 1, 0);
  struct Term {
    std::uint32_t Species, Reaction;
    double Coefficient;
  };
  std::vector<Term> terms;
  for (std::size_t i = 0; i < reactions; ++i) {
    const TReaction& reaction = *network.Reaction(i);
    model.m_A.push_back(kinetics.Reactions[i].A);
    model.m_E.push_back(kinetics.Reactions[i].E);
    model.m_activeRadicals.push_back(reaction.MultiplyByActiveRadicals);
    for (const TMolecule* reactant : reaction.Reactants) {
      assert(reactant->ID >= 0 && static_cast<std::size_t>(reactant->ID) < species);
      model.m_entries.push_back(static_cast<std::uint32_t>(reactant->ID));
    }
    model.m_entryStart.push_back(static_cast<std::int64_t>(model.m_entries.size()));
    // A species on both sides, or twice on one, keeps one net coefficient.
    const std::size_t first = terms.size();
    auto add = [&](const TMolecule* molecule, std::int32_t coefficient) {
      const auto j = static_cast<std::uint32_t>(molecule->ID);
      for (std::size_t t = first; t < terms.size(); ++t)
        if (terms[t].Species == j) {
          terms[t].Coefficient += coefficient;
          return;
        }
      terms.push_back({j, static_cast<std::uint32_t>(i), static_cast<double>(coefficient)});
    };
    for (std::size_t k = 0; k < reaction.Reactants.size(); ++k) add(reaction.Reactants[k], reaction.ReactantCoefs[k]);
    for (std::size_t k = 0; k < reaction.Products.size(); ++k) add(reaction.Products[k], reaction.ProductCoefs[k]);
    terms.erase(std::remove_if(terms.begin() + static_cast<std::ptrdiff_t>(first), terms.end(),
                               [](const Term& t) { return t.Coefficient == 0.0; }),
                terms.end());

    if (reaction.UsesExplicitKinetics() || reaction.ReactionType == kOtherReaction2) continue;
    std::array<std::uint8_t, kKineticParameterCount> inA{}, inE{};
    for (char entry : reaction.FreqFact2)
      if (static_cast<unsigned char>(entry) < kKineticParameterCount) ++inA[static_cast<unsigned char>(entry)];
    for (char entry : reaction.ActEnerg2)
      if (static_cast<unsigned char>(entry) < kKineticParameterCount) ++inE[static_cast<unsigned char>(entry)];
    for (int m = 0; m < kKineticParameterCount; ++m)
      if (inA[m] || inE[m])
        model.m_parameterLinks.push_back({static_cast<std::uint32_t>(i), static_cast<std::uint8_t>(m), inA[m], inE[m]});
  }

  for (const Term& t : terms) ++rowCount[t.Species + 1];
  for (std::size_t j = 0; j < species; ++j) rowCount[j + 1] += rowCount[j];
  model.m_speciesRowStart = rowCount;
  model.m_speciesReactions.resize(terms.size());
  model.m_speciesCoefficients.resize(terms.size());
  {
    std::vector<std::int64_t> next(rowCount.begin(), rowCount.end() - 1);
    for (const Term& t : terms) {
      const auto at = static_cast<std::size_t>(next[t.Species]++);
      model.m_speciesReactions[at] = t.Reaction;
      model.m_speciesCoefficients[at] = t.Coefficient;
    }
  }

  // Jacobian pattern: row j holds the reactant entries of the reactions of j, and j.
  std::vector<std::int64_t> mark(species, -1), position(species, 0);
  model.m_jacobianRowStart.push_back(0);
  for (std::size_t j = 0; j < species; ++j) {
    const auto rowBegin = model.m_jacobianColumns.size();
    auto addColumn = [&](std::uint32_t l) {
      if (mark[l] == static_cast<std::int64_t>(j)) return;
      mark[l] = static_cast<std::int64_t>(j);
      model.m_jacobianColumns.push_back(l);
    };
    addColumn(static_cast<std::uint32_t>(j));
    for (auto s = model.m_speciesRowStart[j]; s < model.m_speciesRowStart[j + 1]; ++s) {
      const std::uint32_t i = model.m_speciesReactions[static_cast<std::size_t>(s)];
      for (auto e = model.m_entryStart[i]; e < model.m_entryStart[i + 1]; ++e)
        addColumn(model.m_entries[static_cast<std::size_t>(e)]);
    }
    std::sort(model.m_jacobianColumns.begin() + static_cast<std::ptrdiff_t>(rowBegin), model.m_jacobianColumns.end());
    for (auto p = rowBegin; p < model.m_jacobianColumns.size(); ++p)
      position[static_cast<std::size_t>(model.m_jacobianColumns[p])] = static_cast<std::int64_t>(p);
    for (auto s = model.m_speciesRowStart[j]; s < model.m_speciesRowStart[j + 1]; ++s) {
      const std::uint32_t i = model.m_speciesReactions[static_cast<std::size_t>(s)];
      for (auto e = model.m_entryStart[i]; e < model.m_entryStart[i + 1]; ++e)
        model.m_jacobianScatter.push_back(position[model.m_entries[static_cast<std::size_t>(e)]]);
    }
    model.m_jacobianRowStart.push_back(static_cast<std::int64_t>(model.m_jacobianColumns.size()));
  }
  return model;
}

void TKineticsModel::RateConstants(double T, std::span<double> k) const {
  const double factor = -1000.0 / (kExportGasConstant * T);
  for (std::size_t i = 0; i < m_A.size(); ++i)
    k[i] = m_A[i] * std::exp(factor * m_E[i]) * (m_activeRadicals[i] ? m_cActR : 1.0);
}

void TKineticsModel::Rates(std::span<const double> k, std::span<const double> c, std::span<double> r) const {
  for (std::size_t i = 0; i < m_A.size(); ++i) {
    double rate = k[i];
    for (auto e = m_entryStart[i]; e < m_entryStart[i + 1]; ++e) rate *= c[m_entries[static_cast<std::size_t>(e)]];
    r[i] = rate;
  }
}

void TKineticsModel::Production(std::span<const double> r, std::span<double> dcdt) const {
  for (std::size_t j = 0; j < m_speciesCount; ++j) {
    double sum = 0.0;
    for (auto s = m_speciesRowStart[j]; s < m_speciesRowStart[j + 1]; ++s)
      sum += m_speciesCoefficients[static_cast<std::size_t>(s)] * r[m_speciesReactions[static_cast<std::size_t>(s)]];
    dcdt[j] = sum;
  }
}

void TKineticsModel::RateDirection(std::span<const double> k, std::span<const double> c, std::span<const double> v,
                                   std::span<double> dr) const {
  for (std::size_t i = 0; i < m_A.size(); ++i) {
    const std::uint32_t* entries = m_entries.data() + m_entryStart[i];
    const auto count = static_cast<std::size_t>(m_entryStart[i + 1] - m_entryStart[i]);
    double sum = 0.0;
    for (std::size_t e = 0; e < count; ++e) sum += ProductWithout(entries, count, e, c) * v[entries[e]];
    dr[i] = k[i] * sum;
  }
}

void TKineticsModel::Jacobian(std::span<const double> k, std::span<const double> c, std::span<double> values) const {
  std::fill(values.begin(), values.end(), 0.0);
  std::size_t scatter = 0;
  for (std::size_t j = 0; j < m_speciesCount; ++j)
    for (auto s = m_speciesRowStart[j]; s < m_speciesRowStart[j + 1]; ++s) {
      const std::uint32_t i = m_speciesReactions[static_cast<std::size_t>(s)];
      const double scale = m_speciesCoefficients[static_cast<std::size_t>(s)] * k[i];
      const std::uint32_t* entries = m_entries.data() + m_entryStart[i];
      const auto count = static_cast<std::size_t>(m_entryStart[i + 1] - m_entryStart[i]);
      for (std::size_t e = 0; e < count; ++e)
        values[static_cast<std::size_t>(m_jacobianScatter[scatter++])] += scale * ProductWithout(entries, count, e, c);
    }
}

std::vector<int> TKineticsModel::LinkedParameters() const {
  std::array<bool, kKineticParameterCount> used{};
  for (const TParameterLink& link : m_parameterLinks) used[link.Parameter] = true;
  std::vector<int> linked;
  for (int m = 0; m < kKineticParameterCount; ++m)
    if (used[m]) linked.push_back(m);
  return linked;
}

}  // namespace korvane
