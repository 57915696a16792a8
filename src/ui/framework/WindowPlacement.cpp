#include "ui/framework/WindowPlacement.h"

#include "ui/framework/AppSettings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

const QString kSizeKey = QStringLiteral("Size");
const QString kPositionKey = QStringLiteral("Position");
const QString kMaximizedKey = QStringLiteral("Maximized");

bool fitsSomeScreen(const QRect& frame)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&frame](const QScreen* screen) { return screen->availableGeometry().contains(frame); });
}

QSize frameExtra(const QWidget& window)
{
    return window.frameGeometry().size() - window.size();
}

QRect availableArea(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

// A window of its own that another window owns; menus, tool tips and the splash are not.
bool isOwnedWindow(const QWidget& widget)
{
    if (!widget.isWindow())
        return false;
    const Qt::WindowType type = widget.windowType();
    return type == Qt::Dialog || type == Qt::Sheet || (type == Qt::Window && widget.parentWidget());
}

} // namespace

QRect fitWithin(const QRect& frame, const QRect& area)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(area.size()));
    fitted.moveLeft(std::clamp(fitted.left(), area.left(), area.left() + area.width() - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), area.top(), area.top() + area.height() - fitted.height()));
    return fitted;
}

WindowPlacement::WindowPlacement(QWidget& window, const QString& settingsGroup)
    : QObject(&window), m_window(window), m_group(settingsGroup)
{
    window.installEventFilter(this);
}

void WindowPlacement::setDesignedSize(const QSize& size)
{
    m_designed = size;
    updateMinimum();
}

QSize WindowPlacement::room() const
{
    return availableArea(m_window).size() - frameExtra(m_window);
}

void WindowPlacement::updateMinimum()
{
    m_window.setMinimumSize(m_designed.boundedTo(room()));
}

void resizeWithinScreen(QWidget& window, const QSize& size)
{
    const QSize extra = frameExtra(window);
    const QRect frame(window.pos(), size.expandedTo(window.minimumSize()) + extra);
    const QRect fitted = fitWithin(frame, availableArea(window));
    window.resize(fitted.size() - extra);
    if (fitted.topLeft() != frame.topLeft())
        window.move(fitted.topLeft());
}

void WindowPlacement::resizeWithin(const QSize& size)
{
    if (!m_window.isMaximized() && !m_window.isFullScreen())
        resizeWithinScreen(m_window, size);
}

void WindowPlacement::keepOnScreen()
{
    updateMinimum();
    resizeWithin(m_window.size());
}

void WindowPlacement::restore(const QPoint& defaultPosition)
{
    QSettings settings = appSettings();
    settings.beginGroup(m_group);
    updateMinimum();
    const QSize size = settings.value(kSizeKey).toSize();
    if (size.isValid() && size.width() <= room().width() && size.height() <= room().height())
        m_window.resize(size.expandedTo(m_window.minimumSize()));
    const QPoint position = settings.value(kPositionKey, defaultPosition).toPoint();
    const bool positionFits = fitsSomeScreen(QRect(position, m_window.size() + frameExtra(m_window)));
    m_window.move(positionFits ? position : defaultPosition);
    keepOnScreen();
    if (settings.value(kMaximizedKey, false).toBool())
        m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
}

void WindowPlacement::save() const
{
    QSettings settings = appSettings();
    settings.beginGroup(m_group);
    // A maximized window keeps the place it goes back to.
    const QRect normal = m_window.normalGeometry();
    const QPoint frameOffset = m_window.geometry().topLeft() - m_window.pos();
    settings.setValue(kSizeKey, normal.size());
    settings.setValue(kPositionKey, normal.topLeft() - frameOffset);
    settings.setValue(kMaximizedKey, m_window.isMaximized());
}

bool WindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Show) {
        if (!m_watchingScreen && m_window.windowHandle()) {
            m_watchingScreen = true;
            connect(m_window.windowHandle(), &QWindow::screenChanged, this, &WindowPlacement::updateMinimum);
        }
        // The frame is known once the window system has placed the window.
        QTimer::singleShot(0, this, &WindowPlacement::keepOnScreen);
    }
    return QObject::eventFilter(watched, event);
}

bool OwnedWindowsOnScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto& window = static_cast<QWidget&>(*watched);
    if (isOwnedWindow(window) && !window.isMaximized() && !window.isFullScreen()) {
        resizeWithinScreen(window, window.size());
        // Once the window system has placed the window, its frame counts too.
        QTimer::singleShot(0, &window, [&window] {
            if (!window.isMaximized() && !window.isFullScreen())
                resizeWithinScreen(window, window.size());
        });
    }
    return QObject::eventFilter(watched, event);
}
