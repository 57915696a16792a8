// Times the collection list on a generated collection of N entries (default 100,000)
// and weighs the memory it adds against the memory of the collection itself:
//   build/bin/bench_collection_list [N]
#include "Measures.h"
#include "SampleEntries.h"
#include "ui/overview/CollectionListModel.h"
#include "ui/overview/CollectionListPanel.h"
#include "core/search/ListColumns.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <cstdio>
#include <cstdlib>

using namespace talvane::collection;

namespace {

// Processor time of the thread, in milliseconds.
template <typename Step>
double milliseconds(Step&& step)
{
    const double start = threadMilliseconds();
    step();
    return threadMilliseconds() - start;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;

    const std::size_t heapAtStart = heapInUse();
    EntryList entries = sampleCollection(count);
    const std::size_t collectionBytes = heapInUse() - heapAtStart;

    const std::size_t heapBeforeList = heapInUse();
    CollectionListModel model([&] { return entries.size(); },
                              [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; });
    // The model alone first, then the panel that shows it.
    const double modelSortMs = milliseconds([&] { model.sort(0, Qt::AscendingOrder); });
    const double modelPurchasedMs =
        milliseconds([&] { model.sort(static_cast<int>(talvane::search::ListColumn::Purchased), Qt::AscendingOrder); });
    const double modelPhotosMs =
        milliseconds([&] { model.sort(static_cast<int>(talvane::search::ListColumn::Photos), Qt::AscendingOrder); });
    const double modelFilterMs = milliseconds([&] { model.setFilter(QStringLiteral("juniperus")); });
    model.setFilter(QString());
    model.sort(-1);

    CollectionListPanel panel(model);
    panel.resize(460, 700);
    const double showMs = milliseconds([&] {
        panel.show();
        QApplication::processEvents();
    });
    const double sortMs = milliseconds([&] {
        panel.table()->sortByColumn(0, Qt::AscendingOrder);
        QApplication::processEvents();
    });
    const double keystrokeMs = milliseconds([&] {
        panel.filterBox()->setText(QStringLiteral("juniperus"));
        QApplication::processEvents();
    });
    panel.filterBox()->clear();
    QApplication::processEvents();
    const double markMs = milliseconds([&] {
        panel.showCurrent(count - 1);
        QApplication::processEvents();
    });
    const std::size_t listBytes = heapInUse() - heapBeforeList;
    // An entry renamed while the list is sorted, as Update does: the list follows that
    // one entry, against ordering and filtering every entry again.
    (*entries[count / 2])[CBonsaiData::Name] = "Renamed";
    const double followMs = milliseconds([&] {
        model.entryChanged(count / 2);
        QApplication::processEvents();
    });
    const double reloadMs = milliseconds([&] {
        model.reload();
        QApplication::processEvents();
    });

    std::printf("%zu entries, processor time: model alone: sort by Name %.1f ms, filter %.1f ms, "
                "sort by Purchased %.1f ms, by Photos %.1f ms\n",
                count, modelSortMs, modelFilterMs, modelPurchasedMs, modelPhotosMs);
    std::printf("%zu entries, processor time: show the list %.1f ms, sort by Name %.1f ms, type a word %.1f ms, "
                "mark the current entry %.2f ms\n",
                count, showMs, sortMs, keystrokeMs, markMs);
    std::printf("%zu entries, processor time: follow an updated entry %.2f ms (the whole list again %.1f ms)\n", count,
                followMs, reloadMs);
    std::printf("collection %.1f MB, the list adds %.2f MB (%.1f %%)\n", collectionBytes / 1e6, listBytes / 1e6,
                100.0 * listBytes / collectionBytes);
    return 0;
}
