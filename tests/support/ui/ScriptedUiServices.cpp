#include "support/ui/ScriptedUiServices.h"

#include <QDialog>
#include <gtest/gtest.h>

ScriptedPrompter::~ScriptedPrompter()
{
    for (const auto& left : m_script)
        ADD_FAILURE() << "expected prompt never shown: " << left.text.value_or(QStringLiteral("<any>")).toStdString();
}

void ScriptedPrompter::expect(int answer, std::optional<QString> text, std::optional<QString> caption,
                              std::optional<unsigned> flags)
{
    m_script.push_back({answer, std::move(text), std::move(caption), flags});
}

int ScriptedPrompter::ask(const QString& text, const QString& caption, unsigned flags)
{
    m_calls.push_back({text, caption, flags, {}});
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected prompt: \"" << text.toStdString() << "\" caption \"" << caption.toStdString()
                      << "\" flags 0x" << std::hex << flags;
        return mb::kIdCancel;
    }
    const Expectation expected = m_script.front();
    m_script.pop_front();
    if (expected.text) {
        EXPECT_EQ(text.toStdString(), expected.text->toStdString());
    }
    if (expected.caption) {
        EXPECT_EQ(caption.toStdString(), expected.caption->toStdString());
    }
    if (expected.flags) {
        EXPECT_EQ(flags, *expected.flags) << text.toStdString();
    }
    return expected.answer;
}

int ScriptedPrompter::choose(const QString& text, const QString& caption, const QStringList& buttons)
{
    const bool expected = !m_script.empty();
    const int answer = ask(text, caption, 0);
    m_calls.back().buttons = buttons;
    // An unexpected choice is cancelled, as an unexpected question is.
    return expected ? answer : static_cast<int>(buttons.size()) - 1;
}

ScriptedFileChooser::~ScriptedFileChooser()
{
    if (!m_script.empty())
        ADD_FAILURE() << m_script.size() << " expected file dialog(s) never shown";
}

std::optional<QString> ScriptedFileChooser::chooseSaveFile(const FileRequest& request)
{
    const QStringList chosen = next(true, request);
    return chosen.isEmpty() ? std::nullopt : std::optional(chosen.constFirst());
}

std::optional<QString> ScriptedFileChooser::chooseOpenFile(const FileRequest& request)
{
    const QStringList chosen = next(false, request);
    return chosen.isEmpty() ? std::nullopt : std::optional(chosen.constFirst());
}

QStringList ScriptedFileChooser::chooseOpenFiles(const FileRequest& request)
{
    return next(false, request);
}

QStringList ScriptedFileChooser::next(bool save, const FileRequest& request)
{
    m_calls.push_back({save, request});
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected " << (save ? "save" : "open") << " file dialog: " << request.caption.toStdString();
        return {};
    }
    const Answer answer = m_script.front();
    m_script.pop_front();
    if (answer.cancelled)
        return {};
    return answer.paths;
}

ScriptedDialogRunner::~ScriptedDialogRunner()
{
    if (!m_script.empty())
        ADD_FAILURE() << m_script.size() << " expected dialog(s) never shown";
}

int ScriptedDialogRunner::run(QDialog& dialog)
{
    ++m_calls;
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.metaObject()->className();
        return QDialog::Rejected;
    }
    auto script = std::move(m_script.front());
    m_script.pop_front();
    dialog.show();
    const int result = script(dialog);
    dialog.hide();
    return result;
}

void ScriptedHelpOpener::openPage(const QString& path)
{
    pages.push_back(path);
    if (!result)
        emit pageNotOpened(path);
}

ScriptedPrinterChooser::~ScriptedPrinterChooser()
{
    if (!m_script.empty())
        ADD_FAILURE() << m_script.size() << " expected print dialog(s) never shown";
}

bool ScriptedPrinterChooser::choosePrinter(QPrinter& printer, int firstPage, int lastPage)
{
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected print dialog for pages " << firstPage << " to " << lastPage;
        return false;
    }
    auto script = std::move(m_script.front());
    m_script.pop_front();
    return script(printer, firstPage, lastPage);
}

void ScriptedPrinterChooser::setUpPage(QPrinter&)
{
    ++pageSetups;
}

ScriptedUiServices::ScriptedUiServices()
    : ScriptedUiServices(std::make_unique<ScriptedPrompter>(), std::make_unique<ScriptedFileChooser>(),
                         std::make_unique<ScriptedDialogRunner>(), std::make_unique<ScriptedHelpOpener>(),
                         std::make_unique<ScriptedPrinterChooser>())
{
}

ScriptedUiServices::ScriptedUiServices(std::unique_ptr<ScriptedPrompter> p, std::unique_ptr<ScriptedFileChooser> f,
                                       std::unique_ptr<ScriptedDialogRunner> d, std::unique_ptr<ScriptedHelpOpener> h,
                                       std::unique_ptr<ScriptedPrinterChooser> c)
    : prompter(*p), files(*f), dialogs(*d), help(*h), printers(*c),
      m_services(std::make_unique<UiServices>(std::move(p), std::move(f), std::move(d), std::move(h), std::move(c)))
{
}
