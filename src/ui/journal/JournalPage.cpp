#include "ui/journal/JournalPage.h"

#include "ui/framework/AnsiText.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/UiServices.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/CarePictures.h"
#include "core/journal/CareRepeat.h"
#include "ui/journal/CareTexts.h"
#include "core/journal/Journal.h"
#include "core/timeline/TimelinePhoto.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

using namespace talvane::journal;

namespace {

enum Column { DateColumn, KindColumn, TextColumn, MeasuredColumn, DueColumn, PhotosColumn };
constexpr int kLineRole = Qt::UserRole;

// Line breaks of an event's text would make rows of uneven height.
QString oneLine(const std::string& text)
{
    QString shown = fromAnsi(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
}

QString measureShortName(MeasureKind kind)
{
    switch (kind) {
    case MeasureKind::Height: return QCoreApplication::translate("JournalPage", "height");
    case MeasureKind::Trunk: return QCoreApplication::translate("JournalPage", "trunk");
    case MeasureKind::Nebari: return QCoreApplication::translate("JournalPage", "nebari");
    case MeasureKind::Canopy: return QCoreApplication::translate("JournalPage", "canopy");
    }
    return QString();
}

// "height 42 cm · trunk 38 mm", short enough for a column.
QString measuredText(const std::vector<Measurement>& measurements)
{
    QStringList parts;
    for (const Measurement& measurement : measurements)
        parts << measureShortName(measurement.kind) + QLatin1Char(' ') + QString::fromStdString(measurement.text());
    return parts.join(QStringLiteral(" \u00B7 "));
}

// "Trunk diameter: 38 mm", a line each.
QString measuredToolTip(const std::vector<Measurement>& measurements)
{
    QStringList lines;
    for (const Measurement& measurement : measurements)
        lines << QCoreApplication::translate("JournalPage", "%1: %2")
                     .arg(coreText(measureName(measurement.kind)), QString::fromStdString(measurement.text()));
    return lines.join(QLatin1Char('\n'));
}

// The files of an event's photos, a line each, by the names their folders give them.
QString picturesToolTip(const std::vector<std::string>& pictures)
{
    QStringList lines;
    for (const std::string& picture : pictures)
        lines << fromAnsi(talvane::timeline::photosFolderName(picture).value_or(picture));
    return lines.join(QLatin1Char('\n'));
}

} // namespace

JournalPage::JournalPage(const CTalvaneDoc& doc, UiServices& services, QWidget* parent)
    : CPropertyPage(parent), m_doc(doc), m_services(services)
{
    DialogTemplate t(this, 342, 186);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("1101"));
    m_list->setAccessibleName(tr("Journal"));
    m_list->setGeometry(t.units().rect(5, 5, 332, 140));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({tr("Date"), tr("Kind"), tr("Text"), tr("Measured"), tr("Due"), tr("Photos")});
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(TextColumn, QHeaderView::Stretch);
    m_list->setColumnWidth(DateColumn, t.units().x(48));
    m_list->setColumnWidth(KindColumn, t.units().x(50));
    m_list->setColumnWidth(DueColumn, t.units().x(48));
    m_list->setColumnWidth(PhotosColumn, t.units().x(30));
    m_measuredWidth = t.units().x(100);
    m_notice = t.label(QString(), 5, 148, 332, 16);
    m_notice->setWordWrap(true);
    // The keys are those the window's menus, entry bar and tabs leave free.
    m_add = t.button(1102, tr("A&dd"), 5, 167, 50, 14);
    m_edit = t.button(1103, tr("Ed&it"), 60, 167, 50, 14);
    m_delete = t.button(1104, tr("Dele&te"), 115, 167, 50, 14);
    m_addPhotos = t.button(1105, tr("Add ph&otos\u2026"), 212, 167, 60, 14);
    m_timeline = t.button(1106, tr("Timeli&ne\u2026"), 277, 167, 60, 14);
    connect(m_addPhotos, &QPushButton::clicked, this, &JournalPage::addPhotosRequested);
    connect(m_timeline, &QPushButton::clicked, this, &JournalPage::timelineRequested);
    connect(m_add, &QPushButton::clicked, this, &JournalPage::onEventAdd);
    connect(m_edit, &QPushButton::clicked, this, &JournalPage::onEventEdit);
    connect(m_delete, &QPushButton::clicked, this, &JournalPage::onEventDelete);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &JournalPage::updateButtons);
    connect(m_list, &QTreeWidget::itemActivated, this, &JournalPage::onEventEdit);
    refreshEventList();
}

