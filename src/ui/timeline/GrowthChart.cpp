#include "timeline/GrowthChart.h"

#include "framework/CoreTexts.h"
#include "journal/CareTexts.h"
#include "journal/Journal.h"
#include "timeline/TimelinePhoto.h"

#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

using namespace talvane::journal;

namespace {

qreal timeOf(const CalendarDate& date)
{
    return static_cast<qreal>(QDateTime(ToQDate(date), QTime(12, 0)).toMSecsSinceEpoch());
}

} // namespace

GrowthChart::GrowthChart(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_view = new QChartView(new QChart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(m_view, 1);
    m_notice = new QLabel(this);
    m_notice->setWordWrap(true);
    layout->addWidget(m_notice);
}

QChart* GrowthChart::chart() const
{
    return m_view->chart();
}

void GrowthChart::showJournal(const Journal& journal)
{
    QChart* chart = m_view->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        // The chart gives a removed axis back to the caller.
        chart->removeAxis(axis);
        delete axis;
    }
    auto* time = new QDateTimeAxis;
    time->setFormat(QStringLiteral("yyyy-MM"));
    time->setTitleText(tr("Date"));
    auto* length = new QValueAxis;
    length->setTitleText(QStringLiteral("cm"));
    length->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(length, Qt::AlignLeft);

    qreal earliest = 0, latest = 0, highest = 0;
    bool any = false;
    for (MeasureKind kind : kMeasureKinds) {
        const auto points = talvane::timeline::growthSeries(journal, kind);
        if (points.empty())
            continue;
        auto* line = new QLineSeries;
        line->setName(CoreText(measureName(kind)));
        line->setPointsVisible(true);
        for (const auto& point : points) {
            const qreal at = timeOf(point.date);
            line->append(at, point.measurement.centimetres());
            earliest = any ? std::min(earliest, at) : at;
            latest = any ? std::max(latest, at) : at;
            highest = std::max(highest, qreal(point.measurement.centimetres()));
            any = true;
        }
        chart->addSeries(line);
        line->attachAxis(time);
        line->attachAxis(length);
    }
    // A single day would make an axis of no width.
    constexpr qreal kMonth = 30.0 * 24 * 3600 * 1000;
    time->setRange(QDateTime::fromMSecsSinceEpoch(qint64(earliest - kMonth)),
                   QDateTime::fromMSecsSinceEpoch(qint64(latest + kMonth)));
    length->setRange(0, highest > 0 ? highest * 1.1 : 10);
    length->applyNiceNumbers();
    time->setVisible(any);
    length->setVisible(any);
    chart->legend()->setVisible(any);
    m_notice->setText(any ? QString()
                          : tr("No measurements yet: give an event of the journal a height, a trunk diameter, "
                                           "a nebari or a canopy width (Add or Edit on the Journal tab)."));
}
