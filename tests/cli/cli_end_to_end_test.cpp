// Runs the built korvane-cli in temporary folders and checks its output,
// exit codes and files.

#include <sys/wait.h>

#include <gtest/gtest.h>
#include <yaml-cpp/yaml.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cli/inputs.h"
#include "cli/network_text.h"
#include "cli/source_list.h"
#include "../database/database_test_support.h"
#include "chemkin_reader.h"
#include "core/identity.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

const std::string kReference = KORVANE_TEST_DATA "/reference/";

struct ToolRun {
  int Code = -1;
  std::string Out;
  std::string Err;
};

std::string ReadText(const fs::path& path) {
  const std::vector<std::uint8_t> bytes = testing::FileBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class CliRun : public ::testing::Test {
 protected:
  // Runs the tool in the test's folder.
  ToolRun run(const std::vector<std::string>& arguments) const {
    std::string command = "cd " + Quoted(m_folder.path().string()) + " && " + Quoted(KORVANE_CLI);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    command += " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    ToolRun result;
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadText(path("stdout.txt"));
    result.Err = ReadText(path("stderr.txt"));
    fs::remove(path("stdout.txt"));
    fs::remove(path("stderr.txt"));
    return result;
  }

  fs::path path(const std::string& name) const { return m_folder.path() / name; }

 private:
  testing::ScratchDir m_folder;
};

// The file keeps no projecting selectivity, so a network read back differs
// from the generated one in that field only.
std::string WithoutProjectingSelectivity(const std::string& json) {
  return std::regex_replace(json, std::regex(R"("selectivity":[^,]*,)"), "");
}

TEST_F(CliRun, GeneratesTheEthaneNetworkAsJson) {
  const ToolRun r = run({"generate", "smiles:CC", "--json"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_TRUE(r.Out.starts_with(
      R"({"note":"","preferences":{"temperature":1050,"e_beta":200,"e_htransfer":300,"e_allyl":200,)"
      R"("min_selectivity":0.01},"components":[{"index":0,"name":"Noname","formula":"H","smiles":"[H]","atoms":1,)"
      R"("radical":true,"root":false,"inert":false},)")) << r.Out;
  EXPECT_TRUE(Has(r.Out, R"({"index":4,"name":"Noname","formula":"C2H6","smiles":"CC","atoms":8,"radical":false,)"
                         R"("root":true,"inert":false})"));
  EXPECT_TRUE(Has(r.Out, R"("reactions":[{"index":0,"type":2,"reactants":[[4,-6]],"products":[[0,6],[5,6]],"E":225,)"
                         R"("A":3.5775e21,"selectivity":1,"selectivity_after_filter":1,)"
                         R"("multiply_by_active_radicals":true,"freq_recipe":[2],"act_recipe":[19],)"
                         R"("A_value":3.72e9,"E_value":46.04},)"));
  EXPECT_EQ(Count(r.Out, R"("formula":)"), 8u);
  EXPECT_EQ(Count(r.Out, R"("type":)"), 3u);
  EXPECT_EQ(r.Out.back(), '\n');
  // The summary goes to stderr beside the JSON, with the progress line.
  for (const char* line : {"components: 8", "reactions: 3", "  Hydrogen transfer: 1", "components processed"})
    EXPECT_TRUE(Has(r.Err, line)) << r.Err;
}

TEST_F(CliRun, ShowReadsBackWhatGenerateWrote) {
  const ToolRun generated = run({"generate", "smiles:CCC", "-T", "1100", "-o", "propane.rnw", "--note", "C3", "--json"});
  ASSERT_EQ(generated.Code, 0) << generated.Err;
  const ToolRun shown = run({"show", "propane.rnw", "--json"});
  ASSERT_EQ(shown.Code, 0) << shown.Err;
  EXPECT_TRUE(Has(shown.Out, R"({"temperature":1100,)"));
  EXPECT_EQ(WithoutProjectingSelectivity(shown.Out), WithoutProjectingSelectivity(generated.Out));
  const ToolRun table = run({"show", "propane.rnw"});
  ASSERT_EQ(table.Code, 0) << table.Err;
  EXPECT_TRUE(Has(table.Out, "note: C3\n") && Has(table.Out, "    4  Noname  C3H8     CCC          11  root\n"))
      << table.Out;

  // Fusing keeps the destination's preferences and says so when a source's differ.
  const ToolRun fused = run({"fuse", kReference + "networks/ethane.rnw", "propane.rnw", "-o", "c2c3.rnw"});
  ASSERT_EQ(fused.Code, 0) << fused.Err;
  EXPECT_TRUE(Has(fused.Err, "warning: propane.rnw: its preferences (T = 1100 K, E thresholds/(kJ/mol): beta-scission "
                             "200, hydrogen transfer 300, allyl isomerisation 200, minimum selectivity 0.01) differ "
                             "from the destination's; the fused network keeps the destination's (T = 1050 K, "))
      << fused.Err;
  EXPECT_EQ(run({"fuse", "c2c3.rnw", kReference + "networks/ethane.rnw", "-o", "again.rnw"}).Err, "");
}

TEST_F(CliRun, BadInputExitsWithOneNamingItAndWritesNothing) {
  const std::string ethane = kReference + "networks/ethane.rnw";
  const std::string lacking = kReference + "kinpar/two-data-keys-missing.ini";
  const std::string bytes = ReadText(ethane);
  std::ofstream(path("truncated.rnw"), std::ios::binary) << bytes.substr(0, bytes.size() - 20);
  std::ofstream(path("wrong.txt")) << "methane C CH3 methane\n";
  fs::create_directory(path("folder"));
  // Propane whose first C-C bond is double: carbons of valence 5.
  std::string broken = ReadText(kReference + "structures/propane.ms");
  broken[8 + 1] = broken[8 + 11] = 2;
  std::ofstream(path("broken.ms"), std::ios::binary) << broken;

  struct Case {
    std::vector<std::string> Arguments;
    std::string Input, Output;
  };
  const std::vector<Case> cases = {
      {{"show", "missing.rnw"}, "missing.rnw: file does not exist", ""},
      // Outputs are checked before the generation: no name, a directory, a folder that takes no file.
      {{"generate", "smiles:CC", "-o", ""}, "output file: the file name is empty", ""},
      {{"generate", "smiles:CC", "-o", "folder"}, "folder: is a directory, not a file", ""},
      {{"generate", "smiles:CC", "-o", "/sys/out.rnw"}, "/sys/out.rnw: cannot write in the folder /sys: ", ""},
      {{"generate", "smiles:CCO", "-o", "out.rnw"}, "smiles:CCO: atom 2 is oxygen; a feed holds only carbon", "out.rnw"},
      {{"generate", "broken.ms", "--json"}, "broken.ms: atom 0 (C) has bonds and unpaired electrons of valence 5", ""},
      {{"export-equations", "truncated.rnw", "--language", "c", "-o", "out.c"}, "truncated.rnw: ", "out.c"},
      {{"export-equations", ethane, "--language", "c", "-o", "out.c", "--kinpar", lacking},
       lacking + ": The kinetic parameter set lacks E_Recombination (", "out.c"},
      {{"export-chemkin", ethane, "-o", "out.inp", "--kinpar", lacking},
       lacking + ": The kinetic parameter set lacks E_Recombination (", "out_dictionary.txt"},
      {{"export-cantera", "truncated.rnw", "-o", "out.yaml"}, "truncated.rnw: ", "out.yaml"},
      {{"export-cantera", ethane, "-o", "out.yaml", "--kinpar", lacking},
       lacking + ": The kinetic parameter set lacks E_Recombination (", "out.yaml"},
      {{"fuse", ethane, "truncated.rnw", "-o", "out.rnw"}, "truncated.rnw: ", "out.rnw"},
      {{"db", "import", "wrong.txt", "--db", "out.mdb"}, "wrong.txt:1: C is CH4, not CH3", "out.mdb"},
      {{"structure", "C=[Cl]", "-o", "out.ms"}, "C=[Cl]: ", "out.ms"},
      // Pasted by mistake: named by its beginning, refused unread.
      {{"generate", "smiles:" + std::string(80000, 'C'), "-o", "out.rnw"},
       "smiles:" + std::string(190, 'C') + "...: '" + std::string(37, 'C') + "...' is 80000 characters long",
       "out.rnw"},
      {{"generate", "smiles:CCCCCC", "--max-components", "20", "-o", "out.rnw"},
       "--max-components: the network is incomplete: the network grew past its limit of 20 components",
       "out.rnw"},
      {{"generate", "smiles:CCCCCCCCCCCC", "--max-memory", "1", "-o", "out.rnw"},
       "--max-memory: the network is incomplete: the network's estimated memory of 1.",
       "out.rnw"},
      {{"properties", "smiles:[CH3]"}, "smiles:[CH3]: properties are not available for a radical", ""},
      {{"properties", "smiles:CCCCCC", "--model", "srk", "--T", "300", "--p", "1e6"},
       "smiles:CCCCCC: Vm cannot be computed with the Redlich-Kwong-Soave model at T = 300 K and p = 1e6 Pa: "
       "no solution in the search interval",
       ""},
      {{"properties", "smiles:CC", "--model", "rk", "-T", "300", "--Vm", "1e-5"},
       "smiles:CC: p cannot be computed with the Redlich-Kwong model at T = 300 K and Vm = 1e-5 m3/mol: the molar "
       "volume is not above the co-volume b of the model",
       ""},
  };
  for (const Case& c : cases) {
    const ToolRun r = run(c.Arguments);
    EXPECT_EQ(r.Code, 1) << c.Arguments[0] << ' ' << c.Arguments[1];
    EXPECT_TRUE(Has(r.Err, "korvane-cli: " + c.Input)) << r.Err;
    EXPECT_EQ(r.Out, "") << c.Arguments[0] << ' ' << c.Arguments[1];
    EXPECT_TRUE(c.Output.empty() || !fs::exists(path(c.Output))) << c.Output;
  }
  EXPECT_FALSE(fs::exists(path("out.inp")) || fs::exists(path("structures")));
}

// Regression: naming the components after a database whose item has no
// synonym ended the tool with a segmentation fault.
TEST_F(CliRun, NamesFromADatabaseWhoseItemHasNoSynonym) {
  ASSERT_EQ(run({"structure", "CCC", "-o", "propane.ms"}).Code, 0);
  ASSERT_EQ(run({"structure", "C", "-o", "methane.ms"}).Code, 0);
  TDBCoordinator database;
  database.SetDBFileName(path("nameless.mdb").string());
  ASSERT_TRUE(database.AddItem({{}, path("propane.ms").string(), {}}));
  ASSERT_TRUE(database.AddItem({{"methane"}, path("methane.ms").string(), {}}));
  ASSERT_TRUE(database.SaveDB());
  const ToolRun r = run({"generate", "smiles:CCC", "--db", "nameless.mdb", "-o", "p.rnw"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  const ToolRun shown = run({"show", "p.rnw"});
  EXPECT_TRUE(Has(shown.Out, "  Noname   C3H8 ") && Has(shown.Out, "  methane  CH4 ")) << shown.Out;
}

// A changed byte anywhere in a file the tool wrote (header, a component, a
// reaction, the trailer's roots, its checksum) is refused as damage; the
// file as written shows.
TEST_F(CliRun, ShowRefusesAWrittenFileWithAnyByteChanged) {
  ASSERT_EQ(run({"generate", "smiles:CCCCCC", "-o", "hexane.rnw"}).Code, 0);
  const std::string whole = ReadText(path("hexane.rnw"));
  for (const std::size_t at : {std::size_t{2}, std::size_t{7}, std::size_t{400}, whole.size() / 2, whole.size() - 30,
                               whole.size() - 12, whole.size() - 1}) {
    std::string bytes = whole;
    bytes[at] = static_cast<char>(bytes[at] ^ 0x10);
    std::ofstream(path("changed.rnw"), std::ios::binary) << bytes;
    const ToolRun r = run({"show", "changed.rnw"});
    EXPECT_EQ(r.Code, 1) << at;
    EXPECT_TRUE(Has(r.Err, "korvane-cli: changed.rnw: ")) << at << ": " << r.Err;
  }
  EXPECT_EQ(run({"show", "hexane.rnw"}).Code, 0);
}

// Either limit: the partial network is written, with the warning; n-dodecane's
// network passes 1 MiB before its last component.
TEST_F(CliRun, KeepsTheNetworkStoppedByALimitWhenAsked) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"smiles:CCCCCC", "--max-components", "20"}, "grew past its limit of 20 components"},
      {{"smiles:CCCCCCCCCCCC", "--max-memory", "1"}, " MiB passed its limit of 1 MiB"},
  };
  for (const auto& [options, message] : cases) {
    std::vector<std::string> arguments = {"generate", "--keep-partial", "-o", "p.rnw"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    const ToolRun r = run(arguments);
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(Has(r.Err, "warning: the network is incomplete: the network") &&
                Has(r.Err, message + " before every component was processed; kept as it is (--keep-partial)"))
        << r.Err;
    EXPECT_EQ(run({"show", "p.rnw"}).Code, 0);
  }
}

TEST_F(CliRun, UsageErrorsExitWithTwoNamingTheOption) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, ""},
      {{"crack"}, ""},
      {{"generate"}, ""},
      {{"generate", "smiles:CC", "--e-htransfer", "nan"}, "--e-htransfer: the hydrogen transfer threshold must be"},
      {{"generate", "smiles:CC", "--min-selectivity", "1.5"}, "--min-selectivity: the minimum selectivity must be"},
      {{"generate", "smiles:CC", "--e-beta", "-100"}, "--e-beta: the beta-scission threshold must be"},
      {{"generate", "smiles:CC", "-T", "1"}, "--T: the normalised temperature must be a number from 200 K"},
      {{"generate", "smiles:CC", "--max-components", "0"}, "--max-components"},
      {{"generate", "smiles:CC", "--max-memory", "0"}, "--max-memory: the memory limit must be "},
      {{"generate", "smiles:CC", "--max-memory", "99999999999"}, "--max-memory: the memory limit must be from 1 MiB to the physical "},
      {{"export-equations", "x.rnw", "--language", "fortran", "-o", "x.f"}, "--language"},
      {{"properties", "smiles:C", "--T", "300"}, ""},
      {{"db", "list"}, ""},
  };
  for (const auto& [arguments, message] : cases) {
    const ToolRun r = run(arguments);
    EXPECT_EQ(r.Code, 2) << (arguments.empty() ? "" : arguments.back());
    EXPECT_TRUE(Has(r.Err, "korvane-cli: " + message)) << r.Err;
  }
  const ToolRun version = run({"--version"}), help = run({"generate", "--help"});
  EXPECT_TRUE(version.Code == 0 && version.Out.starts_with("korvane-cli 0.")) << version.Out;
  EXPECT_TRUE(help.Code == 0 && Has(help.Out, "--min-selectivity")) << help.Out;
}

