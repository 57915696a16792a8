#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Dialog layouts are written in dialog units: a quarter of the font's average
// character width across, an eighth of its height down. Converting with the font
// the dialog uses keeps labels and controls in proportion with the text.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    // The font every dialog and page of the program uses.
    static QFont dialogFont();

    int x(int units) const { return units * m_baseX / 4; }
    int y(int units) const { return units * m_baseY / 8; }
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const { return {x(width), y(height)}; }

private:
    int m_baseX;
    int m_baseY;
};
