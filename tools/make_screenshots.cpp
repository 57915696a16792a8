// Grabs pictures of every window of the program, running on the sample data:
//   build/bin/make_screenshots DATA_FOLDER OUTPUT_FOLDER
#include "album/NewPictureDlg.h"
#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/TalvaneApp.h"
#include "editing/NewEntryDlg.h"
#include "editing/TalvaneView.h"
#include "framework/BaseDirectory.h"
#include "framework/UiServices.h"
#include "printing/PrintChoiceDlg.h"

#include <QApplication>
#include <QDir>
#include <QTabWidget>

#include <cstdio>

namespace {

// Nothing modal may wait for an answer while pictures are taken.
class SilentPrompter : public Prompter {
public:
    int ask(const QString& text, const QString&, unsigned) override
    {
        std::fprintf(stderr, "message while taking pictures: %s\n", qPrintable(text));
        return mb::kIdOk;
    }
};

class NoFiles : public FileChooser {
public:
    std::optional<QString> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
};

class NoDialogs : public DialogRunner {
public:
    int run(QDialog&) override { return QDialog::Rejected; }
};

class NoHelp : public HelpOpener {
public:
    bool openPage(const QString&) override { return false; }
};

class NoPrinter : public PrinterChooser {
public:
    bool choosePrinter(QPrinter&, int, int) override { return false; }
    void setUpPage(QPrinter&) override {}
};

bool Save(QWidget& widget, const QDir& folder, const QString& name)
{
    QApplication::processEvents();
    const bool saved = widget.grab().save(folder.filePath(name + QStringLiteral(".png")));
    std::printf("%s %s.png\n", saved ? "wrote" : "could not write", qPrintable(name));
    return saved;
}

bool SaveDialog(QDialog& dialog, const QDir& folder, const QString& name)
{
    dialog.show();
    const bool saved = Save(dialog, folder, name);
    dialog.hide();
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_screenshots DATA_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    SetBaseDirectory(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    output.mkpath(QStringLiteral("."));

    UiServices services(std::make_unique<SilentPrompter>(), std::make_unique<NoFiles>(), std::make_unique<NoDialogs>(),
                        std::make_unique<NoHelp>(), std::make_unique<NoPrinter>());
    CTalvaneApp app(services);
    StartOptions options;
    options.collection = BasePath(QStringLiteral("sample.tvn"));
    options.splash = false;
    if (!app.InitInstance(options))
        return 1;

    CMainFrame& frame = *app.mainFrame();
    QTabWidget* sheet = frame.view().sheet();
    const char* const tabs[] = {"tab-plant", "tab-purchase", "tab-species", "tab-transformation", "tab-maintenance",
                                "tab-album"};
    bool ok = true;
    for (int i = 0; i < sheet->count(); ++i) {
        sheet->setCurrentIndex(i);
        ok = Save(frame, output, QString::fromLatin1(tabs[i])) && ok;
    }
    sheet->setCurrentIndex(0);
    ok = Save(frame, output, QStringLiteral("main-window")) && ok;

    CAboutDlg about(&frame);
    ok = SaveDialog(about, output, QStringLiteral("about")) && ok;
    CNewEntryDlg newEntry(&frame);
    ok = SaveDialog(newEntry, output, QStringLiteral("new-entry")) && ok;
    CNewPictureDlg newPicture(&frame);
    ok = SaveDialog(newPicture, output, QStringLiteral("new-picture")) && ok;
    CPrintChoiceDlg printChoice(&frame);
    ok = SaveDialog(printChoice, output, QStringLiteral("print-choice")) && ok;
    return ok ? 0 : 1;
}
