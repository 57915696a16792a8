#include "ui/framework/FittingScrollArea.h"

FittingScrollArea::FittingScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setWidget(content);
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
}

QSize FittingScrollArea::sizeHint() const
{
    return widget()->sizeHint();
}