TEST_F(CliRun, SearchesTheBundledDatabaseByNameFragments) {
  const ToolRun r = run({"db", "search", "xylene", "--db", KORVANE_BUNDLED_DATABASE});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_EQ(Count(r.Out, "xylene; "), 3u) << r.Out;
  EXPECT_TRUE(Has(r.Out, "o-xylene; 1,2-dimethylbenzene; xylene  structures/o-xylene.ms"));
}

TEST(BundledDatabase, EveryEntryReadsBackWithItsFormulaAndStructure) {
  const auto entries = ParseSourceList(ReadText(KORVANE_BUNDLED_LIST), "hydrocarbons.txt");
  const auto database = OpenDatabase(KORVANE_BUNDLED_DATABASE, true);
  ASSERT_EQ(database->ItemCount(), entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const SourceListEntry& entry = entries[i];
    EXPECT_EQ(FindItemBySynonym(*database, entry.Synonyms.front()), static_cast<int>(i)) << entry.Stem;
    const TMolecule& molecule = *database->GetMolecule(i);
    EXPECT_EQ(HillFormula(molecule), entry.Formula) << entry.Stem;
    EXPECT_TRUE(AreIsomorphic(molecule, *MoleculeFromSmiles(entry.Smiles).value())) << entry.Stem;
  }
}

