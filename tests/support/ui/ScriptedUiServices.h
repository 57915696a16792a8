#pragma once

#include "ui/framework/UiServices.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Test doubles for the modal services: each answers from a script and records every
// call. A call the script does not expect fails the test and is answered with Cancel
// (or nothing), so a test never waits for a dialog.

struct PromptCall {
    QString text;
    QString caption;
    unsigned flags = 0;
    QStringList buttons; // for a choice: its buttons, in order
};

class ScriptedPrompter : public Prompter {
public:
    ~ScriptedPrompter() override;
    // Expects one more prompt; its text, caption and flags are checked when given.
    void expect(int answer, std::optional<QString> text = std::nullopt, std::optional<QString> caption = std::nullopt,
                std::optional<unsigned> flags = std::nullopt);
    int ask(const QString& text, const QString& caption, unsigned flags) override;
    // A choice takes the next expectation too: its answer is the index of the button.
    int choose(const QString& text, const QString& caption, const QStringList& buttons) override;

    const std::vector<PromptCall>& calls() const { return m_calls; }
    bool allAnswered() const { return m_script.empty(); }

private:
    struct Expectation {
        int answer;
        std::optional<QString> text;
        std::optional<QString> caption;
        std::optional<unsigned> flags;
    };
    std::deque<Expectation> m_script;
    std::vector<PromptCall> m_calls;
};

struct FileCall {
    bool save = false;
    FileRequest request;
};

class ScriptedFileChooser : public FileChooser {
public:
    ~ScriptedFileChooser() override;
    // The next dialog gives this path; nothing means the user cancelled it.
    void expect(std::optional<QString> path) { m_script.push_back({!path, path ? QStringList{*path} : QStringList{}}); }
    // The next dialog gives these files (a dialog that takes several).
    void expectFiles(QStringList paths) { m_script.push_back({paths.isEmpty(), std::move(paths)}); }
    std::optional<QString> chooseSaveFile(const FileRequest& request) override;
    std::optional<QString> chooseOpenFile(const FileRequest& request) override;
    QStringList chooseOpenFiles(const FileRequest& request) override;

    const std::vector<FileCall>& calls() const { return m_calls; }

private:
    QStringList next(bool save, const FileRequest& request);

    struct Answer {
        bool cancelled;
        QStringList paths;
    };
    std::deque<Answer> m_script;
    std::vector<FileCall> m_calls;
};

class ScriptedDialogRunner : public DialogRunner {
public:
    using Script = std::function<int(QDialog&)>;
    ~ScriptedDialogRunner() override;
    // The next dialog is shown (not exec'ed), handed to the script, and closed.
    void expect(Script script) { m_script.push_back(std::move(script)); }
    int run(QDialog& dialog) override;

    int callCount() const { return m_calls; }

private:
    std::deque<Script> m_script;
    int m_calls = 0;
};

class ScriptedHelpOpener : public HelpOpener {
public:
    void openPage(const QString& path) override;

    // False: no browser opens the page, which is said at once.
    bool result = true;
    std::vector<QString> pages;
};

class ScriptedPrinterChooser : public PrinterChooser {
public:
    using Script = std::function<bool(QPrinter&, int firstPage, int lastPage)>;
    ~ScriptedPrinterChooser() override;
    // The next print dialog is answered by the script, which may set up the printer.
    void expect(Script script) { m_script.push_back(std::move(script)); }
    bool choosePrinter(QPrinter& printer, int firstPage, int lastPage) override;
    void setUpPage(QPrinter& printer) override;

    int pageSetups = 0;

private:
    std::deque<Script> m_script;
};

// UiServices made of the doubles above, with direct access to each.
class ScriptedUiServices {
public:
    ScriptedUiServices();
    UiServices& services() { return *m_services; }

    ScriptedPrompter& prompter;
    ScriptedFileChooser& files;
    ScriptedDialogRunner& dialogs;
    ScriptedHelpOpener& help;
    ScriptedPrinterChooser& printers;

private:
    ScriptedUiServices(std::unique_ptr<ScriptedPrompter> p, std::unique_ptr<ScriptedFileChooser> f,
                       std::unique_ptr<ScriptedDialogRunner> d, std::unique_ptr<ScriptedHelpOpener> h,
                       std::unique_ptr<ScriptedPrinterChooser> c);
    std::unique_ptr<UiServices> m_services;
};
