#include "ui/journal/CareCalendarKeeper.h"

#include "ui/document/TalvaneDoc.h"
#include "ui/journal/CareCalendarBeside.h"

CareCalendarKeeper::CareCalendarKeeper(const CTalvaneDoc& doc, QObject* parent) : QObject(parent), m_doc(doc)
{
    connect(&doc, &CTalvaneDoc::saved, this, &CareCalendarKeeper::onSaved);
}

void CareCalendarKeeper::onSaved(const QString& path, const QString& formerPath)
{
    if (!formerPath.isEmpty() && formerPath != path && CareCalendarBeside::isKept(formerPath))
        CareCalendarBeside::setKept(path, true);
    if (!CareCalendarBeside::isKept(path))
        return;
    if (const auto failure = CareCalendarBeside::write(path, m_doc.entries()))
        emit notice(tr("The collection was saved. %1").arg(*failure));
}
