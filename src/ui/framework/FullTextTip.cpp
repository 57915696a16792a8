#include "ui/framework/FullTextTip.h"

#include <QEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>

namespace {

// The room a line edit leaves on each side of its text inside its contents.
constexpr int kTextSideMargin = 2;

} // namespace

FullTextTip::FullTextTip(QLineEdit* edit, QWidget* holder) : QObject(edit), m_edit(edit), m_holder(holder)
{
    connect(edit, &QLineEdit::textChanged, this, &FullTextTip::update);
    edit->installEventFilter(this);
    update();
}

bool FullTextTip::textFits(const QLineEdit& edit)
{
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.rect();
    option.lineWidth = edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents =
        edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit).marginsRemoved(edit.textMargins());
    return edit.fontMetrics().horizontalAdvance(edit.displayText()) <= contents.width() - 2 * kTextSideMargin;
}

bool FullTextTip::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::FontChange:
    case QEvent::StyleChange:
        update();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void FullTextTip::update()
{
    if (textFits(*m_edit)) {
        m_holder->setToolTip(QString());
        return;
    }
    const QString text = m_edit->displayText();
    // A text that looks like markup is shown as it is typed, not as markup.
    m_holder->setToolTip(Qt::mightBeRichText(text)
                             ? QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped())
                             : text);
}
