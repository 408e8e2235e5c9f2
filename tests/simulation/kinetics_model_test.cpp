// The kinetics model against the exporters' definition of the rates, its
// Jacobian against finite differences, and its refusals.

#include <gtest/gtest.h>

#include <cmath>

#include "app/export_kinetics.h"
#include "simulation/kinetics_model.h"
#include "simulation_test_support.h"

namespace korvane {
namespace {

constexpr double kT = 1050.0, kActiveRadicals = 1.0e-3;

// Concentrations of every order of magnitude a cracking mixture holds [mol/m^3].
std::vector<double> MixedConcentrations(std::size_t n) {
  std::vector<double> c(n);
  for (std::size_t j = 0; j < n; ++j) c[j] = std::pow(10.0, -static_cast<double>(j % 9)) * (1.0 + 0.1 * double(j % 5));
  return c;
}

TKineticsModel BuildModel(const TReactionNetwork& network, std::span<const double> global,
                          double cActR = kActiveRadicals) {
  static const TAlternativeValues alternative{};
  auto model = TKineticsModel::Build(network, {global, alternative, cActR});
  EXPECT_TRUE(model) << model.error().Message;
  return std::move(model.value());
}

TEST(KineticsModel, RatesAndBalanceAreThoseOfTheExportedEquations) {
  const TReactionNetwork& network = testing::AlkaneNetwork(5);
  const TKineticsModel model = BuildModel(network, kKineticParameterDefaults);
  const std::vector<double> c = MixedConcentrations(network.ComponentCount());
  const TAlternativeValues alternative{};
  const auto expected =
      testing::ExpectedKinetics(network, kKineticParameterDefaults, alternative, kT, c, kActiveRadicals);

  std::vector<double> k(model.ReactionCount()), r(model.ReactionCount()), f(model.SpeciesCount());
  model.RateConstants(kT, k);
  model.Rates(k, c, r);
  model.Production(r, f);
  bool carriesActiveRadicals = false;
  for (std::size_t i = 0; i < r.size(); ++i) {
    EXPECT_NEAR(r[i], expected.Rates[i], 1e-12 * std::fabs(expected.Rates[i])) << i;
    carriesActiveRadicals |= network.Reaction(i)->MultiplyByActiveRadicals;
  }
  EXPECT_TRUE(carriesActiveRadicals);
  for (std::size_t j = 0; j < f.size(); ++j) EXPECT_NEAR(f[j], expected.Balance[j], 1e-12 * expected.BalanceScale[j]);
}

TEST(KineticsModel, JacobianEqualsFiniteDifferencesOfTheProduction) {
  const TReactionNetwork& network = testing::AlkaneNetwork(5);
  const TKineticsModel model = BuildModel(network, kKineticParameterDefaults);
  const std::size_t n = model.SpeciesCount();
  const std::vector<double> c = MixedConcentrations(n);
  std::vector<double> k(model.ReactionCount()), r(model.ReactionCount());
  model.RateConstants(kT, k);
  auto production = [&](const std::vector<double>& at) {
    std::vector<double> f(n);
    model.Rates(k, at, r);
    model.Production(r, f);
    return f;
  };
  std::vector<double> values(model.JacobianColumns().size());
  model.Jacobian(k, c, values);
  // The dense finite-difference Jacobian, column by column.
  std::vector<std::vector<double>> dense(n, std::vector<double>(n, 0.0));
  for (std::size_t l = 0; l < n; ++l) {
    // Every rate is at most quadratic in one concentration: central differences are exact.
    const double h = 0.25 * c[l];
    std::vector<double> up = c, down = c;
    up[l] += h;
    down[l] -= h;
    const auto fu = production(up), fd = production(down);
    for (std::size_t j = 0; j < n; ++j) dense[j][l] = (fu[j] - fd[j]) / (2.0 * h);
  }
  // Rounding of the differences grows with the sum of |terms| of a balance,
  // largest at the highest concentrations used.
  std::vector<double> highest = c;
  for (double& value : highest) value *= 1.25;
  const TAlternativeValues alternative{};
  const auto magnitude =
      testing::ExpectedKinetics(network, kKineticParameterDefaults, alternative, kT, highest, kActiveRadicals)
          .BalanceScale;
  const auto& rows = model.JacobianRowStart();
  const auto& columns = model.JacobianColumns();
  ASSERT_EQ(rows.size(), n + 1);
  for (std::size_t j = 0; j < n; ++j) {
    double scale = 0.0;
    for (std::size_t l = 0; l < n; ++l) scale = std::max(scale, std::fabs(dense[j][l]));
    std::vector<double> sparse(n, 0.0);
    for (auto p = rows[j]; p < rows[j + 1]; ++p) sparse[static_cast<std::size_t>(columns[p])] = values[p];
    // Entries outside the pattern must vanish too.
    for (std::size_t l = 0; l < n; ++l)
      EXPECT_NEAR(sparse[l], dense[j][l], 1e-9 * scale + 1e-14 * magnitude[j] / (0.25 * c[l])) << j << ' ' << l;
  }
}

TEST(KineticsModel, SquaresAReactantEnteredTwiceAndScalesFlaggedReactionsByTheActiveRadicals) {
  TReactionNetwork network;
  const int a = testing::AddSpecies(network, "C. C; 0-1"), b = testing::AddSpecies(network, testing::kPentane);
  // Explicit kinetics: A = 2 m^3/(mol s), E = 0, so k = 2; the flagged one also times cActR.
  testing::AddReaction(network, kOtherReaction, {{a, -1}, {a, -1}, {b, 1}}, false, {}, {}, 0.0, 2.0);
  testing::AddReaction(network, kOtherReaction, {{a, -1}, {a, -1}, {b, 1}}, true, {}, {}, 0.0, 2.0);
  const TKineticsModel model = BuildModel(network, kKineticParameterDefaults, 0.25);
  std::vector<double> c(model.SpeciesCount(), 0.0), k(2), r(2), f(model.SpeciesCount());
  c[static_cast<std::size_t>(a)] = 3.0;
  model.RateConstants(kT, k);
  model.Rates(k, c, r);
  model.Production(r, f);
  EXPECT_DOUBLE_EQ(r[0], 2.0 * 9.0);
  EXPECT_DOUBLE_EQ(r[1], 2.0 * 0.25 * 9.0);
  EXPECT_DOUBLE_EQ(f[static_cast<std::size_t>(a)], -2.0 * (18.0 + 4.5));
  EXPECT_DOUBLE_EQ(f[static_cast<std::size_t>(b)], 18.0 + 4.5);
}

TEST(KineticsModel, RefusesMissingParametersWithTheExportersMessage) {
  TKineticParameterTable global = kKineticParameterDefaults;
  global[kA_HydogegTransfer] = -1.0;
  global[kE_HTransf_Sec] = -1.0;
  const TAlternativeValues alternative{};
  const auto model = TKineticsModel::Build(testing::AlkaneNetwork(5), {global, alternative, kActiveRadicals});
  ASSERT_FALSE(model);
  EXPECT_EQ(model.error().Code, TErrorCode::KineticParameters);
  EXPECT_EQ(model.error().Message, MissingParametersMessage({"A_HydogegTransfer", "E_HTransf_Sec"}));
  EXPECT_FALSE(TKineticsModel::Build(testing::AlkaneNetwork(5), {kKineticParameterDefaults, alternative, -1.0}));
}

}  // namespace
}  // namespace korvane
