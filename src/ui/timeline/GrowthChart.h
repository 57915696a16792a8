#pragma once

#include <QWidget>

class QChart;
class QChartView;
class QLabel;

namespace talvane::journal {
class Journal;
}

// A tree's measurements over the years: one line for each kind measured (height,
// trunk diameter, nebari width, canopy width), in centimetres whatever unit each
// measurement was written in.
class GrowthChart : public QWidget {
    Q_OBJECT
public:
    explicit GrowthChart(QWidget* parent = nullptr);

    void showJournal(const talvane::journal::Journal& journal);

    QChart* chart() const;
    QLabel* notice() const { return m_notice; }

private:
    QChartView* m_view;
    QLabel* m_notice;
};
