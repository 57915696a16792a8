// Draws the program's pictures into src/ui/resources: the splash picture
// (400 x 400, 256 colours), the icon (32 x 32 and 16 x 16, 16 colours) and the
// tool bar strip (five 22 x 22 images, 16 colours). Run by hand after a change:
//   build/bin/make_resources src/ui/resources
// With --icon-theme it draws the desktop's icons instead, in full colour and every
// usual size, as an icon theme folder (SIZExSIZE/apps, SIZExSIZE/mimetypes); the
// build does this for the installation:
//   build/bin/make_resources --icon-theme build/icons/hicolor
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// The sixteen colours of the classic VGA palette.
QList<QRgb> sixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage toSixteenColours(const QImage& image)
{
    return image.convertToFormat(QImage::Format_Indexed8, sixteenColours(), Qt::ThresholdDither | Qt::AvoidDither);
}

// A bonsai in its pot, drawn into the square (0, 0, 100, 100) of the painter.
void drawBonsai(QPainter& p, bool detailed)
{
    // Pot.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 60, 40));
    p.drawRect(QRectF(22, 80, 56, 12));
    p.drawRect(QRectF(18, 77, 64, 5));
    p.setBrush(QColor(70, 40, 25));
    p.drawRect(QRectF(26, 92, 8, 4));
    p.drawRect(QRectF(66, 92, 8, 4));
    // Trunk and branches.
    QPainterPath trunk;
    trunk.moveTo(44, 78);
    trunk.cubicTo(40, 64, 58, 58, 50, 46);
    trunk.cubicTo(46, 40, 52, 34, 50, 28);
    trunk.lineTo(54, 28);
    trunk.cubicTo(57, 36, 52, 40, 56, 46);
    trunk.cubicTo(64, 58, 50, 66, 56, 78);
    trunk.closeSubpath();
    p.setBrush(QColor(90, 60, 35));
    p.drawPath(trunk);
    p.setPen(QPen(QColor(90, 60, 35), detailed ? 3 : 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 50), QPointF(30, 44));
    p.drawLine(QPointF(54, 40), QPointF(74, 36));
    // Foliage pads.
    p.setPen(Qt::NoPen);
    const QColor leaves[] = {QColor(40, 110, 40), QColor(60, 140, 50)};
    const QRectF pads[] = {QRectF(14, 34, 30, 14), QRectF(60, 26, 30, 14), QRectF(32, 10, 38, 20)};
    int i = 0;
    for (const QRectF& pad : pads) {
        p.setBrush(leaves[i++ % 2]);
        p.drawEllipse(pad);
        if (detailed) {
            p.setBrush(leaves[i % 2]);
            p.drawEllipse(pad.adjusted(pad.width() / 4, 2, -pad.width() / 4, -pad.height() / 2));
        }
    }
}

QImage splash()
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The emblem: a white disc with a thin grey ring.
    p.setPen(QPen(QColor(150, 150, 150), 3));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(20, 20, 360, 360));
    p.save();
    p.translate(70, 70);
    p.scale(2.3, 2.3);
    drawBonsai(p, true);
    p.restore();
    // The name runs down beside the tree.
    QFont font(QStringLiteral("DejaVu Serif"), 22, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(60, 90, 50));
    const QString name = QStringLiteral("TALVANE");
    for (int i = 0; i < name.size(); ++i)
        p.drawText(QRectF(312, 78 + i * 34, 36, 34), Qt::AlignCenter, name.mid(i, 1));
    font.setPointSize(14);
    font.setBold(false);
    p.setFont(font);
    p.setPen(QColor(80, 80, 80));
    p.drawText(QRectF(150, 305, 100, 30), Qt::AlignCenter, QStringLiteral("1.1"));
    p.end();
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    indexed.setColorCount(256);
    return indexed;
}

// A transparent square of `size` pixels, drawn in a 100 × 100 box.
template <typename Draw>
QImage drawnIcon(int size, bool smooth, Draw draw)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.scale(size / 100.0, size / 100.0);
    draw(p);
    p.end();
    return image;
}

// Sixteen colours and a transparent ground, as an icon's mask gives.
QImage icon(int size)
{
    const QImage image = drawnIcon(size, false, [](QPainter& p) { drawBonsai(p, false); });
    QList<QRgb> colours = sixteenColours();
    colours.append(qRgba(0, 0, 0, 0));
    return image.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither | Qt::AvoidDither);
}

