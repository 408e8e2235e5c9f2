// The component and reaction pages of a network window over the primary
// network of a straight-chain alkane (n-hexadecane: 9,720 components and
// 22,437 reactions): showing a page with its list drawn, filtering and
// refreshing. The goal is well under 0.2 s each.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include "alkane_window.h"
#include "gui/components_page.h"
#include "gui/reactions_page.h"

namespace {

using namespace korvane;
using namespace korvane::gui;
using bench::AlkaneWindow;
using bench::Dialogs;

QTabWidget& Pages(TReact_Net_Wind& window) {
  return *window.centralWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

template <class Control>
Control* Find(QWidget& page, const char* caption) {
  for (Control* control : page.findChildren<Control*>())
    if (control->text() == QString::fromLatin1(caption)) return control;
  return nullptr;
}

void Counters(benchmark::State& state, TReact_Net_Wind& window, const QListView& list) {
  state.counters["components"] = static_cast<double>(window.network().ComponentCount());
  state.counters["reactions"] = static_cast<double>(window.network().ReactionCount());
  state.counters["lines"] = static_cast<double>(list.model()->rowCount());
  state.counters["unexpected_questions"] = Dialogs().Unexpected;
}

// Bringing the page forward fills its list; grabbing paints it.
template <class Page>
void ShowPage(benchmark::State& state, Page* (TReact_Net_Wind::*pageOf)() const) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  Page& page = *(window.*pageOf)();
  for (auto _ : state) {
    state.PauseTiming();
    Pages(window).setCurrentIndex(0);
    state.ResumeTiming();
    Pages(window).setCurrentWidget(&page);
    benchmark::DoNotOptimize(page.list()->grab());
  }
  Counters(state, window, *page.list());
}

void BM_ShowComponentsPage(benchmark::State& state) { ShowPage(state, &TReact_Net_Wind::componentsPage); }
void BM_ShowReactionsPage(benchmark::State& state) { ShowPage(state, &TReact_Net_Wind::reactionsPage); }

void BM_RefreshComponentList(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  TComponentsPage& page = *window.componentsPage();
  Pages(window).setCurrentWidget(&page);
  for (auto _ : state) page.refresh();
  Counters(state, window, *page.list());
}

// Every check box on, so each component is tested in all four groups; the
// carbon count of 8 lists the C8 species.
void BM_FilterComponentList(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  TComponentsPage& page = *window.componentsPage();
  Pages(window).setCurrentWidget(&page);
  for (const char* caption :
       {"Molecules", "Radicals", "Saturated", "Nonsaturated", "Aromatic", "Cyclic", "Acyclic", "Only fraction"})
    Find<QCheckBox>(page, caption)->setChecked(true);
  page.findChild<QSpinBox*>(QStringLiteral("fraction"))->setValue(8);
  QCheckBox& filter = *Find<QCheckBox>(page, "Filter substance list, show only:");
  for (auto _ : state) {
    filter.setChecked(true);  // refreshes through the filter
    state.PauseTiming();
    filter.setChecked(false);
    state.ResumeTiming();
  }
  filter.setChecked(true);
  Counters(state, window, *page.list());
  filter.setChecked(false);
}

void BM_RefreshReactionList(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  TReactionsPage& page = *window.reactionsPage();
  Pages(window).setCurrentWidget(&page);
  for (auto _ : state) page.refresh();
  Counters(state, window, *page.list());
}

// range(1): 0 by reaction type (beta-scissions), 1 by substance (the feed,
// as reactant and product).
void BM_FilterReactionList(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  TReactionsPage& page = *window.reactionsPage();
  Pages(window).setCurrentWidget(&page);
  Find<QCheckBox>(page, "Beta-Scissions")->setChecked(true);
  page.findChild<QSpinBox*>(QStringLiteral("substance"))->setValue(4);
  Find<QCheckBox>(page, "As reactant")->setChecked(true);
  Find<QCheckBox>(page, "As product")->setChecked(true);
  QRadioButton& all = *Find<QRadioButton>(page, "Show all reactions summary");
  QRadioButton& mode = *Find<QRadioButton>(page, state.range(1) == 0 ? "Filter by reaction type" : "Filter by substance #");
  for (auto _ : state) {
    mode.setChecked(true);  // refreshes through the filter
    state.PauseTiming();
    all.setChecked(true);
    state.ResumeTiming();
  }
  mode.setChecked(true);
  Counters(state, window, *page.list());
  all.setChecked(true);
}

BENCHMARK(BM_ShowComponentsPage)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshComponentList)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterComponentList)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowReactionsPage)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshReactionList)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterReactionList)
    ->ArgNames({"carbons", "by_substance"})
    ->Args({6, 0})
    ->Args({6, 1})
    ->Args({16, 0})
    ->Args({16, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return korvane::bench::RunWindowBenchmarks(argc, argv); }
