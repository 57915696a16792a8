#include "PhotoAlbumFixture.h"

#include "ui/app/MainFrame.h"
#include "core/journal/Journal.h"

#include "support/ui/FindControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <functional>
#include <sys/stat.h>

using namespace talvane::collection;

TEST_F(PhotoAlbumTest, AddsPicturesWithOrWithoutADescription)
{
    picture("a.bmp", 120, 80);
    picture("b.bmp", 250, 250);
    picture("c.BMP", 10, 10);
    startWithPhotos({});
    const auto albumBefore = folderNames(dir / "Album");
    ui.files.expect(q(dir / "Album" / "a.bmp"));
    answerDescription(QStringLiteral("Spring 2024"));
    album().OnPictureAdd();
    ASSERT_EQ(ui.files.calls().size(), 1u);
    EXPECT_EQ(ui.files.calls()[0].request.directory, q(dir / "Album"));
    EXPECT_EQ(ui.files.calls()[0].request.nameFilters,
              (QStringList{"Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.webp *.tif *.tiff)", "Bitmaps (*.bmp)",
                           "All files (*)"}));
    EXPECT_EQ(album().m_strPhotoFile[0], "a.bmp");
    EXPECT_EQ(album().m_strPhotoDesc[0], "Spring 2024");
    EXPECT_EQ(album().albumBitmap().GetWidth(), 120);
    EXPECT_TRUE(doc().IsModified());

    ui.files.expect(q(dir / "Album" / "b.bmp"));
    answerDescription(QString());
    album().OnPictureAdd();
    EXPECT_EQ(album().m_strPhotoDesc[1], "Photo2");
    EXPECT_EQ(listed(), (QStringList{"Spring 2024", "Photo2"}));
    EXPECT_EQ(album().pictureList()->currentRow(), 1);

    ui.files.expect(q(dir / "Album" / "c.BMP"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("Only *.bmp files can be use."), QStringLiteral("Attention"), 0x10);
    answerDescription(QString());
    album().OnPictureAdd();
    EXPECT_EQ(album().m_strPhotoFile[2], "c.BMP");
    EXPECT_EQ(folderNames(dir / "Album"), albumBefore) << "bitmaps ready for the album are not copied";

    // The new photos are in the entry at once.
    view().CommitCurrentEntry();
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Photo2], "b.bmp");
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Photo3Description], "Photo3");
}

