// The program in French: the language chosen or the system's, its menus, pages and
// messages, and nothing left in English on its windows.
#include "support/ui/AppFixture.h"
#include "support/ui/KeyboardReach.h"

#include "ui/album/NewPictureDlg.h"
#include "ui/app/LanguageMenu.h"
#include "ui/editing/NewEntryDlg.h"
#include "ui/editing/RenameEntryDlg.h"
#include "ui/journal/CareDueDlg.h"
#include "ui/journal/CareEventDlg.h"
#include "ui/journal/PhoneReminderDlg.h"
#include "support/core/FakeKeyring.h"
#include "ui/passport/TreePassportCommands.h"
#include "ui/printing/LabelsDlg.h"
#include "ui/printing/PrintChoiceDlg.h"
#include "ui/timeline/TimelineDlg.h"
#include "ui/framework/CoreTexts.h"
#include "ui/framework/FilePaths.h"
#include "ui/journal/CareTexts.h"
#include "core/journal/DueTasks.h"
#include "ui/framework/Translations.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/FieldCatalogue.h"
#include "core/journal/CareCalendar.h"
#include "core/journal/CareEvent.h"
#include "core/journal/CareRepeat.h"
#include "core/journal/Measurement.h"
#include "core/search/ListColumns.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTranslator>
#include <QToolButton>
#include <QXmlStreamReader>

#include <algorithm>

using namespace talvane::collection;

namespace {

QString withoutMnemonic(QString text)
{
    // As a tool button shows its command: without its shortcut or the dots of a window.
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")))
        .section(QLatin1Char('\t'), 0, 0)
        .remove(QRegularExpression(QStringLiteral(" *(\\.\\.\\.|\u2026)$")));
}

// Every French text of the translation files, as a window shows it.
QSet<QString> frenchTexts()
{
    QSet<QString> texts;
    const QDir folder(QStringLiteral(TALVANE_SOURCE_DIR "/translations"));
    for (const QString& name : folder.entryList({QStringLiteral("talvane_fr_*.ts")})) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        QXmlStreamReader xml(&file);
        while (xml.readNextStartElement() || !xml.atEnd()) {
            if (xml.isStartElement() && xml.name() == QLatin1String("translation"))
                texts.insert(withoutMnemonic(xml.readElementText()));
        }
    }
    return texts;
}

// The controls of a window whose text is wider than the control, so that the end of
// it is cut off.
QStringList cutTexts(QWidget& window)
{
    QStringList cut;
    for (auto* label : window.findChildren<QLabel*>()) {
        if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText || !label->isVisibleTo(&window))
            continue;
        const QStringList lines = withoutMnemonic(label->text()).split(QLatin1Char('\n'));
        for (const QString& line : lines)
            if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width())
                cut << label->text();
    }
    for (auto* button : window.findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty() || !button->isVisibleTo(&window) || qobject_cast<QToolButton*>(button))
            continue;
        if (button->minimumSizeHint().width() > button->width() + 2)
            cut << button->text();
    }
    return cut;
}

