#include "cli/network_json.h"

#include <unordered_set>

#include "app/export_kinetics.h"
#include "cli/json_writer.h"
#include "core/formula.h"
#include "smiles/smiles_writer.h"

namespace korvane {
namespace {

void WriteSide(JsonWriter& json, const TReactionSide& molecules, const TSideCoefficients& coefficients) {
  json.BeginArray();
  for (std::size_t i = 0; i < molecules.size(); ++i)
    json.BeginArray().Integer(molecules[i]->ID).Integer(coefficients[i]).EndArray();
  json.EndArray();
}

void WriteRecipe(JsonWriter& json, const std::string& recipe) {
  json.BeginArray();
  for (char index : recipe) json.Integer(static_cast<unsigned char>(index));
  json.EndArray();
}

}  // namespace

TResult<> WriteNetworkJson(const TReactionNetwork& network, const std::string& note,
                           const TKineticParameterSet& parameters, TByteSink& sink, const TWorkControl& control) {
  TWorkCounter counter(control, network.ComponentCount() + network.ReactionCount());
  const TExportKinetics kinetics = ReactionKinetics(network, parameters.Table, parameters.AlternativeValues);
  JsonWriter json;
  json.BeginObject();
  json.Key("note").String(note);
  const TNetworkPreferences& preferences = network.GetPreferences();
  json.Key("preferences").BeginObject();
  json.Key("temperature").Number(preferences.NormTemperature);
  json.Key("e_beta").Number(preferences.EThresholdBetaScission);
  json.Key("e_htransfer").Number(preferences.EThresholdHTransfer);
  json.Key("e_allyl").Number(preferences.EThresholdAllyl);
  json.Key("min_selectivity").Number(preferences.MinSelectivity);
  json.EndObject();

  json.Key("components").BeginArray();
  const std::unordered_set<const TMolecule*> roots(network.Roots().begin(), network.Roots().end());
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    json.Drain(sink);
    if (!counter.Step()) return TError{TErrorCode::Refused, kExportCancelled};
    const TMolecule& component = *network.Component(i);
    json.BeginObject();
    json.Key("index").Integer(static_cast<std::int64_t>(i));
    json.Key("name").String(component.Name);
    json.Key("formula").String(HillFormula(component));
    json.Key("smiles");
    if (const auto smiles = CanonicalSmiles(component))
      json.String(smiles.value());
    else
      json.Null();
    json.Key("atoms").Integer(static_cast<std::int64_t>(component.AtomCount()));
    json.Key("radical").Bool(component.IsRadical());
    json.Key("root").Bool(roots.contains(&component));
    json.Key("inert").Bool(component.Inert);
    json.EndObject();
  }
  json.EndArray();

  json.Key("reactions").BeginArray();
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    json.Drain(sink);
    if (!counter.Step()) return TError{TErrorCode::Refused, kExportCancelled};
    const TReaction& reaction = *network.Reaction(i);
    json.BeginObject();
    json.Key("index").Integer(static_cast<std::int64_t>(i));
    json.Key("type").Integer(reaction.ReactionType);
    json.Key("reactants");
    WriteSide(json, reaction.Reactants, reaction.ReactantCoefs);
    json.Key("products");
    WriteSide(json, reaction.Products, reaction.ProductCoefs);
    json.Key("E").Number(reaction.ActEnergy);
    json.Key("A").Number(reaction.FreqFactor);
    json.Key("selectivity").Number(reaction.Selectivity);
    json.Key("selectivity_after_filter").Number(reaction.SelectivityAfterFilter);
    json.Key("multiply_by_active_radicals").Bool(reaction.MultiplyByActiveRadicals);
    json.Key("freq_recipe");
    WriteRecipe(json, reaction.FreqFact2);
    json.Key("act_recipe");
    WriteRecipe(json, reaction.ActEnerg2);
    json.Key("A_value").Number(kinetics.Reactions[i].A);
    json.Key("E_value").Number(kinetics.Reactions[i].E);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  json.Drain(sink);
  counter.Finish();
  return {};
}

}  // namespace korvane
