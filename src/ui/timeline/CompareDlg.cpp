#include "ui/timeline/CompareDlg.h"

#include "ui/framework/Mnemonic.h"
#include "ui/framework/StandardButtonKeys.h"
#include "ui/timeline/PhotoReading.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// Large enough for a full screen, small enough to decode at once.
constexpr int kComparedSide = 2000;
constexpr int kCaptionHeight = 24;

QRectF placed(QSizeF image, QRectF room)
{
    const QSizeF size = image.scaled(room.size(), Qt::KeepAspectRatio);
    return QRectF(room.center().x() - size.width() / 2, room.top(), size.width(), size.height());
}

// A caption across `under`, in the caption's line below `top`, cut to fit.
void drawCaption(QPainter& painter, const QRectF& under, qreal top, const QString& caption, Qt::Alignment alignment)
{
    const QRectF place(under.left(), top + 2, under.width(), kCaptionHeight);
    const QString shown = painter.fontMetrics().elidedText(caption, Qt::ElideRight, int(place.width()));
    painter.drawText(place, alignment | Qt::AlignVCenter, shown);
}

} // namespace

ComparisonPane::ComparisonPane(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(400, 300);
}

void ComparisonPane::setPhotos(QImage first, QString firstCaption, QImage second, QString secondCaption)
{
    m_first = std::move(first);
    m_second = std::move(second);
    m_firstCaption = std::move(firstCaption);
    m_secondCaption = std::move(secondCaption);
    update();
}

void ComparisonPane::setOverlaid(bool overlaid)
{
    m_overlaid = overlaid;
    update();
}

void ComparisonPane::setDivide(int divide)
{
    m_divide = std::clamp(divide, 0, 1000);
    update();
}

void ComparisonPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setPen(Qt::white);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4 - kCaptionHeight);
    // Both photos fill the same height, so that a tree shot from the same place is
    // drawn at the same scale in both.
    if (m_overlaid)
        drawOverlaid(painter, area);
    else
        drawSideBySide(painter, area);
}

void ComparisonPane::drawSideBySide(QPainter& painter, const QRectF& area) const
{
    const QRectF left(area.left(), area.top(), area.width() / 2 - 2, area.height());
    const QRectF right(area.center().x() + 2, area.top(), area.width() / 2 - 2, area.height());
    const QRectF firstPlace = placed(m_first.isNull() ? QSizeF(4, 3) : QSizeF(m_first.size()), left);
    const QRectF secondPlace = placed(m_second.isNull() ? QSizeF(4, 3) : QSizeF(m_second.size()), right);
    painter.drawImage(firstPlace, m_first);
    painter.drawImage(secondPlace, m_second);
    // Each caption just under its photo.
    drawCaption(painter, left, firstPlace.bottom(), m_firstCaption, Qt::AlignHCenter);
    drawCaption(painter, right, secondPlace.bottom(), m_secondCaption, Qt::AlignHCenter);
}

void ComparisonPane::drawOverlaid(QPainter& painter, const QRectF& area) const
{
    const QSizeF common = m_second.isNull() ? QSizeF(m_first.size()) : QSizeF(m_second.size());
    const QRectF target = placed(common.isEmpty() ? QSizeF(4, 3) : common, area);
    if (!m_second.isNull())
        painter.drawImage(target, m_second);
    const double divideX = target.left() + target.width() * m_divide / 1000.0;
    if (!m_first.isNull()) {
        painter.save();
        painter.setClipRect(QRectF(target.left(), target.top(), divideX - target.left(), target.height()));
        painter.drawImage(target, m_first);
        painter.restore();
    }
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(QPointF(divideX, target.top()), QPointF(divideX, target.bottom()));
    // Each caption on the side its photo shows.
    drawCaption(painter, QRectF(area.left(), 0, area.width() / 2 - 4, 0), target.bottom(), m_firstCaption,
                Qt::AlignLeft);
    drawCaption(painter, QRectF(area.center().x() + 4, 0, area.width() / 2 - 4, 0), target.bottom(), m_secondCaption,
                Qt::AlignRight);
}