void JournalPage::refreshEventList()
{
    const Journal journal = Journal::read(m_journalText);
    m_foreign = journal.isForeign();
    m_list->clear();
    bool measured = false;
    bool photographed = false;
    for (const NumberedEvent& numbered : journal.newestFirst()) {
        addEventRow(numbered);
        measured = measured || !numbered.event.measurements.empty();
        photographed = photographed || !numbered.event.pictures().empty();
    }
    // Lines this version cannot read are shown as they stand, greyed, and cannot be
    // chosen: they are kept byte for byte.
    for (const JournalLine& line : journal.lines())
        if (!line.event)
            addUnreadableRow(line.unreadable);
    // A journal without measurements, or photos, gives its text the room.
    m_list->setColumnHidden(MeasuredColumn, !measured);
    m_list->setColumnHidden(PhotosColumn, !photographed);
    if (measured) {
        m_list->resizeColumnToContents(MeasuredColumn);
        m_list->setColumnWidth(MeasuredColumn, std::min(m_list->columnWidth(MeasuredColumn), m_measuredWidth));
    }
    showNotice(journal.unreadableLineCount());
    updateButtons();
}

void JournalPage::addEventRow(const NumberedEvent& numbered)
{
    const CareEvent& event = numbered.event;
    QString due = event.due ? shortDateText(*event.due) : QString();
    if (event.due && event.repeat)
        due += tr(" \u21BB");
    const std::vector<std::string> pictures = event.pictures();
    auto* row = new QTreeWidgetItem(m_list, {shortDateText(event.date), careKindText(event.kind), oneLine(event.text),
                                             measuredText(event.measurements), due,
                                             pictures.empty() ? QString() : QString::number(pictures.size())});
    row->setData(DateColumn, kLineRole, QVariant::fromValue(numbered.line));
    row->setToolTip(TextColumn, fromAnsi(event.text));
    row->setToolTip(MeasuredColumn, measuredToolTip(event.measurements));
    row->setToolTip(PhotosColumn, picturesToolTip(pictures));
    if (event.due && event.repeat)
        row->setToolTip(DueColumn, tr("Due %1, then %2 once done")
                                       .arg(shortDateText(*event.due),
                                            QString::fromStdString(repeatText(*event.repeat, windowWords))));
}

void JournalPage::addUnreadableRow(const std::string& unreadable)
{
    QString shown = fromAnsi(unreadable);
    shown.replace(QLatin1Char('\t'), QStringLiteral("  "));
    auto* row = new QTreeWidgetItem(m_list, {QString(), tr("Unreadable"), shown, QString(), QString(), QString()});
    row->setFlags(Qt::ItemIsEnabled);
    for (int column = 0; column < m_list->columnCount(); ++column)
        row->setForeground(column, m_list->palette().brush(QPalette::Disabled, QPalette::Text));
    row->setToolTip(TextColumn, tr("This line cannot be read by this version: it is kept as it is."));
}

void JournalPage::showNotice(std::size_t unreadable)
{
    if (m_foreign)
        m_notice->setText(tr("This journal was written by another program: it is kept as it is and cannot be "
                                         "changed here."));
    else if (unreadable == 1)
        m_notice->setText(tr("1 line of this journal cannot be read: it is kept as it is."));
    else if (unreadable > 1)
        m_notice->setText(tr("%1 lines of this journal cannot be read: they are kept as they are.").arg(unreadable));
    else
        m_notice->clear();
}

void JournalPage::updateButtons()
{
    m_add->setEnabled(!m_foreign);
    m_addPhotos->setEnabled(!m_foreign);
    const bool selected = selectedLine().has_value();
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

std::optional<std::size_t> JournalPage::selectedLine() const
{
    const QTreeWidgetItem* row = m_list->currentItem();
    if (m_foreign || !row || !row->isSelected())
        return std::nullopt;
    return row->data(DateColumn, kLineRole).value<std::size_t>();
}

std::optional<CareEvent> JournalPage::askEvent(const CareEvent& start)
{
    CareEventDlg dialog(start, carePictureNames(carePictureFolder(m_doc)), this);
    if (m_services.dialogRunner().run(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.event();
}

void JournalPage::change(const QString& verb, const std::function<bool(Journal&)>& edit)
{
    Journal journal = Journal::read(m_journalText);
    if (!edit(journal))
        return;
    m_journalText = journal.text();
    refreshEventList();
    emit journalChanged(verb);
}

void JournalPage::onEventAdd()
{
    if (m_foreign)
        return;
    if (const auto event = askEvent(CareEvent{CalendarDate::today(), CareKind::Note, std::nullopt, {}, {}, {}, {}, {}}))
        change(tr("Add event"), [&event](Journal& journal) { return journal.add(*event); });
}

void JournalPage::onEventEdit()
{
    const auto line = selectedLine();
    if (!line)
        return;
    const Journal journal = Journal::read(m_journalText);
    if (const auto event = askEvent(*journal.lines().at(*line).event))
        change(tr("Edit event"), [&](Journal& edited) { return edited.replace(*line, *event); });
}

void JournalPage::onEventDelete()
{
    const auto line = selectedLine();
    if (!line)
        return;
    const QTreeWidgetItem* row = m_list->currentItem();
    const QString question = tr("Delete the %1 of %2 from the journal?")
                                 .arg(row->text(KindColumn).toLower(), row->text(DateColumn));
    if (m_services.prompter().ask(question, tr("Attention"), mb::kOkCancel | mb::kIconQuestion) != mb::kIdOk)
        return;
    change(tr("Delete event"), [&line](Journal& journal) { return journal.remove(*line); });
}
