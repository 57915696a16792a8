#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// `frame` moved, and shrunk where it is larger, so that it lies inside `area`.
QRect fitWithin(const QRect& frame, const QRect& area);

// Resizes a window as near to `size` as its minimum and the free area of its screen
// allow, frame included, and moves it back onto that screen where it would stand out.
void resizeWithinScreen(QWidget& window, const QSize& size);

// Keeps every window that belongs to another (dialogs, message boxes, the help) within
// the free area of the screen it opens on, as the main window's placement keeps it:
// installed once on the application. Such a window scrolls what it cannot show.
class OwnedWindowsOnScreen : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Keeps a top-level window on its screen: never smaller than its designed size where
// the screen has room for it, and no larger than the screen's free area where it has
// not. Its size and position are remembered under a group of the settings, and come
// back only where they fit the screen.
class WindowPlacement : public QObject {
    Q_OBJECT
public:
    WindowPlacement(QWidget& window, const QString& settingsGroup);

    // The size the window was laid out for: its smallest size, as far as the screen allows.
    void setDesignedSize(const QSize& size);
    // Resizes the window as near to `size` as its minimum and its screen allow, and
    // moves it back onto the screen where it would stand out.
    void resizeWithin(const QSize& size);

    // Gives the window the size and position it had when it was last saved, where they
    // fit the screen; otherwise it stays as large as it is and goes to `defaultPosition`.
    void restore(const QPoint& defaultPosition);
    void save() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The largest size the window can have on its screen, without its frame.
    QSize room() const;
    void updateMinimum();
    // Once the window shows, its frame is known: the frame is brought inside the screen.
    void keepOnScreen();

    QWidget& m_window;
    QString m_group;
    QSize m_designed;
    bool m_watchingScreen = false;
};
