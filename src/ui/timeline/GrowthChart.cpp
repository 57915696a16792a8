#include "ui/timeline/GrowthChart.h"

#include "ui/framework/CoreTexts.h"
#include "ui/journal/CareTexts.h"
#include "core/journal/Journal.h"
#include "core/timeline/TimelinePhoto.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <optional>

using namespace talvane::journal;
using talvane::timeline::GrowthPoint;

namespace {

constexpr int kMargin = 6;

qreal timeOf(const CalendarDate& date)
{
    return static_cast<qreal>(QDateTime(toQDate(date), QTime(12, 0)).toMSecsSinceEpoch());
}

// One colour a kind, the same in every tree's chart.
QColor colourOf(MeasureKind kind)
{
    switch (kind) {
    case MeasureKind::Height: return QColor(0x2E, 0x7D, 0x32);
    case MeasureKind::Trunk: return QColor(0x8D, 0x55, 0x24);
    case MeasureKind::Nebari: return QColor(0xC7, 0x7D, 0x00);
    case MeasureKind::Canopy: return QColor(0x15, 0x65, 0xC0);
    }
    return Qt::black;
}

void emptyChart(QChart& chart)
{
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        // The chart gives a removed axis back to the caller.
        chart.removeAxis(axis);
        delete axis;
    }
}

// The round step (1, 2, 2.5 or 5 times a power of ten) at least as long as `rough`.
qreal roundStep(qreal rough)
{
    const qreal magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (const qreal factor : {1.0, 2.0, 2.5, 5.0})
        if (rough <= factor * magnitude)
            return factor * magnitude;
    return 10 * magnitude;
}

// The scale fits the values with a little room, so that a change of a few per cent
// shows, and never goes below zero. Its lines stand at round values, at most four of
// them: a small chart has no height for more labels, which it would cut to "...".
void fitScale(QValueAxis& scale, qreal lowest, qreal highest)
{
    const qreal room = highest > lowest ? (highest - lowest) * 0.15 : std::max(highest * 0.1, 1.0);
    const qreal from = std::max<qreal>(0, lowest - room);
    const qreal to = highest + room;
    scale.setRange(from, to);
    scale.setTickType(QValueAxis::TicksDynamic);
    scale.setTickAnchor(0);
    scale.setTickInterval(roundStep((to - from) / 3.5));
}

void chartSeries(QChart& chart, MeasureKind kind, const std::vector<GrowthPoint>& points, qreal from, qreal to)
{
    emptyChart(chart);
    // Shown in the unit the grower measures in now.
    const LengthUnit unit = points.back().measurement.unit;
    chart.setTitle(QStringLiteral("%1 (%2)").arg(coreText(measureName(kind)), QString::fromLatin1(unitName(unit))));
    auto* line = new QLineSeries;
    line->setName(coreText(measureName(kind)));
    line->setColor(colourOf(kind));
    line->setPointsVisible(true);
    qreal lowest = 0, highest = 0;
    for (const GrowthPoint& point : points) {
        const qreal value = point.measurement.centimetres() / centimetresPer(unit);
        lowest = line->count() == 0 ? value : std::min(lowest, value);
        highest = line->count() == 0 ? value : std::max(highest, value);
        line->append(timeOf(point.date), value);
    }
    auto* time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy-MM"));
    time->setRange(QDateTime::fromMSecsSinceEpoch(qint64(from)), QDateTime::fromMSecsSinceEpoch(qint64(to)));
    auto* scale = new QValueAxis;
    scale->setLabelFormat(QStringLiteral("%g"));
    fitScale(*scale, lowest, highest);
    chart.addAxis(time, Qt::AlignBottom);
    chart.addAxis(scale, Qt::AlignLeft);
    chart.addSeries(line);
    line->attachAxis(time);
    line->attachAxis(scale);
}

} // namespace

