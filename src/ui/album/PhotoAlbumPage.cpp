#include "ui/album/PhotoAlbumPage.h"

#include "ui/album/AlbumReadyBitmap.h"
#include "ui/album/BitmapPainter.h"
#include "ui/album/MissingPictures.h"
#include "ui/album/NewPictureDlg.h"
#include "ui/album/PhotoImport.h"
#include "ui/album/PictureViewer.h"
#include "ui/framework/AnsiText.h"
#include "ui/framework/DialogTemplate.h"
#include "ui/framework/FilePaths.h"
#include "ui/framework/UiServices.h"
#include "core/picture/AlbumFile.h"
#include "core/picture/TextException.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

using namespace talvane::picture;

namespace {

// Draws the page's picture above every control, as a window drawing on its own
// surface would: the frame's lines never cover it.
class PictureCanvas : public QWidget {
public:
    PictureCanvas(CPage1& page) : QWidget(&page), m_page(page)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setGeometry(page.rect());
        raise();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (m_page.pictureList()->count() == 0)
            return;
        QPainter painter(this);
        if (!m_page.unreadableFile().isEmpty()) {
            paintPlaceholder(painter);
            return;
        }
        const QPoint origin = m_page.pictureOrigin();
        drawBitmap(painter, m_page.albumBitmap(), origin.x(), origin.y());
    }

private:
    // A picture that cannot be read keeps its place in the frame, crossed, with its name.
    void paintPlaceholder(QPainter& painter)
    {
        const QRect box = m_page.placeholderRect();
        painter.fillRect(box, palette().alternateBase());
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
        const QRect nameBox = box.adjusted(6, box.height() / 3, -6, -box.height() / 3);
        painter.fillRect(nameBox, palette().alternateBase());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(nameBox, Qt::AlignCenter | Qt::TextWrapAnywhere, m_page.unreadableFile());
    }

private:
    CPage1& m_page;
};

} // namespace

CPage1::CPage1(UiServices& services, std::function<QString()> albumFolder, QWidget* parent)
    : CPropertyPage(parent), m_services(services),
      m_albumFolder(std::move(albumFolder))
{
    DialogTemplate t(this, 342, 186);
    t.groupBox(tr("Picture(s)"), 5, 5, 150, 90);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("1045"));
    m_list->setAccessibleName(tr("Picture(s)"));
    m_list->setGeometry(t.units().rect(10, 15, 140, 55));
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CPage1::OnPictureSelChange);
    // The keys are those the entry bar's Add and Delete leave free beside this tab.
    connect(t.button(1042, tr("A&dd"), 25, 75, 50, 14), &QPushButton::clicked, this, &CPage1::OnPictureAdd);
    connect(t.button(1043, tr("Dele&te"), 85, 75, 50, 14), &QPushButton::clicked, this,
            &CPage1::OnPictureDelete);
    m_frame = t.groupBox(QString(), 160, 5, 175, 165);
    m_frame->setObjectName(QStringLiteral("1053"));
    t.groupBox(tr("Note"), 5, 100, 150, 70);
    t.label(tr("The pictures (BMP files) must be in directory \\Talvane\\Album\\"), 15, 110, 130, 20)
        ->setWordWrap(true);
    t.label(tr("BMP picture format of 250x250 pixels maximum."), 15, 135, 135, 15)->setWordWrap(true);
    m_viewButton = t.button(1054, tr("Vie&w"), 285, 171, 50, 14);
    connect(m_viewButton, &QPushButton::clicked, this, &CPage1::onPictureView);
    m_canvas = new PictureCanvas(*this);
    repaint();
}

void CPage1::RefreshPictureList()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (int k = 0; k < kSlots; ++k) {
        if (m_strPhotoFile[k].empty())
            continue;
        m_list->addItem(fromAnsi(m_strPhotoDesc[k]));
        m_list->setCurrentRow(m_list->count() - 1);
    }
    repaint();
}

void CPage1::ShowPicture(int index)
{
    if (m_list->count() == 0) {
        repaint();
        return;
    }
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(index);
    }
    decodeSlot(index, Report::ShowPicture);
    repaint();
}

void CPage1::OnPictureSelChange()
{
    if (m_list->count() == 0)
        return;
    decodeSlot(m_list->currentRow(), Report::Selection);
    repaint();
}

void CPage1::OnPictureListFocus()
{
    if (m_list->count() == 0)
        return;
    // The box that reports a failure gives the focus back to the list when it
    // closes: the same picture is not decoded and reported again.
    const int row = m_list->currentRow();
    const std::string file = row >= 0 && row < kSlots ? m_strPhotoFile[row] : std::string();
    if (m_lastDecoded && *m_lastDecoded == std::make_pair(row, file))
        return;
    OnPictureSelChange();
}