// The texts a window shows of itself (not the collection's): labels, buttons, group
// boxes, tabs and menus.
QStringList shownTexts(QWidget& window)
{
    QStringList texts;
    for (auto* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (auto* button : window.findChildren<QAbstractButton*>())
        texts << button->text();
    for (auto* box : window.findChildren<QGroupBox*>())
        texts << box->title();
    for (auto* tabs : window.findChildren<QTabBar*>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    for (auto* menu : window.findChildren<QMenu*>())
        for (QAction* action : menu->actions())
            texts << action->text();
    return texts;
}

// The File menu's recent collections, "&1 garden.tvn".
bool isRecentFile(const QString& text)
{
    return QRegularExpression(QStringLiteral("^&\\d ")).match(text).hasMatch();
}

} // namespace

class FrenchSession : public AppFixture {
protected:
    const InstalledLanguage french{QString::fromLatin1(Translations::kFrench)};
};

TEST_F(FrenchSession, MenusPagesAndMessagesSpeakFrenchAndNothingIsLeftInEnglish)
{
    ASSERT_TRUE(start(q(makeCollection("garden.tvn", {"Momiji", "Pine"}))));
    QStringList menus;
    for (QAction* menu : frame().menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&\u00C9dition"), QStringLiteral("&Affichage"),
                                  QStringLiteral("Ai&de")}));
    EXPECT_EQ(withoutMnemonic(view().sheet()->tabText(0)), QStringLiteral("La plante"));

    ui.prompter.expect(mb::kIdCancel, QStringLiteral("< Momiji > sera supprim\u00E9 de la liste !"));
    view().OnEntryDelete();
    EXPECT_TRUE(ui.prompter.allAnswered());
    EXPECT_EQ(doc().entryCount(), 2u) << "Cancel keeps the entry";

    const QSet<QString> french = frenchTexts();
    // What reads the same in both languages, or is a name.
    // The main window's title is the collection's name and the program's.
    const QSet<QString> same{QStringLiteral("garden.tvn[*] - Talvane"), QStringLiteral("Talvane"), QStringLiteral("OK"), QStringLiteral("NUM"), QStringLiteral("English"),
                             QStringLiteral("Fran\u00E7ais"), QString(),
                             QCoreApplication::translate("QPlatformTheme", "Close")};
    // A French text with its blanks filled in, "Chronologie de « Momiji »".
    std::vector<QRegularExpression> filled;
    for (const QString& text : french)
        if (text.contains(QRegularExpression(QStringLiteral("%\\d"))))
            filled.emplace_back(QLatin1Char('^') +
                                QRegularExpression::escape(text).replace(QRegularExpression(QStringLiteral("\\\\%\\d")), QStringLiteral(".+")) +
                                QLatin1Char('$'));
    const auto expectFrench = [&](QWidget& window) {
        window.show();
        for (const QString& text : cutTexts(window))
            ADD_FAILURE() << "cut off in " << window.metaObject()->className() << ": " << text.toStdString();
        const QStringList texts = shownTexts(window) << window.windowTitle();
        for (const QString& text : texts)
            EXPECT_TRUE(french.contains(withoutMnemonic(text)) || same.contains(withoutMnemonic(text)) ||
                        std::any_of(filled.begin(), filled.end(),
                                    [&](const QRegularExpression& form) { return form.match(withoutMnemonic(text)).hasMatch(); }) ||
                        !text.contains(QRegularExpression(QStringLiteral("[A-Za-z]{2}"))) || isRecentFile(text))
                << "left in English in " << window.metaObject()->className() << ": " << text.toStdString();
    };
    for (int page = 0; page < view().sheet()->count(); ++page) {
        view().sheet()->setCurrentIndex(page);
        expectFrench(frame());
    }
    using namespace talvane::journal;
    const CalendarDate today = CalendarDate::today();
    CNewEntryDlg newEntry(&frame());
    CNewPictureDlg newPicture(&frame());
    CPrintChoiceDlg printChoice(&frame());
    RenameEntryDlg rename("Momiji", &frame());
    PassportGiverDlg giver(QStringLiteral("Momiji"), &frame());
    CareDueDlg careDue(doc(), ui.prompter, today, &frame());
    CareEventDlg event(CareEvent{today, CareKind::Feeding, today.plusDays(14), {}, "", {}, {},
                                 CareRepeat{2, RepeatUnit::Week, MonthSpan{4, 9}}},
                       {}, &frame());
    LabelsDlg labels({}, {}, &frame());
    TimelineDlg timeline(doc(), ui.services(), 0, &frame());
    FakeKeyring keyring;
    PhoneReminderDlg phoneReminders(fsPath(doc().pathName()), keyring, ui.prompter, &frame());
    for (QWidget* dialog : std::initializer_list<QWidget*>{&newEntry, &newPicture, &printChoice, &rename, &giver, &careDue,
                                                           &event, &labels, &timeline, &phoneReminders}) {
        expectFrench(*dialog);
        EXPECT_EQ(keyboardFaults(*dialog), QStringList()) << "French keys of " << dialog->metaObject()->className();
    }
    // The French keys are the translator's choice: none may clash.
    EXPECT_EQ(keyboardFaults(frame()), QStringList());
    for (QAction* title : frame().menuBar()->actions())
        EXPECT_EQ(menuKeyFaults(*title->menu()), QStringList()) << title->text().toStdString();
}

TEST_F(AppFixture, TheLanguageChosenIsKeptForTheNextStartAndTheSystemsIsTheDefault)
{
    EXPECT_TRUE(Translations::chosenLanguage().isEmpty());
    EXPECT_EQ(Translations::languageFor(QStringLiteral("fr")), QStringLiteral("fr"));
    EXPECT_EQ(Translations::languageFor(QStringLiteral("en")), QStringLiteral("en"));
    LanguageMenu menu(ui.prompter);
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Talvane will speak the language chosen the next time it starts."));
    menu.choose(QStringLiteral("fr"));
    EXPECT_EQ(Translations::chosenLanguage(), QStringLiteral("fr"));
    const QList<QAction*> items = menu.actions();
    const auto checked = std::find_if(items.begin(), items.end(), [](QAction* item) { return item->isChecked(); });
    ASSERT_NE(checked, items.end());
    EXPECT_EQ((*checked)->text(), QStringLiteral("&Fran\u00E7ais"));
    menu.choose(QStringLiteral("fr"));
    EXPECT_TRUE(ui.prompter.allAnswered()) << "choosing the same language again asks nothing";
    ui.prompter.expect(mb::kIdOk);
    menu.choose(QString());
    EXPECT_TRUE(Translations::chosenLanguage().isEmpty()) << "the system's language again";
}

