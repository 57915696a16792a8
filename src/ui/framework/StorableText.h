#pragma once

#include <QCoreApplication>
#include <QString>

#include <vector>

// What a collection can keep of a typed or pasted text. Fields are Windows-1252
// bytes: a character the code page lacks is put in a plain form when its canonical
// decomposition gives one the code page holds ("Ō" becomes "O", "e" with a combining
// acute becomes "é"), and is left out otherwise. A character with its combining
// marks is judged as one.
class StorableText {
    Q_DECLARE_TR_FUNCTIONS(StorableText)

public:
    explicit StorableText(const QString& typed);

    struct Change {
        qsizetype offset; // in UTF-16 units of the typed text
        qsizetype length;
        QString replacement; // empty when the character is left out
    };
    const std::vector<Change>& changes() const { return m_changes; }

    // The typed text with every change made.
    QString text() const;
    // Where a position of the typed text lands in text().
    qsizetype mapPosition(qsizetype position) const;
    // What the user is told: the first character left out, else the first one put
    // in a plain form; empty when nothing changed.
    QString message() const;

private:
    QString m_typed;
    std::vector<Change> m_changes;
};
