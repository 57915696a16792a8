#pragma once

#include "ui/framework/CoreTexts.h"
#include "ui/timeline/GrowthChart.h"
#include "core/journal/Measurement.h"

#include <QChartView>

// The chart a growth chart draws for a kind of measure, found as a screen reader finds
// it: by the measure's name.
inline QChartView* chartViewOf(const GrowthChart& growth, talvane::journal::MeasureKind kind)
{
    for (QChartView* view : growth.findChildren<QChartView*>())
        if (view->accessibleName() == coreText(talvane::journal::measureName(kind)))
            return view;
    return nullptr;
}

// A kind's chart shows only while that kind has a measurement.
inline bool isCharted(const GrowthChart& growth, talvane::journal::MeasureKind kind)
{
    const QChartView* view = chartViewOf(growth, kind);
    return view && !view->isHidden();
}
