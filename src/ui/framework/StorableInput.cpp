#include "ui/framework/StorableInput.h"

#include "ui/framework/StorableText.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolTip>
#include <QValidator>

#include <algorithm>

namespace {

void tellChange(QWidget* control, const QString& message)
{
    // Sent to the control, the tip travels up to the main window's status bar.
    QStatusTipEvent tip(message);
    QCoreApplication::sendEvent(control, &tip);
    QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), message, control);
}

// A line edit validates every change before it shows it or says it changed, so the
// typing limit and everyone watching the control see the storable text only.
class StorableValidator : public QValidator {
public:
    explicit StorableValidator(QLineEdit* edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString& input, int& position) const override
    {
        const StorableText storable(input);
        if (storable.changes().empty())
            return Acceptable;
        input = storable.text();
        position = static_cast<int>(storable.mapPosition(position));
        tellChange(m_edit, storable.message());
        return Acceptable;
    }

private:
    QLineEdit* m_edit;
};

// A multi-line box has no validation: what arrived is put right at once, as part of
// the same step of the box's own undo.
class StorableBox : public QObject {
public:
    explicit StorableBox(QTextEdit* edit) : QObject(edit), m_edit(edit)
    {
        connect(edit->document(), &QTextDocument::contentsChange, this, &StorableBox::onContentsChange);
    }

private:
    void onContentsChange(int from, int, int added)
    {
        QTextDocument* document = m_edit->document();
        const int end = std::min(from + added, document->characterCount() - 1);
        if (m_correcting || end <= from)
            return;
        QTextCursor cursor(document);
        cursor.setPosition(from);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        // Paragraph and line breaks are stored as CR LF.
        QString arrived = cursor.selectedText();
        arrived.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
        const StorableText storable(arrived);
        if (storable.changes().empty())
            return;
        m_correcting = true;
        cursor.joinPreviousEditBlock();
        for (auto change = storable.changes().rbegin(); change != storable.changes().rend(); ++change) {
            cursor.setPosition(from + static_cast<int>(change->offset));
            cursor.setPosition(from + static_cast<int>(change->offset + change->length), QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            if (!change->replacement.isEmpty())
                cursor.insertText(change->replacement);
        }
        cursor.endEditBlock();
        m_correcting = false;
        tellChange(m_edit, storable.message());
    }

    QTextEdit* m_edit;
    bool m_correcting = false;
};

} // namespace

void keepInputStorable(QLineEdit* edit)
{
    edit->setValidator(new StorableValidator(edit));
}

void keepInputStorable(QTextEdit* edit)
{
    new StorableBox(edit);
}
