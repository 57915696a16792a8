#include "ui/framework/DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as dialog managers measure it.
    const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = (letters / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QFont DialogUnits::dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QRect DialogUnits::rect(int left, int top, int width, int height) const
{
    return {x(left), y(top), x(width), y(height)};
}
