#pragma once

#include <QAbstractTextDocumentLayout>
#include <QRect>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <utility>
#include <vector>

// Where each line of a text box's text lies in its text area, from its cursor.
template <class Box>
std::vector<QRect> lineRects(const Box& box)
{
    std::vector<QRect> rects;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        for (int line = 0; line < layout->lineCount(); ++line) {
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + layout->lineAt(line).textStart());
            rects.push_back(box.cursorRect(cursor));
        }
    }
    return rects;
}

// How the box's text area shows its lines: how many whole, and whether one is cut
// by the area's top or bottom edge.
struct ShownLines {
    int whole = 0;
    bool cut = false;
};

template <class Box>
ShownLines linesShown(const Box& box)
{
    ShownLines shown;
    const int height = box.viewport()->height();
    for (const QRect& line : lineRects(box)) {
        if (line.top() >= 0 && line.bottom() < height)
            ++shown.whole;
        else if (line.bottom() >= 0 && line.top() < height)
            shown.cut = true;
    }
    return shown;
}

// Lines enough to scroll through, numbered.
inline QString numberedLines(int count)
{
    QStringList lines;
    for (int line = 1; line <= count; ++line)
        lines.append(QStringLiteral("Line %1").arg(line));
    return lines.join(QLatin1Char('\n'));
}

// The lines shown at the top of the text and at its end.
template <class Box>
std::pair<ShownLines, ShownLines> linesAtBothEnds(Box& box)
{
    box.verticalScrollBar()->setValue(0);
    const ShownLines top = linesShown(box);
    box.verticalScrollBar()->setValue(box.verticalScrollBar()->maximum());
    const ShownLines end = linesShown(box);
    box.verticalScrollBar()->setValue(0);
    return {top, end};
}
