#include "ui/timeline/PhotoViewer.h"

#include "ui/timeline/PhotoReading.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.02;
constexpr double kMaxZoom = 16.0;

} // namespace

PhotoViewer::PhotoViewer(std::vector<CaptionedPhoto> photos, std::size_t shown, QWidget* parent)
    : QDialog(parent), m_photos(std::move(photos))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scene = new QGraphicsScene(this);
    m_item = m_scene->addPixmap(QPixmap());
    m_item->setTransformationMode(Qt::SmoothTransformation);
    m_view = new QGraphicsView(m_scene, this);
    m_view->setDragMode(QGraphicsView::ScrollHandDrag);
    m_view->setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    m_view->setBackgroundBrush(Qt::black);
    m_view->viewport()->installEventFilter(this);
    // The view would scroll with the arrow keys, which step through the photos here.
    m_view->installEventFilter(this);
    layout->addWidget(m_view, 1);
    m_caption = new QLabel(this);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setWordWrap(true);
    m_caption->setTextFormat(Qt::PlainText);
    layout->addWidget(m_caption);
    m_notice = new QLabel(this);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    layout->addWidget(m_notice);
    const QRect room = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                        : QRect(0, 0, 1024, 768);
    resize(room.size() * 4 / 5);
    show(std::min(shown, m_photos.empty() ? 0 : m_photos.size() - 1));
}

void PhotoViewer::show(std::size_t index)
{
    if (m_photos.empty())
        return;
    m_shown = index;
    const CaptionedPhoto& photo = m_photos[index];
    setWindowTitle(photo.caption);
    m_caption->setText(photo.caption);
    const ShownPhoto shown = readShownPhoto(photo.path);
    m_item->setPixmap(QPixmap::fromImage(shown.image));
    m_scene->setSceneRect(m_item->boundingRect());
    m_notice->setText(shown.problem.isEmpty()
                          ? tr("%1 of %2 \u00B7 %3 \u00D7 %4")
                                .arg(index + 1)
                                .arg(m_photos.size())
                                .arg(shown.image.width())
                                .arg(shown.image.height())
                          : QStringLiteral("%1 (%2)").arg(shown.problem, photo.path));
    fitToWindow();
}

double PhotoViewer::zoom() const
{
    return m_view->transform().m11();
}

void PhotoViewer::zoomBy(double factor)
{
    const double target = std::clamp(zoom() * factor, kMinZoom, kMaxZoom);
    m_fitted = false;
    m_view->setTransform(QTransform::fromScale(target, target));
}

void PhotoViewer::showNext()
{
    if (m_shown + 1 < m_photos.size())
        show(m_shown + 1);
}

void PhotoViewer::showPrevious()
{
    if (m_shown > 0)
        show(m_shown - 1);
}

void PhotoViewer::zoomIn()
{
    zoomBy(kZoomStep);
}

void PhotoViewer::zoomOut()
{
    zoomBy(1 / kZoomStep);
}

void PhotoViewer::fitToWindow()
{
    m_fitted = true;
    m_view->resetTransform();
    if (!m_item->pixmap().isNull())
        m_view->fitInView(m_item, Qt::KeepAspectRatio);
    // A photo smaller than the window is shown pixel for pixel, never blown up.
    if (zoom() > 1)
        m_view->resetTransform();
}

void PhotoViewer::showActualSize()
{
    m_fitted = false;
    m_view->resetTransform();
}

bool PhotoViewer::handleKey(int key)
{
    switch (key) {
    case Qt::Key_Right: case Qt::Key_Down: case Qt::Key_PageDown: showNext(); return true;
    case Qt::Key_Left: case Qt::Key_Up: case Qt::Key_PageUp: showPrevious(); return true;
    case Qt::Key_Home: show(0); return true;
    case Qt::Key_End: show(m_photos.empty() ? 0 : m_photos.size() - 1); return true;
    case Qt::Key_Plus: case Qt::Key_Equal: zoomIn(); return true;
    case Qt::Key_Minus: zoomOut(); return true;
    case Qt::Key_0: fitToWindow(); return true;
    case Qt::Key_1: showActualSize(); return true;
    default: return false;
    }
}

void PhotoViewer::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event->key()))
        QDialog::keyPressEvent(event);
}

void PhotoViewer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only now has the view its real size to fit the photo into.
    if (m_fitted)
        fitToWindow();
}

void PhotoViewer::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_fitted)
        fitToWindow();
}

bool PhotoViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->viewport() && event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        zoomBy(wheel->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep);
        return true;
    }
    if (watched == m_view && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}
