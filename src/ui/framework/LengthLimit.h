#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// Stops typing at a number of characters without ever cutting a text that the
// program puts into the control: a value read from a file may be longer, and it
// is shown whole. Edits that shorten an over-long text are always allowed.
class LengthLimit : public QObject {
    Q_OBJECT
public:
    LengthLimit(QLineEdit* edit, int limit);

private:
    void onTextChanged();
    void onTextEdited(const QString& text);

    QLineEdit* m_edit;
    int m_limit;
    QString m_accepted;
};
