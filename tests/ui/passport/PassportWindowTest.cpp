#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "collection/TreeIdentity.h"
#include "journal/Journal.h"
#include "passport/TreePassportCommands.h"

#include "core/BmpTestFiles.h"
#include "ui/AppFixture.h"

#include <QAction>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QLineEdit>
#include <QStatusBar>

#include <filesystem>

using namespace talvane::journal;

namespace {

class PassportWindowTest : public AppFixture {};

} // namespace

TEST_F(PassportWindowTest, ATreeHandedOnArrivesWithItsPictureJournalAndIdentifierAsOneStep)
{
    BmpFile bitmap;
    bitmap.pixels = PaddedRow(ByteString({0x10, 0x80, 0xF0}));
    const std::string picture = bitmap.Bytes();
    WriteFileBytes(dir / "Album" / "oak.bmp", picture);
    Journal journal = Journal::read("");
    journal.add({*CalendarDate::fromText("2020-04-01"), CareKind::Repotting, std::nullopt, {}, "first pot", {}, {}, {}});
    ASSERT_TRUE(Start(Q(MakeCollection("trees.tvn", {"Oak"}, [&](CBonsaiData& e, std::size_t) {
        e[CBonsaiData::Photo1] = "oak.bmp";
        e[CBonsaiData::Photo1Description] = "spring";
        e[kJournalField] = journal.text();
        e[talvane::kTreeIdField] = "0f8fad5b-d9cb-469f-a165-70867728950e";
    }))));

    const auto passport = dir / "Oak.tvp";
    ui.dialogs.expect([](QDialog& dialog) {
        dynamic_cast<PassportGiverDlg&>(dialog).giverEdit()->setText(QStringLiteral("  Anne \u00C9lise "));
        return int(QDialog::Accepted);
    });
    ui.files.expect(Q(passport));
    frame().action(cmd::kFileExportPassport)->trigger();
    ASSERT_TRUE(std::filesystem::exists(passport));
    EXPECT_EQ(frame().statusBar()->currentMessage(), QStringLiteral("The passport of \u201COak\u201D is written to Oak.tvp."));
    EXPECT_EQ(ui.files.calls().back().request.initialName, QStringLiteral("Oak.tvp"));

    // The receiver's collection already holds an oak.bmp of its own.
    doc().OnFileNew();
    ui.files.expect(Q(passport));
    frame().action(cmd::kFileImportPassport)->trigger();
    ASSERT_EQ(doc().entryCount(), 1u);
    const CBonsaiData& received = doc().entryAt(0);
    EXPECT_EQ(received[CBonsaiData::Name], "Oak");
    EXPECT_EQ(received[talvane::kTreeIdField], "0f8fad5b-d9cb-469f-a165-70867728950e") << "the identifier travels";
    const std::string placed = received[CBonsaiData::Photo1];
    EXPECT_NE(placed, "oak.bmp") << "the name is made unique in this collection's folder";
    EXPECT_EQ(ReadFileBytes(dir / "Album" / placed), picture);
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
    WriteFileBytes(dir / "not.tvp", "PK but no archive");
    ui.files.expect(Q(dir / "not.tvp"));
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Talvane"), mb::kOk | mb::kIconExclamation);
    frame().action(cmd::kFileImportPassport)->trigger();
    ASSERT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_TRUE(ui.prompter.calls()[0].text.startsWith(QStringLiteral("not.tvp cannot be imported: ")))
        << ui.prompter.calls()[0].text.toStdString();
    EXPECT_EQ(doc().entryCount(), 1u);
    doc().onEditUndo();
    EXPECT_EQ(doc().entryCount(), 0u);
}

TEST_F(PassportWindowTest, ThePrintedPassportHasTheReportThenThePhotosByDateThenTheMeasurements)
{
    QImage photo(60, 40, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    std::filesystem::create_directories(dir / "Photos");
    ASSERT_TRUE(photo.save(Q(dir / "Photos" / "2021-05-01 Oak.jpg")));
    Journal journal = Journal::read("");
    journal.add({*CalendarDate::fromText("2023-06-01"), CareKind::Photo, std::nullopt, "Photos/2021-05-01 Oak.jpg",
                 "second leaves", {}, {{MeasureKind::Height, "42.5", LengthUnit::Centimetre}}, {}});
    journal.add({*CalendarDate::fromText("2021-05-01"), CareKind::Photo, std::nullopt, "Photos/gone.jpg", "first leaves",
                 {}, {}, {}});
    ASSERT_TRUE(Start(Q(MakeCollection("trees.tvn", {"Oak"}, [&](CBonsaiData& e, std::size_t) { e[kJournalField] = journal.text(); }))));

    const auto pdf = dir / "passport.pdf";
    ui.printers.expect([&](QPrinter& printer, int, int last) {
        EXPECT_EQ(last, 4) << "two pages of report, one of photos, one of measurements";
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Q(pdf));
        return true;
    });
    frame().action(cmd::kFilePrintPassport)->trigger();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Q(pdf), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 4);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Talvane")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Oak: photos")));
    EXPECT_LT(pages[2].indexOf(QStringLiteral("first leaves")), pages[2].indexOf(QStringLiteral("second leaves")))
        << "oldest first";
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Oak: measurements")));
    EXPECT_TRUE(pages[3].contains(QStringLiteral("42.5 cm")));
    EXPECT_TRUE(pages[3].contains(QStringLiteral("Page 4 of 4")));
}
