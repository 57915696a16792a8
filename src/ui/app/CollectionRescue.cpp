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

using namespace talvane::collection;

CollectionRescue::CollectionRescue(CTalvaneDoc& doc, UiServices& services, const RecoveryStore& store, QWidget* parent)
    : m_doc(doc), m_services(services), m_store(store), m_parent(parent)
{
}

bool CollectionRescue::offer(const QString& path)
{
    const std::vector<Way> ways = waysToRescue(path);
    if (ways.empty())
        return false;
    QStringList descriptions;
    QStringList buttons;
    for (const Way& way : ways) {
        descriptions << way.description;
        buttons << way.button;
    }
    buttons << tr("&Cancel");
    const int answer = m_services.prompter().choose(
        tr("%1 cannot be read. Talvane can bring it back from:\n\n- %2\n\n"
           "What you choose is shown as unsaved changes: Save writes it over the damaged file, which is kept "
           "among the earlier versions.")
            .arg(QStringLiteral("\u201C%1\u201D").arg(QFileInfo(path).fileName()), descriptions.join(QStringLiteral("\n- "))),
        QStringLiteral("Talvane"), buttons);
    return answer >= 0 && answer < static_cast<int>(ways.size()) && ways[static_cast<std::size_t>(answer)].take();
}

std::vector<CollectionRescue::Way> CollectionRescue::waysToRescue(const QString& path)
{
    const auto file = fsPath(QFileInfo(path).absoluteFilePath());
    std::vector<Way> ways;
    const auto backups = saveBackupsBeside(file);
    if (!backups.empty()) {
        ways.push_back({tr("a whole copy that a save which did not finish left beside it"), tr("Open the &copy"),
                        [this, path, copy = fromFsPath(backups.front())] { return m_doc.restoreInPlaceOf(path, copy); }});
    }
    if (!listVersions(file).empty()) {
        ways.push_back({tr("an earlier version, kept each time it was saved"), tr("&Earlier versions\u2026"),
                        [this, path] { return restoreVersion(path); }});
    }
    for (const RecoveryRecord& record : m_store.leftBehind()) {
        if (record.collectionPath != file)
            continue;
        ways.push_back({tr("the unsaved changes of a Talvane that closed before saving them"), tr("Restore &unsaved changes"),
                        [this, record] {
                            if (!m_doc.restoreRecovered(record, true))
                                return false;
                            RecoveryStore::discard(record);
                            return true;
                        }});
        break;
    }
    return ways;
}

bool CollectionRescue::restoreVersion(const QString& path)
{
    EarlierVersionsDlg dialog(listVersions(fsPath(path)), m_parent);
    return m_services.dialogRunner().run(dialog) == QDialog::Accepted && dialog.chosenVersion() &&
           m_doc.restoreInPlaceOf(path, fromFsPath(dialog.chosenVersion()->file));
}
