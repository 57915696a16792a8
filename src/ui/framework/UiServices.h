#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QDialog;
class QPrinter;

// Message box flags and results, with the values the program's prompts are written in.
namespace mb {
inline constexpr unsigned kOk = 0x00;
inline constexpr unsigned kOkCancel = 0x01;
inline constexpr unsigned kYesNoCancel = 0x03;
inline constexpr unsigned kYesNo = 0x04;
inline constexpr unsigned kIconStop = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconExclamation = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
} // namespace mb

// Shows a message box and gives the button the user chose.
class Prompter {
public:
    virtual ~Prompter() = default;
    virtual int ask(const QString& text, const QString& caption, unsigned flags) = 0;
    // A question whose answers are named by their buttons, in order, each text marking
    // its key with "&"; the last one is the cancel (Escape and the close button give
    // it). Gives the index chosen.
    virtual int choose(const QString& text, const QString& caption, const QStringList& buttons) = 0;
};

struct FileRequest {
    QString caption;
    QString directory;       // where the dialog starts; empty for the default
    QString initialName;     // a name, or a pattern such as "*.tvn"
    QStringList nameFilters; // "Talvane Files (*.tvn)"; empty for none
    QString defaultSuffix;   // added when the user types a name without one
    bool confirmOverwrite = false;
};

// Asks the user for a file; gives the chosen absolute path, or nothing when cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::optional<QString> chooseSaveFile(const FileRequest& request) = 0;
    virtual std::optional<QString> chooseOpenFile(const FileRequest& request) = 0;
    // Several existing files at once; empty when cancelled. A chooser that can give only
    // one file gives that one.
    virtual QStringList chooseOpenFiles(const FileRequest& request);
};

// Runs a dialog modally and gives its result (QDialog::Accepted or Rejected).
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int run(QDialog& dialog) = 0;
};

// Opens a local HTML page in the user's browser. Where none opens it (none is there,
// or the one there gives up) pageNotOpened tells so, at once or a moment later.
class HelpOpener : public QObject {
    Q_OBJECT
public:
    virtual void openPage(const QString& path) = 0;

signals:
    void pageNotOpened(const QString& path);
};

// The standard printer dialogs. choosePrinter offers pages firstPage to lastPage and
// leaves the chosen printer, range and output in the printer; false when cancelled.
class PrinterChooser {
public:
    virtual ~PrinterChooser() = default;
    virtual bool choosePrinter(QPrinter& printer, int firstPage, int lastPage) = 0;
    virtual void setUpPage(QPrinter& printer) = 0;
};

// Everything modal the program shows goes through here, so tests can answer it.
class UiServices {
public:
    UiServices(std::unique_ptr<Prompter> prompter, std::unique_ptr<FileChooser> fileChooser,
               std::unique_ptr<DialogRunner> dialogRunner, std::unique_ptr<HelpOpener> helpOpener,
               std::unique_ptr<PrinterChooser> printerChooser);
    ~UiServices();

    // The services that show real Qt dialogs.
    static std::unique_ptr<UiServices> createQt();

    Prompter& prompter() { return *m_prompter; }
    FileChooser& fileChooser() { return *m_fileChooser; }
    DialogRunner& dialogRunner() { return *m_dialogRunner; }
    HelpOpener& helpOpener() { return *m_helpOpener; }
    PrinterChooser& printerChooser() { return *m_printerChooser; }

private:
    std::unique_ptr<Prompter> m_prompter;
    std::unique_ptr<FileChooser> m_fileChooser;
    std::unique_ptr<DialogRunner> m_dialogRunner;
    std::unique_ptr<HelpOpener> m_helpOpener;
    std::unique_ptr<PrinterChooser> m_printerChooser;
};
