#include "ui/app/CommandIds.h"
#include "ui/app/MainFrame.h"
#include "core/collection/TreeIdentity.h"
#include "ui/document/AlbumFolder.h"
#include "ui/framework/FilePaths.h"
#include "core/journal/Journal.h"
#include "core/passport/PassportExport.h"
#include "ui/passport/TreePassportCommands.h"

#include "support/core/BmpTestFiles.h"
#include "support/core/JournalTestTrees.h"
#include "support/ui/AppFixture.h"

#include <QAction>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QLineEdit>
#include <QStatusBar>

#include <filesystem>

using namespace talvane::collection;

using namespace talvane::journal;

namespace {

class PassportWindowTest : public AppFixture {};

} // namespace

TEST_F(PassportWindowTest, ATreeHandedOnArrivesWithItsPictureJournalAndIdentifierAsOneStep)
{
    BmpFile bitmap;
    bitmap.pixels = paddedRow(byteString({0x10, 0x80, 0xF0}));
    const std::string picture = bitmap.bytes();
    writeFileBytes(dir / "Album" / "oak.bmp", picture);
    Journal journal = Journal::read("");
    journal.add({*CalendarDate::fromText("2020-04-01"), CareKind::Repotting, std::nullopt, {}, "first pot", {}, {}, {}});
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Oak"}, [&](CBonsaiData& e, std::size_t) {
        e[CBonsaiData::Photo1] = "oak.bmp";
        e[CBonsaiData::Photo1Description] = "spring";
        e[kJournalField] = journal.text();
        e[kTreeIdField] = "0f8fad5b-d9cb-469f-a165-70867728950e";
    }))));

    const auto passport = dir / "Oak.tvp";
    ui.dialogs.expect([](QDialog& dialog) {
        dynamic_cast<PassportGiverDlg&>(dialog).giverEdit()->setText(QStringLiteral("  Anne \u00C9lise "));
        return int(QDialog::Accepted);
    });
    ui.files.expect(q(passport));
    frame().action(cmd::kFileExportPassport)->trigger();
    ASSERT_TRUE(std::filesystem::exists(passport));
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("The passport of \u201COak\u201D is written to Oak.tvp."));
    EXPECT_EQ(ui.files.calls().back().request.initialName, QStringLiteral("Oak.tvp"));

    // The receiver keeps an oak.bmp of its own where the new collection will be saved; until
    // then the passport's pictures are staged for it.
    writeFileBytes(dir / "Album" / "oak.bmp", "the receiver's own oak");
    doc().OnFileNew();
    ui.files.expect(q(passport));
    frame().action(cmd::kFileImportPassport)->trigger();
    ASSERT_EQ(doc().entryCount(), 1u);
    const CBonsaiData& received = doc().entryAt(0);
    EXPECT_EQ(received[CBonsaiData::Name], "Oak");
    EXPECT_EQ(received[kTreeIdField], "0f8fad5b-d9cb-469f-a165-70867728950e") << "the identifier travels";
    EXPECT_EQ(received[CBonsaiData::Photo1], "oak.bmp");
    EXPECT_EQ(readFileBytes(fsPath(albumFolder(doc())) / "oak.bmp"), picture);
    const auto events = Journal::read(received[kJournalField]).newestFirst();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].event.kind, CareKind::Note);
    EXPECT_EQ(events[0].event.text, "Received from Anne \xC9lise");
    EXPECT_EQ(events[0].event.date, CalendarDate::today());
    EXPECT_EQ(events[1].event.text, "first pot");
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Import passport \u201COak\u201D"));
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              QStringLiteral("\u201COak\u201D, received from Anne \u00C9lise, is added to the collection."));

    // What is not a passport is refused with its reason, and adds nothing.
    writeFileBytes(dir / "not.tvp", "PK but no archive");
    ui.files.expect(q(dir / "not.tvp"));
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    frame().action(cmd::kFileImportPassport)->trigger();
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(QStringLiteral("not.tvp cannot be imported: ")))
        << ui.prompter.calls()[0].text.toStdString();
    EXPECT_EQ(doc().entryCount(), 1u);
    doc().onEditUndo();
    EXPECT_EQ(doc().entryCount(), 0u);

    // Its first save brings the picture beside the collection, under a name of its own there.
    doc().onEditRedo();
    ui.files.expect(q(dir / "received.tvn"));
    ASSERT_TRUE(doc().AskSaveFileName());
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Photo1], "oak (2).bmp");
    EXPECT_EQ(readFileBytes(dir / "Album" / "oak (2).bmp"), picture);
    EXPECT_EQ(readFileBytes(dir / "Album" / "oak.bmp"), "the receiver's own oak");
}

