#pragma once

#include "core/report/ReportPager.h"
#include "core/timeline/TimelinePhoto.h"

#include <QString>
#include <QStringList>

#include <vector>

class CBonsaiData;
class QPainter;

// A tree's passport on paper: its report, then its photos oldest first, two a page
// with their dates and texts, then a table of its measurements. Every page is
// numbered of the whole passport.
class PassportPages {
public:
    // The photos' files are in these folders; the entry must stay as it is meanwhile.
    PassportPages(const CBonsaiData& entry, const QString& title, const QString& photosFolder, const QString& albumFolder);

    int pageCount() const;
    void drawPage(QPainter& painter, int page);

private:
    struct Measured {
        QString date;
        QStringList amounts; // in the order of the measure kinds, empty where not measured
    };
    void drawPhotoPage(QPainter& painter, int photoPage) const;
    void drawMeasurementPage(QPainter& painter, int measurementPage) const;
    void drawHeading(QPainter& painter, const QString& text) const;
    // The collection's name and "Page 4 of 11", the same on every page.
    void drawFooter(QPainter& painter, int page) const;

    QString m_title;
    QString m_treeName;
    QString m_photosFolder;
    QString m_albumFolder;
    talvane::report::ReportPager m_report;
    std::vector<talvane::timeline::TimelinePhoto> m_photos;
    std::vector<Measured> m_measured;
};