TEST_F(CliRun, AddsFindsAndDescribesStructures) {
  ASSERT_EQ(run({"structure", "CC(C)=C", "-o", "isobutene.ms", "--id", "7"}).Code, 0);
  const ToolRun added =
      run({"db", "add", "isobutene.ms", "--name", "isobutene", "--synonyms", "isobutylene;", "--db", "my.mdb"});
  ASSERT_EQ(added.Code, 0) << added.Err;
  ASSERT_EQ(run({"db", "add", "smiles:CCC", "--name", "propane", "--db", "my.mdb"}).Code, 0);
  EXPECT_TRUE(fs::exists(path("structures/isobutene.ms")));
  // The same structure is not stored twice.
  EXPECT_EQ(run({"db", "add", "smiles:C=C(C)C", "--name", "again", "--db", "my.mdb"}).Code, 1);

  const ToolRun found = run({"db", "find", "smiles:C=C(C)C", "--db", "my.mdb"});
  ASSERT_EQ(found.Code, 0) << found.Err;
  EXPECT_TRUE(Has(found.Out, "    0  isobutene; isobutylene  structures/isobutene.ms") && !Has(found.Out, "propane"))
      << found.Out;
  const ToolRun described = run({"structure", "structures/isobutene.ms"});
  for (const char* line : {"identification = 1\n", "molecular formula = C4H8\n", "smiles = C=C(C)C\n"})
    EXPECT_TRUE(Has(described.Out, line)) << described.Out;
  EXPECT_TRUE(Has(run({"structure", "isobutene.ms"}).Out, "identification = 7\n"));
}

