#include "ui/framework/LengthLimit.h"

#include <QLineEdit>

LengthLimit::LengthLimit(QLineEdit* edit, int limit) : QObject(edit), m_edit(edit), m_limit(limit)
{
    m_accepted = edit->text();
    connect(edit, &QLineEdit::textChanged, this, &LengthLimit::onTextChanged);
    connect(edit, &QLineEdit::textEdited, this, &LengthLimit::onTextEdited);
}

// Programmatic changes arrive here without a textEdited: they are accepted as they
// are. The signal may come late, after a refused edit was undone: the control's
// present text is what counts.
void LengthLimit::onTextChanged()
{
    if (!m_edit->isModified())
        m_accepted = m_edit->text();
}

void LengthLimit::onTextEdited(const QString& text)
{
    if (text.size() > m_limit && text.size() > m_accepted.size()) {
        const int cursor = m_edit->cursorPosition() - static_cast<int>(text.size() - m_accepted.size());
        m_edit->setText(m_accepted);
        m_edit->setCursorPosition(std::max(0, cursor));
        return;
    }
    m_accepted = text;
}
