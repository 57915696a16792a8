#include "ui/app/PagesAndList.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

PagesAndList::PagesAndList(QWidget* pages, QWidget* list, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), m_pagesArea(new QScrollArea(this)), m_pages(pages), m_list(list)
{
    m_pagesArea->setFrameShape(QFrame::NoFrame);
    // Tab goes from the list straight to the pages' tabs: the area around them only
    // scrolls, and it follows the focus into the pages by itself.
    m_pagesArea->setFocusPolicy(Qt::NoFocus);
    m_pagesArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pagesArea->setWidget(pages);
    m_pagesArea->setMaximumWidth(pages->width());
    addWidget(m_pagesArea);
    addWidget(list);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    connect(this, &QSplitter::splitterMoved, this, [this] { setPagesWidth(sizes().value(0)); });
}

int PagesAndList::pagesAreaWidth() const
{
    return m_pagesChosen.value_or(m_pagesArea->maximumWidth());
}

void PagesAndList::setPagesWidth(int pages)
{
    m_pagesChosen = pages < m_pages->width() ? std::optional(std::max(0, pages)) : std::nullopt;
    fitWidths();
}

void PagesAndList::fitWidths()
{
    // Until it is laid out in a window on show, the area is taken to be tall enough.
    const bool low = isVisible() && height() < m_pages->height();
    m_pagesArea->setMaximumWidth(m_pages->width() + (low ? m_pagesArea->verticalScrollBar()->sizeHint().width() : 0));
    if (m_list->isHidden())
        return;
    const int room = width() - handleWidth();
    const int pages = std::max(0, std::min(pagesAreaWidth(), room - m_list->minimumSizeHint().width()));
    setSizes({pages, room - pages});
}

void PagesAndList::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    fitWidths();
}
