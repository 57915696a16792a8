#include "ui/app/CollectionRescue.h"

#include "ui/app/EarlierVersionsDlg.h"
#include "core/collection/InPlaceSave.h"
#include "core/collection/RecoveryStore.h"
#include "core/collection/VersionStore.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/UiServices.h"

#include <QFileInfo>

#include <functional>
#include <vector>

CollectionRescue::CollectionRescue(CTalvaneDoc& doc, UiServices& services, const RecoveryStore& store, QWidget* parent)
    : m_doc(doc), m_services(services), m_store(store), m_parent(parent)
{
}

bool CollectionRescue::offer(const QString& path)
{
    const auto file = FsPath(QFileInfo(path).absoluteFilePath());
    QStringList ways;
    QStringList buttons;
    std::vector<std::function<bool()>> actions;
    const auto backups = SaveBackupsBeside(file);
    if (!backups.empty()) {
        ways << tr("a whole copy that a save which did not finish left beside it");
        buttons << tr("Open the &copy");
        actions.push_back([this, path, copy = FromFsPath(backups.front())] { return m_doc.restoreInPlaceOf(path, copy); });
    }
    if (!ListVersions(file).empty()) {
        ways << tr("an earlier version, kept each time it was saved");
        buttons << tr("&Earlier versions\u2026");
        actions.push_back([this, path] { return restoreVersion(path); });
    }
    for (const RecoveryRecord& record : m_store.leftBehind()) {
        if (record.collectionPath != file.string())
            continue;
        ways << tr("the unsaved changes of a Talvane that closed before saving them");
        buttons << tr("Restore &unsaved changes");
        actions.push_back([this, record] {
            if (!m_doc.restoreRecovered(record, true))
                return false;
            RecoveryStore::discard(record);
            return true;
        });
        break;
    }
    if (actions.empty())
        return false;
    buttons << tr("&Cancel");
    const int answer = m_services.prompter().choose(
        tr("%1 cannot be read. Talvane can bring it back from:\n\n- %2\n\n"
           "What you choose is shown as unsaved changes: Save writes it over the damaged file, which is kept "
           "among the earlier versions.")
            .arg(QStringLiteral("\u201C%1\u201D").arg(QFileInfo(path).fileName()), ways.join(QStringLiteral("\n- "))),
        QStringLiteral("Talvane"), buttons);
    return answer >= 0 && answer < static_cast<int>(actions.size()) && actions[static_cast<std::size_t>(answer)]();
}

bool CollectionRescue::restoreVersion(const QString& path)
{
    EarlierVersionsDlg dialog(ListVersions(FsPath(path)), m_parent);
    return m_services.dialogRunner().run(dialog) == QDialog::Accepted && dialog.chosenVersion() &&
           m_doc.restoreInPlaceOf(path, FromFsPath(dialog.chosenVersion()->file));
}
