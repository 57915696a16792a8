#include "ui/framework/UiServices.h"

#include "ui/framework/DesktopHelpOpener.h"
#include "ui/framework/StandardButtonKeys.h"

#include <QDialog>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

// A question without a Cancel button must be answered: neither Escape nor the close
// button may pass for "No". Where there is a Cancel button, both mean Cancel.
class AnswerRequiredBox : public QMessageBox {
public:
    AnswerRequiredBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons)
        : QMessageBox(icon, caption, text, buttons), m_dismissible(!(buttons & (Yes | No)) || (buttons & Cancel))
    {
        if (buttons & Cancel)
            setEscapeButton(Cancel);
        if (!m_dismissible)
            setWindowFlag(Qt::WindowCloseButtonHint, false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!m_dismissible && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent* event) override
    {
        if (!m_dismissible) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    const bool m_dismissible;
};

class QtPrompter : public Prompter {
public:
    int ask(const QString& text, const QString& caption, unsigned flags) override
    {
        AnswerRequiredBox box(iconOf(flags), caption, text, buttonsOf(flags));
        giveStandardButtonsKeys(box);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return mb::kIdYes;
        case QMessageBox::No:
            return mb::kIdNo;
        case QMessageBox::Cancel:
            return mb::kIdCancel;
        default:
            return mb::kIdOk;
        }
    }

    int choose(const QString& text, const QString& caption, const QStringList& buttons) override
    {
        QMessageBox box(QMessageBox::Warning, caption, text);
        QList<QAbstractButton*> made;
        for (int i = 0; i < buttons.size(); ++i) {
            const bool last = i + 1 == buttons.size();
            made.append(box.addButton(buttons.at(i), last ? QMessageBox::RejectRole : QMessageBox::AcceptRole));
        }
        if (!made.isEmpty()) {
            box.setDefaultButton(static_cast<QPushButton*>(made.constFirst()));
            box.setEscapeButton(made.constLast());
        }
        box.exec();
        const auto chosen = made.indexOf(box.clickedButton());
        return chosen < 0 ? static_cast<int>(made.size()) - 1 : static_cast<int>(chosen);
    }

private:
    static QMessageBox::Icon iconOf(unsigned flags)
    {
        switch (flags & 0xF0) {
        case mb::kIconStop:
            return QMessageBox::Critical;
        case mb::kIconQuestion:
            return QMessageBox::Question;
        case mb::kIconExclamation:
            return QMessageBox::Warning;
        case mb::kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
        }
    }

    static QMessageBox::StandardButtons buttonsOf(unsigned flags)
    {
        switch (flags & 0x0F) {
        case mb::kOkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case mb::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case mb::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        default:
            return QMessageBox::Ok;
        }
    }
};

class QtFileChooser : public FileChooser {
public:
    std::optional<QString> chooseSaveFile(const FileRequest& request) override
    {
        const QStringList chosen = choose(request, QFileDialog::AcceptSave, QFileDialog::AnyFile);
        return chosen.isEmpty() ? std::nullopt : std::optional(chosen.constFirst());
    }
    std::optional<QString> chooseOpenFile(const FileRequest& request) override
    {
        const QStringList chosen = choose(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
        return chosen.isEmpty() ? std::nullopt : std::optional(chosen.constFirst());
    }
    QStringList chooseOpenFiles(const FileRequest& request) override
    {
        return choose(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
    }

private:
    static QStringList choose(const FileRequest& request, QFileDialog::AcceptMode mode, QFileDialog::FileMode files)
    {
        QFileDialog dialog(nullptr, request.caption, request.directory);
        dialog.setAcceptMode(mode);
        dialog.setFileMode(files);
        QStringList filters = request.nameFilters;
        // A pattern given as the initial name filters the list, as the name box does elsewhere.
        if (request.initialName.contains(QLatin1Char('*')))
            filters.prepend(request.initialName);
        else if (!request.initialName.isEmpty())
            dialog.selectFile(request.initialName);
        if (!filters.isEmpty())
            dialog.setNameFilters(filters);
        dialog.setDefaultSuffix(request.defaultSuffix);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        if (dialog.exec() != QDialog::Accepted)
            return {};
        return dialog.selectedFiles();
    }
};

class QtDialogRunner : public DialogRunner {
public:
    int run(QDialog& dialog) override { return dialog.exec(); }
};

class QtPrinterChooser : public PrinterChooser {
public:
    bool choosePrinter(QPrinter& printer, int firstPage, int lastPage) override
    {
        QPrintDialog dialog(&printer);
        dialog.setMinMax(firstPage, lastPage);
        dialog.setFromTo(firstPage, lastPage);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange);
        return dialog.exec() == QDialog::Accepted;
    }

    void setUpPage(QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer);
        dialog.exec();
    }
};

} // namespace

QStringList FileChooser::chooseOpenFiles(const FileRequest& request)
{
    const auto chosen = chooseOpenFile(request);
    return chosen ? QStringList{*chosen} : QStringList{};
}

UiServices::UiServices(std::unique_ptr<Prompter> prompter, std::unique_ptr<FileChooser> fileChooser,
                       std::unique_ptr<DialogRunner> dialogRunner, std::unique_ptr<HelpOpener> helpOpener,
                       std::unique_ptr<PrinterChooser> printerChooser)
    : m_prompter(std::move(prompter)), m_fileChooser(std::move(fileChooser)),
      m_dialogRunner(std::move(dialogRunner)), m_helpOpener(std::move(helpOpener)),
      m_printerChooser(std::move(printerChooser))
{
}

UiServices::~UiServices() = default;

std::unique_ptr<UiServices> UiServices::createQt()
{
    return std::make_unique<UiServices>(std::make_unique<QtPrompter>(), std::make_unique<QtFileChooser>(),
                                        std::make_unique<QtDialogRunner>(), std::make_unique<DesktopHelpOpener>(),
                                        std::make_unique<QtPrinterChooser>());
}
