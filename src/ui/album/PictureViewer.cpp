#include "ui/album/PictureViewer.h"

#include "ui/framework/StandardButtonKeys.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The share of the screen the window may take, leaving room for its frame and button.
QSize roomOnScreen(const QWidget* parent)
{
    const QScreen* screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(800, 600);
    return {available.width() * 9 / 10, available.height() * 8 / 10};
}

} // namespace

PictureViewer::PictureViewer(const QImage& picture, const QString& description, QWidget* parent)
    : QDialog(parent)
{
    // A description is shown as typed: a lone "[*]" would be taken for the marker of
    // unsaved changes, a doubled one is shown once.
    setWindowTitle(QString(description).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    m_picture = new QLabel(this);
    m_picture->setAlignment(Qt::AlignCenter);
    const QSize shown = largerSize(picture.size(), roomOnScreen(parent));
    if (!picture.isNull())
        m_picture->setPixmap(
            QPixmap::fromImage(picture.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_picture->setFixedSize(shown);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    giveStandardButtonsKeys(*buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QSize PictureViewer::largerSize(QSize picture, QSize room)
{
    const QSize doubled = picture * 2;
    if (doubled.width() <= room.width() && doubled.height() <= room.height())
        return doubled;
    return doubled.scaled(room, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}
