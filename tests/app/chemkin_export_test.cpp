#include "app/chemkin_export.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <random>
#include <tuple>

#include "../database/database_test_support.h"
#include "add_reaction.h"
#include "app/chemkin_format.h"
#include "app/chemkin_names.h"
#include "chemkin_reader.h"
#include "database/species_thermo.h"
#include "database/thermo_library.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::AddReaction;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(ChemkinFormat, NumbersReadBackAndFitTheirFields) {
  const std::pair<double, const char*> numbers[] = {
      {1.5e13, "1.5E+13"}, {6.0, "6.0E+00"}, {0.0, "0.0E+00"}, {-2.5e-7, "-2.5E-07"}, {1.0 / 3.0, "3.333333333333333E-01"}};
  for (const auto& [value, text] : numbers) {
    EXPECT_EQ(ChemkinNumber(value), text);
    EXPECT_EQ(std::stod(ChemkinNumber(value)), value);
  }
  const std::pair<double, const char*> fields[] = {
      {2.5, " 2.50000000E+00"}, {-1.23e-11, "-1.23000000E-11"}, {1e-120, " 0.00000000E+00"}, {1e100, ""}, {NAN, ""}};
  for (const auto& [value, text] : fields) EXPECT_EQ(ThermoNumber(value), text) << value;
}

TEST(ChemkinFormat, ShortNumbersKeepTheExportedDigits) {
  const std::pair<double, const char*> numbers[] = {
      {1e13 * 6 * 3e-8 * 1e6, "1.8E+12"},                // product noise beyond 16 digits dropped
      {1000.0 * 46.04 / 8.314472, "5537.332977969016"},  // 16 digits, fixed where shorter
      {2e13, "2.0E+13"}, {1e-20, "1.0E-20"}, {0.0, "0.0"}};
  for (const auto& [value, text] : numbers) EXPECT_EQ(ChemkinShortNumber(value), text) << value;
  EXPECT_EQ(ChemkinNumber(1e13 * 6 * 3e-8 * 1e6), "1.7999999999999998E+12");
}

// The usual layout while it fits; without the padding, then with the numbers
// cut to the exported digits, when the equation is long.
TEST(ChemkinFormat, ReactionLinesStayWithinEightyColumns) {
  const double noisy = 1e13 * 6 * 3e-8 * 1e6, e = 1000.0 * 46.04 / 8.314472;
  const std::tuple<std::string, double, std::string> lines[] = {
      {"C2H6=>H+C2H5", 1e13, "C2H6=>H+C2H5                              1.0E+13  0.0  5.537332977969016E+03"},
      {"C7H15(10)=>C2H4+C5H11(20)", noisy,
       "C7H15(10)=>C2H4+C5H11(20) 1.7999999999999998E+12 0.0 5.537332977969016E+03"},
      {"C10H21(5)+C10H21(6)=>C10H22(1)+C10H20(12)", noisy,
       "C10H21(5)+C10H21(6)=>C10H22(1)+C10H20(12) 1.8E+12 0.0 5537.332977969016"}};
  for (const auto& [equation, a, line] : lines) {
    EXPECT_EQ(ChemkinReactionLine(equation, a, e), line);
    EXPECT_LE(line.size() + 2, kChemkinLineLimit);
  }
}

