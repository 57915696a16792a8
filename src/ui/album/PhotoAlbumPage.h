#pragma once

#include "ui/framework/PropertyPage.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/WinBmp.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

class CTextException;
class QFileInfo;
class QListWidget;
class QGroupBox;
class QPushButton;
class UiServices;

// The "Photo album" tab: up to five photos of the entry, kept as bare file names
// in the Album folder and short descriptions. Filled slots always come first.
class CPage1 : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kSlots = 5;
    static constexpr int kMaxPictureSize = 250;

    // albumFolder gives the folder of the open collection's album.
    CPage1(UiServices& services, std::function<QString()> albumFolder, QWidget* parent = nullptr);

    std::string m_strFileName; // bare name of the file last chosen
    std::string m_strFileExt;  // its extension
    // Slot k (1..5) is m_strPhotoFile[k - 1] with m_strPhotoDesc[k - 1].
    std::array<std::string, kSlots> m_strPhotoFile;
    std::array<std::string, kSlots> m_strPhotoDesc;

    void RefreshPictureList();
    void ShowPicture(int index);
    // Asks for a picture in the album and checks it; 0 when accepted, 1 otherwise.
    int ChoosePictureFile();

    QListWidget* pictureList() const { return m_list; }
    // The picture last decoded: it stays until the next one.
    const CWinBmp& albumBitmap() const { return m_albumBitmap; }
    // Where the picture on show is drawn: its top left corner.
    QPoint pictureOrigin() const;
    // The name of the photo on show when its file cannot be read, drawn in its place.
    const QString& unreadableFile() const { return m_unreadableFile; }
    QRect placeholderRect() const;

public slots:
    void OnPictureSelChange();
    void OnPictureListFocus();
    void OnPictureAdd();
    void OnPictureDelete();
    // Opens a larger look at the picture on show.
    void onPictureView();

signals:
    // A photo was added or deleted: one step of the collection's history.
    void albumChanged(const QString& stepText);

protected:
    void DoDataExchange(DataExchange&) override {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    enum class Report { ShowPicture, Selection, Quiet };
    // Decodes the photo of the slot at the list index into the album's bitmap; a failure
    // empties the picture on show and is reported in the wording of the caller.
    void decodeSlot(int index, Report report);
    void reportFailure(const std::string& message, int errorCode, Report report);
    QString slotPath(const std::string& file) const;
    // After a refused choice, only the selected photo may be on show.
    void restoreSelectedPicture();
    bool hasFreeSlot() const;
    std::optional<QString> askForPictureFile(const QString& albumFolder);
    // A bitmap of the album stays where it is; any other picture is copied into the
    // album, info then naming the copy. False when nothing is to be shown.
    bool bringIntoAlbum(QFileInfo& info, const QString& albumFolder);
    // Shows the chosen picture when it can be read and fits: 0, else 1.
    int acceptChosenPicture(const QFileInfo& info);
    // A photo that does not join the album leaves no copy of its own behind; a file
    // the user picked is never removed.
    void removeNewCopy();

    void repaint();

    UiServices& m_services;
    std::function<QString()> m_albumFolder;
    CAnyPicDecoder m_albumDecoder;
    CWinBmp m_albumBitmap;
    QListWidget* m_list;
    QGroupBox* m_frame;
    QWidget* m_canvas;
    QPushButton* m_viewButton;
    // The selection and file last decoded, so that giving the list the focus does
    // not decode (and report) the same picture again.
    std::optional<std::pair<int, std::string>> m_lastDecoded;
    // The copy that photo import wrote for the photo being added, until it joins the album.
    QString m_newCopy;
    QString m_unreadableFile;
};
