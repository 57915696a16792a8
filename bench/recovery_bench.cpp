// Times the recovery file of a large collection: the part the event loop waits for
// (a snapshot of the collection as Save would write it) and the part a worker thread
// does (making the bytes, the atomic write and flush of the file):
//   build/bin/bench_recovery [entries]
#include "SampleEntries.h"
#include "Measures.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/RecoveryStore.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

using namespace talvane::collection;

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    QCoreApplication app(argc, argv);

    const std::string file = folder.filePath(QStringLiteral("trees.tvn")).toStdString();
    if (saveCollectionFile(file, sampleCollection(count)))
        return 1;
    UiServices services(nullptr, nullptr, nullptr, nullptr, nullptr);
    RecentFileList recent;
    CTalvaneDoc doc(services, recent);
    if (!doc.openDocumentFile(QString::fromStdString(file)))
        return 1;
    doc.changeFields(count / 2, {{CBonsaiData::Cultivar, "changed"}}, QStringLiteral("Update"));

    BytePieces pieces;
    const double onLoop = seconds([&] { pieces = doc.unsavedPieces(); }, 15);
    const RecoveryStore store(folder.filePath(QStringLiteral("recovery")).toStdString());
    RecoveryRecord record;
    record.collectionPath = file;
    const double onWorker = seconds([&] { store.write(record, pieces); }, 15);
    std::printf("%zu trees, %.1f MB: on the event loop %.3f ms, on the writer thread %.1f ms\n", count,
                std::filesystem::file_size(store.ownFile()) / 1e6, onLoop * 1e3, onWorker * 1e3);
    return 0;
}