bool CPage1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::FocusIn)
        OnPictureListFocus();
    return CPropertyPage::eventFilter(watched, event);
}

void CPage1::decodeSlot(int index, Report report)
{
    const std::string file = index >= 0 && index < kSlots ? m_strPhotoFile[index] : std::string();
    m_lastDecoded = std::make_pair(index, file);
    try {
        decodeAlbumFile(fsPath(m_albumFolder()), file, m_albumDecoder,
                        m_albumBitmap);
        m_unreadableFile.clear();
        MissingPictures::session().noteFound(slotPath(file));
    } catch (const CTextException& e) {
        m_albumBitmap.ReleaseBitmap();
        m_unreadableFile = fromAnsi(file);
        // Each file is reported once a session; after that its place says it all.
        if (report == Report::Quiet)
            return;
        const QString path = slotPath(file);
        if (window()->isVisible()) {
            if (MissingPictures::session().noteMissing(path))
                reportFailure(e.GetText(), e.GetCode(), report);
            return;
        }
        // A collection opened at start is shown before its window: the box waits for the window.
        QTimer::singleShot(0, this, [this, path, text = e.GetText(), code = e.GetCode(), report] {
            if (MissingPictures::session().noteMissing(path))
                reportFailure(text, code, report);
        });
    }
}

QString CPage1::slotPath(const std::string& file) const
{
    return QDir(m_albumFolder()).filePath(fromAnsi(file));
}

void CPage1::reportFailure(const std::string& message, int errorCode, Report report)
{
    // One substitution step: a "%1" in a file name stays as it is.
    const QString text = fromAnsi(message);
    const QString code = QString::number(errorCode);
    if (report == Report::ShowPicture)
        m_services.prompter().ask(QStringLiteral("%1[Code:%2]").arg(text, code), QStringLiteral("Erreur"), mb::kOk);
    else if (report == Report::Selection)
        m_services.prompter().ask(tr("File invalid or file not found: Code:%1, %2").arg(code, text),
                                  tr("Error"), mb::kOk);
}

void CPage1::restoreSelectedPicture()
{
    decodeSlot(m_list->currentRow(), Report::Quiet);
    repaint();
}

bool CPage1::hasFreeSlot() const
{
    return std::any_of(m_strPhotoFile.begin(), m_strPhotoFile.end(), [](const std::string& f) { return f.empty(); });
}

void CPage1::repaint()
{
    m_viewButton->setEnabled(m_list->count() > 0 && !m_albumBitmap.isEmpty());
    m_canvas->update();
}

void CPage1::onPictureView()
{
    if (m_list->count() == 0 || m_albumBitmap.isEmpty())
        return;
    const int row = m_list->currentRow();
    const QString description = row >= 0 && row < kSlots ? fromAnsi(m_strPhotoDesc[row]) : QString();
    PictureViewer viewer(bitmapToImage(m_albumBitmap), description, this);
    m_services.dialogRunner().run(viewer);
}

void CPage1::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QRect picture(pictureOrigin(), QSize(m_albumBitmap.GetWidth(), m_albumBitmap.GetHeight()));
    if (event->button() == Qt::LeftButton && picture.contains(event->position().toPoint()))
        onPictureView();
    else
        CPropertyPage::mouseDoubleClickEvent(event);
}

QRect CPage1::placeholderRect() const
{
    return m_frame->geometry().adjusted(12, 18, -12, -12);
}

QPoint CPage1::pictureOrigin() const
{
    const QRect frame = m_frame->geometry();
    const int left = frame.x();
    const int top = frame.y();
    const int right = frame.x() + frame.width();
    const int bottom = frame.y() + frame.height();
    return {left + (right - left) / 2 - m_albumBitmap.GetWidth() / 2,
            top + 3 + (bottom - top + 3) / 2 - m_albumBitmap.GetHeight() / 2};
}

int CPage1::ChoosePictureFile()
{
    const QString albumFolder = m_albumFolder();
    const auto chosen = askForPictureFile(albumFolder);
    if (!chosen)
        return 1;
    QFileInfo info(*chosen);
    if (!bringIntoAlbum(info, albumFolder))
        return 1;
    return acceptChosenPicture(info);
}

std::optional<QString> CPage1::askForPictureFile(const QString& albumFolder)
{
    FileRequest request;
    request.caption = tr("Open");
    request.directory = albumFolder;
    request.nameFilters = {tr("Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.webp *.tif *.tiff)"),
                           tr("Bitmaps (*.bmp)"), tr("All files (*)")};
    request.defaultSuffix = QStringLiteral("bmp");
    return m_services.fileChooser().chooseOpenFile(request);
}

