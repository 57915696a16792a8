#include "ui/framework/WholeLineTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

qreal textLinePitch(const QFont& font, bool plainTextLayout, QPaintDevice* device)
{
    QTextDocument scratch;
    if (plainTextLayout)
        scratch.setDocumentLayout(new QPlainTextDocumentLayout(&scratch));
    scratch.documentLayout()->setPaintDevice(device);
    scratch.setDefaultFont(font);
    scratch.setDocumentMargin(0);
    scratch.setPlainText(QStringLiteral("X"));
    return scratch.documentLayout()->blockBoundingRect(scratch.firstBlock()).height();
}

QMargins wholeLineMargins(int height, qreal linePitch, int padding)
{
    const int oneLine = static_cast<int>(std::lround(linePitch));
    if (oneLine <= 0 || height <= 0)
        return {padding, padding, padding, 0};
    const int lines = std::max(1, static_cast<int>(std::floor((height - 2 * padding) / linePitch)));
    const int textHeight = std::max(oneLine, static_cast<int>(std::lround(lines * linePitch)));
    const int top = std::clamp(height - textHeight, 0, padding);
    return {padding, top, padding, std::max(0, height - top - textHeight)};
}