// Components 0-3 the built-ins, 4 ethane, 5 ethyl, 6 ethylene, 7 H2, 8 1-butyl, 9 2-butyl.
class ChemkinExport : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* description : {"C C; 0-1", "C. C; 0-1", "C C; 0=1", "H H; 0-1", "C. C C C; 0-1 1-2 2-3",
                                    "C. C C C; 0-1 0-2 2-3"})
      testing::AddFeed(m_network, description);
    // A folded hydrogen transfer, H + H with two entries, a disproportionation whose
    // coefficient 2 stands on one entry, and two reactions with equal participants.
    AddReaction(m_network, kHydrogenTransfer, {{4, -6}, {0, 6}, {5, 6}}, true, {kA_HydogegTransfer}, {kE_HTransf_Prim});
    AddReaction(m_network, kRecombination, {{0, -1}, {0, -1}, {7, 1}}, false, {kA_Recombination}, {kE_Recombination});
    AddReaction(m_network, kOtherReaction, {{5, -2}, {4, 1}, {6, 1}}, false, {}, {}, 8.314472, 2.5e13);
    AddReaction(m_network, kOtherReaction2, {{8, -1}, {6, 1}, {5, 1}}, false, {5}, {6});
    AddReaction(m_network, kBetaScission, {{8, -1}, {5, 1}, {6, 1}}, false, {kA_BetaSc_CC}, {kE_BetaSc_CC_1subst});
    // Left out of the mechanism: its products equal its reactants (2 C2H5 => 2 C2H5 reduces to C2H5 => C2H5).
    AddReaction(m_network, kOtherReaction, {{5, -1}, {5, -1}, {5, 2}}, true, {}, {}, 100.0, 1e10);
    m_parameters.AlternativeValues[5] = 1e13;
    m_parameters.AlternativeValues[6] = 120.0;
    m_options.MechanismFile = m_dir.file("mech.inp");
    m_options.NetworkNote = "two lines\nof note";
    m_options.ParameterSource = "my/kinpar.ini";
    m_options.Smiles = [](const TMolecule& molecule) -> TResult<std::string> {
      if (molecule.ID == 7) return TError{TErrorCode::InvalidInput, "no SMILES"};
      return "smiles-" + std::to_string(molecule.ID);
    };
  }

  // The refusal's message, after checking that it blames `input`.
  std::string Error(TErrorCode input) const {
    const auto texts = ChemkinTexts(m_network, m_parameters, m_options);
    EXPECT_FALSE(texts);
    if (texts) return {};
    EXPECT_EQ(texts.error().Code, input);
    return texts.error().Message;
  }

  testing::ScratchDir m_dir;
  TReactionNetwork m_network;
  TKineticParameterSet m_parameters;
  TChemkinExportOptions m_options;
};

