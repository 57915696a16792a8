#include "app/PagesAndList.h"

#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

PagesAndList::PagesAndList(QWidget* pages, QWidget* list, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), m_pagesArea(new QScrollArea(this)), m_list(list),
      m_pagesWanted(pages->width())
{
    m_pagesArea->setFrameShape(QFrame::NoFrame);
    m_pagesArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pagesArea->setWidget(pages);
    // Room for a vertical scroll bar beside the pages, which a low window needs.
    m_pagesArea->setMaximumWidth(pages->width() + m_pagesArea->verticalScrollBar()->sizeHint().width());
    addWidget(m_pagesArea);
    addWidget(list);
    setChildrenCollapsible(false);
    setStretchFactor(0, 0);
    setStretchFactor(1, 1);
    connect(this, &QSplitter::splitterMoved, this, [this] { m_pagesWanted = sizes().value(0); });
}

void PagesAndList::setPagesWidth(int pages)
{
    m_pagesWanted = std::clamp(pages, 0, m_pagesArea->maximumWidth());
    fitWidths();
}

void PagesAndList::fitWidths()
{
    if (m_list->isHidden())
        return;
    const int room = width() - handleWidth();
    const int pages = std::max(0, std::min(m_pagesWanted, room - m_list->minimumSizeHint().width()));
    setSizes({pages, room - pages});
}

void PagesAndList::resizeEvent(QResizeEvent* event)
{
    QSplitter::resizeEvent(event);
    fitWidths();
}
