#pragma once
// Network windows over the primary networks of straight-chain alkanes for
// the desktop's benchmarks, with the dialog seam they answer through and
// the main that gives them an offscreen application.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <map>
#include <memory>

#include "alkane.h"
#include "gui/network_window.h"

namespace korvane::bench {

// With a file name, answers a save: that file, Yes to overwriting it, no
// note. Any other question, or any question at all without a file name, is
// refused and counted.
class BenchDialogs : public gui::DialogSeam {
 public:
  void message(const QString&, const QString&) override { ++Unexpected; }
  bool ask(const QString&, const QString&) override { return saving() || (++Unexpected, false); }
  int choose(const QString&, const QString&, const QStringList&, int, int escape) override {
    return ++Unexpected, escape;
  }
  std::optional<QString> input(const QString&, const QString&, const QString&) override {
    if (saving()) return QString();
    return ++Unexpected, std::nullopt;
  }
  std::optional<QString> openFile(const QString&, const QString&) override { return ++Unexpected, std::nullopt; }
  std::optional<QString> chooseFile(const QString&, const QString&) override { return ++Unexpected, std::nullopt; }
  std::optional<QString> saveFile(const QString&, const QString&, bool) override {
    if (saving()) return FileName;
    return ++Unexpected, std::nullopt;
  }
  int exec(QDialog&) override { return ++Unexpected, 0; }

  QString FileName;
  int Unexpected = 0;

 private:
  bool saving() const { return !FileName.isEmpty(); }
};

inline BenchDialogs& Dialogs() {
  static BenchDialogs dialogs;
  return dialogs;
}

// One window per chain length, generated once and kept until
// CloseAlkaneWindows.
inline std::map<int, std::unique_ptr<gui::TReact_Net_Wind>>& AlkaneWindows() {
  static std::map<int, std::unique_ptr<gui::TReact_Net_Wind>> windows;
  return windows;
}

inline gui::TReact_Net_Wind& AlkaneWindow(int carbons) {
  static TKineticParameterSet kinetics;
  static gui::GuiContext context{Dialogs(), kinetics, nullptr, QString(), QString(), nullptr, QString(), QString()};
  auto& window = AlkaneWindows()[carbons];
  if (!window) {
    auto network = std::make_unique<TReactionNetwork>();
    const auto feed = Alkane(carbons);
    network->AddComponent(feed->AdjacencyMatrix(), feed->AtomTypes(), feed->AromaticMatrix(), true);
    network->Generate();
    window = std::make_unique<gui::TReact_Net_Wind>(context, QStringLiteral("alkane"), std::move(network));
    window->resize(1000, 720);
    window->show();
    QApplication::processEvents();
  }
  return *window;
}

// Widgets need an application; the benchmarks draw offscreen. The windows
// close before the application ends.
inline int RunWindowBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  AlkaneWindows().clear();
  return 0;
}

}  // namespace korvane::bench