TEST_F(ChemkinExport, MechanismStatesTheExportedKineticsInCgsUnitsAndKelvins) {
  const auto texts = ChemkinTexts(m_network, m_parameters, m_options);
  ASSERT_TRUE(texts) << texts.error().Message;
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(texts->Mechanism);
  EXPECT_EQ(mechanism.Elements, (std::vector<std::string>{"C", "H", "HE", "N", "O"}));
  // Unique formulas, with the usual names of the small species.
  EXPECT_EQ(mechanism.Species, (std::vector<std::string>{"H", "HE", "N2", "H2O", "C2H6", "C2H5", "C2H4", "H2",
                                                         "C4H9(8)", "C4H9(9)"}));
  EXPECT_EQ(mechanism.Species, ChemkinSpeciesNames(m_network));
  EXPECT_EQ(mechanism.Thermo.size(), mechanism.Species.size());
  EXPECT_EQ(mechanism.Thermo.at("C4H9(9)").Composition, (std::map<std::string, int>{{"C", 4}, {"H", 9}}));
  EXPECT_EQ(mechanism.ReactionUnits, (std::vector<std::string>{"MOLES", "KELVINS"}));
  ASSERT_EQ(mechanism.Reactions.size(), 5u);

  // The values of A and E are the n-hexane test's; here the form of each equation.
  const auto& transfer = mechanism.Reactions[0];  // divided by 6
  EXPECT_EQ(transfer.Reactants, (std::vector<std::pair<std::string, double>>{{"C2H6", 1}}));
  EXPECT_EQ(transfer.Products, (std::vector<std::pair<std::string, double>>{{"H", 1}, {"C2H5", 1}}));
  const auto& recombination = mechanism.Reactions[1];  // two entries of H: second order
  EXPECT_EQ(recombination.Reactants, (std::vector<std::pair<std::string, double>>{{"H", 2}}));
  EXPECT_TRUE(recombination.Orders.empty());
  const auto& disproportionation = mechanism.Reactions[2];  // 2 C2H5 at first order
  EXPECT_EQ(disproportionation.Reactants, (std::vector<std::pair<std::string, double>>{{"C2H5", 2}}));
  EXPECT_EQ(disproportionation.Orders, (std::map<std::string, double>{{"C2H5", 1}}));
  EXPECT_DOUBLE_EQ(mechanism.Reactions[3].A, 1e13);  // alternative table
  EXPECT_DOUBLE_EQ(mechanism.Reactions[3].E, 120000.0 / 8.314472);
  for (std::size_t i = 0; i < mechanism.Reactions.size(); ++i) {
    EXPECT_FALSE(mechanism.Reactions[i].Reversible);
    EXPECT_EQ(mechanism.Reactions[i].Duplicate, i >= 3) << i;
  }

  EXPECT_TRUE(Contains(texts->Mechanism, "!   two lines\n!   of note\n"));
  EXPECT_TRUE(Contains(texts->Mechanism, "! Kinetic parameters: my/kinpar.ini.\n"));
  EXPECT_TRUE(Contains(texts->Mechanism, "! 10 species, 5 irreversible reactions.\n"));
  EXPECT_TRUE(Contains(texts->Mechanism, "cActR = 6.159e-08 mol/m^3, multiplied into A of the 1 reaction "));
  EXPECT_TRUE(Contains(texts->Mechanism, "REACTIONS  MOLES  KELVINS\n"
                                         "! 1 reaction whose products equal its reactants is left out\n"));
  EXPECT_TRUE(Contains(texts->Mechanism, ": mech_dictionary.txt\n"));
  // Ethane from the library with its own ranges, a butyl radical estimated.
  EXPECT_TRUE(Contains(texts->Mechanism,
                       "C2H6              GRI30 C   2H   6          G   200.000  3500.000 1000.00      1\n"));
  EXPECT_TRUE(Contains(texts->Mechanism,
                       "C4H9(9)           HBI   C   4H   9          G   298.150  3000.000 1000.00      1\n"));
  EXPECT_TRUE(Contains(texts->Dictionary, "\nC4H9(9)           smiles-9      9\n"));
  EXPECT_TRUE(Contains(texts->Dictionary, "\nH2                -             7\n"));
}

// Values entered by hand are the reaction's kinetics in the mechanism too.
TEST_F(ChemkinExport, ExplicitKineticsEnteredByHandAreTheReactionsOwn) {
  TReaction& scission = *m_network.Reaction(4);
  scission.ExplicitKinetics = true;
  scission.SetParameters(kBetaScission, 230.0, 3.0e12);
  const auto texts = ChemkinTexts(m_network, m_parameters, m_options);
  ASSERT_TRUE(texts) << texts.error().Message;
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(texts->Mechanism);
  ASSERT_EQ(mechanism.Reactions.size(), 5u);
  EXPECT_DOUBLE_EQ(mechanism.Reactions[4].A, 3.0e12);  // first order: 1/s in either unit system
  EXPECT_DOUBLE_EQ(mechanism.Reactions[4].E, 230000.0 / 8.314472);
}

