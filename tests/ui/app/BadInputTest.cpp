#include "ui/album/PhotoAlbumPage.h"

#include "support/ui/AppFixture.h"
#include "support/ui/ProgramRun.h"

#include <QApplication>
#include <QProcess>

namespace {

using BadInputTest = AppFixture;

// Runs the program built beside this test and gives its exit status and standard error.
std::pair<int, QString> runProgram(const QStringList& arguments, const QString& folder)
{
    const ProgramRun run = runBuiltProgram(QStringLiteral("talvane"), arguments, folder);
    return {run.status, run.err};
}

} // namespace

TEST_F(BadInputTest, ADamagedGuideIsReportedAndLeavesTheCollectionAlone)
{
    const auto path = makeCollection("trees.tvn", {"Maple", "Pine"});
    const std::string before = readFileBytes(path);
    // A block separator (fourteen shifted slashes) and nothing else: all thirteen sections
    // are missing, and the window shows the first five messages.
    writeFileBytes(dir / "esspef.dat", std::string(14, '\x31') + "\n");
    for (int section = 0; section < 5; ++section)
        ui.prompter.expect(mb::kIdOk, QStringLiteral("Le champs existe pas"), QStringLiteral("Attention"), 0x10);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("8 more messages about esspef.dat were not shown."),
                       QStringLiteral("Attention"), 0x10);
    ASSERT_TRUE(start(q(path)));
    EXPECT_EQ(listedNames(), (QStringList{"Maple", "Pine"}));
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(BadInputTest, ADamagedPictureIsReportedAndLeavesTheCollectionAlone)
{
    writeFileBytes(dir / "Album" / "cut.bmp", std::string("BM\x36\x00\x00\x00", 6));
    writeFileBytes(dir / "Album" / "text.bmp", "not a picture at all");
    const auto path = makeCollection("trees.tvn", {"Maple"}, [](CBonsaiData& e, std::size_t) {
        e[CBonsaiData::Photo1] = "cut.bmp";
        e[CBonsaiData::Photo1Description] = "cut";
        e[CBonsaiData::Photo2] = "text.bmp";
        e[CBonsaiData::Photo2Description] = "text";
    });
    const std::string before = readFileBytes(path);
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"), 0);
    ASSERT_TRUE(start(q(path)));
    QApplication::processEvents();
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("[Code:2]")))
        << ui.prompter.calls().back().text.toStdString();
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"), 0);
    view().albumPage().ShowPicture(1);
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("[Code:8]")))
        << ui.prompter.calls().back().text.toStdString();
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(readFileBytes(path), before);
}

TEST_F(BadInputTest, WrongProgramArgumentsAreRefusedWithAMessage)
{
    const auto path = makeCollection("trees.tvn", {"Maple"});
    const QString folder = q(dir.path());
    const QStringList wrong[] = {
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("trees.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"), QStringLiteral("x"), QStringLiteral("trees.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--all"), QStringLiteral("--entry"), QStringLiteral("0"), QStringLiteral("trees.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"), QStringLiteral("5"), QStringLiteral("trees.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--all"), QStringLiteral("missing.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--inventory"), QStringLiteral("--all"), QStringLiteral("trees.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--inventory")},
        {QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--inventory"), QStringLiteral("missing.tvn")},
        {QStringLiteral("--no-such-option")},
        {QStringLiteral("--remind")},
    };
    for (const QStringList& arguments : wrong) {
        const auto [status, error] = runProgram(arguments, folder);
        EXPECT_EQ(status, 1) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(error.trimmed().isEmpty()) << arguments.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pdf"));
    const auto [status, error] = runProgram({QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"),
                                             QStringLiteral("0"), QStringLiteral("trees.tvn")}, folder);
    EXPECT_EQ(status, 0) << error.toStdString();
    EXPECT_TRUE(std::filesystem::exists(dir / "out.pdf"));

    const auto listed = runProgram({QStringLiteral("--print-pdf"), QStringLiteral("list.pdf"), QStringLiteral("--inventory"),
                                    QStringLiteral("--find"), QStringLiteral("MAPLE"), QStringLiteral("trees.tvn")}, folder);
    EXPECT_EQ(listed.first, 0) << listed.second.toStdString();
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), q(dir / "list.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(page.contains(QStringLiteral("1 of 1 tree"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("Maple")));
}