// The program's icon for the desktop: the bonsai, smoothed.
QImage desktopIcon(int size)
{
    return drawnIcon(size, true, [size](QPainter& p) { drawBonsai(p, size >= 48); });
}

// A collection file's icon: a sheet with a folded corner that shows the bonsai.
QImage collectionIcon(int size)
{
    return drawnIcon(size, true, [size](QPainter& p) {
        const QPolygonF sheet({QPointF(14, 2), QPointF(68, 2), QPointF(86, 20), QPointF(86, 98), QPointF(14, 98)});
        p.setPen(QPen(QColor(120, 120, 120), 3));
        p.setBrush(QColor(250, 250, 245));
        p.drawPolygon(sheet);
        p.setBrush(QColor(215, 215, 210));
        p.drawPolygon(QPolygonF({QPointF(68, 2), QPointF(68, 20), QPointF(86, 20)}));
        p.translate(20, 24);
        p.scale(0.6, 0.6);
        drawBonsai(p, size >= 48);
    });
}

bool saveIconTheme(const QDir& theme)
{
    bool ok = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1").arg(size);
        ok = theme.mkpath(folder + QStringLiteral("/apps")) && theme.mkpath(folder + QStringLiteral("/mimetypes")) &&
             ok;
        ok = desktopIcon(size).save(theme.filePath(folder + QStringLiteral("/apps/talvane.png"))) && ok;
        ok = collectionIcon(size).save(
                 theme.filePath(folder + QStringLiteral("/mimetypes/application-x-talvane-collection.png"))) &&
             ok;
    }
    std::printf("%s icon theme %s\n", ok ? "wrote" : "could not write", qPrintable(theme.path()));
    return ok;
}

void drawToolImage(QPainter& p, int index)
{
    p.save();
    p.translate(22 * index, 0);
    p.setPen(QPen(Qt::black, 1));
    switch (index) {
    case 0: { // New: a page with a folded corner
        QPolygon page({QPoint(5, 2), QPoint(13, 2), QPoint(17, 6), QPoint(17, 20), QPoint(5, 20)});
        p.setBrush(Qt::white);
        p.drawPolygon(page);
        p.drawPolyline(QPolygon({QPoint(13, 2), QPoint(13, 6), QPoint(17, 6)}));
        break;
    }
    case 1: // Open: a folder
        p.setBrush(QColor(255, 255, 0));
        p.drawRect(2, 7, 17, 12);
        p.drawRect(2, 4, 7, 3);
        p.setBrush(QColor(128, 128, 0));
        p.drawPolygon(QPolygon({QPoint(5, 10), QPoint(21, 10), QPoint(18, 19), QPoint(2, 19)}));
        break;
    case 2: // Save: a diskette
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(3, 3, 16, 16);
        p.setBrush(Qt::white);
        p.drawRect(6, 3, 10, 6);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(6, 12, 10, 7);
        break;
    case 3: // Print: a printer with a sheet
        p.setBrush(Qt::white);
        p.drawRect(6, 2, 10, 8);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(2, 9, 18, 8);
        p.setBrush(Qt::white);
        p.drawRect(6, 15, 10, 5);
        p.setPen(QColor(0, 255, 0));
        p.drawPoint(17, 11);
        break;
    default: { // Help: a question mark in a circle
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(2, 2, 17, 17);
        QFont font(QStringLiteral("DejaVu Sans"), 11, QFont::Bold);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(2, 2, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    }
    p.restore();
}

QImage toolBar()
{
    QImage image(110, 22, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter p(&image);
    for (int i = 0; i < 5; ++i)
        drawToolImage(p, i);
    p.end();
    return toSixteenColours(image);
}

bool save(const QImage& image, const QDir& folder, const char* name)
{
    const bool saved = image.save(folder.filePath(QString::fromLatin1(name)));
    std::printf("%s %s\n", saved ? "wrote" : "could not write", name);
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--icon-theme")
        return saveIconTheme(QDir(QString::fromLocal8Bit(argv[2]))) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_resources FOLDER | make_resources --icon-theme FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = save(splash(), folder, "splash.bmp");
    ok = save(icon(32), folder, "icon32.png") && ok;
    ok = save(icon(16), folder, "icon16.png") && ok;
    ok = save(toolBar(), folder, "toolbar.png") && ok;
    return ok ? 0 : 1;
}
