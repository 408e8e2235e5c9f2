#include "gui/selectivity_study_page.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/delimited_text.h"
#include "gui/picture_actions.h"
#include "gui/position_list_model.h"
#include "gui/reaction_detail_text.h"
#include "gui/reaction_detail_window.h"
#include "gui/reaction_list.h"
#include "gui/reaction_text.h"
#include "gui/window_text.h"

namespace korvane::gui {
namespace {

// The smallest of 1, 2 and 5 times a power of ten at or above `highest`, with
// the tick count that puts its ticks on round numbers.
std::pair<double, int> RoundAxisTop(double highest) {
  if (!(highest > 0.0)) return {1.0, 6};
  const double decade = std::pow(10.0, std::floor(std::log10(highest)));
  for (const auto& [factor, ticks] : {std::pair{1.0, 6}, {2.0, 5}, {5.0, 6}, {10.0, 6}})
    if (factor * decade >= highest * (1.0 - 1e-12)) return {factor * decade, ticks};
  return {10.0 * decade, 6};
}

}  // namespace

SelectivityStudyPage::SelectivityStudyPage(TReaction_Detail& detail) : m_detail(detail) {
  auto* layout = new QHBoxLayout(this);
  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QStringLiteral("Select reactant:")));
  m_reactants = new QComboBox;
  connect(m_reactants, &QComboBox::activated, this, &SelectivityStudyPage::chooseReactant);
  side->addWidget(m_reactants);
  side->addWidget(new QLabel(QStringLiteral("Is reactant at reactions:")));
  m_model = new PositionListModel(this);
  m_reactions = new QListView;
  m_reactions->setModel(m_model);
  m_reactions->setUniformItemSizes(true);
  m_reactions->setEditTriggers(QAbstractItemView::NoEditTriggers);
  side->addWidget(m_reactions, 1);
  side->addWidget(new QLabel(QStringLiteral("Estimate partial selectivity at ")));
  side->addWidget(new QLabel(QStringLiteral("temperature (K) inteval:")));
  auto* interval = new QFormLayout;
  // In the user's number format, as every other number; either separator
  // reads.
  m_from = new QLineEdit(NumberText(298.15));
  m_to = new QLineEdit(QStringLiteral("1050"));
  m_from->setObjectName(QStringLiteral("from"));
  m_to->setObjectName(QStringLiteral("to"));
  interval->addRow(QStringLiteral("From"), m_from);
  interval->addRow(QStringLiteral("to"), m_to);
  side->addLayout(interval);
  auto* calculateButton = new QPushButton(QStringLiteral("Calculate"));
  connect(calculateButton, &QPushButton::clicked, this, &SelectivityStudyPage::calculate);
  side->addWidget(calculateButton);
  layout->addLayout(side);

  auto* chart = new QChart;
  chart->legend()->hide();
  m_series = new QLineSeries;
  chart->addSeries(m_series);
  m_temperatureAxis = new QValueAxis;
  m_temperatureAxis->setTitleText(QStringLiteral("T, K"));
  m_temperatureAxis->setLabelFormat(QStringLiteral("%.0f"));
  m_selectivityAxis = new QValueAxis;
  m_selectivityAxis->setTitleText(QStringLiteral("Partial molar selectivity, %"));
  m_selectivityAxis->setLabelFormat(QStringLiteral("%g"));
  chart->addAxis(m_temperatureAxis, Qt::AlignBottom);
  chart->addAxis(m_selectivityAxis, Qt::AlignLeft);
  m_series->attachAxis(m_temperatureAxis);
  m_series->attachAxis(m_selectivityAxis);
  m_chart = new QChartView(chart);
  m_chart->setRenderHint(QPainter::Antialiasing);
  m_chart->setMinimumSize(360, 260);
  layout->addWidget(m_chart, 1);

  PictureSources sources;
  sources.Image = [this] { return m_series->count() > 0 ? m_chart->grab().toImage() : QImage(); };
  sources.Svg = [this] {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(m_chart->size());
    generator.setViewBox(m_chart->rect());
    QPainter painter(&generator);
    m_chart->render(&painter);
    painter.end();
    return buffer.data().toStdString();
  };
  sources.Csv = [this] {
    TChartSeries series{m_selectivityAxis->titleText().toStdString(), {}};
    for (const QPointF& point : m_series->points()) series.Points.emplace_back(point.x(), point.y());
    return ChartCsv(m_temperatureAxis->titleText().toStdString(), {series});
  };
  m_chartActions = std::make_unique<PictureActions>(*m_chart, std::move(sources));
  m_chartActions->enableSaving(m_detail.context().Dialogs, m_detail.context().StartDirectory);
}

