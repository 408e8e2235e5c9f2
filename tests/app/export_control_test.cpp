// Every exporter writes through temporary files and looks at its control:
// stopped, it is refused and leaves the previous files exactly as they were
// (no temporary file stays either); run through, its progress ends at its
// total.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>

#include "../database/database_test_support.h"
#include "app/chemkin_export.h"
#include "app/equation_export.h"
#include "app/graph_export.h"
#include "app/network_file.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/kinetic_parameters.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

struct NoPictures : TMoleculePictureWriter {
  TResult<> Write(const TMolecule&, const TPictureGeometry&, const std::string&) override { return {}; }
};

struct Exporter {
  std::string Name;
  /// The files it writes, in the scratch folder.
  std::vector<std::string> Files;
  std::string Cancelled;
  std::function<TResult<>(const TReactionNetwork&, const testing::ScratchDir&, const TWorkControl&)> Run;
};

std::vector<Exporter> Exporters() {
  static const TKineticParameterSet parameters;
  std::vector<Exporter> exporters;
  for (const auto& [language, file] : {std::pair{TExportLanguage::Pascal, "k.pas"}, {TExportLanguage::C, "k.c"},
                                       {TExportLanguage::Matlab, "k.m"}})
    exporters.push_back({file, {file}, kExportCancelled, [language, file](const auto& network, const auto& dir,
                                                                          const TWorkControl& control) {
                           const TEquationExportRequest request{dir.file(file), language, 7, {}};
                           return ExportEquations(network, request, parameters.Table, parameters.AlternativeValues,
                                                  control);
                         }});
  exporters.push_back({"CHEMKIN", {"k.inp", "k_dictionary.txt"}, kExportCancelled,
                       [](const auto& network, const auto& dir, const TWorkControl& control) -> TResult<> {
                         TChemkinExportOptions options;
                         options.MechanismFile = dir.file("k.inp");
                         if (auto written = ExportChemkin(network, parameters, options, control); !written)
                           return written.error();
                         return {};
                       }});
  exporters.push_back({"graph", {"k.dot"}, kGraphExportCancelled,
                       [](const auto& network, const auto& dir, const TWorkControl& control) {
                         NoPictures pictures;
                         return ExportNetworkGraph(network, dir.file("k.dot"), false, pictures, control);
                       }});
  exporters.push_back({"network file", {"k.rnw"}, kNetworkWriteCancelled,
                       [](const auto& network, const auto& dir, const TWorkControl& control) {
                         return WriteNetworkFile(network, "", dir.file("k.rnw"), TNetworkFileTrailer::With, control);
                       }});
  return exporters;
}

TEST(ExportControl, StoppedExportsChangeNoFileAndFinishedOnesReachTheirTotal) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(4));
  network.Generate();
  const std::vector<std::uint8_t> previous{'o', 'l', 'd'};
  for (const Exporter& exporter : Exporters()) {
    SCOPED_TRACE(exporter.Name);
    testing::ScratchDir dir;
    for (const std::string& file : exporter.Files) testing::PutFile(dir.file(file), previous);

    const std::atomic<bool> stop{true};
    const TResult<> stopped = exporter.Run(network, dir, {&stop, nullptr});
    ASSERT_FALSE(stopped);
    EXPECT_EQ(stopped.error().Code, TErrorCode::Refused);
    EXPECT_EQ(stopped.error().Message, exporter.Cancelled);
    for (const std::string& file : exporter.Files) EXPECT_EQ(testing::FileBytes(dir.file(file)), previous) << file;
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), std::ssize(exporter.Files));

    std::size_t done = 0, total = 0;
    const TResult<> finished = exporter.Run(network, dir, {nullptr, [&](std::size_t d, std::size_t t) {
                                                             EXPECT_LE(d, t);
                                                             done = d, total = t;
                                                           }});
    ASSERT_TRUE(finished) << finished.error().Message;
    EXPECT_GE(total, network.ComponentCount());
    EXPECT_EQ(done, total);
    for (const std::string& file : exporter.Files) EXPECT_NE(testing::FileBytes(dir.file(file)), previous) << file;
  }
}

}  // namespace
}  // namespace korvane