TEST_F(PassportWindowTest, ThePrintedPassportHasTheReportThenThePhotosByDateThenTheMeasurements)
{
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    std::filesystem::create_directories(dir / "Photos");
    ASSERT_TRUE(photo.save(q(dir / "Photos" / "2021-05-01 Oak.jpg")));
    Journal journal = Journal::read("");
    journal.add({*CalendarDate::fromText("2023-06-01"), CareKind::Photo, std::nullopt, "Photos/2021-05-01 Oak.jpg",
                 "second leaves", {}, {{MeasureKind::Height, "42.5", LengthUnit::Centimetre}}, {}});
    journal.add({*CalendarDate::fromText("2021-05-01"), CareKind::Photo, std::nullopt, "Photos/gone.jpg", "first leaves",
                 {}, {}, {}});
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Oak"}, [&](CBonsaiData& e, std::size_t) { e[kJournalField] = journal.text(); }))));

    const auto pdf = dir / "passport.pdf";
    ui.printers.expect([&](QPrinter& printer, int, int last) {
        EXPECT_EQ(last, 4) << "two pages of report, one of photos, one of measurements";
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(q(pdf));
        return true;
    });
    frame().action(cmd::kFilePrintPassport)->trigger();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), q(pdf), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 4);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Talvane")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Oak: photos")));
    EXPECT_LT(pages[2].indexOf(QStringLiteral("first leaves")), pages[2].indexOf(QStringLiteral("second leaves")))
        << "oldest first";
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Oak: measurements")));
    EXPECT_TRUE(pages[3].contains(QStringLiteral("42.5 cm")));
    // The report's pages too are numbered of the whole, under the one footer.
    for (int page = 1; page <= 4; ++page) {
        const QString said = pages[page - 1].trimmed();
        EXPECT_EQ(said.count(QStringLiteral("Page")), 1) << "page " << page;
        EXPECT_TRUE(said.split(QLatin1Char('\n')).last().contains(
            QRegularExpression(QStringLiteral("^Document trees\\.tvn +Page %1 of 4$").arg(page))))
            << said.toStdString();
    }
}