bool CPage1::bringIntoAlbum(QFileInfo& info, const QString& albumFolder)
{
    if (isAlbumReadyBitmap(info, albumFolder)) {
        if (info.suffix() != QLatin1String("bmp"))
            m_services.prompter().ask(tr("Only *.bmp files can be use."), tr("Attention"),
                                      mb::kIconStop);
        return true;
    }
    // Any other picture joins the album as a copy; with every slot taken none is made.
    if (!hasFreeSlot()) {
        tellPictureLimit(m_services.prompter());
        return false;
    }
    const auto copy = PhotoImport(m_services.prompter(), albumFolder).run(info.absoluteFilePath());
    if (!copy)
        return false;
    info.setFile(QDir(albumFolder).filePath(*copy));
    m_newCopy = info.absoluteFilePath();
    return true;
}

int CPage1::acceptChosenPicture(const QFileInfo& info)
{
    m_strFileExt = toAnsi(info.suffix());
    m_strFileName = toAnsi(info.fileName());
    m_lastDecoded.reset();
    try {
        m_albumDecoder.DecodeFile(fsPath(info.absoluteFilePath()), &m_albumBitmap, 32);
        m_unreadableFile.clear();
    } catch (const CTextException& e) {
        reportFailure(e.GetText(), e.GetCode(), Report::ShowPicture);
        restoreSelectedPicture();
        return 1;
    }
    const int width = m_albumBitmap.GetWidth();
    const int height = m_albumBitmap.GetHeight();
    if (width <= kMaxPictureSize && height <= kMaxPictureSize)
        return 0;
    m_services.prompter().ask(tr("The picture size is too big:\n< %1 >\nActual size: %2x%3 [Max. 250x250]")
                                  .arg(fromAnsi(m_strFileName), QString::number(width), QString::number(height)),
                              tr("Error"), mb::kOk);
    restoreSelectedPicture();
    return 1;
}

void CPage1::OnPictureAdd()
{
    CNewPictureDlg dialog(this);
    m_newCopy.clear();
    if (ChoosePictureFile() == 1) {
        removeNewCopy();
        return;
    }
    for (int k = 0; k < kSlots; ++k) {
        if (!m_strPhotoFile[k].empty())
            continue;
        if (m_services.dialogRunner().run(dialog) != QDialog::Accepted) {
            removeNewCopy();
            restoreSelectedPicture();
            return;
        }
        m_strPhotoFile[k] = m_strFileName;
        m_strPhotoDesc[k] = dialog.description().empty() ? "Photo" + std::to_string(k + 1) : dialog.description();
        m_newCopy.clear();
        RefreshPictureList();
        // The picture just chosen is the one on show.
        m_lastDecoded = std::make_pair(k, m_strFileName);
        emit albumChanged(tr("Add photo"));
        return;
    }
    tellPictureLimit(m_services.prompter());
    restoreSelectedPicture();
}

void CPage1::removeNewCopy()
{
    if (!m_newCopy.isEmpty())
        QFile::remove(m_newCopy);
    m_newCopy.clear();
}

void CPage1::OnPictureDelete()
{
    if (m_list->count() == 0)
        return;
    const int index = m_list->currentRow();
    const bool inRange = index >= 0 && index < kSlots;
    const QString description = inRange ? fromAnsi(m_strPhotoDesc[index]) : QString();
    if (m_services.prompter().ask(tr("< %1 > will be delete from the photo album !!!").arg(description),
                                  tr("Please confirm ..."), mb::kOkCancel) != mb::kIdOk)
        return;
    if (inRange) {
        m_strPhotoFile[index].clear();
        m_strPhotoDesc[index].clear();
    }
    // One pass: each empty slot takes the next one's photo.
    for (int k = 0; k < kSlots - 1; ++k) {
        if (m_strPhotoFile[k].empty()) {
            m_strPhotoFile[k] = std::move(m_strPhotoFile[k + 1]);
            m_strPhotoDesc[k] = std::move(m_strPhotoDesc[k + 1]);
            m_strPhotoFile[k + 1].clear();
            m_strPhotoDesc[k + 1].clear();
        }
    }
    for (int k = kSlots - 2; k >= 0; --k) {
        if (!m_strPhotoFile[k].empty()) {
            ShowPicture(k);
            break;
        }
    }
    RefreshPictureList();
    emit albumChanged(tr("Delete photo"));
}
