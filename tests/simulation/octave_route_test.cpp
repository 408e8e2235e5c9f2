// An independent route to the n-hexane batch reactor: the exported Matlab
// rates, the stoichiometry of the components' reaction links, and Octave's
// lsode (ODEPACK) integrate the same mixture; the concentrations must agree
// within the two solvers' tolerances.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../database/database_test_support.h"
#include "app/equation_export.h"
#include "external_tools.h"
#include "simulation/simulation_run.h"
#include "simulation_test_support.h"

namespace korvane {
namespace {

TEST(OctaveRoute, HexaneBatchAgreesWithLsodeOnTheExportedRates) {
  if (!testing::HasTool("octave-cli")) GTEST_SKIP() << "octave is not installed";
  const TReactionNetwork& network = testing::AlkaneNetwork(6);
  const TKineticParameterSet parameters;
  constexpr double kT = 1050.0, kActiveRadicals = 1.0e-4;
  TSimulationRequest request;
  request.Settings.Reactor = TReactorKind::Batch;
  request.Settings.Profile = TTemperatureProfile(kT);
  request.Settings.Time = 0.2;
  request.Settings.Points = 5;
  request.Settings.RelativeTolerance = 1e-10;
  request.Settings.AbsoluteTolerance = 1e-18;
  request.ActiveRadicals = kActiveRadicals;
  const auto results = RunSimulation(network, parameters, request);
  ASSERT_TRUE(results) << results.error().Message;

  const testing::ScratchDir dir;
  const auto exported = ExportEquations(
      network, {dir.file("equations.m"), TExportLanguage::Matlab, kExportKineticConstants | kExportRateEquations, {}},
      parameters.Table, parameters.AlternativeValues);
  ASSERT_TRUE(exported) << exported.error().Message;

  std::ostringstream script;
  script.precision(17);
  script << "source('equations.m');\nS = sparse(" << network.ComponentCount() << ", " << network.ReactionCount()
         << ");\n";
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) {
    const TMolecule& component = *network.Component(j);
    for (int list : {kFormedIn, kConsumedIn})
      for (std::size_t k = 0; k < component.ReactionLinks[list].size(); ++k)
        script << "S(" << j + 1 << ", " << network.IndexOfReaction(component.ReactionLinks[list][k]) + 1
               << ") += " << component.ReactionLinks.Coefficients(list)[k] << ";\n";
  }
  script << "c0 = [";
  for (double c : results->Moles.front()) script << c << ' ';
  script << "]';\nt = [";
  for (double t : results->Times) script << t << ' ';
  script << "];\nlsode_options('relative tolerance', 1e-11);\nlsode_options('absolute tolerance', 1e-19);\n"
         << "lsode_options('integration method', 'stiff');\n"
         << "f = @(c, time) S * RateConstants(" << kT << ", c, " << kActiveRadicals << ")';\n"
         << "c = lsode(f, c0, t);\nprintf('%.17g\\n', c');\n";
  std::ofstream(dir.file("route.m")) << script.str();
  const auto [status, output] =
      testing::RunCommand("cd '" + dir.path().string() + "' && octave-cli --no-init-file --quiet route.m");
  ASSERT_EQ(status, 0) << output;

  std::istringstream numbers(output);
  const std::size_t n = network.ComponentCount();
  double total = 0.0;
  for (double c : results->Moles.front()) total += c;
  std::size_t compared = 0;
  for (std::size_t p = 0; p < results->Times.size(); ++p)
    for (std::size_t j = 0; j < n; ++j) {
      double octave = 0.0;
      ASSERT_TRUE(numbers >> octave) << "point " << p << " species " << j << "\n" << output.substr(0, 2000);
      const double ours = results->Moles[p][j];
      EXPECT_NEAR(ours, octave, 1e-6 * std::fabs(octave) + 1e-12 * total) << "t = " << results->Times[p] << " j " << j;
      compared += octave > 1e-6 * total;
    }
  // The run cracked: many species are well above the noise.
  EXPECT_GT(compared, 20u);
}

}  // namespace
}  // namespace korvane
