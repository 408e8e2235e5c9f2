#include "app/cantera_export.h"

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <cmath>
#include <map>
#include <sstream>

#include "add_reaction.h"
#include "app/chemkin_export.h"
#include "app/chemkin_names.h"
#include "chemkin_reader.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::AddReaction;
using Side = std::vector<std::pair<std::string, double>>;

// "2 A + B" as species and coefficients.
Side SideOf(const std::string& text) {
  Side side;
  std::istringstream words(text);
  double coefficient = 1.0;
  for (std::string word; words >> word;) {
    if (word == "+") continue;
    if (std::isdigit(static_cast<unsigned char>(word[0]))) {
      coefficient = std::stod(word);
      continue;
    }
    side.emplace_back(word, coefficient);
    coefficient = 1.0;
  }
  return side;
}

// The generated n-hexane network with a FORD order, a DUPLICATE pair and a
// reaction whose products equal its reactants: read back, the YAML file
// holds the species, polynomials and rate constants of the CHEMKIN route.
TEST(CanteraExport, StatesTheSpeciesThermoAndRatesOfTheChemkinMechanism) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(6));
  network.Generate();
  auto index = [&](const std::string& molecule) { return network.FindComponent(*testing::MoleculeFrom(molecule)); };
  const int hexyl = index("C. C C C C C; 0-1 1-2 2-3 3-4 4-5");
  AddReaction(network, kOtherReaction, {{hexyl, -2}, {index(testing::LinearAlkane(6)), 1},
              {index("C C C C C C; 0=1 1-2 2-3 3-4 4-5"), 1}}, false, {}, {}, 100.0, 1e10);
  const TReaction& first = *network.Reaction(0);
  AddReaction(network, kOtherReaction, {{first.Reactants[0]->ID, -1}, {first.Products[0]->ID, 1},
              {first.Products[1]->ID, 1}}, true, {}, {}, 100.0, 1e10);
  AddReaction(network, kOtherReaction, {{hexyl, -1}, {hexyl, 1}}, false, {}, {}, 100.0, 1e10);
  const TKineticParameterSet parameters;
  TChemkinExportOptions chemkinOptions;
  chemkinOptions.MechanismFile = "hexane.inp";
  chemkinOptions.ActiveRadicals = 3e-8;
  const auto chemkin = ChemkinTexts(network, parameters, chemkinOptions);
  ASSERT_TRUE(chemkin) << chemkin.error().Message;
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(chemkin->Mechanism);
  TCanteraExportOptions options;
  options.File = "hexane.yaml";
  options.ActiveRadicals = 3e-8;
  const auto text = CanteraText(network, parameters, options);
  ASSERT_TRUE(text) << text.error().Message;
  const YAML::Node yaml = YAML::Load(text.value());

  EXPECT_EQ(yaml["units"]["length"].as<std::string>(), "cm");
  EXPECT_EQ(yaml["units"]["quantity"].as<std::string>(), "mol");
  EXPECT_EQ(yaml["units"]["activation-energy"].as<std::string>(), "K");
  const YAML::Node phase = yaml["phases"][0];
  EXPECT_EQ(phase["thermo"].as<std::string>(), "ideal-gas");
  EXPECT_EQ(phase["elements"].as<std::vector<std::string>>(), (std::vector<std::string>{"C", "H", "He", "N", "O"}));
  EXPECT_EQ(phase["species"].as<std::vector<std::string>>(), mechanism.Species);

  ASSERT_EQ(yaml["species"].size(), mechanism.Species.size());
  for (const YAML::Node& species : yaml["species"]) {
    const std::string name = species["name"].as<std::string>();
    const testing::ChemkinThermoRecord& record = mechanism.Thermo.at(name);
    std::map<std::string, int> composition;
    for (const auto& element : species["composition"])
      composition[element.first.as<std::string>() == "He" ? "HE" : element.first.as<std::string>()] =
          element.second.as<int>();
    EXPECT_EQ(composition, record.Composition) << name;
    const YAML::Node thermo = species["thermo"];
    EXPECT_EQ(thermo["model"].as<std::string>(), "NASA7");
    EXPECT_EQ(thermo["temperature-ranges"].as<std::vector<double>>(),
              (std::vector<double>{record.TLow, record.TCommon, record.THigh}));
    EXPECT_EQ(thermo["data"][0].as<std::vector<double>>(), std::vector<double>(record.Low.begin(), record.Low.end()));
    EXPECT_EQ(thermo["data"][1].as<std::vector<double>>(), std::vector<double>(record.High.begin(), record.High.end()));
  }

  // Methane, from the library, states its source, and the ranges of the
  // refit that keeps its cp under the classical limit.
  const YAML::Node methane = yaml["species"][static_cast<std::size_t>(
      network.FindComponent(*testing::MoleculeFrom("C")))];
  EXPECT_EQ(methane["name"].as<std::string>(), "CH4");
  EXPECT_EQ(methane["thermo"]["note"].as<std::string>(), "GRI30");
  EXPECT_EQ(methane["thermo"]["temperature-ranges"].as<std::vector<double>>(), (std::vector<double>{298.15, 1000, 3000}));

  // Reactions equal on both sides are left out of both: the one added and an allyl isomerisation.
  EXPECT_EQ(mechanism.Reactions.size(), network.ReactionCount() - 2);
  EXPECT_NE(yaml["description"].as<std::string>().find("\n2 reactions whose products equal their reactants are "
                                                       "left out.\n"), std::string::npos);
  ASSERT_EQ(yaml["reactions"].size(), mechanism.Reactions.size());
  for (std::size_t i = 0; i < mechanism.Reactions.size(); ++i) {
    const YAML::Node reaction = yaml["reactions"][i];
    const testing::ChemkinMechanismReaction& expected = mechanism.Reactions[i];
    const std::string equation = reaction["equation"].as<std::string>();
    const std::size_t arrow = equation.find(" => ");
    ASSERT_NE(arrow, std::string::npos) << equation;
    EXPECT_EQ(SideOf(equation.substr(0, arrow)), expected.Reactants) << equation;
    EXPECT_EQ(SideOf(equation.substr(arrow + 4)), expected.Products) << equation;
    const YAML::Node rate = reaction["rate-constant"];
    // The CHEMKIN line may carry A and E/R cut to 16 digits.
    EXPECT_NEAR(rate["A"].as<double>(), expected.A, 1e-15 * expected.A) << equation;
    EXPECT_EQ(rate["b"].as<double>(), 0.0);
    EXPECT_NEAR(rate["Ea"].as<double>(), expected.E, 1e-15 * expected.E) << equation;
    std::map<std::string, double> orders;
    if (reaction["orders"]) orders = reaction["orders"].as<std::map<std::string, double>>();
    EXPECT_EQ(orders, expected.Orders) << equation;
    EXPECT_EQ(reaction["duplicate"] && reaction["duplicate"].as<bool>(), expected.Duplicate) << equation;
  }
  EXPECT_EQ(yaml["reactions"][0]["duplicate"].as<bool>(), true);
  EXPECT_EQ(yaml["reactions"][mechanism.Reactions.size() - 2]["orders"].size(), 1u);
}

}  // namespace
}  // namespace korvane