TEST_F(FrenchSession, WhyAFileCannotBeReadOrWrittenIsSaidInFrenchToo)
{
    const auto broken = dir / "broken.tvn";
    writeFileBytes(broken, "\x05\x00junk");
    ui.prompter.expect(mb::kIdOk);
    EXPECT_FALSE(start(q(broken)));
    EXPECT_EQ(ui.prompter.calls().back().text,
              QStringLiteral("Impossible d'ouvrir la collection \u00AB %1 \u00BB :\n"
                             "ce n'est pas une collection Talvane valide (le fichier s'arr\u00EAte trop t\u00F4t).")
                  .arg(q(broken)));

    const auto kept = makeCollection("kept.tvn", {"Momiji"});
    std::filesystem::permissions(kept, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    const CollectionSaveResult refused = saveCollectionFile(kept, {}, {});
    EXPECT_EQ(refused.reason, "il est en lecture seule");
}

TEST(CoreTexts, EveryTextTheCoreGivesTheWindowHasAFrenchTranslation)
{
    QTranslator french;
    ASSERT_TRUE(french.load(QStringLiteral("talvane_fr"), QStringLiteral(":/i18n")));
    QStringList given;
    for (const auto& field : allFields()) {
        given << QString::fromLatin1(field.label.data(), static_cast<qsizetype>(field.label.size()));
        for (const auto& choice : field.choices)
            given << QString::fromLatin1(choice.shown.data(), static_cast<qsizetype>(choice.shown.size()));
        for (const auto item : field.listItems)
            given << QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size()));
    }
    for (const auto page : pageFields())
        given << QString::fromLatin1(talvane::collection::page(talvane::collection::field(page).page).caption.data());
    for (std::size_t column = 0; column < talvane::search::kListColumnCount; ++column)
        given << QString::fromLatin1(talvane::search::listColumnTitle(static_cast<talvane::search::ListColumn>(column)));
    for (const auto kind : talvane::journal::kCareKinds)
        given << QString::fromLatin1(talvane::journal::careKindName(kind).data());
    for (const auto kind : {talvane::journal::MeasureKind::Height, talvane::journal::MeasureKind::Trunk,
                            talvane::journal::MeasureKind::Nebari, talvane::journal::MeasureKind::Canopy})
        given << QString::fromLatin1(talvane::journal::measureName(kind).data());
    for (unsigned month = 1; month <= 12; ++month)
        given << QString::fromLatin1(talvane::journal::monthName(month).data());
    // A text the translator does not hold at all comes back empty, where the
    // application's translate() would give the English back.
    for (const QString& text : given)
        EXPECT_TRUE(text.isEmpty() || !french.translate("CoreTexts", text.toUtf8().constData()).isEmpty())
            << "not marked for translation: " << text.toStdString();
}

TEST(CareTexts, RepeatsDueCountsAndTaskTitlesReadInEnglishAsTheCoreWritesThemAndInFrenchAsFrench)
{
    using namespace talvane::journal;
    const CareRepeat everyTwoWeeks{2, RepeatUnit::Week, MonthSpan{4, 9}};
    EXPECT_EQ(repeatText(everyTwoWeeks, windowWords), "every 2 weeks, April to September");
    EXPECT_EQ(dueSummary(0, 30, windowWords), "0 care tasks due in the next 30 days");
    CareEvent wiring{CalendarDate::today(), CareKind::Wiring, std::nullopt, {}, "Apex\nand \xE9" "cole", {}, {}, std::nullopt};
    EXPECT_EQ(taskTitle("\xC9rable", wiring), QStringLiteral("\u00C9rable: Wiring, Apex")) << "names are Windows-1252";
    wiring.text = "\xE9t\xE9";
    EXPECT_EQ(taskTitle("Momiji", wiring), QStringLiteral("Momiji: Wiring, \u00E9t\u00E9"));

    EntryList entries;
    entries.push_back(std::make_unique<CBonsaiData>());
    (*entries.back())[CBonsaiData::Name] = "Momiji";
    wiring.text.clear();
    wiring.due = CalendarDate::today();
    wiring.repeat = everyTwoWeeks;
    const std::vector<DueTask> tasks{{0, 0, wiring}};
    const std::string english = careCalendarText(entries, tasks, 0);
    EXPECT_NE(english.find("SUMMARY:Momiji: Wiring"), std::string::npos) << english;

    const InstalledLanguage french(QString::fromLatin1(Translations::kFrench));
    EXPECT_EQ(repeatText(everyTwoWeeks, windowWords), "toutes les 2 semaines, avril \u00E0 septembre");
    EXPECT_EQ(dueSummary(0, 30, windowWords), "0 soin \u00E0 faire d'ici 30 jours") << "none counts in the singular";
    EXPECT_EQ(taskTitle("Momiji", wiring), QStringLiteral("Momiji : Ligature"));
    // A calendar written from a French window is French too.
    const std::string inFrench = careCalendarText(entries, tasks, 0);
    EXPECT_NE(inFrench.find("SUMMARY:Momiji : Ligature"), std::string::npos) << inFrench;
    EXPECT_NE(inFrench.find("DESCRIPTION:Une fois fait\\, il revient toutes les 2 semaines"), std::string::npos)
        << inFrench;
}
