#pragma once

#include <QString>
#include <QWidget>

// A control a DialogTemplate placed, found by its numeric identifier, which names it.
template <typename T>
T* findControl(const QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}