GrowthChart::GrowthChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    for (std::size_t kind = 0; kind < m_views.size(); ++kind) {
        auto* chart = new QChart;
        chart->legend()->hide();
        chart->setBackgroundRoundness(0);
        chart->setMargins(QMargins(kMargin, kMargin / 2, kMargin, kMargin / 2));
        QFont title = chart->titleFont();
        title.setBold(true);
        chart->setTitleFont(title);
        m_views[kind] = new QChartView(chart, this);
        m_views[kind]->setRenderHint(QPainter::Antialiasing);
        m_views[kind]->setAccessibleName(coreText(measureName(kMeasureKinds[kind])));
        m_views[kind]->hide();
        layout->addWidget(m_views[kind], 1);
        m_laidOutMargins[kind] = chart->margins();
        connect(chart, &QChart::plotAreaChanged, this, [this, kind] {
            m_laidOutMargins[kind] = m_views[kind]->chart()->margins();
            alignPlotAreas();
        });
    }
    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    layout->addWidget(m_notice);
}

void GrowthChart::showJournal(const Journal& journal)
{
    std::array<std::vector<GrowthPoint>, kMeasureKinds.size()> series;
    qreal earliest = 0, latest = 0;
    bool any = false;
    for (std::size_t kind = 0; kind < series.size(); ++kind) {
        series[kind] = talvane::timeline::growthSeries(journal, kMeasureKinds[kind]);
        for (const GrowthPoint& point : series[kind]) {
            const qreal at = timeOf(point.date);
            earliest = any ? std::min(earliest, at) : at;
            latest = any ? std::max(latest, at) : at;
            any = true;
        }
    }
    // A single day would make a time scale of no width.
    constexpr qreal kMonth = 30.0 * 24 * 3600 * 1000;
    QChartView* lowest = nullptr;
    for (std::size_t kind = 0; kind < series.size(); ++kind) {
        QChart& chart = *m_views[kind]->chart();
        if (series[kind].empty()) {
            emptyChart(chart);
        } else {
            chartSeries(chart, kMeasureKinds[kind], series[kind], earliest - kMonth, latest + kMonth);
            lowest = m_views[kind];
        }
        m_views[kind]->setVisible(!series[kind].empty());
    }
    // The charts share one time scale: only the lowest spells out its dates.
    for (QChartView* view : m_views)
        for (QAbstractAxis* time : view->chart()->axes(Qt::Horizontal))
            time->setLabelsVisible(view == lowest);
    m_notice->setText(any ? QString()
                          : tr("No measurements yet: give an event of the journal a height, a trunk diameter, "
                                           "a nebari or a canopy width (Add or Edit on the Journal tab)."));
}

void GrowthChart::alignPlotAreas()
{
    // Setting a margin lays the chart out again, which calls here once more.
    if (m_aligning)
        return;
    m_aligning = true;
    // A chart is laid out again some time after its margins are set: its plot area
    // goes with the margins it was laid out with. The room beside the plot holds the
    // value labels on the left, and half of the last date on the right.
    struct Rooms {
        qreal left;
        qreal right;
    };
    std::array<std::optional<Rooms>, kMeasureKinds.size()> rooms;
    Rooms widest{0, 0};
    for (std::size_t kind = 0; kind < m_views.size(); ++kind) {
        const QChart& chart = *m_views[kind]->chart();
        const QRectF plot = chart.plotArea();
        if (m_views[kind]->isHidden() || plot.isEmpty())
            continue;
        rooms[kind] = Rooms{plot.left() - m_laidOutMargins[kind].left(),
                            chart.size().width() - plot.right() - m_laidOutMargins[kind].right()};
        widest = {std::max(widest.left, rooms[kind]->left), std::max(widest.right, rooms[kind]->right)};
    }
    for (std::size_t kind = 0; kind < m_views.size(); ++kind) {
        if (!rooms[kind])
            continue;
        QChart& chart = *m_views[kind]->chart();
        QMargins margins = chart.margins();
        margins.setLeft(kMargin + qRound(widest.left - rooms[kind]->left));
        margins.setRight(kMargin + qRound(widest.right - rooms[kind]->right));
        chart.setMargins(margins);
    }
    m_aligning = false;
}