TEST_F(PhotoAlbumTest, OffersACopyOfLargePicturesAndRefusesACancelledChoiceAndASixthPhoto)
{
    picture("wide.bmp", 251, 250);
    picture("ok.bmp", 20, 20);
    startWithPhotos({});
    ui.files.expect(q(dir / "Album" / "wide.bmp"));
    ui.prompter.expect(mb::kIdCancel,
                       QStringLiteral("Talvane will add a copy of wide.bmp, reduced to 250 × 249 pixels, to the Album "
                                      "folder as wide (2).bmp."),
                       QStringLiteral("Attention"), mb::kOkCancel | mb::kIconQuestion);
    album().OnPictureAdd();
    EXPECT_TRUE(album().m_strPhotoFile[0].empty());
    EXPECT_EQ(folderNames(dir / "Album"), (std::vector<std::string>{"ok.bmp", "wide.bmp"}));

    ui.files.expect(std::nullopt);
    album().OnPictureAdd();
    EXPECT_FALSE(doc().IsModified()) << "a refused or cancelled choice changes nothing";
    EXPECT_TRUE(album().m_strPhotoFile[0].empty());

    for (int i = 0; i < 5; ++i) {
        ui.files.expect(q(dir / "Album" / "ok.bmp"));
        answerDescription(QString());
        album().OnPictureAdd();
    }
    ui.files.expect(q(dir / "Album" / "ok.bmp"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("There is a limit of 5 pictures."), QStringLiteral("Attention"), 0x10);
    album().OnPictureAdd();
    EXPECT_EQ(listed().size(), 5);
    // No copy is offered when there is no slot for it.
    ui.files.expect(q(dir / "Album" / "wide.bmp"));
    ui.prompter.expect(mb::kIdOk, QStringLiteral("There is a limit of 5 pictures."));
    album().OnPictureAdd();
    EXPECT_EQ(folderNames(dir / "Album").size(), 2u);
}

TEST_F(PhotoAlbumTest, DeletingPhotoTwoOfFourMovesTheLaterOnesDown)
{
    for (const char* name : {"1.bmp", "2.bmp", "3.bmp"})
        picture(name, 10, 10);
    picture("4.bmp", 30, 20);
    startWithPhotos({"1.bmp", "2.bmp", "3.bmp", "4.bmp"});
    {
        const QSignalBlocker quiet(album().pictureList());
        album().pictureList()->setCurrentRow(1);
    }
    ui.prompter.expect(mb::kIdCancel, QStringLiteral("< Photo of 2.bmp > will be delete from the photo album !!!"),
                       QStringLiteral("Please confirm ..."), 1);
    album().OnPictureDelete();
    EXPECT_EQ(listed().size(), 4);
    EXPECT_FALSE(doc().IsModified());

    ui.prompter.expect(mb::kIdOk);
    album().OnPictureDelete();
    EXPECT_EQ(album().m_strPhotoFile[0], "1.bmp");
    EXPECT_EQ(album().m_strPhotoFile[1], "3.bmp");
    EXPECT_EQ(album().m_strPhotoFile[2], "4.bmp");
    EXPECT_EQ(album().m_strPhotoFile[3], "");
    EXPECT_EQ(album().m_strPhotoDesc[3], "");
    EXPECT_EQ(album().pictureList()->currentRow(), 2);
    EXPECT_EQ(album().albumBitmap().GetWidth(), 30) << "the photo of the new slot 3 is on show";
    EXPECT_TRUE(doc().IsModified());

    for (int i = 0; i < 3; ++i) {
        ui.prompter.expect(mb::kIdOk);
        album().OnPictureDelete();
    }
    EXPECT_TRUE(listed().isEmpty());
}

TEST_F(PhotoAlbumTest, AMissingPhotoIsReportedOnceEvenWhenTheListTakesTheFocus)
{
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"), 0);
    startWithPhotos({"gone.bmp"});
    const QString text = ui.prompter.calls().back().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Erreur du decodeur d'image:\nLe fichier "))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QStringLiteral("gone.bmp est invalide ou introuvable.\n[Code:4]"))) << text.toStdString();

    view().sheet()->setCurrentWidget(&album());
    frame().activateWindow();
    album().pictureList()->setFocus();
    QApplication::processEvents();
    album().OnPictureListFocus();
    EXPECT_EQ(ui.prompter.calls().size(), 1u);

    // Choosing the item again says nothing more either: the frame holds the photo's place.
    album().OnPictureSelChange();
    EXPECT_EQ(ui.prompter.calls().size(), 1u);
    EXPECT_EQ(album().unreadableFile(), QStringLiteral("gone.bmp"));
}

TEST_F(PhotoAlbumTest, AMissingPictureIsToldOnceThenHoldsItsPlaceAndIsCountedInTheStatusBar)
{
    picture("here.bmp", 40, 30);
    // Both trees name the missing "gone.bmp"; Maple's journal names a photo missing too.
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"), 0);
    ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple", "Pine"}, [](CBonsaiData& e, std::size_t i) {
        e[CBonsaiData::photoField(0)] = "gone.bmp";
        e[CBonsaiData::photoDescriptionField(0)] = "Gone";
        if (i == 0) {
            e[CBonsaiData::photoField(1)] = "here.bmp";
            e[CBonsaiData::photoDescriptionField(1)] = "Here";
            e[talvane::journal::kJournalField] = "TVJ1\r\n2025-05-01\tPhoto\t\tPhotos/lost.jpg\tbuds";
        }
    }))));
    EXPECT_TRUE(ui.prompter.calls().empty()) << "nothing is said before the window is up";
    QApplication::processEvents();
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("gone.bmp est invalide ou introuvable.\n[Code:4]")));
    const QLabel& missing = *frame().missingPicturesPane();
    EXPECT_TRUE(missing.isVisible());
    EXPECT_EQ(missing.text(), QStringLiteral("2 pictures of this tree are missing"));

    // The frame holds the photo's place: a box with its file's name.
    view().sheet()->setCurrentWidget(&album());
    EXPECT_EQ(album().unreadableFile(), QStringLiteral("gone.bmp"));
    const QRect place = album().placeholderRect();
    EXPECT_EQ(album().grab().toImage().pixelColor(place.left() + 3, place.center().y()),
              album().palette().color(QPalette::AlternateBase));

    // Neither the other tree naming it, nor coming back, nor choosing it says it again.
    chooseEntry(1);
    EXPECT_EQ(missing.text(), QStringLiteral("1 picture of this tree is missing"));
    chooseEntry(0);
    album().pictureList()->setCurrentRow(1);
    EXPECT_TRUE(album().unreadableFile().isEmpty());
    album().pictureList()->setCurrentRow(0);
    EXPECT_EQ(ui.prompter.calls().size(), 1u);

    // Found again, the file is shown and no longer counted; lost again, it is news once more.
    picture("gone.bmp", 20, 20);
    chooseEntry(1);
    EXPECT_TRUE(album().unreadableFile().isEmpty());
    EXPECT_FALSE(missing.isVisible());
    std::filesystem::remove(dir / "Album" / "gone.bmp");
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"));
    chooseEntry(0);
    EXPECT_EQ(ui.prompter.calls().size(), 2u);
}

