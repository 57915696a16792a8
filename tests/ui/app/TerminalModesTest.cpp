#include "support/core/ProjectVersion.h"
#include "support/core/TempDir.h"
#include "support/ui/ProgramRun.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// The commands that never show a window, run as from a terminal on a machine
// without a display.
class TerminalModesTest : public ::testing::Test {
protected:
    ProgramRun run(const QStringList& arguments, const QProcessEnvironment& environment = environmentWithoutDisplay()) const
    {
        return runBuiltProgram(QStringLiteral("talvane"), arguments, folder, environment);
    }

    // An English system's environment, or a French one's, with the settings of the folder.
    QProcessEnvironment systemIn(const char* language) const
    {
        QProcessEnvironment environment = environmentWithoutDisplay();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("LANG"), QString::fromLatin1(language) + QStringLiteral(".UTF-8"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder);
        return environment;
    }

    // The number of pages pdfinfo counts in a PDF of the folder; 0 when it is no PDF.
    int pageCount(const QString& pdf) const
    {
        QProcess info;
        info.setWorkingDirectory(folder);
        info.start(QStringLiteral("pdfinfo"), {pdf});
        if (!info.waitForFinished(30000) || info.exitCode() != 0)
            return 0;
        const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
                               .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
        return pages.hasMatch() ? pages.captured(1).toInt() : 0;
    }

    TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
};

} // namespace

TEST_F(TerminalModesTest, TheSamplePrintsToAPdfWithoutADisplay)
{
    std::filesystem::copy_file(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "sample.tvn", dir / "sample.tvn");
    const QStringList prints[] = {
        {QStringLiteral("--print-pdf"), QStringLiteral("all.pdf"), QStringLiteral("--all"), QStringLiteral("sample.tvn")},
        {QStringLiteral("--print-pdf"), QStringLiteral("one.pdf"), QStringLiteral("--entry"), QStringLiteral("1"),
         QStringLiteral("sample.tvn")},
        {QStringLiteral("--print-pdf=list.pdf"), QStringLiteral("--inventory"), QStringLiteral("sample.tvn")},
    };
    for (const QStringList& arguments : prints) {
        const ProgramRun outcome = run(arguments);
        EXPECT_EQ(outcome.status, 0) << arguments.join(QLatin1Char(' ')).toStdString() << ": " << outcome.err.toStdString();
    }
    const int all = pageCount(QStringLiteral("all.pdf"));
    const int one = pageCount(QStringLiteral("one.pdf"));
    EXPECT_GT(one, 0);
    EXPECT_GT(all, one) << "every tree of the sample prints more pages than one";
    EXPECT_GT(pageCount(QStringLiteral("list.pdf")), 0);
}

TEST_F(TerminalModesTest, HelpVersionAndRemindNeedNoDisplay)
{
    ASSERT_FALSE(projectVersion().empty());
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const ProgramRun version = run({option});
        EXPECT_EQ(version.status, 0) << version.err.toStdString();
        EXPECT_EQ(version.out.toStdString(), "talvane " + projectVersion() + "\n");
        EXPECT_EQ(version.err, QString());
    }
    const ProgramRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--print-pdf <FILE>"))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--entry <N>"))) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("--version"))) << help.out.toStdString();

    const ProgramRun remind = run({QStringLiteral("--remind")});
    EXPECT_EQ(remind.status, 1);
    EXPECT_EQ(remind.err, QStringLiteral("talvane: use --remind COLLECTION.tvn...\n"));
}

TEST_F(TerminalModesTest, AWrongEntryNumberGetsOneLineAndStatusOne)
{
    std::filesystem::copy_file(std::filesystem::path(TALVANE_SOURCE_DIR) / "data" / "sample.tvn", dir / "sample.tvn");
    for (const QString& given : {QStringLiteral("x"), QStringLiteral("-1"), QStringLiteral("1.5"), QStringLiteral("0x1"),
                                 QStringLiteral("4294967295"), QStringLiteral(" 1"), QString()}) {
        const ProgramRun outcome = run({QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"),
                                        given, QStringLiteral("sample.tvn")});
        EXPECT_EQ(outcome.status, 1) << given.toStdString();
        EXPECT_EQ(outcome.err, QStringLiteral("talvane: --entry must be an entry number from 0 to 4294967294, not \u201C") +
                                   given + QStringLiteral("\u201D.\n"));
        EXPECT_EQ(outcome.out, QString());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "out.pdf"));

    // A number past the collection's end is a number: the collection says it has no such entry.
    const ProgramRun past = run({QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"),
                                 QStringLiteral("0999"), QStringLiteral("sample.tvn")});
    EXPECT_EQ(past.status, 1);
    EXPECT_TRUE(past.err.startsWith(QStringLiteral("talvane: sample.tvn has no entry 999 (it has "))) << past.err.toStdString();
}

TEST_F(TerminalModesTest, TheCommandLineSpeaksTheSystemsLanguageOrTheOneChosenAndItsEnglishStaysAsItWas)
{
    const ProgramRun english = run({QStringLiteral("--help")}, systemIn("en_GB"));
    EXPECT_TRUE(english.out.contains(QStringLiteral("  --no-splash          Start without the splash picture.\n")))
        << english.out.toStdString();
    const ProgramRun french = run({QStringLiteral("--help")}, systemIn("fr_FR"));
    EXPECT_TRUE(french.out.contains(QStringLiteral("D\u00E9marrer sans l'image d'accueil."))) << french.out.toStdString();
    EXPECT_FALSE(french.out.contains(QStringLiteral("Start without"))) << french.out.toStdString();
    const ProgramRun wrongEntry = run({QStringLiteral("--print-pdf"), QStringLiteral("out.pdf"), QStringLiteral("--entry"),
                                       QStringLiteral("x"), QStringLiteral("sample.tvn")},
                                      systemIn("fr_FR"));
    EXPECT_EQ(wrongEntry.status, 1);
    EXPECT_EQ(wrongEntry.err, QStringLiteral("talvane : --entry doit \u00EAtre un num\u00E9ro de fiche de 0 \u00E0 4294967294, "
                                             "et non \u00AB x \u00BB.\n"));

    // English chosen on a French system: every text as the English program writes it.
    std::filesystem::create_directories(dir / "Orvande");
    writeFileBytes(dir / "Orvande" / "Talvane.conf", "[General]\nlanguage=en\n");
    EXPECT_EQ(run({QStringLiteral("--help")}, systemIn("fr_FR")).out, english.out);
}
