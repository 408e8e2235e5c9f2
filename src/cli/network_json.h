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

#include <ostream>
#include <string>

#include "app/export_control.h"
#include "core/byte_sink.h"
#include "core/result.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Writes the network with its note as one line of JSON (no line break at
/// the end) to `sink`, a component or reaction at a time; the exported
/// values come from `parameters`. Its records are the components and
/// reactions; Refused with kExportCancelled when stopped.
TResult<> WriteNetworkJson(const TReactionNetwork& network, const std::string& note,
                           const TKineticParameterSet& parameters, TByteSink& sink, const TWorkControl& control = {});

/// A sink onto an output stream (the tool's standard output).
class TStreamSink final : public TByteSink {
 public:
  explicit TStreamSink(std::ostream& out) : m_out(out) {}
  using TByteSink::Write;
  void Write(std::span<const std::uint8_t> bytes) override {
    m_out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::ostream& m_out;
};

}  // namespace korvane
