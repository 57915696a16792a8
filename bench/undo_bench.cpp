// Times Undo and Redo against the same change made without a history, and measures
// what the history keeps:
//   build/bin/bench_undo [entries]
#include "SampleEntries.h"
#include "Measures.h"
#include "core/collection/CollectionFile.h"
#include "ui/document/TalvaneDoc.h"
#include "ui/framework/RecentFileList.h"
#include "ui/framework/UiServices.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace talvane::collection;

namespace {

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toUtf8());
    QCoreApplication app(argc, argv);

    const std::string file = folder.filePath(QStringLiteral("undo.tvn")).toStdString();
    if (saveCollectionFile(file, sampleCollection(count), {.keepVersion = false}))
        return 1;
    UiServices services(nullptr, nullptr, nullptr, nullptr, nullptr);
    RecentFileList recent;
    CTalvaneDoc doc(services, recent);
    if (!doc.openDocumentFile(QString::fromStdString(file)))
        return 1;

    // Each figure is the median of several rounds, so one cold page does not decide it.
    EntryList plain = sampleCollection(count);
    const std::size_t middle = count / 2;
    constexpr int kRounds = 21;
    std::vector<double> without, remove, undo, redo;
    for (int round = 0; round < kRounds; ++round) {
        without.push_back(seconds([&] { plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(middle)); }));
        remove.push_back(seconds([&] { doc.removeEntry(middle); }));
        undo.push_back(seconds([&] { doc.history().undo(); }));
        redo.push_back(seconds([&] { doc.history().redo(); }));
    }
    const double plainTime = median(without);
    const double removeTime = median(remove);
    const double undoTime = median(undo);
    const double redoTime = median(redo);
    std::printf("%zu entries\n", count);
    std::printf("  delete without history  %9.1f us\n", plainTime * 1e6);
    std::printf("  Delete                  %9.1f us  %.2fx\n", removeTime * 1e6, removeTime / plainTime);
    std::printf("  Undo                    %9.1f us  %.2fx\n", undoTime * 1e6, undoTime / plainTime);
    std::printf("  Redo                    %9.1f us  %.2fx\n", redoTime * 1e6, redoTime / plainTime);
    const double worst = std::max({removeTime, undoTime, redoTime}) / plainTime;
    std::printf("  goal (each at most 2x the delete without history): %s\n", worst <= 2.0 ? "met" : "NOT met");

    // 1,000 updates of one entry: the history keeps each changed field before and after.
    std::size_t changedBytes = 0;
    const std::size_t before = heapInUse();
    for (int i = 0; i < 1000; ++i) {
        const std::string history = "Update number " + std::to_string(i) + " of the shaping history.";
        changedBytes += doc.entryAt(0)[CBonsaiData::History].size() + history.size();
        doc.changeFields(0, {{CBonsaiData::History, history}}, QStringLiteral("Update"));
    }
    const std::size_t grown = heapInUse() - before;
    std::printf("1,000 updates of one field: heap grew by %zu bytes for %zu bytes of changed texts "
                "(%.0f bytes a step beyond the texts)\n",
                grown, changedBytes, (static_cast<double>(grown) - static_cast<double>(changedBytes)) / 1000.0);
    return 0;
}
