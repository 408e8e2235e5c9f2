// The "Table" views of the component and reaction pages over the primary
// network of a straight-chain alkane (n-eicosane: 74,187 components and
// 178,239 reactions): showing a table with its rows drawn, sorting by a
// column and searching. The goal is under 0.3 s each. SMILES are made in
// passes between events after a component table is shown; BM_MakeAllSmiles
// measures that work, and the sorts and searches run after it. An absolute
// selectivity is a walk over the network (BM_AbsoluteSelectivityCell), made
// when its cell is shown; a sort by that column asks first on a large
// network and is not measured here.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include "alkane_window.h"
#include "gui/components_page.h"
#include "gui/network_table_view.h"
#include "gui/reactions_page.h"
#include "smiles/smiles_writer.h"

namespace {

using namespace korvane;
using namespace korvane::gui;
using bench::AlkaneWindow;

QTabWidget& Pages(TReact_Net_Wind& window) {
  return *window.centralWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

QCheckBox& TableBox(QWidget& page) {
  for (QCheckBox* box : page.findChildren<QCheckBox*>())
    if (box->text() == QStringLiteral("Table")) return *box;
  std::abort();
}

template <class Page>
Page& PageOf(TReact_Net_Wind& window) {
  if constexpr (std::is_same_v<Page, TComponentsPage>)
    return *window.componentsPage();
  else
    return *window.reactionsPage();
}

// The table shown, with its SMILES made.
template <class Page>
NetworkTableView& ShownTable(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  Page& page = PageOf<Page>(window);
  Pages(window).setCurrentWidget(&page);
  TableBox(page).setChecked(true);
  NetworkTableView& view = *page.tableView();
  view.model().source()->Prepare(view.model().source()->RowCount());
  return view;
}

void Counters(benchmark::State& state, const NetworkTableView& view) {
  state.counters["rows"] = static_cast<double>(view.model().source()->RowCount());
  state.counters["shown"] = static_cast<double>(view.model().rowCount());
  state.counters["unexpected_questions"] = bench::Dialogs().Unexpected;
}

// Checking "Table" makes the table's source and draws its first rows.
template <class Page>
void ShowTable(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  Page& page = PageOf<Page>(window);
  Pages(window).setCurrentWidget(&page);
  QCheckBox& box = TableBox(page);
  for (auto _ : state) {
    box.setChecked(true);
    benchmark::DoNotOptimize(page.tableView()->table()->grab());
    state.PauseTiming();
    box.setChecked(false);
    state.ResumeTiming();
  }
  box.setChecked(true);
  Counters(state, *page.tableView());
  box.setChecked(false);
}

void BM_ShowComponentTable(benchmark::State& state) { ShowTable<TComponentsPage>(state); }
void BM_ShowReactionTable(benchmark::State& state) { ShowTable<TReactionsPage>(state); }

// range(1): the column; each iteration sorts it descending from the network order.
template <class Page>
void SortTable(benchmark::State& state) {
  NetworkTableView& view = ShownTable<Page>(state);
  QTableView& table = *view.table();
  const int column = static_cast<int>(state.range(1));
  for (auto _ : state) {
    table.sortByColumn(column, Qt::DescendingOrder);
    benchmark::DoNotOptimize(table.grab());
    state.PauseTiming();
    table.sortByColumn(0, Qt::AscendingOrder);
    state.ResumeTiming();
  }
  Counters(state, view);
}

void BM_SortComponentTable(benchmark::State& state) { SortTable<TComponentsPage>(state); }
void BM_SortReactionTable(benchmark::State& state) { SortTable<TReactionsPage>(state); }

// range(1): 0 a formula, 1 a SMILES fragment, 2 a text found nowhere.
template <class Page>
void SearchTable(benchmark::State& state) {
  NetworkTableView& view = ShownTable<Page>(state);
  QLineEdit& search = *view.findChild<QLineEdit*>(QStringLiteral("tableSearch"));
  const char* texts[] = {"C8H16", "C=CCCCC", "xenon"};
  const QString text = QString::fromLatin1(texts[state.range(1)]);
  for (auto _ : state) {
    search.setText(text);
    benchmark::DoNotOptimize(view.table()->grab());
    state.PauseTiming();
    search.clear();
    state.ResumeTiming();
  }
  search.setText(text);
  Counters(state, view);
  search.clear();
}

void BM_SearchComponentTable(benchmark::State& state) { SearchTable<TComponentsPage>(state); }
void BM_SearchReactionTable(benchmark::State& state) { SearchTable<TReactionsPage>(state); }

// The SMILES query of 1-octene: its component, or the reactions it takes part in.
template <class Page>
void QueryStructure(benchmark::State& state) {
  NetworkTableView& view = ShownTable<Page>(state);
  QLineEdit& structure = *view.findChild<QLineEdit*>(QStringLiteral("tableStructure"));
  for (auto _ : state) {
    structure.setText(QStringLiteral("C=CCCCCCC"));
    view.findStructure();
    benchmark::DoNotOptimize(view.table()->grab());
    state.PauseTiming();
    structure.clear();
    view.findStructure();
    state.ResumeTiming();
  }
  structure.setText(QStringLiteral("C=CCCCCCC"));
  view.findStructure();
  Counters(state, view);
  structure.clear();
  view.findStructure();
}

void BM_QueryComponentTable(benchmark::State& state) { QueryStructure<TComponentsPage>(state); }
void BM_QueryReactionTable(benchmark::State& state) { QueryStructure<TReactionsPage>(state); }

// Every canonical SMILES of the component table, as the idle passes make them.
void BM_MakeAllSmiles(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ComponentTableSource source(window.network(), ListedComponents(window.network(), std::nullopt),
                                [](const TMolecule& molecule) {
                                  const auto smiles = CanonicalSmiles(molecule);
                                  return smiles ? smiles.value() : std::string("-");
                                });
    source.Prepare(source.RowCount());
  }
}

// One cell of "Absolute s": its walk over the network, for every 1000th
// reaction (a sort by the column walks once per reaction).
void BM_AbsoluteSelectivityCell(benchmark::State& state) {
  TReact_Net_Wind& window = AlkaneWindow(static_cast<int>(state.range(0)));
  TReactionNetwork& network = window.network();
  std::size_t index = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(network.AbsoluteSelectivity(index));
    index = (index + 1000) % network.ReactionCount();
  }
}