TEST_F(PassportWindowTest, APassportTakenInAgainUpdatesTheTreeOrAddsACopyAndUndoLeavesNoPictureNothingNames)
{
    const std::string id = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const CareEvent potted{*CalendarDate::fromText("2020-04-01"), CareKind::Repotting, std::nullopt, {}, "first pot", {}, {}, {}};
    const CareEvent leaves{*CalendarDate::fromText("2021-05-01"), CareKind::Photo, std::nullopt, "Photos/leaves.jpg", "leaves", id, {}, {}};
    EntryList giver;
    giver.push_back(std::make_unique<CBonsaiData>());
    (*giver[0])[CBonsaiData::Name] = "Oak";
    (*giver[0])[kTreeIdField] = id;
    (*giver[0])[CBonsaiData::Photo1] = "oak.bmp";
    (*giver[0])[kJournalField] = journalTextOf({potted, leaves});
    writeFileBytes(dir / "giver" / "Album" / "oak.bmp", BmpFile().bytes());
    writeFileBytes(dir / "giver" / "Photos" / "leaves.jpg", "a photo's bytes");
    const auto passport = dir / "Oak.tvp";
    ASSERT_EQ(talvane::passport::exportPassport(giver, 0, {dir / "giver" / "trees.tvn", dir / "giver" / "Album", dir / "giver" / "Photos", {},
                                                         std::chrono::system_clock::now(), passport})
                  .problem,
              "");
    // The grower's oak has the first event and a name of its own.
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"My oak"}, [&](CBonsaiData& e, std::size_t) {
        e[kTreeIdField] = id;
        e[kJournalField] = journalTextOf({potted});
    }))));
    const auto importAnswering = [&](int button) {
        ui.files.expect(q(passport));
        ui.prompter.expect(button);
        frame().action(cmd::kFileImportPassport)->trigger();
        ASSERT_TRUE(ui.prompter.allAnswered());
        EXPECT_EQ(ui.prompter.calls().back().buttons,
                  (QStringList{QStringLiteral("&Update the tree"), QStringLiteral("Import a &separate copy"), QStringLiteral("&Cancel")}));
    };

    importAnswering(0);
    ASSERT_EQ(doc().entryCount(), 1u);
    const auto journalLines = [&] { return Journal::read(doc().entryAt(0)[kJournalField]).lines().size(); };
    EXPECT_EQ(journalLines(), 2u) << "the photo's event is added, the repotting is not doubled";
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Name], "My oak");
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Photo1], "oak.bmp");
    EXPECT_EQ(readFileBytes(dir / "Photos" / "leaves.jpg"), "a photo's bytes");
    EXPECT_EQ(doc().history().undoText(), QStringLiteral("Update from passport \u201CMy oak\u201D"));
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              QStringLiteral("\u201CMy oak\u201D is brought up to date from its passport (new events: 1, new pictures: 2)."));
    importAnswering(0);
    EXPECT_EQ(journalLines(), 2u);
    EXPECT_EQ(doc().history().count(), 1);
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("\u201CMy oak\u201D has everything its passport holds: nothing was added."));

    // Undo sets the pictures aside, Redo puts them back; a new step forgets them.
    doc().onEditUndo();
    EXPECT_EQ(journalLines(), 1u);
    EXPECT_FALSE(std::filesystem::exists(dir / "Album" / "oak.bmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / "Photos" / "leaves.jpg"));
    doc().onEditRedo();
    EXPECT_EQ(readFileBytes(dir / "Photos" / "leaves.jpg"), "a photo's bytes");
    doc().onEditUndo();
    doc().changeFields(0, {{CBonsaiData::Name, "Quercus"}}, QStringLiteral("Rename"));
    EXPECT_EQ(folderNames(dir / "Album"), std::vector<std::string>{});
    EXPECT_EQ(folderNames(dir / "Photos"), std::vector<std::string>{});

    // A copy has an identifier of its own. Undo keeps the photo the first tree names
    // (its file was missing), and once saved, every picture stays.
    doc().changeFields(0, {{kJournalField, journalTextOf({potted, leaves})}}, QStringLiteral("Note the photo"));
    importAnswering(1);
    ASSERT_EQ(doc().entryCount(), 2u);
    EXPECT_NE(doc().entryAt(1)[kTreeIdField], id);
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("A separate copy of \u201COak\u201D is added to the collection."));
    doc().onEditUndo();
    EXPECT_EQ(readFileBytes(dir / "Photos" / "leaves.jpg"), "a photo's bytes");
    EXPECT_FALSE(std::filesystem::exists(dir / "Album" / "oak.bmp"));
    doc().onEditRedo();
    ASSERT_TRUE(doc().OnFileSave());
    doc().onEditUndo();
    EXPECT_EQ(doc().entryCount(), 1u);
    EXPECT_EQ(folderNames(dir / "Album"), std::vector<std::string>{"oak.bmp"}) << "the saved file names it";
}