SelectivityStudyPage::~SelectivityStudyPage() = default;

void SelectivityStudyPage::showPage() {
  const TReaction_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  m_reactants->clear();
  for (const TMolecule* reactant : subject.Reaction->Reactants) m_reactants->addItem(ComponentIdText(reactant));
  if (m_reactants->count() > 0) chooseReactant(0);
}

void SelectivityStudyPage::chooseReactant(int index) {
  const TReaction_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  const std::optional<int> id = ListPosition(m_reactants->itemText(index));
  if (!id || *id < 0 || static_cast<std::size_t>(*id) >= subject.Network->ComponentCount()) return;
  const TMolecule& reactant = *subject.Network->Component(static_cast<std::size_t>(*id));
  std::vector<int> positions;
  QStringList texts;
  for (const TReaction* reaction : reactant.ReactionLinks[kConsumedIn]) {
    positions.push_back(subject.Network->IndexOfReaction(reaction));
    texts.append(ReactionListText(positions.back()));
  }
  m_model->setLines(std::move(positions), std::move(texts));
}

void SelectivityStudyPage::calculate() {
  const TReaction_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  const TKineticParameterSet& kinetics = m_detail.context().Kinetics;
  std::vector<Arrhenius> competitors;
  bool asked = false;
  for (int row = 0; row < m_model->rowCount(); ++row) {
    const std::optional<int> position = ListPosition(m_model->index(row).data().toString());
    if (!position || *position < 0 || static_cast<std::size_t>(*position) >= subject.Network->ReactionCount())
      continue;
    const TReaction& competitor = *subject.Network->Reaction(static_cast<std::size_t>(*position));
    if (&competitor == subject.Reaction) continue;
    if (competitor.Reactants.size() > 1 && !asked) {
      asked = true;
      if (!m_detail.context().Dialogs.ask(
              QStringLiteral("WARNING"),
              QStringLiteral("One or more reactions have more than one reactant. It will be ignored becaouse of "
                             "unknown this product concentration. Continue?")))
        return;
    }
    competitors.push_back(ParameterValues(competitor, kinetics));
  }
  const Arrhenius studied = ParameterValues(*subject.Reaction, kinetics);

  const std::optional<double> from = ReadNumber(m_from->text());
  const std::optional<double> to = ReadNumber(m_to->text());
  for (const auto& [value, field] : {std::pair{from, m_from}, {to, m_to}}) {
    if (!value) {
      m_detail.context().Dialogs.message(
          QString(), QStringLiteral("'%1' is not a valid floating point value").arg(field->text()));
      return;
    }
  }
  // Refused with a message rather than ignored: a reversed or absurd
  // interval is a typing slip the user should see.
  if (const std::string problem = SelectivityRangeProblem(*from, *to); !problem.empty()) {
    m_detail.context().Dialogs.message(QString(), QString::fromStdString(problem));
    return;
  }
  const auto curve = SelectivityCurve(studied, competitors, *from, *to);
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(curve.size()));
  double highest = 0.0;
  // In per cent, as the axis title says.
  for (const auto& [T, share] : curve) {
    points.append(QPointF(T, 100.0 * share));
    highest = std::max(highest, 100.0 * share);
  }
  m_series->replace(points);
  m_temperatureAxis->setRange(*from, *to);
  // The shares lie between 0 and 100 %; the axis reaches the highest on
  // round ticks, so that a small share is not a flat line at 0.
  const auto [top, ticks] = RoundAxisTop(highest);
  m_selectivityAxis->setRange(0.0, top);
  m_selectivityAxis->setTickCount(ticks);
}

void SelectivityStudyPage::clear() {
  m_reactants->clear();
  m_model->clear();
  m_series->clear();
}

}  // namespace korvane::gui