TEST_F(ChemkinExport, RefusalsNameTheCauseAndWriteNothing) {
  m_parameters.Table[kE_HTransf_Prim] = -1.0;
  m_parameters.RadicalActivity.StandardActivity = -1.0;
  EXPECT_TRUE(Contains(Error(TErrorCode::KineticParameters), "lacks E_HTransf_Prim, StandardActivity ("));
  m_parameters.Table[kE_HTransf_Prim] = 46.04;
  m_options.ActiveRadicals = -2.0;
  EXPECT_TRUE(Contains(Error(TErrorCode::KineticParameters),
                       "active radicals must be a number of at least 0 mol/m^3, not -2"));
  m_options.ActiveRadicals = 1e-7;
  EXPECT_TRUE(ChemkinTexts(m_network, m_parameters, m_options));

  testing::AddFeed(m_network, "C D; 0-1");
  EXPECT_TRUE(Contains(Error(TErrorCode::InvalidInput),
                       "no thermodynamic data for component 10 (CH3D): it holds deuterium"));
  m_network.RemoveComponent(10);
  AddReaction(m_network, kOtherReaction, {{5, -1}});
  EXPECT_TRUE(Contains(Error(TErrorCode::InvalidInput), "reaction 6 has no reactants or no products"));
  m_network.RemoveReaction(6);

  // A dictionary that cannot be written keeps the old mechanism; then both are written.
  testing::PutFile(m_options.MechanismFile, {'o', 'l', 'd'});
  m_options.DictionaryFile = m_dir.file("missing/dictionary.txt");
  fs::remove(m_dir.path() / "missing");
  const auto refused = ExportChemkin(m_network, m_parameters, m_options);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().Code, TErrorCode::FileSystem);
  EXPECT_TRUE(Contains(refused.error().Message, "missing/dictionary.txt: "));
  EXPECT_EQ(testing::FileBytes(m_options.MechanismFile), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
  m_options.DictionaryFile.clear();
  const auto written = ExportChemkin(m_network, m_parameters, m_options);
  ASSERT_TRUE(written) << written.error().Message;
  EXPECT_EQ(written->DictionaryFile, m_dir.file("mech_dictionary.txt"));
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.path()), {}), 2);
}

// The generated n-hexane network with reactions the generator does not make
// here: a coefficient of 2 on one entry (FORD), H + H as two entries, and a
// second reaction with the participants of the first (DUPLICATE). Read by an
// independent reader, the mechanism balances every element and gives the
// production rates of the exported equations' balance, computed here.
TEST(ChemkinMechanism, NHexaneBalancesItsElementsAndGivesTheExportedBalance) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(6));
  network.Generate();
  auto index = [&](const std::string& molecule) { return network.FindComponent(*testing::MoleculeFrom(molecule)); };
  const TReaction& first = *network.Reaction(0);
  AddReaction(network, kOtherReaction, {{index("C. C C C C C; 0-1 1-2 2-3 3-4 4-5"), -2},
              {index(testing::LinearAlkane(6)), 1}, {index("C C C C C C; 0=1 1-2 2-3 3-4 4-5"), 1}}, false, {}, {},
              100.0, 1e10);
  AddReaction(network, kOtherReaction, {{0, -1}, {0, -1}, {index("H H; 0-1"), 1}}, false, {}, {}, 100.0, 1e10);
  AddReaction(network, kOtherReaction, {{first.Reactants[0]->ID, -1}, {first.Products[0]->ID, 1},
              {first.Products[1]->ID, 1}}, false, {}, {}, 100.0, 1e10);
  const TKineticParameterSet parameters;
  TChemkinExportOptions options;
  options.MechanismFile = "hexane.inp";
  const auto chemkin = ChemkinTexts(network, parameters, options);
  ASSERT_TRUE(chemkin) << chemkin.error().Message;
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(chemkin->Mechanism);
  // The allyl radical's isomerisation into itself is left out; it changes no concentration.
  ASSERT_EQ(mechanism.Reactions.size(), network.ReactionCount() - 1);
  EXPECT_TRUE(Contains(chemkin->Mechanism, "\n! 1 reaction whose products equal its reactants is left out\n"));
  EXPECT_TRUE(mechanism.Reactions.end()[-3].Orders.size() == 1 && mechanism.Reactions.back().Duplicate &&
              mechanism.Reactions[0].Duplicate);
  for (const std::string& name : mechanism.Species) EXPECT_LE(name.size(), 16u) << name;
  for (const auto& reaction : mechanism.Reactions) {
    std::map<std::string, double> balance;
    for (const auto& [side, sign] : {std::pair{&reaction.Reactants, -1.0}, std::pair{&reaction.Products, 1.0}})
      for (const auto& [species, coefficient] : *side)
        for (const auto& [element, count] : mechanism.Thermo.at(species).Composition)
          balance[element] += sign * coefficient * count;
    for (const auto& [element, total] : balance) EXPECT_EQ(total, 0.0) << element;
  }

  // Random concentrations [mol/m^3] over three decades.
  const std::vector<std::string> names = ChemkinSpeciesNames(network);
  std::mt19937 random(18);
  std::uniform_real_distribution<double> decades(-2.0, 1.0);
  std::vector<double> c;
  std::map<std::string, double> concentrations;  // mol/cm^3
  for (std::size_t j = 0; j < network.ComponentCount(); ++j)
    concentrations[names[j]] = 1e-6 * c.emplace_back(std::pow(10.0, decades(random)));
  for (const double T : {900.0, 1100.0}) {
    const testing::TExpectedKinetics expected = testing::ExpectedKinetics(
        network, parameters.Table, parameters.AlternativeValues, T, c, parameters.RadicalActivity.StandardActivity);
    const auto rates = testing::NetProductionRates(mechanism, concentrations, T);
    for (std::size_t j = 0; j < c.size(); ++j) {
      const double rate = rates.count(names[j]) ? rates.at(names[j]) * 1e6 : 0.0;
      EXPECT_NEAR(rate, expected.Balance[j], 1e-9 * expected.BalanceScale[j]) << names[j] << " at " << T << " K";
    }
  }
}

