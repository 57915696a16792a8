#pragma once

#include "core/journal/Measurement.h"

#include <QMargins>
#include <QWidget>

#include <array>

class QChartView;
class QLabel;

namespace talvane::journal {
class Journal;
}

// A tree's measurements over the years: a small chart for each kind measured (height,
// trunk diameter, nebari width, canopy width), one above the other on one time scale.
// Each has a scale of its own, fitted to its values and in the unit of its latest
// measurement, so that a trunk growing by millimetres rises as plainly as a height
// growing by centimetres.
class GrowthChart : public QWidget {
    Q_OBJECT
public:
    explicit GrowthChart(QWidget* parent = nullptr);

    void showJournal(const talvane::journal::Journal& journal);

    QLabel* notice() const { return m_notice; }

private:
    // The value labels differ in width from chart to chart: the left margins line the
    // plot areas up, so that a date stands at the same place in every chart.
    void alignPlotAreas();

    std::array<QChartView*, talvane::journal::kMeasureKinds.size()> m_views;
    // The margins each chart's plot area was last laid out with.
    std::array<QMargins, talvane::journal::kMeasureKinds.size()> m_laidOutMargins;
    QLabel* m_notice;
    bool m_aligning = false;
};
