#pragma once
/// The JSON form of a reaction network, stable for scripts:
///
///   {"preferences":{"temperature":T,"e_beta":..,"e_htransfer":..,"e_allyl":..,
///    "min_selectivity":..},
///    "components":[{"index":i,"name":..,"formula":..,"smiles":.. or null,
///      "atoms":n,"radical":b,"root":b,"inert":b},...],
///    "reactions":[{"index":i,"type":code,"reactants":[[component,coefficient],...],
///      "products":[[component,coefficient],...],"E":kJ/mol,"A":..,
///      "selectivity":..,"selectivity_after_filter":..,
///      "multiply_by_active_radicals":b,"freq_recipe":[parameter indexes],
///      "act_recipe":[parameter indexes]},...]}
///
/// Reactant coefficients are negative, product coefficients positive;
/// "formula" is the system's formula text ("H1", "H6C2").

#include <string>

#include "reactions/reaction_network.h"

namespace korvane {

/// The network as one line of JSON (no line break at the end).
std::string NetworkJson(const TReactionNetwork& network);

}  // namespace korvane