// The propane network: species the library holds (methane, ethylene) carry
// its coefficients and ranges, the others the estimate.
TEST(ChemkinMechanism, LibrarySpeciesTakeThePublishedPolynomials) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(3));
  network.Generate();
  TChemkinExportOptions options;
  options.MechanismFile = "propane.inp";
  const auto chemkin = ChemkinTexts(network, TKineticParameterSet(), options);
  ASSERT_TRUE(chemkin) << chemkin.error().Message;
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(chemkin->Mechanism);
  const std::vector<std::string> names = ChemkinSpeciesNames(network);
  auto record = [&](const std::string& molecule) {
    const int j = network.FindComponent(*testing::MoleculeFrom(molecule));
    EXPECT_GE(j, 0) << molecule;
    return mechanism.Thermo.at(names.at(j));
  };
  auto expectRecord = [](const testing::ChemkinThermoRecord& written, const TNasaPolynomial& expected) {
    EXPECT_EQ(written.TLow, expected.TLow);
    EXPECT_EQ(written.TCommon, expected.TCommon);
    EXPECT_EQ(written.THigh, expected.THigh);
    for (std::size_t k = 0; k < 7; ++k) {
      EXPECT_NEAR(written.Low[k], expected.Low[k], 1e-8 * std::abs(expected.Low[k])) << k;
      EXPECT_NEAR(written.High[k], expected.High[k], 1e-8 * std::abs(expected.High[k])) << k;
    }
  };
  // Ethylene's published fit stays as published; methane's passes the
  // classical limit before 3000 K and is written refitted from its values.
  const TThermoLibraryEntry* ethylene = TThermoLibrary::Instance().Find(*testing::MoleculeFrom("C C; 0=1"));
  ASSERT_NE(ethylene, nullptr);
  expectRecord(record("C C; 0=1"), ethylene->Polynomial);
  const auto methane = SpeciesThermo(*testing::MoleculeFrom("C"));
  ASSERT_TRUE(methane);
  EXPECT_EQ(methane->Polynomial.THigh, 3000.0);
  expectRecord(record("C"), methane->Polynomial);
  EXPECT_TRUE(Contains(chemkin->Mechanism, "\nCH4               GRI30 C   1H   4   "));
  const auto estimate = EstimateSpeciesThermo(*testing::MoleculeFrom("C. C C; 0-1 1-2"));
  ASSERT_TRUE(estimate);
  expectRecord(record("C. C C; 0-1 1-2"), estimate->Polynomial);
  // The global default ranges stay in front of the records.
  EXPECT_TRUE(Contains(chemkin->Mechanism, "\nTHERMO ALL\n   298.150  1000.000  3000.000\n"));
}

