#include "core/journal/Journal.h"
#include "ui/timeline/GrowthChart.h"

#include "support/ui/GrowthChartViews.h"

#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>

using namespace talvane::journal;

TEST(GrowthChart, EachMeasureRisesOnAScaleOfItsOwnAlongOneTimeLine)
{
    // Seven years: the height doubles in centimetres, the trunk grows by 6 millimetres.
    Journal journal = Journal::read("");
    const auto measured = [&](const char* day, const char* height, const char* trunk) {
        journal.add(CareEvent{*CalendarDate::fromText(day), CareKind::Note, std::nullopt, {}, "measured", {},
                              {{MeasureKind::Height, height, LengthUnit::Centimetre},
                               {MeasureKind::Trunk, trunk, LengthUnit::Millimetre}}, {}});
    };
    measured("2019-05-01", "26", "35");
    measured("2022-05-01", "38", "38");
    measured("2026-05-01", "52", "41");
    GrowthChart growth;
    growth.resize(800, 600);
    growth.showJournal(journal);
    growth.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&growth));
    QChart* height = chartViewOf(growth, MeasureKind::Height)->chart();
    QChart* trunk = chartViewOf(growth, MeasureKind::Trunk)->chart();
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return std::abs(height->plotArea().left() - trunk->plotArea().left()) < 1 &&
               std::abs(height->plotArea().right() - trunk->plotArea().right()) < 1;
    })) << "a date stands at the same place in both charts";
    EXPECT_FALSE(isCharted(growth, MeasureKind::Nebari) || isCharted(growth, MeasureKind::Canopy));
    EXPECT_TRUE(growth.notice()->text().isEmpty());

    for (QChart* chart : {height, trunk}) {
        auto* line = qobject_cast<QLineSeries*>(chart->series().at(0));
        ASSERT_EQ(line->count(), 3);
        const QPointF first = chart->mapToPosition(line->at(0), line);
        const QPointF last = chart->mapToPosition(line->at(2), line);
        EXPECT_GT(first.y() - last.y(), chart->plotArea().height() / 2) << chart->title().toStdString();
        EXPECT_GT(last.x() - first.x(), chart->plotArea().width() / 2);
        // A small chart has height for a few value labels only: more are cut to "...".
        const auto* values = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).at(0));
        EXPECT_LE((values->max() - values->min()) / values->tickInterval(), 4);
    }
    EXPECT_EQ(trunk->title(), QStringLiteral("Trunk diameter (mm)"));
    const auto* scale = qobject_cast<QValueAxis*>(trunk->axes(Qt::Vertical).at(0));
    EXPECT_TRUE(scale->min() > 20 && scale->min() <= 35 && scale->max() >= 41 && scale->max() < 60)
        << scale->min() << " to " << scale->max();
    // Only the lowest chart spells out the dates.
    EXPECT_FALSE(height->axes(Qt::Horizontal).at(0)->labelsVisible());
    EXPECT_TRUE(trunk->axes(Qt::Horizontal).at(0)->labelsVisible());
}