TEST_F(CliRun, PropertiesAndTheThirdStateVariable) {
  const ToolRun r = run({"properties", "smiles:CC", "-T", "273.15", "--p", "101325"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  // Every property by name; the state uses the T and p given: Vm = R T / p = 8.314 * 273.15 / 101325.
  for (const char* name : {"cp", "Hf", "Gf", "Sf", "Tb", "Tc", "pc", "Vc", "zc", "omega"})
    EXPECT_TRUE(Has(r.Out, std::string(name) + " = ")) << name;
  const std::size_t vm = r.Out.find("\nVm = ");
  ASSERT_NE(vm, std::string::npos) << r.Out;
  EXPECT_NEAR(std::stod(r.Out.substr(vm + 6)), 8.314 * 273.15 / 101325, 1e-15);
}

TEST_F(CliRun, ExportsEquationsInEveryLanguageAndTheGraph) {
  ASSERT_EQ(run({"generate", "smiles:CC", "-o", "ethane.rnw"}).Code, 0);
  for (const auto& [language, file] : {std::pair{"pascal", "e.pas"}, {"c", "e.c"}, {"matlab", "e.m"}}) {
    const ToolRun r = run({"export-equations", "ethane.rnw", "--language", language, "-o", file});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(Has(ReadText(path(file)), "KinConstants")) << file;
  }
  EXPECT_TRUE(Has(ReadText(path("e.pas")), "procedure Balance("));
  const ToolRun rates = run({"export-equations", "ethane.rnw", "--language", "c", "--parts", "rates,balance", "-o", "r.c"});
  EXPECT_TRUE(rates.Code == 0 && Has(rates.Err, "c has no balance part")) << rates.Err;
  EXPECT_FALSE(Has(ReadText(path("r.c")), "K[0]="));

  const ToolRun graph = run({"export-graph", "ethane.rnw", "-o", "ethane.dot", "--without-hydrogen", "--png"});
  ASSERT_EQ(graph.Code, 0) << graph.Err;
  EXPECT_TRUE(Has(ReadText(path("ethane.dot")), "4 -> 5;"));
  EXPECT_TRUE(!fs::exists(path("pict_0.png")) && fs::exists(path("pict_7.png")));
  const fs::path png = path("ethane.png");
  EXPECT_TRUE(Has(graph.Err, "not installed") || (fs::exists(png) && fs::file_size(png) > 0)) << graph.Err;
}

// The mechanism and its dictionary beside it: one species per component,
// each dictionary SMILES its component's structure (the element balance and
// the kinetics are the exporter's, tested there).
TEST_F(CliRun, ExportsTheNDecaneNetworkAsAChemkinMechanism) {
  ASSERT_EQ(run({"generate", "smiles:CCCCCCCCCC", "-o", "decane.rnw"}).Code, 0);
  const ToolRun r = run({"export-chemkin", "decane.rnw", "-o", "decane.inp", "--active-radicals", "1e-7"});
  ASSERT_EQ(r.Code, 0) << r.Err;
  EXPECT_TRUE(Has(r.Out, "its species dictionary decane_dictionary.txt")) << r.Out;
  EXPECT_TRUE(Has(ReadText(path("decane.inp")), "cActR = 1e-07 mol/m^3"));
  const auto session = LoadNetworkInput(path("decane.rnw"));
  const TReactionNetwork& network = session->Network();
  const testing::ChemkinMechanism mechanism = testing::ReadChemkinMechanism(ReadText(path("decane.inp")));
  ASSERT_EQ(mechanism.Species.size(), network.ComponentCount());
  // The summary counts the reactions the file holds and those it leaves out.
  const std::size_t written = mechanism.Reactions.size();
  EXPECT_TRUE(Has(r.Out, std::to_string(written) + " reactions, " + std::to_string(network.ReactionCount() - written) +
                             " whose products equal their reactants left out"))
      << r.Out;
  std::istringstream dictionary(ReadText(path("decane_dictionary.txt")));
  std::size_t rows = 0;
  for (std::string line; std::getline(dictionary, line);) {
    if (line[0] == '!') continue;
    std::istringstream words(line);
    std::string name, smiles;
    std::size_t index = 0;
    ASSERT_TRUE(words >> name >> smiles >> index && index < network.ComponentCount()) << line;
    EXPECT_EQ(name, mechanism.Species[index]);
    const auto molecule = MoleculeFromSmiles(smiles);
    ASSERT_TRUE(molecule) << smiles;
    EXPECT_TRUE(AreIsomorphic(*molecule.value(), *network.Component(index))) << smiles;
    ++rows;
  }
  EXPECT_EQ(rows, network.ComponentCount());

  // The Cantera file of the same network names the same species and reactions.
  const ToolRun cantera = run({"export-cantera", "decane.rnw", "-o", "decane.yaml", "--active-radicals", "1e-7"});
  ASSERT_EQ(cantera.Code, 0) << cantera.Err;
  const YAML::Node yaml = YAML::LoadFile(path("decane.yaml"));
  EXPECT_EQ(yaml["phases"][0]["species"].as<std::vector<std::string>>(), mechanism.Species);
  EXPECT_EQ(yaml["reactions"].size(), mechanism.Reactions.size());
  EXPECT_TRUE(Has(yaml["description"].as<std::string>(), "cActR = 1e-07 mol/m^3"));
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST_F(CliRun, SimulatesAPlugFlowIntoJsonAndCsvTables) {
  ASSERT_EQ(run({"generate", "smiles:CCCC", "-o", "butane.rnw"}).Code, 0);
  const ToolRun ran = run({"simulate", "butane.rnw", "-T", "1100", "--time", "0.2", "--points", "4", "--rop", "C=C",
                           "--sensitivity", "-o", "yields.csv", "--json"});
  ASSERT_EQ(ran.Code, 0) << ran.Err;
  const YAML::Node json = YAML::Load(ran.Out);
  ASSERT_EQ(json["times"].size(), 4u);
  EXPECT_DOUBLE_EQ(json["times"][3].as<double>(), 0.2);
  double total = 0.0;
  for (const auto& lump : json["lumps"]) total += lump.second[3].as<double>();
  EXPECT_NEAR(total, 100.0, 1e-6);
  EXPECT_LT(json["balance"]["C"].as<double>(), 1e-9);
  EXPECT_GT(json["species"].size(), 10u);
  EXPECT_EQ(json["species"][4]["wt_percent"].size(), 4u);
  EXPECT_GT(json["conversion"].begin()->second[3].as<double>(), 0.0);
  EXPECT_GT(json["rop"]["formation"].size(), 0u);
  EXPECT_GT(json["sensitivity"]["parameters"].size(), 5u);
  EXPECT_EQ(json["heat_taken_kJ_per_kg"].size(), 4u);
  EXPECT_GT(json["heat_taken_kJ_per_kg"][3].as<double>(), 0.0);  // cracking takes up heat
  // The summary goes to stderr beside the JSON, and every table has a header and a row per point.
  EXPECT_TRUE(Has(ran.Err, "C2H4")) << ran.Err;
  EXPECT_TRUE(Has(ran.Err, "kJ per kg of hydrocarbon fed")) << ran.Err;
  for (const char* name : {"yields.csv", "yields_mol.csv"}) {
    const std::string text = ReadText(path(name));
    EXPECT_EQ(Count(text, "\n"), 5u) << name;
    EXPECT_EQ(text.rfind("time_s,T_K,p_Pa,", 0), 0u) << name;
  }
  EXPECT_EQ(Count(ReadText(path("yields_sensitivity.csv")), "\n"), 20u);
  EXPECT_TRUE(Has(ReadText(path("yields_rop.csv")), "formation,"));
}

TEST_F(CliRun, SimulateRefusesBadInputAndWritesNothing) {
  ASSERT_EQ(run({"generate", "smiles:CCC", "-o", "propane.rnw"}).Code, 0);
  std::ofstream(path("falling.csv")) << "z,T\n0,1000\n5,900\n5,950\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--time", "-1"}, "residence time"},
      {{"--time", "0.1", "-T", "3100"}, "200 to 3000 K"},
      {{"--time", "0.1", "--profile", "falling.csv", "--velocity", "10"}, "do not increase"},
      {{"--time", "0.1", "--profile", "missing.csv", "--velocity", "10"}, "missing.csv"},
      {{"--time", "0.1", "--rop", "C=CC=C"}, "no species"},
      {{"--time", "0.1", "--length", "10"}, "--length"},
      {{"--time", "0.1", "--reactor", "batch", "--velocity", "10"}, "batch reactor"},
  };
  for (const auto& [arguments, message] : cases) {
    std::vector<std::string> command = {"simulate", "propane.rnw", "-o", "yields.csv"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const ToolRun ran = run(command);
    EXPECT_NE(ran.Code, 0) << arguments[0];
    EXPECT_TRUE(Has(ran.Err, message)) << ran.Err;
    EXPECT_FALSE(fs::exists(path("yields.csv"))) << arguments[0];
  }
}

}  // namespace
}  // namespace korvane
