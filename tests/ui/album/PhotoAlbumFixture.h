#pragma once

#include "ui/album/NewPictureDlg.h"
#include "ui/album/PhotoAlbumPage.h"

#include "support/ui/AppFixture.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>

class PhotoAlbumTest : public AppFixture {
protected:
    CPage1& album() { return view().albumPage(); }

    // A 24-bit bitmap in the album folder (or elsewhere), of one colour.
    std::filesystem::path picture(const std::string& name, int width, int height,
                                  const std::filesystem::path& folder = {})
    {
        QImage image(width, height, QImage::Format_RGB888);
        image.fill(QColor(40, 120, 40));
        const auto path = (folder.empty() ? dir / "Album" : folder) / name;
        EXPECT_TRUE(image.save(q(path), "BMP"));
        return path;
    }

    // Starts on one entry whose album holds the given photos.
    void startWithPhotos(const std::vector<std::string>& files)
    {
        ASSERT_TRUE(start(q(makeCollection("trees.tvn", {"Maple"}, [&](CBonsaiData& e, std::size_t) {
            for (std::size_t k = 0; k < files.size(); ++k) {
                e[CBonsaiData::photoField(k)] = files[k];
                e[CBonsaiData::photoDescriptionField(k)] = "Photo of " + files[k];
            }
        }))));
        // A picture that cannot be read is said once the window is up.
        QApplication::processEvents();
    }

    // Answers New picture with OK; an empty description leaves the field as it is.
    void answerDescription(const QString& description)
    {
        ui.dialogs.expect([description](QDialog& dialog) {
            auto& picture = static_cast<CNewPictureDlg&>(dialog);
            picture.descriptionEdit()->setText(description);
            picture.accept();
            return picture.result();
        });
    }

    QStringList listed()
    {
        QStringList items;
        for (int i = 0; i < album().pictureList()->count(); ++i)
            items.append(album().pictureList()->item(i)->text());
        return items;
    }
};