TEST_F(PhotoAlbumTest, PhotoNamesCannotLeaveTheAlbum)
{
    picture("out.bmp", 10, 10, dir.path());
    ASSERT_EQ(::mkfifo((dir / "Album" / "pipe.bmp").c_str(), 0600), 0);
    ui.prompter.expect(mb::kIdOk, std::nullopt, QStringLiteral("Erreur"));
    startWithPhotos({"../out.bmp", "pipe.bmp", "..", "a\\b.bmp"});
    EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("[Code:4]")));
    EXPECT_TRUE(album().albumBitmap().isEmpty()) << "nothing outside the album is shown";

    for (int row : {2, 3}) {
        ui.prompter.expect(mb::kIdOk);
        album().ShowPicture(row);
        EXPECT_TRUE(ui.prompter.calls().back().text.endsWith(QStringLiteral("[Code:4]"))) << row;
    }
    QElapsedTimer clock;
    clock.start();
    ui.prompter.expect(mb::kIdOk);
    album().ShowPicture(1);
    EXPECT_LT(clock.elapsed(), 1000) << "a named pipe is refused at once";
    EXPECT_TRUE(ui.prompter.calls().back().text.contains(QStringLiteral("pipe.bmp")));
}

TEST_F(PhotoAlbumTest, ACollectionFromAnotherFolderShowsAndAddsPhotosOfTheAlbumBesideIt)
{
    const auto elsewhere = dir / "stick";
    std::filesystem::create_directories(elsewhere / "Album");
    std::filesystem::remove(dir / "Album");
    picture("maple.bmp", 60, 45, elsewhere / "Album");
    picture("pine.bmp", 30, 20, elsewhere / "Album");
    const auto collection = makeCollection("trees.tvn", {"Maple"}, [](CBonsaiData& e, std::size_t) {
        e[CBonsaiData::photoField(0)] = "maple.bmp";
        e[CBonsaiData::photoDescriptionField(0)] = "Autumn";
    });
    std::filesystem::rename(collection, elsewhere / "trees.tvn");
    ASSERT_TRUE(start(q(elsewhere / "trees.tvn")));
    EXPECT_TRUE(ui.prompter.calls().empty()) << ui.prompter.calls().front().text.toStdString();
    EXPECT_EQ(album().albumBitmap().GetWidth(), 60);

    ui.files.expect(q(elsewhere / "Album" / "pine.bmp"));
    answerDescription(QStringLiteral("Winter"));
    album().OnPictureAdd();
    ASSERT_EQ(ui.files.calls().size(), 1u);
    EXPECT_EQ(ui.files.calls()[0].request.directory, q(elsewhere / "Album"));
    EXPECT_EQ(listed(), QStringList({QStringLiteral("Autumn"), QStringLiteral("Winter")}));
    album().pictureList()->setCurrentRow(0);
    EXPECT_TRUE(ui.prompter.calls().empty());
    EXPECT_EQ(album().albumBitmap().GetWidth(), 60);
}

