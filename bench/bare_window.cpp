// The peer for timing the program's start-up: a plain Qt main window with a menu
// bar, a tool bar, a status bar and six tabs holding N controls in all (labels,
// line edits, combo boxes, multi-line edits, buttons), shown and saved as a
// picture half a second later, as `talvane --screenshot` does. It prints how
// many widgets the window holds, to match the program's window:
//   /usr/bin/time build/bin/bench_bare_window N out.png
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <cstdio>
#include <cstdlib>

namespace {

QWidget* makeControl(int n, QWidget* parent)
{
    switch (n % 5) {
    case 0:
        return new QLabel(QStringLiteral("Label %1:").arg(n), parent);
    case 1:
        return new QLineEdit(QStringLiteral("Value %1").arg(n), parent);
    case 2: {
        auto* box = new QComboBox(parent);
        box->addItems({QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")});
        return box;
    }
    case 3:
        return new QPlainTextEdit(QStringLiteral("Notes %1").arg(n), parent);
    default:
        return new QPushButton(QStringLiteral("Button %1").arg(n), parent);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const int controls = argc > 1 ? std::atoi(argv[1]) : 200;
    const QString picture = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("bare-window.png");

    QMainWindow window;
    for (const char* menu : {"&File", "&Edit", "&View", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
    QToolBar* tools = window.addToolBar(QStringLiteral("Tools"));
    for (int i = 0; i < 8; ++i)
        tools->addAction(QStringLiteral("T%1").arg(i));
    window.statusBar()->showMessage(QStringLiteral("Ready"));

    auto* tabs = new QTabWidget(&window);
    const int pages = 6;
    for (int page = 0; page < pages; ++page) {
        auto* widget = new QWidget(tabs);
        auto* grid = new QGridLayout(widget);
        const int first = controls * page / pages;
        const int last = controls * (page + 1) / pages;
        for (int n = first; n < last; ++n)
            grid->addWidget(makeControl(n, widget), (n - first) / 4, (n - first) % 4);
        tabs->addTab(widget, QStringLiteral("Page %1").arg(page + 1));
    }
    window.setCentralWidget(tabs);
    window.resize(800, 600);
    window.show();
    // What to compare with the program's own window.
    std::fprintf(stderr, "%d controls, %lld widgets\n", controls,
                 static_cast<long long>(window.findChildren<QWidget*>().size()));

    QTimer::singleShot(500, &window, [&window, picture] { QApplication::exit(window.grab().save(picture) ? 0 : 1); });
    return application.exec();
}
