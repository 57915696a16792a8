#include "ui/passport/PassportPages.h"

#include <QCoreApplication>

#include "core/collection/BonsaiData.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/journal/CareTexts.h"
#include "ui/printing/ReportPages.h"
#include "ui/timeline/PhotoReading.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace talvane::journal;

namespace {

constexpr int kPhotosPerPage = 2;
constexpr int kMeasuredRowsPerPage = 40;
// Photos are read at a size that prints sharp on a half page, not at a camera's full size.
constexpr int kPrintedPhotoSide = 2400;

QFont passportFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

int pagesOf(std::size_t count, int perPage)
{
    return static_cast<int>((count + static_cast<std::size_t>(perPage) - 1) / static_cast<std::size_t>(perPage));
}

QString firstLine(const std::string& text)
{
    return fromAnsi(text.substr(0, text.find_first_of("\r\n")));
}

} // namespace

PassportPages::PassportPages(const CBonsaiData& entry, const QString& title, const QString& photosFolder,
                             const QString& albumFolder)
    : m_title(title), m_treeName(fromAnsi(entry[CBonsaiData::Name])), m_photosFolder(photosFolder),
      m_albumFolder(albumFolder), m_report({&entry}, false)
{
    const Journal journal = Journal::read(entry[kJournalField]);
    m_photos = talvane::timeline::timelinePhotos(journal);
    std::vector<NumberedEvent> events = journal.newestFirst();
    std::reverse(events.begin(), events.end());
    for (const NumberedEvent& numbered : events) {
        if (numbered.event.measurements.empty())
            continue;
        Measured row{shortDateText(numbered.event.date), QStringList()};
        for (const MeasureKind kind : kMeasureKinds) {
            QString amount;
            for (const Measurement& measurement : numbered.event.measurements)
                if (measurement.kind == kind)
                    amount = QString::fromStdString(measurement.text());
            row.amounts.append(amount);
        }
        m_measured.push_back(std::move(row));
    }
}

int PassportPages::pageCount() const
{
    return static_cast<int>(m_report.pageCount()) + pagesOf(m_photos.size(), kPhotosPerPage) +
           pagesOf(m_measured.size(), kMeasuredRowsPerPage);
}

void PassportPages::drawPage(QPainter& painter, int page)
{
    const int reportPages = static_cast<int>(m_report.pageCount());
    const int photoPages = pagesOf(m_photos.size(), kPhotosPerPage);
    if (page <= reportPages) {
        // The report's pages are numbered with the rest, under the passport's footer.
        drawReportPage(painter, m_report.pageLines(static_cast<std::size_t>(page)), page, m_title, ReportFooter::LeftOut);
    } else if (page <= reportPages + photoPages) {
        drawHeading(painter, QCoreApplication::translate("PassportPages", "%1: photos").arg(m_treeName));
        drawPhotoPage(painter, page - reportPages - 1);
    } else {
        drawHeading(painter, QCoreApplication::translate("PassportPages", "%1: measurements").arg(m_treeName));
        drawMeasurementPage(painter, page - reportPages - photoPages - 1);
    }
    drawFooter(painter, page);
}

void PassportPages::drawHeading(QPainter& painter, const QString& text) const
{
    const QFont title = passportFont(13, true);
    painter.setFont(title);
    painter.drawText(QPointF(0, QFontMetricsF(title, painter.device()).ascent()), text);
}

void PassportPages::drawFooter(QPainter& painter, int page) const
{
    const QPaintDevice& device = *painter.device();
    const QFont small = passportFont(9);
    painter.setFont(small);
    const QFontMetricsF metrics(small, painter.device());
    const QString number = QCoreApplication::translate("PassportPages", "Page %1 of %2").arg(page).arg(pageCount());
    painter.drawText(QPointF(0, device.height() - metrics.descent()), QCoreApplication::translate("PassportPages", "Document %1").arg(m_title));
    painter.drawText(QPointF(device.width() - metrics.horizontalAdvance(number), device.height() - metrics.descent()), number);
}

void PassportPages::drawPhotoPage(QPainter& painter, int photoPage) const
{
    const QPaintDevice& device = *painter.device();
    const QFont captionFont = passportFont(10);
    const QFontMetricsF caption(captionFont, painter.device());
    const double top = QFontMetricsF(passportFont(13, true), painter.device()).lineSpacing() * 2;
    const double bottom = device.height() - caption.lineSpacing() * 2;
    const double slot = (bottom - top) / kPhotosPerPage;
    for (int i = 0; i < kPhotosPerPage; ++i) {
        const std::size_t index = static_cast<std::size_t>(photoPage * kPhotosPerPage + i);
        if (index >= m_photos.size())
            break;
        const auto& photo = m_photos[index];
        const QString path = QFile::decodeName(
            photo.path(QFile::encodeName(m_photosFolder).toStdString(), QFile::encodeName(m_albumFolder).toStdString()).c_str());
        const QRectF area(0, top + i * slot, device.width(), slot - caption.lineSpacing() * 2.5);
        const ShownPhoto shown = readShownPhoto(path, kPrintedPhotoSide);
        painter.setFont(captionFont);
        if (shown.image.isNull()) {
            painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, shown.problem);
        } else {
            const QSizeF fitted = QSizeF(shown.image.size()).scaled(area.size(), Qt::KeepAspectRatio);
            const QRectF target(area.left() + (area.width() - fitted.width()) / 2, area.top(), fitted.width(), fitted.height());
            painter.drawImage(target, shown.image);
        }
        QString text = shortDateText(photo.event.date) + QCoreApplication::translate("PassportPages", " \u00B7 ") + careKindText(photo.event.kind);
        if (!photo.event.text.empty())
            text += QCoreApplication::translate("PassportPages", " \u00B7 ") + firstLine(photo.event.text);
        painter.drawText(QPointF(0, area.bottom() + caption.lineSpacing()),
                         caption.elidedText(text, Qt::ElideRight, device.width()));
    }
}

void PassportPages::drawMeasurementPage(QPainter& painter, int measurementPage) const
{
    const QPaintDevice& device = *painter.device();
    const QFont body = passportFont(10), heading = passportFont(10, true);
    const QFontMetricsF metrics(body, painter.device());
    const double column = device.width() / static_cast<double>(kMeasureKinds.size() + 1);
    double y = QFontMetricsF(passportFont(13, true), painter.device()).lineSpacing() * 2;
    const auto drawRow = [&](const QString& first, const QStringList& rest, const QFont& font) {
        painter.setFont(font);
        y += metrics.lineSpacing() * 1.3;
        painter.drawText(QPointF(0, y), first);
        for (int i = 0; i < rest.size(); ++i)
            painter.drawText(QPointF(column * (i + 1), y), metrics.elidedText(rest[i], Qt::ElideRight, column));
    };
    QStringList kinds;
    for (const MeasureKind kind : kMeasureKinds)
        kinds.append(coreText(measureName(kind)));
    drawRow(QCoreApplication::translate("PassportPages", "Date"), kinds, heading);
    const std::size_t first = static_cast<std::size_t>(measurementPage) * kMeasuredRowsPerPage;
    for (std::size_t row = first; row < std::min(m_measured.size(), first + kMeasuredRowsPerPage); ++row)
        drawRow(m_measured[row].date, m_measured[row].amounts, body);
}
