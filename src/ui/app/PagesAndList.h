#pragma once

#include <QSplitter>

#include <optional>

class QScrollArea;

// The window's central area: the pages, which scroll only while the window is smaller
// than they are, and the collection list beside them, which takes whatever room the
// window has beyond the pages. Its handle gives the list some of the pages' room;
// the pages never get more room than their own size, and a vertical scroll bar's
// while the window is lower than they are.
class PagesAndList : public QSplitter {
    Q_OBJECT
public:
    PagesAndList(QWidget* pages, QWidget* list, QWidget* parent = nullptr);

    QScrollArea* pagesArea() const { return m_pagesArea; }
    // The width the pages' area asks for: all the pages need, unless the handle was
    // moved into them.
    int pagesAreaWidth() const;
    // The pages' area asks for `pages` pixels from now on, as if the handle had been
    // put there; the pages' width or more asks for all they need.
    void setPagesWidth(int pages);
    // Lays the two out again: the pages' area as wide as asked where the list keeps
    // room for itself, the list the rest.
    void fitWidths();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollArea* m_pagesArea;
    QWidget* m_pages;
    QWidget* m_list;
    std::optional<int> m_pagesChosen;
};
