// Times the collection list on a generated collection of N entries (default 100,000)
// and weighs the memory it adds against the memory of the collection itself:
//   build/bin/bench_collection_list [N]
#include "SampleEntries.h"
#include "overview/CollectionListModel.h"
#include "overview/CollectionListPanel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>

namespace {

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

template <typename Step>
double milliseconds(Step&& step)
{
    const auto start = std::chrono::steady_clock::now();
    step();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t count = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;

    const std::size_t heapAtStart = heapInUse();
    const EntryList entries = SampleCollection(count);
    const std::size_t collectionBytes = heapInUse() - heapAtStart;

    const std::size_t heapBeforeList = heapInUse();
    CollectionListModel model([&] { return entries.size(); },
                              [&](std::size_t position) -> const CBonsaiData& { return *entries[position]; });
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
    const double markMs = milliseconds([&] { panel.showCurrent(count - 1); });
    QApplication::processEvents();
    const std::size_t listBytes = heapInUse() - heapBeforeList;

    std::printf("%zu entries: show the list %.1f ms, sort by Name %.1f ms, type a word %.1f ms, "
                "mark the current entry %.3f ms\n",
                count, showMs, sortMs, keystrokeMs, markMs);
    std::printf("collection %.1f MB, the list adds %.2f MB (%.1f %%)\n", collectionBytes / 1e6, listBytes / 1e6,
                100.0 * listBytes / collectionBytes);
    return 0;
}
