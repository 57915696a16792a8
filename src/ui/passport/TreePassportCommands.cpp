#include "ui/passport/TreePassportCommands.h"

#include <QCoreApplication>

#include "ui/document/TalvaneDoc.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/framework/UiServices.h"
#include "ui/passport/ImportedPicturesStep.h"
#include "core/passport/PassportExport.h"
#include "core/passport/PassportImport.h"
#include "ui/passport/PassportPages.h"
#include "core/passport/PassportUpdate.h"
#include "ui/printing/PrintProgress.h"
#include "ui/printing/ReportPages.h"
#include "ui/framework/FullTextTip.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QUndoStack>

#include <functional>

namespace {

QString passportFilter()
{
    return QCoreApplication::translate("TreePassportCommands", "Tree passports (*.tvp)");
}

void tell(UiServices& services, const QString& text, unsigned icon)
{
    services.prompter().ask(text, QStringLiteral("Talvane"), mb::kOk | icon);
}

enum class HeldTreeAnswer { Update, Copy, Cancel };

// The passport is of a tree the collection holds: the grower says what the import does.
HeldTreeAnswer askUpdateOrCopy(UiServices& services, const QString& name)
{
    const int answer = services.prompter().choose(
        QCoreApplication::translate("TreePassportCommands",
                                    "The collection already holds \u201C%1\u201D, the tree of this passport.\n\n"
                                    "Update it: the journal events and pictures of the passport that it does not have yet "
                                    "are added to it, and what was changed here is kept.\n\n"
                                    "Import a separate copy: a second tree is added, with an identifier of its own.")
            .arg(name),
        QStringLiteral("Talvane"),
        {QCoreApplication::translate("TreePassportCommands", "&Update the tree"),
         QCoreApplication::translate("TreePassportCommands", "Import a &separate copy"),
         QCoreApplication::translate("TreePassportCommands", "&Cancel")});
    return answer == 0 ? HeldTreeAnswer::Update : answer == 1 ? HeldTreeAnswer::Copy : HeldTreeAnswer::Cancel;
}

// The import as one step: its pictures, then `change` to the entries. Undo leaves no
// picture that nothing names, and Redo puts them back.
void pushImportStep(CTalvaneDoc& doc, const QString& text, talvane::passport::PlacedFiles placed,
                    const talvane::passport::PassportImport& what, const std::function<void()>& change)
{
    doc.history().beginMacro(text);
    doc.history().push(new ImportedPicturesStep(doc, std::move(placed), what.albumFolder, what.photosFolder));
    change();
    doc.history().endMacro();
}

std::optional<QString> updateHeldTree(CTalvaneDoc& doc, UiServices& services, const talvane::passport::PassportImport& what)
{
    auto update = talvane::passport::updateFromPassport(what, doc.entries());
    if (!update.problem.empty()) {
        tell(services, QString::fromStdString(update.problem), mb::kIconExclamation);
        return std::nullopt;
    }
    const std::string name(doc.entryAt(update.position)[CBonsaiData::Name]);
    QString said;
    if (update.values.empty()) {
        doc.setCurrentPosition(update.position);
        said = QCoreApplication::translate("TreePassportCommands", "\u201C%1\u201D has everything its passport holds: nothing was added.").arg(fromAnsi(name));
    } else {
        const QString text = CTalvaneDoc::stepText(QCoreApplication::translate("TreePassportCommands", "Update from passport"), name);
        const std::size_t pictures = update.placed.files().size();
        pushImportStep(doc, text, std::move(update.placed), what,
                       [&] { doc.changeFields(update.position, update.values, text); });
        said = QCoreApplication::translate("TreePassportCommands", "\u201C%1\u201D is brought up to date from its passport (new events: %2, new pictures: %3).")
                   .arg(fromAnsi(name))
                   .arg(update.eventsAdded)
                   .arg(pictures);
    }
    if (update.albumPicturesLeftOut > 0)
        said += QLatin1Char(' ') + QCoreApplication::translate("TreePassportCommands", "Its album had no empty place for %1 of the passport's pictures.").arg(update.albumPicturesLeftOut);
    if (update.journalForeign)
        said += QLatin1Char(' ') + QCoreApplication::translate("TreePassportCommands", "A journal written by another program takes no events: none was added.");
    return said;
}

// The collection's folder, where a passport is first looked for or put.
QString startFolder(const CTalvaneDoc& doc)
{
    return doc.pathName().isEmpty() ? QString() : QFileInfo(doc.pathName()).absolutePath();
}

std::optional<QString> chooseExportTarget(const CTalvaneDoc& doc, UiServices& services, const QString& name)
{
    FileRequest request;
    request.caption = QCoreApplication::translate("TreePassportCommands", "Export tree passport");
    request.directory = startFolder(doc);
    request.initialName = (name.trimmed().isEmpty() ? QStringLiteral("tree") : name.trimmed()) + QStringLiteral(".tvp");
    request.nameFilters = {passportFilter()};
    request.defaultSuffix = QStringLiteral("tvp");
    request.confirmOverwrite = true;
    return services.fileChooser().chooseSaveFile(request);
}

void tellPicturesLeftOut(UiServices& services, const std::vector<std::string>& leftOut)
{
    if (leftOut.empty())
        return;
    QStringList missing;
    for (const std::string& picture : leftOut)
        missing.append(QString::fromStdString(picture));
    tell(services,
         QCoreApplication::translate("TreePassportCommands", "The passport was written without these pictures, which are no longer in their folders:\n%1")
             .arg(missing.join(QLatin1Char('\n'))),
         mb::kIconInformation);
}

std::optional<QString> chooseImportSource(const CTalvaneDoc& doc, UiServices& services)
{
    FileRequest request;
    request.caption = QCoreApplication::translate("TreePassportCommands", "Import tree passport");
    request.directory = startFolder(doc);
    request.nameFilters = {passportFilter()};
    return services.fileChooser().chooseOpenFile(request);
}

// Adds the passport's tree as a new entry, with its pictures, as one step.
std::optional<QString> addPassportTree(CTalvaneDoc& doc, UiServices& services, const talvane::passport::PassportImport& what)
{
    auto imported = talvane::passport::importPassport(what, doc.entries());
    if (!imported.problem.empty()) {
        tell(services, QString::fromStdString(imported.problem), mb::kIconExclamation);
        return std::nullopt;
    }
    const QString name = fromAnsi((*imported.entry)[CBonsaiData::Name]);
    const QString verb = QCoreApplication::translate("TreePassportCommands", "Import passport");
    pushImportStep(doc, CTalvaneDoc::stepText(verb, (*imported.entry)[CBonsaiData::Name]), std::move(imported.placed), what,
                   [&] { doc.addEntry(std::move(imported.entry), verb); });
    if (imported.givenNewId)
        return QCoreApplication::translate("TreePassportCommands", "A separate copy of \u201C%1\u201D is added to the collection.").arg(name);
    const QString giver = QString::fromStdString(imported.manifest.giver);
    return giver.isEmpty() ? QCoreApplication::translate("TreePassportCommands", "\u201C%1\u201D is added to the collection.").arg(name)
                           : QCoreApplication::translate("TreePassportCommands", "\u201C%1\u201D, received from %2, is added to the collection.").arg(name, giver);
}

} // namespace

