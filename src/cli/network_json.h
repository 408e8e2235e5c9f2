#pragma once
/// The JSON form of a reaction network, stable for scripts:
///
///   {"note":..,"preferences":{"temperature":T,"e_beta":..,"e_htransfer":..,"e_allyl":..,
///    "min_selectivity":..},
///    "components":[{"index":i,"name":..,"formula":..,"smiles":.. or null,
///      "atoms":n,"radical":b,"root":b,"inert":b},...],
///    "reactions":[{"index":i,"type":code,"reactants":[[component,coefficient],...],
///      "products":[[component,coefficient],...],"E":kJ/mol,"A":..,
///      "selectivity":..,"selectivity_after_filter":..,
///      "multiply_by_active_radicals":b,"freq_recipe":[parameter indexes],
///      "act_recipe":[parameter indexes],"A_value":..,"E_value":kJ/mol},...]}
///
/// "A" and "E" are the explicit values generation uses; "A_value" and
/// "E_value" the values the exports write, from the kinetic parameter set.
/// Reactant coefficients are negative, product coefficients positive;
/// "formula" is the molecular formula in Hill order ("H", "C2H6").

#include <string>

#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// The network with its note as one line of JSON (no line break at the
/// end); the exported values come from `parameters`.
std::string NetworkJson(const TReactionNetwork& network, const std::string& note,
                        const TKineticParameterSet& parameters);

}  // namespace korvane
