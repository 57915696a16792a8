#pragma once

#include <QScrollArea>

// A scroll area that asks for the whole of its content, where QScrollArea asks for a
// part of it: its window opens as large as the content needs and scrolls only when a
// small screen holds it smaller. It shows no frame of its own.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT
public:
    FittingScrollArea(QWidget* content, QWidget* parent = nullptr);

    QSize sizeHint() const override;
};