PassportGiverDlg::PassportGiverDlg(const QString& treeName, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Export tree passport"));
    auto* form = new QFormLayout(this);
    auto* about = new QLabel(tr("The passport holds \u201C%1\u201D with its photos and its journal, for "
                                            "whoever receives the tree to add to their collection.")
                                 .arg(treeName),
                             this);
    about->setWordWrap(true);
    form->addRow(about);
    m_giver = new QLineEdit(this);
    m_giver->setPlaceholderText(QCoreApplication::translate("TreePassportCommands", "optional"));
    m_giver->setMaxLength(200);
    new FullTextTip(m_giver, m_giver);
    form->addRow(tr("&Handed on by:"), m_giver);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    giveStandardButtonsKeys(*buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    nameFieldsAfterTheirLabels(*this);
}

std::optional<QString> exportTreePassport(CTalvaneDoc& doc, UiServices& services)
{
    // The passport is made from the entry: edits on the pages are offered first.
    doc.OfferToKeepChanges();
    const auto position = doc.currentPosition();
    if (!position)
        return std::nullopt;
    const QString name = fromAnsi(doc.entryAt(*position)[CBonsaiData::Name]);
    PassportGiverDlg giver(name);
    if (services.dialogRunner().run(giver) != QDialog::Accepted)
        return std::nullopt;
    const auto target = chooseExportTarget(doc, services, name);
    if (!target)
        return std::nullopt;

    talvane::passport::PassportExport what;
    what.collectionFile = fsPath(doc.pathName());
    const auto folders = doc.pictureFolders();
    what.albumFolder = folders.album;
    what.photosFolder = folders.photos;
    what.giver = toAnsi(giver.giverEdit()->text().trimmed());
    what.target = fsPath(*target);
    const auto exported = talvane::passport::exportPassport(doc.entries(), *position, what);
    if (!exported.problem.empty()) {
        tell(services, QCoreApplication::translate("TreePassportCommands", "Talvane %1.").arg(QString::fromStdString(exported.problem)), mb::kIconExclamation);
        return std::nullopt;
    }
    tellPicturesLeftOut(services, exported.leftOut);
    return QCoreApplication::translate("TreePassportCommands", "The passport of \u201C%1\u201D is written to %2.").arg(name, QFileInfo(*target).fileName());
}

std::optional<QString> importTreePassport(CTalvaneDoc& doc, UiServices& services)
{
    if (doc.isReadOnly()) {
        tell(services, QCoreApplication::translate("TreePassportCommands", "The collection is open read-only: no tree can be added to it."), mb::kIconInformation);
        return std::nullopt;
    }
    doc.OfferToKeepChanges();
    const auto source = chooseImportSource(doc, services);
    if (!source)
        return std::nullopt;

    talvane::passport::PassportImport what;
    what.passport = fsPath(*source);
    const auto folders = doc.pictureFolders();
    what.albumFolder = folders.album;
    what.photosFolder = folders.photos;
    const auto held = talvane::passport::findHeldTree(what, doc.entries());
    if (!held.problem.empty()) {
        tell(services, QString::fromStdString(held.problem), mb::kIconExclamation);
        return std::nullopt;
    }
    if (held.position) {
        switch (askUpdateOrCopy(services, fromAnsi(doc.entryAt(*held.position)[CBonsaiData::Name]))) {
        case HeldTreeAnswer::Update:
            return updateHeldTree(doc, services, what);
        case HeldTreeAnswer::Copy:
            break;
        case HeldTreeAnswer::Cancel:
            return std::nullopt;
        }
    }
    return addPassportTree(doc, services, what);
}

void printTreePassport(CTalvaneDoc& doc, UiServices& services, QPrinter& printer)
{
    doc.OfferToKeepChanges();
    const CBonsaiData* entry = doc.currentEntry();
    if (!entry)
        return;
    const auto folders = doc.pictureFolders();
    PassportPages pages(*entry, doc.title(), fromFsPath(folders.photos), fromFsPath(folders.album));
    printer.setFromTo(0, 0);
    if (!services.printerChooser().choosePrinter(printer, 1, pages.pageCount()))
        return;
    PrintProgressDialog progress(QApplication::activeWindow());
    const auto drawPage = [&pages](QPainter& painter, int page) { pages.drawPage(painter, page); };
    if (printPages(printer, pages.pageCount(), drawPage, &progress) == PrintOutcome::Failed)
        tell(services, QCoreApplication::translate("TreePassportCommands", "The passport could not be printed."), mb::kIconExclamation);
}
