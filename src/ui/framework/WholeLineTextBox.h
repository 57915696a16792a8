#pragma once

#include <QEvent>
#include <QFont>
#include <QMargins>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextEdit>

#include <type_traits>

// The height one line of text takes in a text box with this font, as the box's kind
// of document lays it out on `device` (the box's viewport).
qreal textLinePitch(const QFont& font, bool plainTextLayout, QPaintDevice* device);

// Viewport margins that leave a box of `height` pixels inside its frame showing whole
// lines only: `padding` on the left, above and on the right, and below the last line
// that fits, whatever the lines leave. A box lower than one line shows one line as
// far as it can.
QMargins wholeLineMargins(int height, qreal linePitch, int padding);

// A text box of its designed outer size whose text area holds a whole number of
// lines at any font and scale, so that no line is cut in half by its bottom edge,
// at the top of the text as at its end. The document's own margin becomes padding
// around the text area, which is painted as the box is.
template <class Edit>
class WholeLineBox : public Edit {
    static_assert(std::is_base_of_v<QTextEdit, Edit> || std::is_base_of_v<QPlainTextEdit, Edit>);

public:
    explicit WholeLineBox(QWidget* parent = nullptr) : Edit(parent) { init(); }
    WholeLineBox(const QString& text, QWidget* parent) : Edit(text, parent) { init(); }

protected:
    bool event(QEvent* event) override
    {
        const bool handled = Edit::event(event);
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Polish:
            fitLines();
            break;
        default:
            break;
        }
        return handled;
    }

private:
    void init()
    {
        Edit::setAutoFillBackground(true);
        Edit::setBackgroundRole(QPalette::Base);
        fitLines();
    }

    void fitLines()
    {
        QTextDocument* document = Edit::document();
        // The margin the document was given is kept as padding outside the text area.
        if (document->documentMargin() > 0) {
            m_padding = qRound(document->documentMargin());
            document->setDocumentMargin(0);
        }
        int height = Edit::height() - 2 * Edit::frameWidth();
        if (Edit::horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn)
            height -= Edit::horizontalScrollBar()->sizeHint().height();
        const bool plain = std::is_base_of_v<QPlainTextEdit, Edit>;
        const QMargins margins = wholeLineMargins(height, textLinePitch(Edit::font(), plain, Edit::viewport()), m_padding);
        if (margins != Edit::viewportMargins())
            Edit::setViewportMargins(margins);
    }

    int m_padding = 0;
};

using WholeLineTextEdit = WholeLineBox<QTextEdit>;
using WholeLinePlainTextEdit = WholeLineBox<QPlainTextEdit>;
