#include "ui/framework/QrPicture.h"

#include <QPainter>

namespace {

// Scanners need a light border around the code: four modules, as the standard asks.
constexpr int kQuietModules = 4;

} // namespace

void drawQrCode(QPainter& painter, const QRectF& square, const talvane::labels::QrCode& code)
{
    const double module = square.width() / (code.size() + 2 * kQuietModules);
    painter.fillRect(square, Qt::white);
    // Modules of one row drawn as runs, so that neighbours meet without seams.
    for (int y = 0; y < code.size(); ++y)
        for (int x = 0; x < code.size();) {
            if (!code.isDark(x, y)) {
                ++x;
                continue;
            }
            int run = 1;
            while (x + run < code.size() && code.isDark(x + run, y))
                ++run;
            painter.fillRect(QRectF(square.left() + (x + kQuietModules) * module, square.top() + (y + kQuietModules) * module,
                                    run * module, module),
                             Qt::black);
            x += run;
        }
}
