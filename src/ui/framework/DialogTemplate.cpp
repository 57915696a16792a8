#include "ui/framework/DialogTemplate.h"

#include "ui/framework/FullTextTip.h"
#include "ui/framework/LengthLimit.h"
#include "ui/framework/Mnemonic.h"
#include "ui/framework/StorableInput.h"
#include "ui/framework/WholeLineTextBox.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

namespace {

// A label made for a shorter text (another language, another font) grows to show its
// whole text, away from the control it names: leftwards when it is aligned right.
void growToItsText(QLabel& label, DialogTemplate::Align align)
{
    int widest = 0;
    for (const QString& line : QString(label.text()).remove(QLatin1Char('&')).split(QLatin1Char('\n')))
        widest = std::max(widest, label.fontMetrics().horizontalAdvance(line));
    const int extra = widest - label.contentsRect().width();
    if (extra <= 0)
        return;
    QRect at = label.geometry();
    if (align == DialogTemplate::Align::Right)
        at.setLeft(std::max(0, at.left() - extra));
    else
        at.setWidth(at.width() + extra);
    label.setGeometry(at);
}

// Keeps the Enter key from starting a new line in a text box that should not have one.
class ReturnKeyBlocker : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

DialogTemplate::DialogTemplate(QWidget* dialog, int width, int height)
    : m_dialog(dialog), m_units(DialogUnits::dialogFont())
{
    dialog->setFont(DialogUnits::dialogFont());
    dialog->setFixedSize(m_units.size(width, height));
}

void DialogTemplate::place(QWidget* control, int id, int x, int y, int w, int h)
{
    if (id != -1)
        control->setObjectName(QString::number(id));
    control->setGeometry(m_units.rect(x, y, w, h));
    if (control->focusPolicy() != Qt::NoFocus) {
        if (m_lastInTabOrder)
            QWidget::setTabOrder(m_lastInTabOrder, control);
        m_lastInTabOrder = control;
    }
}

void DialogTemplate::placeField(QWidget* field, int id, int x, int y, int w, int h)
{
    place(field, id, x, y, w, h);
    if (m_labelOfNextField) {
        m_labelOfNextField->setBuddy(field);
        nameBuddyAfterLabel(*m_labelOfNextField);
    }
    m_labelOfNextField = nullptr;
}

void DialogTemplate::placeOther(QWidget* control, int id, int x, int y, int w, int h)
{
    place(control, id, x, y, w, h);
    m_labelOfNextField = nullptr;
}

QLabel* DialogTemplate::label(const QString& text, int x, int y, int w, int h, Align align)
{
    auto* label = new QLabel(text, m_dialog);
    label->setAlignment((align == Align::Right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
    place(label, -1, x, y, w, h);
    growToItsText(*label, align);
    m_labelOfNextField = label;
    return label;
}

QLineEdit* DialogTemplate::edit(int id, int x, int y, int w, int h, int limit)
{
    auto* edit = new QLineEdit(m_dialog);
    keepInputStorable(edit);
    if (limit > 0)
        new LengthLimit(edit, limit);
    new FullTextTip(edit, edit);
    placeField(edit, id, x, y, w, h);
    return edit;
}

QTextEdit* DialogTemplate::multiLine(int id, int x, int y, int w, int h, TextBox kind)
{
    auto* edit = new WholeLineTextEdit(m_dialog);
    edit->setAcceptRichText(false);
    edit->setTabChangesFocus(true);
    keepInputStorable(edit);
    const bool scrolled = kind == TextBox::Scrolled || kind == TextBox::ScrolledNoReturn;
    // A box without a scroll bar of its own gains one while its text is taller than it.
    edit->setVerticalScrollBarPolicy(scrolled ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (kind == TextBox::SmallRightAligned) {
        edit->setLineWrapMode(QTextEdit::NoWrap);
        edit->document()->setDocumentMargin(1);
        QTextOption option = edit->document()->defaultTextOption();
        option.setAlignment(Qt::AlignRight);
        edit->document()->setDefaultTextOption(option);
    }
    if (kind == TextBox::ScrolledNoReturn)
        edit->installEventFilter(new ReturnKeyBlocker(edit));
    placeField(edit, id, x, y, w, h);
    return edit;
}

QComboBox* DialogTemplate::editableList(int id, int x, int y, int w, int h, const QStringList& items, bool sorted,
                                        int limit)
{
    auto* combo = new QComboBox(m_dialog);
    combo->setEditable(true);
    // Typed text stays exactly as typed: no completion, nothing added to the list.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
    keepInputStorable(combo->lineEdit());
    QStringList shown = items;
    if (sorted)
        shown.sort(Qt::CaseInsensitive);
    combo->addItems(shown);
    combo->setCurrentIndex(-1);
    combo->setMaxVisibleItems(std::max(1, (h - 14) / 8));
    if (limit > 0)
        new LengthLimit(combo->lineEdit(), limit);
    new FullTextTip(combo->lineEdit(), combo);
    placeField(combo, id, x, y, w, 14);
    return combo;
}

QComboBox* DialogTemplate::dropDownList(int id, int x, int y, int w, int h)
{
    auto* combo = new QComboBox(m_dialog);
    combo->setMaxVisibleItems(std::max(1, (h - 14) / 8));
    placeField(combo, id, x, y, w, 14);
    return combo;
}

QRadioButton* DialogTemplate::radio(int id, const QString& text, int x, int y, int w, int h)
{
    auto* radio = new QRadioButton(text, m_dialog);
    placeOther(radio, id, x, y, w, h);
    // Like a label, a choice made for a shorter text grows to show it whole.
    if (const int extra = radio->sizeHint().width() - radio->width(); extra > 0)
        radio->resize(radio->width() + extra, radio->height());
    return radio;
}

QGroupBox* DialogTemplate::groupBox(const QString& text, int x, int y, int w, int h)
{
    auto* box = new QGroupBox(text, m_dialog);
    placeOther(box, -1, x, y, w, h);
    box->lower();
    return box;
}

QPushButton* DialogTemplate::button(int id, const QString& text, int x, int y, int w, int h, bool isDefault)
{
    auto* button = new QPushButton(text, m_dialog);
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
    placeOther(button, id, x, y, w, h);
    return button;
}