constexpr int kCarbons[] = {6, 20};

void ShowArgs(benchmark::internal::Benchmark* b) {
  b->ArgName("carbons")->Unit(benchmark::kMillisecond);
  for (const int carbons : kCarbons) b->Arg(carbons);
}

template <int... Columns>
void ColumnArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"carbons", "column"})->Unit(benchmark::kMillisecond);
  for (const int carbons : kCarbons)
    for (const int column : {Columns...}) b->Args({carbons, column});
}

template <int... Texts>
void TextArgs(benchmark::internal::Benchmark* b) {
  b->ArgNames({"carbons", "text"})->Unit(benchmark::kMillisecond);
  for (const int carbons : kCarbons)
    for (const int column : {Texts...}) b->Args({carbons, column});
}

BENCHMARK(BM_ShowComponentTable)->Apply(ShowArgs);
BENCHMARK(BM_ShowReactionTable)->Apply(ShowArgs);
// Components: molar mass, formula, SMILES, reactions.
BENCHMARK(BM_SortComponentTable)->Apply(ColumnArgs<kComponentMass, kComponentFormula, kComponentSmiles, kComponentReactions>);
// Reactions: equation, k, after-filter selectivity.
BENCHMARK(BM_SortReactionTable)->Apply(ColumnArgs<kReactionEquation, kReactionRate, kReactionAfterFilter>);
BENCHMARK(BM_SearchComponentTable)->Apply(TextArgs<0, 1, 2>);
BENCHMARK(BM_SearchReactionTable)->Apply(TextArgs<0, 2>);
BENCHMARK(BM_QueryComponentTable)->Apply(ShowArgs);
BENCHMARK(BM_QueryReactionTable)->Apply(ShowArgs);
BENCHMARK(BM_AbsoluteSelectivityCell)->Apply(ShowArgs)->Iterations(100);
BENCHMARK(BM_MakeAllSmiles)->Apply(ShowArgs)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return korvane::bench::RunWindowBenchmarks(argc, argv); }
