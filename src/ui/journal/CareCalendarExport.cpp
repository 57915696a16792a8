#include "ui/framework/FilePaths.h"
#include "ui/journal/CareCalendarExport.h"

#include <QCoreApplication>

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/UiServices.h"
#include "core/journal/CareCalendar.h"

#include <QFile>
#include <QFileInfo>

std::optional<std::size_t> exportCareCalendar(CTalvaneDoc& doc, UiServices& services)
{
    // The calendar is made from the entries: edits on the pages are offered first.
    doc.OfferToKeepChanges();
    FileRequest request;
    request.caption = QCoreApplication::translate("CareCalendarExport", "Export care calendar");
    request.initialName = QStringLiteral("care.ics");
    request.nameFilters = {QCoreApplication::translate("CareCalendarExport", "iCalendar files (*.ics)")};
    request.defaultSuffix = QStringLiteral("ics");
    request.confirmOverwrite = true;
    if (!doc.pathName().isEmpty())
        request.directory = QFileInfo(doc.pathName()).absolutePath();
    const auto path = services.fileChooser().chooseSaveFile(request);
    if (!path)
        return std::nullopt;
    const auto tasks = talvane::journal::pendingTasks(doc.entries());
    if (const auto failure = talvane::journal::writeCareCalendar(fsPath(*path), doc.entries(), tasks)) {
        services.prompter().ask(QString::fromLocal8Bit(*failure), QCoreApplication::translate("CareCalendarExport", "Error"), mb::kOk | mb::kIconExclamation);
        return std::nullopt;
    }
    return tasks.size();
}