// Real networks, with a cActR whose products with A leave noise in the last
// digits: every reaction line fits 80 columns before its comment, and every
// species' heat capacity is bounded.
TEST(ChemkinMechanism, ReactionLinesOfRealNetworksFitEightyColumns) {
  const std::vector<std::vector<std::string>> feeds = {
      {testing::LinearAlkane(10)},
      {"C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1"},  // methylcyclohexane
      {"C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", testing::LinearAlkane(7)}};  // toluene + n-heptane
  for (const auto& feed : feeds) {
    TReactionNetwork network;
    for (const std::string& molecule : feed) testing::AddFeed(network, molecule);
    network.Generate();
    TChemkinExportOptions options;
    options.MechanismFile = "real.inp";
    options.ActiveRadicals = 3e-8;
    const auto texts = ChemkinTexts(network, TKineticParameterSet{}, options);
    ASSERT_TRUE(texts) << texts.error().Message;
    const std::string& text = texts->Mechanism;
    std::size_t lines = 0;
    for (std::size_t begin = text.find("\nREACTIONS"); begin < text.size();) {
      const std::size_t end = text.find('\n', begin + 1);
      const std::string line = text.substr(begin + 1, end - begin - 1);
      const std::string record = line.substr(0, line.find('!'));
      EXPECT_LE(record.size(), kChemkinLineLimit) << line;
      lines += line.find("=>") != std::string::npos;
      begin = end;
    }
    EXPECT_GT(lines, 100u) << feed[0];
    // Every species' cp rises monotonically from 298.15 K to 3000 K and
    // stays under the classical limit, (3N - 2)R for a nonlinear molecule,
    // (3N - 3/2)R for a diatomic (H2 only in these networks), 5R/2 for the
    // hydrogen atom.
    for (const auto& [name, record] : testing::ReadChemkinMechanism(text).Thermo) {
      SCOPED_TRACE(name);
      ASSERT_LE(record.TLow, 298.15);
      ASSERT_GE(record.THigh, 3000.0);
      int atoms = 0;
      for (const auto& [element, count] : record.Composition) atoms += count;
      const double limit = (atoms == 1 ? 2.5 : 3.0 * atoms - (atoms == 2 ? 1.5 : 2.0)) * kNasaGasConstant;
      auto cp = [&](double T) {
        const auto& a = T <= record.TCommon ? record.Low : record.High;
        return kNasaGasConstant * (a[0] + T * (a[1] + T * (a[2] + T * (a[3] + T * a[4]))));
      };
      for (double T = 298.15; T < 3000.0; T += 1.0) {
        // The records' nine significant digits round at the 1e-8 level.
        ASSERT_LE(cp(T), cp(T + 1.0) * (1 + 1e-7)) << T << " K";
        ASSERT_LE(cp(T + 1.0), limit * (1 + 1e-7)) << T << " K";
      }
    }
  }
}

// The species' rows are made in chunks on the workers and written in order:
// the files do not depend on how many workers made them.
TEST(ChemkinMechanism, WorkersDoNotChangeTheFiles) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(7));
  network.Generate();
  ASSERT_GT(network.ComponentCount(), 64u);  // several chunks of 16 species
  const TKineticParameterSet parameters;
  TChemkinExportOptions options;
  options.MechanismFile = "heptane.inp";
  options.Smiles = [](const TMolecule& molecule) -> TResult<std::string> { return std::to_string(molecule.ID); };
  options.Threads = 1;
  const auto one = ChemkinTexts(network, parameters, options);
  options.Threads = 2;
  const auto two = ChemkinTexts(network, parameters, options);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->Mechanism, two->Mechanism);
  EXPECT_EQ(one->Dictionary, two->Dictionary);
}

}  // namespace
}  // namespace korvane