TEST_F(PhotoAlbumTest, ThePictureIsCentredInItsFrame)
{
    picture("small.bmp", 40, 30);
    startWithPhotos({"small.bmp"});
    QWidget* frameBox = album().findChild<QWidget*>(QStringLiteral("1053"));
    ASSERT_TRUE(frameBox);
    const QRect r = frameBox->geometry();
    const int right = r.x() + r.width();
    const int bottom = r.y() + r.height();
    EXPECT_EQ(album().pictureOrigin(),
              QPoint(r.x() + (right - r.x()) / 2 - 20, r.y() + 3 + (bottom - r.y() + 3) / 2 - 15));

    view().sheet()->setCurrentWidget(&album());
    const QImage shot = album().grab().toImage();
    const QPoint centre = album().pictureOrigin() + QPoint(20, 15);
    EXPECT_EQ(shot.pixelColor(centre), QColor(40, 120, 40));
}

TEST_F(PhotoAlbumTest, CancelOrEscapeInNewPictureAddsNothingAndLeavesNoCopyBehind)
{
    picture("ready.bmp", 20, 20);
    picture("kept.bmp", 30, 10);
    const auto camera = dir / "camera";
    std::filesystem::create_directory(camera);
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    ASSERT_TRUE(photo.save(q(camera / "leaf.png"), "PNG"));
    startWithPhotos({"kept.bmp"});
    const auto albumBefore = folderNames(dir / "Album");
    const std::string collectionBefore = writeCollection(doc().entries());
    const std::function<int(QDialog&)> answers[] = {
        [](QDialog& dialog) {
            findControl<QPushButton>(&dialog, 2)->click();
            return dialog.result();
        },
        [](QDialog& dialog) {
            auto* description = static_cast<CNewPictureDlg&>(dialog).descriptionEdit();
            description->setText(QStringLiteral("typed first"));
            QTest::keyClick(description, Qt::Key_Escape);
            return dialog.result();
        }};
    for (const auto& chosen : {camera / "leaf.png", dir / "Album" / "ready.bmp"}) {
        for (const auto& answer : answers) {
            ui.files.expect(q(chosen));
            if (chosen.extension() == ".png")
                ui.prompter.expect(mb::kIdOk);  // the copy is made before the description is asked
            ui.dialogs.expect(answer);
            album().OnPictureAdd();
            EXPECT_EQ(folderNames(dir / "Album"), albumBefore) << chosen;
            EXPECT_TRUE(std::filesystem::exists(chosen));
            EXPECT_EQ(listed(), QStringList{QStringLiteral("Photo of kept.bmp")});
            EXPECT_EQ(album().albumBitmap().GetWidth(), 30) << "the photo selected is on show again";
            EXPECT_EQ(writeCollection(doc().entries()), collectionBefore);
            EXPECT_FALSE(doc().history().canUndo());
        }
    }
    ui.files.expect(q(camera / "leaf.png"));
    ui.prompter.expect(mb::kIdOk);
    answerDescription(QStringLiteral("Imported"));
    album().OnPictureAdd();
    EXPECT_EQ(doc().entryAt(0)[CBonsaiData::Photo2], "leaf.bmp");
    EXPECT_EQ(folderNames(dir / "Album"), (std::vector<std::string>{"kept.bmp", "leaf.bmp", "ready.bmp"}));
}