CompareDlg::CompareDlg(std::vector<CaptionedPhoto> photos, std::size_t first, std::size_t second, QWidget* parent)
    : QDialog(parent), m_photos(std::move(photos))
{
    setWindowTitle(tr("Compare photos"));
    auto* layout = new QVBoxLayout(this);
    addPhotoChoices(layout, first, second);
    addModes(layout);
    m_pane = new ComparisonPane(this);
    layout->addWidget(m_pane, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    giveStandardButtonsKeys(*buttons);
    layout->addWidget(buttons);
    resize(1000, 640);
    nameFieldsAfterTheirLabels(*this);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_firstBox, &QComboBox::currentIndexChanged, this, &CompareDlg::showChosen);
    connect(m_secondBox, &QComboBox::currentIndexChanged, this, &CompareDlg::showChosen);
    connect(m_overlay, &QRadioButton::toggled, this, [this](bool overlaid) {
        m_slider->setEnabled(overlaid);
        m_pane->setOverlaid(overlaid);
    });
    connect(m_slider, &QSlider::valueChanged, m_pane, &ComparisonPane::setDivide);
    showChosen();
}

void CompareDlg::addPhotoChoices(QVBoxLayout* layout, std::size_t first, std::size_t second)
{
    auto* choices = new QHBoxLayout;
    m_firstBox = new QComboBox(this);
    m_secondBox = new QComboBox(this);
    // Long captions must not widen the window past the screen.
    for (QComboBox* box : {m_firstBox, m_secondBox}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(24);
    }
    for (const CaptionedPhoto& photo : m_photos) {
        m_firstBox->addItem(photo.caption);
        m_secondBox->addItem(photo.caption);
    }
    m_firstBox->setCurrentIndex(static_cast<int>(first));
    m_secondBox->setCurrentIndex(static_cast<int>(second));
    auto* firstLabel = new QLabel(tr("&First:"), this);
    firstLabel->setBuddy(m_firstBox);
    auto* secondLabel = new QLabel(tr("&Second:"), this);
    secondLabel->setBuddy(m_secondBox);
    choices->addWidget(firstLabel);
    choices->addWidget(m_firstBox, 1);
    choices->addWidget(secondLabel);
    choices->addWidget(m_secondBox, 1);
    layout->addLayout(choices);
}

void CompareDlg::addModes(QVBoxLayout* layout)
{
    auto* modes = new QHBoxLayout;
    m_sideBySide = new QRadioButton(tr("Side &by side"), this);
    m_overlay = new QRadioButton(tr("&One over the other"), this);
    m_sideBySide->setChecked(true);
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(0, 1000);
    m_slider->setValue(500);
    m_slider->setEnabled(false);
    m_slider->setAccessibleName(tr("Divide"));
    modes->addWidget(m_sideBySide);
    modes->addWidget(m_overlay);
    modes->addWidget(m_slider, 1);
    layout->addLayout(modes);
}

void CompareDlg::showChosen()
{
    const auto photoAt = [this](const QComboBox* box) -> std::pair<QImage, QString> {
        const int index = box->currentIndex();
        if (index < 0 || static_cast<std::size_t>(index) >= m_photos.size())
            return {};
        const CaptionedPhoto& photo = m_photos[static_cast<std::size_t>(index)];
        ShownPhoto shown = readShownPhoto(photo.path, kComparedSide);
        const QString caption = shown.problem.isEmpty() ? photo.caption : photo.caption + QStringLiteral(": ") + shown.problem;
        return {std::move(shown.image), caption};
    };
    auto [firstImage, firstCaption] = photoAt(m_firstBox);
    auto [secondImage, secondCaption] = photoAt(m_secondBox);
    m_pane->setPhotos(std::move(firstImage), firstCaption, std::move(secondImage), secondCaption);
}
