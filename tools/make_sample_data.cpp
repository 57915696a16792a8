// Draws the sample album and writes the sample collection that ./run.sh starts on:
// FOLDER/Album/*.bmp (pictures of the sample trees, at most 250 x 250, as 24-bit,
// 8-bit palette and RLE8 bitmaps), FOLDER/Photos/*.jpg (a few years of timeline photos
// of some of the trees, 1200 x 900, dated by their EXIF tags) and FOLDER/sample.tvn
// (one entry per tree, its species texts taken from FOLDER/esspef.dat). Run by hand
// after a change; a photo whose date changed would leave its old file behind, so the
// photos go first:
//   rm -f data/Photos/*.jpg && build/bin/make_sample_data data
#include "ui/album/BitmapFileWriter.h"
#include "core/collection/BonsaiData.h"
#include "core/collection/CollectionFile.h"
#include "core/collection/TreeIdentity.h"
#include "core/guide/GuideEspece.h"
#include "core/guide/GuideLoader.h"
#include "core/garden/Place.h"
#include "core/journal/Journal.h"
#include "core/picture/AnyPicDecoder.h"
#include "core/picture/TextException.h"
#include "core/picture/WinBmp.h"
#include "core/text/Windows1252.h"
#include "core/timeline/PhotoCopy.h"
#include "core/timeline/PhotoDate.h"
#include "core/timeline/TimelinePhoto.h"

#include <exiv2/exiv2.hpp>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace talvane::collection;
using namespace talvane::guide;

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Bitmap files, written byte by byte so that every depth and compression the
// album reads can be produced.

enum class BmpKind { Rgb24, Palette8, Rle8 };

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::size_t kLongestRun = 255;

void putWord(Bytes& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putDword(Bytes& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

struct BmpLayout {
    int width;
    int height;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t colours;
    std::uint32_t imageSize;
};

// The file header and the info header. A positive height: rows are stored bottom-up.
Bytes headers(const BmpLayout& layout)
{
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * layout.colours;
    Bytes out;
    putWord(out, 0x4D42); // "BM"
    putDword(out, pixelOffset + layout.imageSize);
    putDword(out, 0);
    putDword(out, pixelOffset);
    putDword(out, kInfoHeaderSize);
    putDword(out, static_cast<std::uint32_t>(layout.width));
    putDword(out, static_cast<std::uint32_t>(layout.height));
    putWord(out, 1);
    putWord(out, layout.bitCount);
    putDword(out, layout.compression);
    putDword(out, layout.imageSize);
    putDword(out, 2835); // 72 dots per inch, in dots per metre
    putDword(out, 2835);
    putDword(out, layout.colours);
    putDword(out, layout.colours);
    return out;
}

void padRow(Bytes& out, std::size_t rowBytes)
{
    for (std::size_t i = rowBytes; i % 4 != 0; ++i)
        out.push_back(0);
}

// A picture as palette indices, top row first.
struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    std::vector<std::vector<std::uint8_t>> rows;
};

// Palette pictures are drawn without smoothing in a few flat colours, so their
// colours fit a palette exactly; a drawing that needs more is refused.
IndexedImage toIndexed(const QImage& image)
{
    IndexedImage indexed{image.width(), image.height(), {}, {}};
    std::map<QRgb, std::uint8_t> indexOf;
    for (int y = 0; y < image.height(); ++y) {
        std::vector<std::uint8_t>& row = indexed.rows.emplace_back();
        for (int x = 0; x < image.width(); ++x) {
            const QRgb colour = image.pixel(x, y) | 0xFF000000u;
            auto found = indexOf.find(colour);
            if (found == indexOf.end()) {
                if (indexed.palette.size() == 256)
                    throw std::runtime_error("a palette picture uses more than 256 colours");
                found = indexOf.emplace(colour, static_cast<std::uint8_t>(indexed.palette.size())).first;
                indexed.palette.push_back(colour);
            }
            row.push_back(found->second);
        }
    }
    return indexed;
}

void putPalette(Bytes& out, const std::vector<QRgb>& palette)
{
    for (const QRgb colour : palette) {
        out.insert(out.end(), {static_cast<std::uint8_t>(qBlue(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                               static_cast<std::uint8_t>(qRed(colour)), 0});
    }
}

Bytes withPalette(const IndexedImage& image, std::uint32_t compression, const Bytes& pixels)
{
    const auto colours = static_cast<std::uint32_t>(image.palette.size());
    const auto size = static_cast<std::uint32_t>(pixels.size());
    Bytes out = headers({image.width, image.height, 8, compression, colours, size});
    putPalette(out, image.palette);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

Bytes encodePalette8(const IndexedImage& image)
{
    Bytes pixels;
    for (auto row = image.rows.rbegin(); row != image.rows.rend(); ++row) {
        pixels.insert(pixels.end(), row->begin(), row->end());
        padRow(pixels, row->size());
    }
    return withPalette(image, kBiRgb, pixels);
}

// How many pixels from x on repeat the pixel at x, at most one encoded run.
std::size_t runLength(const std::vector<std::uint8_t>& row, std::size_t x)
{
    std::size_t n = 1;
    while (n < kLongestRun && x + n < row.size() && row[x + n] == row[x])
        ++n;
    return n;
}

// How many pixels from x on go into one absolute run: up to the next run worth
// encoding (three equal pixels) or the longest run.
std::size_t literalLength(const std::vector<std::uint8_t>& row, std::size_t x)
{
    std::size_t n = 0;
    while (n < kLongestRun && x + n < row.size() && runLength(row, x + n) < 3)
        ++n;
    return n;
}

// Absolute runs need three pixels or more (counts 1 and 2 after a zero are the
// end-of-bitmap and delta escapes); shorter ones go out as runs of one pixel.
void putLiteral(Bytes& out, const std::uint8_t* pixels, std::size_t n)
{
    if (n < 3) {
        for (std::size_t i = 0; i < n; ++i)
            out.insert(out.end(), {1, pixels[i]});
        return;
    }
    out.insert(out.end(), {0, static_cast<std::uint8_t>(n)});
    out.insert(out.end(), pixels, pixels + n);
    if (n % 2 != 0)
        out.push_back(0); // absolute runs end on a 16-bit boundary
}

void putRleRow(Bytes& out, const std::vector<std::uint8_t>& row)
{
    std::size_t x = 0;
    while (x < row.size()) {
        const std::size_t run = runLength(row, x);
        if (run >= 3) {
            out.insert(out.end(), {static_cast<std::uint8_t>(run), row[x]});
            x += run;
            continue;
        }
        const std::size_t literal = literalLength(row, x);
        putLiteral(out, row.data() + x, literal);
        x += literal;
    }
}

// Rows bottom-up, each closed by end-of-line, the last by end-of-bitmap.
Bytes encodeRle8(const IndexedImage& image)
{
    Bytes pixels;
    for (auto row = image.rows.rbegin(); row != image.rows.rend(); ++row) {
        putRleRow(pixels, *row);
        const bool last = std::next(row) == image.rows.rend();
        pixels.insert(pixels.end(), {0, static_cast<std::uint8_t>(last ? 1 : 0)});
    }
    return withPalette(image, kBiRle8, pixels);
}

Bytes encodeBmp(const QImage& image, BmpKind kind)
{
    switch (kind) {
    case BmpKind::Rgb24: {
        // The album's own writer, as a photo import uses it.
        const QByteArray bitmap = encodeBitmap24(image);
        return Bytes(bitmap.begin(), bitmap.end());
    }
    case BmpKind::Palette8:
        return encodePalette8(toIndexed(image));
    case BmpKind::Rle8:
        return encodeRle8(toIndexed(image));
    }
    throw std::logic_error("unknown bitmap kind");
}

void writeFile(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

// A written file must decode, through the album's own decoder, to exactly the
// picture drawn: this is what proves the writer above.
void checkDecodesAsDrawn(const fs::path& path, const QImage& image)
{
    CAnyPicDecoder decoder;
    CWinBmp bitmap;
    try {
        decoder.DecodeFile(path.string(), &bitmap, 32);
    } catch (const CTextException& e) {
        throw std::runtime_error(path.string() + ": " + e.GetText());
    }
    if (bitmap.GetWidth() != image.width() || bitmap.GetHeight() != image.height())
        throw std::runtime_error(path.string() + " decodes to another size");
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* line = bitmap.getLines()[y];
        for (int x = 0; x < image.width(); ++x) {
            const QRgb drawn = image.pixel(x, y);
            const std::uint8_t* decoded = line + 4 * x;
            if (decoded[0] != qBlue(drawn) || decoded[1] != qGreen(drawn) || decoded[2] != qRed(drawn))
                throw std::runtime_error(path.string() + " decodes to other pixels at " + std::to_string(x) + ", " +
                                         std::to_string(y));
        }
    }
}

// ---------------------------------------------------------------------------
// Drawing a tree. Everything is placed in a 100 x 100 box (y downwards) that is
// centred in the picture; the bench top lies at y = 92.

enum class Form { Upright, Cascade, Broom, Group, Banyan };
enum class Pot { Rectangle, Oval, Tall, Slab };

// What stays the same in every photo of one tree.
struct Shape {
    Form form = Form::Upright;
    Pot pot = Pot::Rectangle;
    double lean = 0;        // horizontal travel of the apex
    double curve = 0;       // depth of the trunk's S-curve
    double trunkWidth = 6;  // at the base
    double height = 55;     // from the soil to the apex
    int branches = 6;
    double spread = 1;      // length of the branches, relative to the height
    double potWidth = 50;
    QColor bark;
    QColor potColour;
    QColor shari = QColor(); // dead wood along the trunk; invalid for none
    unsigned seed = 1;
};

struct Foliage {
    QColor shadow, body, light;
    double clump = 2.2;     // radius of one leaf clump
};

// What changes from photo to photo: season, light and how far the crown has grown.
struct Look {
    Foliage foliage;
    QColor skyTop, skyBottom;
    double growth = 1;      // 1 for a full crown
    bool bare = false;      // winter: twigs instead of leaves
    QColor flowers;         // invalid for none
    double flowerDensity = 0;
};

struct Limb {
    QPointF from, to;
    double fromWidth, toWidth;
};

struct Pad {
    QPointF centre;
    double rx, ry;
    double side; // -1 left, 1 right, 0 top: where its twigs reach
};

struct Skeleton {
    std::vector<Limb> limbs;
    std::vector<Limb> aerialRoots;
    std::vector<Pad> pads;
    std::vector<std::vector<Limb>> trunks; // drawn with bark light and dead wood
};

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    double between(double low, double high) { return std::uniform_real_distribution<double>(low, high)(m_engine); }

    // A point spread evenly over an ellipse.
    QPointF inEllipse(QPointF centre, double rx, double ry)
    {
        const double r = std::sqrt(between(0, 1));
        const double angle = between(0, 2 * std::numbers::pi);
        return centre + QPointF(rx * r * std::cos(angle), ry * r * std::sin(angle));
    }

private:
    std::mt19937 m_engine;
};

QPointF soilPoint(const Shape& shape)
{
    switch (shape.pot) {
    case Pot::Tall:
        return {32, 61};
    case Pot::Slab:
        return {50, 87};
    default:
        return {50, 78};
    }
}

// The trunk as tapering pieces along a centre line.
std::vector<Limb> taper(const QPainterPath& centre, double baseWidth, double tipWidth, int pieces)
{
    std::vector<Limb> limbs;
    for (int i = 0; i < pieces; ++i) {
        const double t0 = double(i) / pieces;
        const double t1 = double(i + 1) / pieces;
        limbs.push_back({centre.pointAtPercent(t0), centre.pointAtPercent(t1), baseWidth + (tipWidth - baseWidth) * t0,
                         baseWidth + (tipWidth - baseWidth) * t1});
    }
    return limbs;
}

QPainterPath sCurve(QPointF base, double lean, double curve, double height)
{
    QPainterPath path(base);
    path.cubicTo(base + QPointF(curve, -height / 3), base + QPointF(lean - curve, -2 * height / 3),
                 base + QPointF(lean, -height));
    return path;
}

// Surface roots spreading from the foot of the trunk.
void addRoots(Skeleton& tree, QPointF base, double width)
{
    for (const double side : {-1.0, 1.0})
        tree.limbs.push_back({base + QPointF(0, -1), base + QPointF(side * width * 1.4, 0.5), width * 0.6, 0.6});
}

// Branches alternating left and right up the trunk, a pad at each end, and the apex.
void addBranches(Skeleton& tree, const QPainterPath& trunk, const Shape& shape, Random& random, double firstAt = 0.3)
{
    double side = shape.seed % 2 == 0 ? 1 : -1;
    for (int b = 0; b < shape.branches; ++b) {
        const double t = firstAt + (0.92 - firstAt) * b / shape.branches;
        const QPointF start = trunk.pointAtPercent(t);
        const double length = shape.spread * shape.height * (0.55 - 0.4 * t) + random.between(-2, 3);
        const QPointF end = start + QPointF(side * length, -length * random.between(0.05, 0.3));
        const double width = shape.trunkWidth * (1 - 0.8 * t) * 0.5;
        tree.limbs.push_back({start, end, width, 0.7});
        const double rx = length * 0.5 + 4;
        tree.pads.push_back({end + QPointF(-side * rx * 0.3, -1.5), rx, rx * 0.42, side});
        side = -side;
    }
    const QPointF apex = trunk.pointAtPercent(1);
    tree.pads.push_back({apex + QPointF(0, 1), shape.height * 0.2, shape.height * 0.13, 0});
}

Skeleton upright(const Shape& shape, Random& random)
{
    Skeleton tree;
    const QPointF base = soilPoint(shape);
    const QPainterPath trunk = sCurve(base + QPointF(0, 1), shape.lean, shape.curve, shape.height + 1);
    tree.trunks.push_back(taper(trunk, shape.trunkWidth, shape.trunkWidth * 0.2, 14));
    addRoots(tree, base, shape.trunkWidth);
    addBranches(tree, trunk, shape, random);
    return tree;
}

// Rises from a tall pot, turns over the rim and falls below the pot's foot.
Skeleton cascade(const Shape& shape, Random& random)
{
    Skeleton tree;
    const QPointF base = soilPoint(shape);
    QPainterPath trunk(base + QPointF(0, 1));
    trunk.cubicTo(base + QPointF(-4, -18), base + QPointF(28, -26), base + QPointF(38, -8));
    trunk.cubicTo(base + QPointF(46, 6), base + QPointF(40, 22), base + QPointF(shape.lean, shape.height));
    tree.trunks.push_back(taper(trunk, shape.trunkWidth, 1.5, 20));
    tree.pads.push_back({base + QPointF(8, -21), 12, 7, 0});
    double side = -1;
    for (int b = 0; b < shape.branches; ++b) {
        const double t = 0.45 + 0.55 * b / shape.branches;
        const QPointF at = trunk.pointAtPercent(t);
        const double rx = 13 - 5 * t + random.between(-1, 1);
        tree.pads.push_back({at + QPointF(side * rx * 0.6, random.between(0, 2)), rx, rx * 0.5, side});
        side = -side;
    }
    tree.pads.push_back({trunk.pointAtPercent(1) + QPointF(0, -1), 6, 4, 0});
    return tree;
}

// A straight trunk that divides into a fan of branches under a dome.
Skeleton broom(const Shape& shape, Random& random)
{
    Skeleton tree;
    const QPointF base = soilPoint(shape);
    const QPointF fork = base - QPointF(0, shape.height * 0.38);
    QPainterPath trunk(base + QPointF(0, 1));
    trunk.lineTo(fork);
    tree.trunks.push_back(taper(trunk, shape.trunkWidth, shape.trunkWidth * 0.7, 4));
    addRoots(tree, base, shape.trunkWidth);
    for (int b = 0; b < shape.branches; ++b) {
        const double angle = (-62 + 124.0 * b / (shape.branches - 1) + random.between(-5, 5)) * std::numbers::pi / 180;
        const double length = shape.height * 0.36;
        const QPointF end = fork + QPointF(std::sin(angle) * length, -std::cos(angle) * length);
        tree.limbs.push_back({fork, end, shape.trunkWidth * 0.4, 1.2});
        for (const double turn : {-0.35, 0.35}) {
            const double twig = angle + turn;
            const QPointF tip = end + QPointF(std::sin(twig), -std::cos(twig)) * length * 0.45;
            tree.limbs.push_back({end, tip, 1.2, 0.6});
            tree.pads.push_back({tip, 8, 6, std::sin(twig) > 0.3 ? 1.0 : (std::sin(twig) < -0.3 ? -1.0 : 0.0)});
        }
    }
    tree.pads.push_back({fork - QPointF(0, shape.height * 0.42), shape.height * 0.38, shape.height * 0.2, 0});
    return tree;
}

// Trees of several heights on one slab, the tallest and thickest a little left of centre.
Skeleton group(const Shape& shape, Random& random)
{
    Skeleton tree;
    const double positions[] = {40, 30, 52, 22, 62, 71, 80};
    const double sizes[] = {1.0, 0.8, 0.75, 0.6, 0.62, 0.5, 0.42};
    for (int i = 0; i < 7; ++i) {
        const QPointF base(positions[i], soilPoint(shape).y());
        const double height = shape.height * sizes[i];
        const double lean = (positions[i] - 40) * 0.18;
        const QPainterPath trunk = sCurve(base + QPointF(0, 1), lean, random.between(-1, 1), height + 1);
        tree.trunks.push_back(taper(trunk, shape.trunkWidth * sizes[i], 0.6, 8));
        Shape crown = shape;
        crown.height = height * 0.5;
        crown.branches = 3;
        crown.trunkWidth = shape.trunkWidth * sizes[i];
        crown.seed = shape.seed + static_cast<unsigned>(i);
        addBranches(tree, trunk, crown, random, 0.5);
    }
    return tree;
}

// A thick flaring trunk with a wide crown and roots hanging from the branches.
Skeleton banyan(const Shape& shape, Random& random)
{
    Skeleton tree = upright(shape, random);
    for (std::size_t i = 0; i + 1 < tree.limbs.size() && tree.aerialRoots.size() < 3; ++i) {
        const Limb& limb = tree.limbs[i];
        const QPointF from = (limb.from + limb.to * 2) / 3;
        if (std::abs(from.x() - 50) < 22 && from.y() < 70)
            tree.aerialRoots.push_back({from, QPointF(from.x() + random.between(-1, 1), 78), 0.8, 2.2});
    }
    return tree;
}

Skeleton buildSkeleton(const Shape& shape, Random& random)
{
    switch (shape.form) {
    case Form::Cascade:
        return cascade(shape, random);
    case Form::Broom:
        return broom(shape, random);
    case Form::Group:
        return group(shape, random);
    case Form::Banyan:
        return banyan(shape, random);
    case Form::Upright:
        break;
    }
    return upright(shape, random);
}

// The picture's own coordinates for the 100 x 100 box.
QTransform boxTransform(QSize size)
{
    const double scale = std::min(size.width(), size.height()) / 100.0;
    QTransform transform;
    transform.translate((size.width() - 100 * scale) / 2, (size.height() - 100 * scale) / 2);
    transform.scale(scale, scale);
    return transform;
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// A smooth sky for true-colour pictures, a few bands for palette ones.
void drawSky(QPainter& p, QSize size, const Look& look, bool smooth)
{
    if (smooth) {
        QLinearGradient gradient(0, 0, 0, size.height());
        gradient.setColorAt(0, look.skyTop);
        gradient.setColorAt(1, look.skyBottom);
        p.fillRect(QRect(QPoint(0, 0), size), gradient);
        return;
    }
    constexpr int kBands = 10;
    for (int band = 0; band < kBands; ++band) {
        const int top = size.height() * band / kBands;
        const int bottom = size.height() * (band + 1) / kBands;
        p.fillRect(QRect(0, top, size.width(), bottom - top), mix(look.skyTop, look.skyBottom, band / (kBands - 1.0)));
    }
}

// The bench, or for a cascade the stand that lets it fall free.
void drawSupport(QPainter& p, const Shape& shape, QSize size, const QTransform& box)
{
    p.setPen(Qt::NoPen);
    if (shape.pot == Pot::Tall) {
        p.setTransform(box);
        p.setBrush(QColor(70, 45, 30));
        p.drawRect(QRectF(14, 88, 36, 4));
        p.drawRect(QRectF(17, 92, 4, 12));
        p.drawRect(QRectF(43, 92, 4, 12));
        return;
    }
    const int top = qRound(box.map(QPointF(0, 92)).y());
    p.setTransform(QTransform());
    p.fillRect(QRect(0, top, size.width(), size.height() - top), QColor(150, 110, 72));
    p.fillRect(QRect(0, top, size.width(), 2), QColor(178, 138, 95));
    p.fillRect(QRect(0, top + (size.height() - top) / 2, size.width(), size.height()), QColor(118, 84, 55));
    p.setTransform(box);
    p.setBrush(QColor(112, 80, 52));
    p.drawEllipse(QPointF(soilPoint(shape).x(), 92), shape.potWidth * 0.55, 1.6);
}

void drawSoil(QPainter& p, const Shape& shape)
{
    const QPointF soil = soilPoint(shape);
    const double width = shape.pot == Pot::Tall ? 24 : (shape.pot == Pot::Slab ? 76 : shape.potWidth - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(shape.pot == Pot::Slab ? QColor(70, 110, 45) : QColor(72, 55, 40));
    p.drawEllipse(soil, width / 2, shape.pot == Pot::Slab ? 3 : 1.8);
}

void drawPot(QPainter& p, const Shape& shape)
{
    const QPointF soil = soilPoint(shape);
    const double x = soil.x();
    const QColor rim = shape.potColour.lighter(125);
    const QColor foot = shape.potColour.darker(140);
    p.setPen(Qt::NoPen);
    switch (shape.pot) {
    case Pot::Rectangle: {
        const double half = shape.potWidth / 2;
        p.setBrush(foot);
        p.drawRect(QRectF(x - half + 3, 89, 6, 3));
        p.drawRect(QRectF(x + half - 9, 89, 6, 3));
        p.setBrush(shape.potColour);
        p.drawPolygon(QPolygonF({QPointF(x - half, 80), QPointF(x + half, 80), QPointF(x + half - 2, 90),
                                 QPointF(x - half + 2, 90)}));
        p.setBrush(rim);
        p.drawRect(QRectF(x - half - 1, 78, shape.potWidth + 2, 2.5));
        break;
    }
    case Pot::Oval: {
        const double half = shape.potWidth / 2;
        p.setBrush(foot);
        p.drawRect(QRectF(x - half * 0.6, 89, 5, 3));
        p.drawRect(QRectF(x + half * 0.6 - 5, 89, 5, 3));
        QPainterPath bowl(QPointF(x - half, 79));
        bowl.cubicTo(QPointF(x - half, 88), QPointF(x - half * 0.7, 90.5), QPointF(x, 90.5));
        bowl.cubicTo(QPointF(x + half * 0.7, 90.5), QPointF(x + half, 88), QPointF(x + half, 79));
        bowl.closeSubpath();
        p.setBrush(shape.potColour);
        p.drawPath(bowl);
        p.setBrush(rim);
        p.drawRect(QRectF(x - half - 0.5, 78, shape.potWidth + 1, 2));
        break;
    }
    case Pot::Tall:
        p.setBrush(shape.potColour);
        p.drawRect(QRectF(x - 13, 63, 26, 24));
        p.setBrush(rim);
        p.drawRect(QRectF(x - 14, 61, 28, 3));
        p.setBrush(foot);
        p.drawRect(QRectF(x - 12, 87, 24, 1.5));
        break;
    case Pot::Slab:
        p.setBrush(shape.potColour);
        p.drawRect(QRectF(8, 88, 84, 4));
        p.setBrush(rim);
        p.drawRect(QRectF(8, 88, 84, 1));
        break;
    }
}

void drawLimb(QPainter& p, const Limb& limb, const QColor& colour, double scale = 1)
{
    p.setPen(QPen(colour, std::max(0.5, scale * (limb.fromWidth + limb.toWidth) / 2), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(limb.from, limb.to);
}

// The trunk in its bark colour, lit from the left, with its dead wood.
void drawTrunk(QPainter& p, const std::vector<Limb>& trunk, const Shape& shape)
{
    for (const Limb& limb : trunk)
        drawLimb(p, limb, shape.bark);
    for (const Limb& limb : trunk) {
        const QPointF left(-limb.fromWidth * 0.2, 0);
        drawLimb(p, {limb.from + left, limb.to + left, limb.fromWidth, limb.toWidth}, shape.bark.lighter(130), 0.35);
    }
    if (!shape.shari.isValid())
        return;
    for (std::size_t i = 0; i < trunk.size() * 3 / 4; ++i) {
        const Limb& limb = trunk[i];
        const QPointF right(limb.fromWidth * 0.15, 0);
        drawLimb(p, {limb.from + right, limb.to + right, limb.fromWidth, limb.toWidth}, shape.shari, 0.3);
    }
}

void drawWood(QPainter& p, const Skeleton& tree, const Shape& shape)
{
    for (const Limb& root : tree.aerialRoots)
        drawLimb(p, root, shape.bark.darker(115));
    for (const Limb& limb : tree.limbs)
        drawLimb(p, limb, shape.bark);
    for (const auto& trunk : tree.trunks)
        drawTrunk(p, trunk, shape);
}

void drawClumps(QPainter& p, const Pad& pad, QPointF shift, double spread, const QColor& colour, double radius,
                int count, Random& random)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int i = 0; i < count; ++i) {
        const QPointF at = random.inEllipse(pad.centre + shift, pad.rx * spread, pad.ry * spread);
        const double r = radius * random.between(0.7, 1.2);
        p.drawEllipse(at, r, r * 0.8);
    }
}

// A pad of leaves: a shadow below, the body, and light on its upper left.
void drawPad(QPainter& p, const Pad& pad, const Look& look, Random& random)
{
    const Foliage& f = look.foliage;
    const int count = static_cast<int>(pad.rx * pad.ry * 3.0 / (f.clump * f.clump)) + 4;
    drawClumps(p, pad, QPointF(0, pad.ry * 0.25), 0.95, f.shadow, f.clump, count, random);
    drawClumps(p, pad, QPointF(0, -pad.ry * 0.05), 0.85, f.body, f.clump, count, random);
    drawClumps(p, pad, QPointF(-pad.rx * 0.2, -pad.ry * 0.35), 0.55, f.light, f.clump * 0.8, count / 2, random);
    if (look.flowers.isValid()) {
        const int flowers = static_cast<int>(count * look.flowerDensity);
        drawClumps(p, pad, QPointF(0, -pad.ry * 0.1), 0.85, look.flowers, f.clump * 0.6, flowers, random);
        drawClumps(p, pad, QPointF(-pad.rx * 0.1, -pad.ry * 0.3), 0.6, look.flowers.lighter(125), f.clump * 0.35,
                   flowers / 3, random);
    }
}

// Fine twigs forking out of a pad's branch end: the winter image.
void drawTwig(QPainter& p, QPointF from, double angle, double length, int depth, const QColor& colour, Random& random)
{
    const QPointF to = from + QPointF(std::sin(angle), -std::cos(angle)) * length;
    p.setPen(QPen(colour, 0.25 + 0.2 * depth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    if (depth == 0)
        return;
    for (const double turn : {-0.45, 0.4})
        drawTwig(p, to, angle + turn + random.between(-0.15, 0.15), length * 0.68, depth - 1, colour, random);
}

void drawBarePad(QPainter& p, const Pad& pad, const Shape& shape, Random& random)
{
    const double towards = pad.side * 0.9;
    const QPointF start = pad.centre + QPointF(pad.side * pad.rx * 0.3, 1.5);
    for (const double spread : {-0.5, 0.0, 0.5})
        drawTwig(p, start, towards + spread, pad.rx * 0.45, 3, shape.bark.lighter(115), random);
}

// The pad grown to the photo's stage: younger crowns are smaller.
Pad grown(const Pad& pad, double growth)
{
    return {pad.centre, pad.rx * growth, pad.ry * growth, pad.side};
}

void drawCrown(QPainter& p, const Skeleton& tree, const Shape& shape, const Look& look, Random& random)
{
    for (const Pad& pad : tree.pads) {
        if (look.bare)
            drawBarePad(p, grown(pad, look.growth), shape, random);
        else
            drawPad(p, grown(pad, look.growth), look, random);
    }
}

QImage drawTree(QSize size, const Shape& shape, const Look& look, bool smooth)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, smooth);
    const QTransform box = boxTransform(size);
    drawSky(p, size, look, smooth);
    drawSupport(p, shape, size, box);
    p.setTransform(box);
    Random random(shape.seed);
    const Skeleton tree = buildSkeleton(shape, random);
    drawSoil(p, shape);
    drawWood(p, tree, shape);
    drawPot(p, shape);
    drawCrown(p, tree, shape, look, random);
    p.end();
    return image;
}

// ---------------------------------------------------------------------------
// The sample collection.

struct Picture {
    const char* file;
    int width;
    int height;
    BmpKind kind;
};

struct Photo {
    Picture picture;
    Look look;
    const char* description;
};

struct FieldText {
    CBonsaiData::Field field;
    const char* text;
};

// A photo of the tree's timeline: a larger picture, as a camera takes it, of the tree
// as it stood that day, with the grower's words and what was measured.
struct TimelineShot {
    const char* date; // the day it was taken, "2024-04-12"
    Look look;
    double size;      // its height and trunk then, relative to the shape's
    const char* text;
    std::vector<talvane::journal::Measurement> measurements;
};

constexpr QSize kTimelinePhotoSize(1200, 900);
constexpr int kTimelineJpegQuality = 80;

struct SampleTree {
    const char* name;
    const char* botanicalName;
    Shape shape;
    std::vector<Photo> photos;
    std::vector<FieldText> texts;
    const char* treeId = ""; // field 113; empty for a tree that has none yet
    std::vector<TimelineShot> timeline = {};
};

constexpr std::size_t kNameLimit = 50;
constexpr std::size_t kShortFieldLimit = 30;
constexpr CBonsaiData::Field kShortFields[] = {
    CBonsaiData::PurchaseAge,   CBonsaiData::PurchaseDate,        CBonsaiData::PurchaseTrunkDiameter,
    CBonsaiData::PurchaseStyle, CBonsaiData::PurchaseTrunkHeight, CBonsaiData::Source,
    CBonsaiData::PricePaid,     CBonsaiData::ShapingAge,          CBonsaiData::ShapingDate,
    CBonsaiData::ShapingStyle,  CBonsaiData::ShapingTrunkHeight,
};

// Colours of the seasons.
const Foliage kMapleSummer{QColor(52, 105, 38), QColor(84, 142, 52), QColor(140, 186, 82), 2.0};
const Foliage kMapleAutumn{QColor(118, 22, 20), QColor(188, 40, 28), QColor(232, 96, 48), 2.0};
const Foliage kPineNeedles{QColor(22, 58, 32), QColor(36, 88, 46), QColor(74, 124, 64), 2.4};
const Foliage kJuniper{QColor(36, 80, 58), QColor(58, 112, 78), QColor(104, 150, 98), 2.0};
const Foliage kElmSummer{QColor(42, 92, 34), QColor(70, 128, 44), QColor(118, 168, 70), 1.6};
const Foliage kAzalea{QColor(34, 68, 30), QColor(54, 98, 40), QColor(86, 130, 56), 1.8};
const Foliage kFicus{QColor(24, 78, 30), QColor(40, 114, 40), QColor(84, 156, 62), 2.6};
const Foliage kOlive{QColor(84, 104, 80), QColor(122, 142, 106), QColor(170, 184, 148), 1.7};
const Foliage kZelkovaSummer{QColor(48, 98, 40), QColor(78, 136, 50), QColor(128, 176, 80), 1.6};
const Foliage kZelkovaAutumn{QColor(140, 70, 30), QColor(196, 112, 42), QColor(228, 164, 70), 1.6};
const Foliage kLarchSpring{QColor(86, 140, 58), QColor(128, 184, 80), QColor(180, 220, 120), 1.9};
const Foliage kLarchAutumn{QColor(170, 120, 30), QColor(214, 164, 44), QColor(240, 206, 96), 1.9};
const Foliage kJade{QColor(112, 74, 58), QColor(66, 136, 78), QColor(120, 178, 108), 3.2};
const Foliage kMapleSpring{QColor(132, 28, 44), QColor(196, 58, 72), QColor(236, 118, 112), 2.0};
const Foliage kMapleTurning{QColor(96, 96, 36), QColor(178, 124, 44), QColor(226, 170, 78), 2.0};
const Foliage kJuniperWinter{QColor(56, 70, 48), QColor(94, 104, 64), QColor(140, 142, 92), 2.0};
const QColor kPineCandles(206, 210, 154);
const QColor kSnow(246, 248, 252);

// Skies and walls.
const QColor kBlueTop(138, 180, 226), kBlueBottom(222, 234, 246);
const QColor kGreyTop(160, 166, 178), kGreyBottom(218, 220, 226);
const QColor kEveningTop(232, 184, 132), kEveningBottom(250, 232, 204);
const QColor kWallTop(230, 220, 198), kWallBottom(208, 196, 174);

Look seasonLook(const Foliage& foliage, QColor top, QColor bottom, double growth = 1)
{
    return {foliage, top, bottom, growth, false, QColor(), 0};
}

Look winterLook(QColor top, QColor bottom, double growth = 1)
{
    return {kMapleSummer, top, bottom, growth, true, QColor(), 0};
}

Look flowerLook(const Foliage& foliage, QColor top, QColor bottom, QColor flowers, double density, double growth = 1)
{
    return {foliage, top, bottom, growth, false, flowers, density};
}

using talvane::journal::LengthUnit;
using talvane::journal::MeasureKind;
using talvane::journal::Measurement;

Measurement cm(MeasureKind kind, const char* amount)
{
    return {kind, amount, LengthUnit::Centimetre};
}

Measurement mm(MeasureKind kind, const char* amount)
{
    return {kind, amount, LengthUnit::Millimetre};
}

// Identifiers fixed once, so that the sample is the same file every time it is made.
constexpr const char* kMomijiId = "3f6c2a1e-8b4d-4c7a-9e21-5d0b7f3a9c64";
constexpr const char* kBlackPineId = "a71e9d42-06c5-4f1b-b8e3-2c9d4e5f6a70";
constexpr const char* kJuniperId = "5b2f8c19-d3a6-47e0-8f15-9a6c3e2d1b48";

// Red new leaves in April, green in summer, scarlet at the end of October, bare in
// winter; the crown fills out year by year.
std::vector<TimelineShot> momijiTimeline()
{
    using enum MeasureKind;
    return {
        {"2022-01-16", winterLook(kGreyTop, kGreyBottom, 0.8), 0.86,
         "Bare since early December: the new branch structure shows well.",
         {cm(Height, "38"), cm(Trunk, "3.5"), cm(Nebari, "6"), cm(Canopy, "34")}},
        {"2022-04-18", seasonLook(kMapleSpring, kBlueTop, kBlueBottom, 0.8), 0.86, "The Deshojo red of the new leaves.", {}},
        {"2022-11-06", seasonLook(kMapleAutumn, kEveningTop, kEveningBottom, 0.84), 0.88,
         "Scarlet again, a week later than last year.", {}},
        {"2023-04-21", seasonLook(kMapleSpring, kBlueTop, kBlueBottom, 0.88), 0.9, "First flush; central buds pinched.",
         {cm(Height, "40"), cm(Trunk, "3.7"), cm(Canopy, "38")}},
        {"2023-07-09", seasonLook(kMapleSummer, kBlueTop, kBlueBottom, 0.84), 0.9,
         "Two weeks after the partial leaf pruning: light reaches inside.", {}},
        {"2024-01-20", winterLook(kGreyTop, kGreyBottom, 0.92), 0.93, "Winter silhouette: finer twigs at the branch ends.",
         {cm(Height, "41.5"), cm(Trunk, "3.9"), cm(Nebari, "6.5"), cm(Canopy, "42")}},
        {"2024-10-27", seasonLook(kMapleAutumn, kEveningTop, kEveningBottom, 0.97), 0.95, "The best colour so far.", {}},
        {"2025-04-19", seasonLook(kMapleSpring, kBlueTop, kBlueBottom, 0.97), 0.97,
         "Repotted in March; it flushed strongly all the same.", {cm(Height, "43"), cm(Trunk, "4.1"), cm(Canopy, "45")}},
        {"2025-10-29", seasonLook(kMapleAutumn, kEveningTop, kEveningBottom, 1.0), 0.98,
         "Autumn colour, the crown nearly full.", {}},
        {"2026-07-04", seasonLook(kMapleSummer, kBlueTop, kBlueBottom, 1.03), 1.0,
         "Full summer crown; the shade cloth is up for the afternoons.", {}},
        {"2026-10-17", seasonLook(kMapleTurning, kEveningTop, kEveningBottom, 1.05), 1.0,
         "The first leaves turn orange at the tips.", {}},
        {"2026-10-31", seasonLook(kMapleAutumn, kEveningTop, kEveningBottom, 1.05), 1.0,
         "Scarlet at the end of October, as every year.",
         {cm(Height, "44.5"), cm(Trunk, "4.3"), cm(Nebari, "7"), cm(Canopy, "48")}},
    };
}

// Evergreen: candles in spring, snow on the pads some winters, and pads that fill in.
std::vector<TimelineShot> blackPineTimeline()
{
    using enum MeasureKind;
    return {
        {"2022-02-12", flowerLook(kPineNeedles, kGreyTop, kGreyBottom, kSnow, 0.5, 0.78), 0.9,
         "Snow on the pads; the wire on the trunk is still on.",
         {cm(Height, "45"), cm(Trunk, "4.4"), cm(Nebari, "7"), cm(Canopy, "40")}},
        {"2022-05-08", flowerLook(kPineNeedles, kBlueTop, kBlueBottom, kPineCandles, 0.3, 0.8), 0.9,
         "Candles running after the repotting in April.", {}},
        {"2022-09-18", seasonLook(kPineNeedles, kBlueTop, kBlueBottom, 0.82), 0.92,
         "The second flush has hardened after decandling.", {}},
        {"2023-05-14", flowerLook(kPineNeedles, kBlueTop, kBlueBottom, kPineCandles, 0.35, 0.86), 0.93,
         "Strong candles at the top, weak ones below.", {cm(Height, "46"), cm(Trunk, "4.7"), cm(Canopy, "43")}},
        {"2023-11-19", seasonLook(kPineNeedles, kEveningTop, kEveningBottom, 0.88), 0.94,
         "Needles plucked; the sacrifice branch is gone.", {}},
        {"2024-07-06", seasonLook(kPineNeedles, kBlueTop, kBlueBottom, 0.9), 0.95,
         "Decandled the strong shoots today, the weak ones next week.",
         {cm(Height, "46.5"), cm(Trunk, "5"), cm(Nebari, "7.5"), cm(Canopy, "46")}},
        {"2025-01-25", flowerLook(kPineNeedles, kGreyTop, kGreyBottom, kSnow, 0.6, 0.94), 0.97,
         "Under snow at -6 °C; the apex was rewired in December.", {}},
        {"2025-10-12", seasonLook(kPineNeedles, kEveningTop, kEveningBottom, 0.97), 0.98, "The pads are filling in well.",
         {cm(Height, "47.5"), cm(Trunk, "5.3"), cm(Canopy, "49")}},
        {"2026-05-10", flowerLook(kPineNeedles, kBlueTop, kBlueBottom, kPineCandles, 0.4, 1.0), 1.0,
         "Candles everywhere; left to run before decandling.", {}},
        {"2026-10-18", seasonLook(kPineNeedles, kEveningTop, kEveningBottom, 1.02), 1.0, "Autumn needle plucking done.",
         {cm(Height, "48"), cm(Trunk, "5.5"), cm(Nebari, "8"), cm(Canopy, "51")}},
    };
}

// Bronze in the cold, fresh green in spring; the fall grows longer year by year. The
// trunk is measured in millimetres with a caliper.
std::vector<TimelineShot> juniperTimeline()
{
    using enum MeasureKind;
    return {
        {"2022-03-27", seasonLook(kJuniper, kBlueTop, kBlueBottom, 0.82), 0.86,
         "Thinned before the spring growth; the shari is dry and white.", {mm(Trunk, "31"), cm(Canopy, "52")}},
        {"2022-08-14", seasonLook(kJuniper, kBlueTop, kBlueBottom, 0.85), 0.87, "Lime sulphur on the shari.", {}},
        {"2023-01-08", seasonLook(kJuniperWinter, kGreyTop, kGreyBottom, 0.86), 0.88, "Bronze winter colour, as every January.",
         {}},
        {"2023-06-18", seasonLook(kJuniper, kEveningTop, kEveningBottom, 0.9), 0.92,
         "Pads refined with scissors; the fall is 10 cm longer.", {mm(Trunk, "32"), cm(Canopy, "58")}},
        {"2023-12-10", seasonLook(kJuniperWinter, kGreyTop, kGreyBottom, 0.92), 0.93,
         "First frost: moved under the bench shelter.", {}},
        {"2024-05-26", seasonLook(kJuniper, kBlueTop, kBlueBottom, 0.95), 0.95, "Fresh growth all along the fall.",
         {mm(Trunk, "33"), cm(Canopy, "61")}},
        {"2025-02-16", seasonLook(kJuniperWinter, kGreyTop, kGreyBottom, 0.96), 0.96, "Still bronze; the buds are swelling.",
         {}},
        {"2025-06-22", seasonLook(kJuniper, kBlueTop, kBlueBottom, 0.97), 0.97, "Scissor pruning: the pads open again.", {}},
        {"2025-09-07", seasonLook(kJuniper, kEveningTop, kEveningBottom, 0.98), 0.98, "Inner growth thinned before winter.",
         {mm(Trunk, "35"), cm(Canopy, "64")}},
        {"2026-06-21", seasonLook(kJuniper, kBlueTop, kBlueBottom, 1.0), 1.0, "The longest fall so far.",
         {mm(Trunk, "36"), cm(Canopy, "66")}},
    };
}

std::vector<SampleTree> sampleTrees()
{
    return {
        {"Momiji",
         "Acer palmatum",
         {.form = Form::Upright, .pot = Pot::Oval, .lean = 6, .curve = 7, .trunkWidth = 7, .height = 56,
          .branches = 6, .potWidth = 52, .bark = QColor(96, 86, 72), .potColour = QColor(118, 72, 46), .seed = 11},
         {{{"momiji_summer.bmp", 240, 200, BmpKind::Rgb24}, seasonLook(kMapleSummer, kBlueTop, kBlueBottom),
           "Summer foliage, July 2023"},
          {{"momiji_autumn.bmp", 250, 210, BmpKind::Rle8}, seasonLook(kMapleAutumn, kEveningTop, kEveningBottom),
           "Autumn colour, November 2023"},
          {{"momiji_winter.bmp", 220, 200, BmpKind::Palette8}, winterLook(kGreyTop, kGreyBottom),
           "Winter silhouette, Jan 2024"}},
         {{CBonsaiData::CommonName, "Momiji"},
          {CBonsaiData::Species, "palmatum"},
          {CBonsaiData::Cultivar, "Deshojo"},
          {CBonsaiData::PlantNotes,
           "Bright red new leaves in April, green in summer, scarlet again at the end of October.\n"
           "Bought as a straight nursery tree: all the movement in the trunk was wired in."},
          {CBonsaiData::PurchaseDate, "12 March 2016"},
          {CBonsaiData::PurchaseAge, "8 years"},
          {CBonsaiData::PricePaid, "85 €"},
          {CBonsaiData::Source, "Nursery"},
          {CBonsaiData::PurchaseStyle, "Formal upright (Chokkan)"},
          {CBonsaiData::PurchaseTrunkDiameter, "2.5 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "52 cm"},
          {CBonsaiData::ShapingDate, "May 2019"},
          {CBonsaiData::ShapingAge, "11 years"},
          {CBonsaiData::ShapingStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::ShapingTrunkDiameter, "3.5 cm at the base"},
          {CBonsaiData::ShapingTrunkHeight, "38 cm"},
          {CBonsaiData::History,
           "2016: trunk cut back to 40 cm as the buds opened, a new leader chosen.\n"
           "2017: first wiring of the trunk and main branches; wire off in September.\n"
           "2019: first styling as an informal upright, branches selected.\n"
           "2021: repotted into the brown oval Tokoname pot.\n"
           "2023: partial leaf pruning in June to refine the crown."},
          {CBonsaiData::Repotting, "March 2023, next in 2025"},
          {CBonsaiData::Fertilization, "Organic pellets, April to September"},
          {CBonsaiData::Pruning, "June: shoots back to two leaves"},
          {CBonsaiData::Defoliation, "Partial, June 2023"},
          {CBonsaiData::Pinching, "Central buds in April"},
          {CBonsaiData::Insecticide, "Aphids in May 2024: soap spray"},
          {CBonsaiData::MaintenanceNotes,
           "Keep it out of the afternoon sun in July and August: the leaf tips burn.\n"
           "The leaves stay small when it is fed lightly in spring."},
          {CBonsaiData::ToDo,
           "- Take the wire off the second left branch before it bites (July)\n"
           "- Repot in March 2025, akadama 70 / pumice 30\n"
           "- Choose a new apex bud"},
          {CBonsaiData::MinTemperature, "-10 °C"},
          {CBonsaiData::PH, "6.0"}},
         kMomijiId,
         momijiTimeline()},
        {"Black pine no. 3",
         "Pinus thunbergii",
         {.form = Form::Upright, .pot = Pot::Rectangle, .lean = -5, .curve = 6, .trunkWidth = 8, .height = 58,
          .branches = 5, .potWidth = 54, .bark = QColor(74, 62, 56), .potColour = QColor(104, 106, 112), .seed = 23},
         {{{"pine_2019.bmp", 230, 230, BmpKind::Rgb24}, seasonLook(kPineNeedles, kBlueTop, kBlueBottom, 0.7),
           "After first styling, 2019"},
          {{"pine_2024.bmp", 250, 220, BmpKind::Rle8}, seasonLook(kPineNeedles, kGreyTop, kGreyBottom),
           "Pads filling in, autumn 2024"}},
         {{CBonsaiData::CommonName, "Kuromatsu"},
          {CBonsaiData::Species, "thunbergii"},
          {CBonsaiData::PlantNotes,
           "Grown from seed collected under the club's old black pine in 2009.\n"
           "A strong grower: the needles are kept short by decandling."},
          {CBonsaiData::PurchaseDate, "Spring 2010"},
          {CBonsaiData::PurchaseAge, "1 year"},
          {CBonsaiData::PricePaid, "0 € (own seed)"},
          {CBonsaiData::Source, "Seeds"},
          {CBonsaiData::PurchaseStyle, "Formal upright (Chokkan)"},
          {CBonsaiData::PurchaseTrunkDiameter, "0.5 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "15 cm"},
          {CBonsaiData::ShapingDate, "November 2018"},
          {CBonsaiData::ShapingAge, "10 years"},
          {CBonsaiData::ShapingStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::ShapingTrunkDiameter, "4 cm"},
          {CBonsaiData::ShapingTrunkHeight, "45 cm"},
          {CBonsaiData::History,
           "2010: seedling potted up, the tap root cut under the first needles.\n"
           "2012-2016: grown in the ground to thicken the trunk.\n"
           "2017: lifted; the sacrifice branches cut back.\n"
           "2018: first styling, heavy wiring of the trunk.\n"
           "2022: moved into a grey rectangular pot."},
          {CBonsaiData::Repotting, "April 2022"},
          {CBonsaiData::Fertilization, "Heavy: organic cakes, April to October"},
          {CBonsaiData::Pruning, "Decandling in early July"},
          {CBonsaiData::Defoliation, "Not for pines"},
          {CBonsaiData::Pinching, "Needle plucking in autumn"},
          {CBonsaiData::Insecticide, "None needed so far"},
          {CBonsaiData::MaintenanceNotes,
           "Decandle the strong shoots in early July, the weak ones a week later.\n"
           "Leave about ten pairs of needles on the strong shoots in autumn."},
          {CBonsaiData::ToDo,
           "- Cut off the sacrifice branch on the right in November\n"
           "- Rewire the apex in winter\n"
           "- Needle plucking in October"},
          {CBonsaiData::MinTemperature, "-10 °C"},
          {CBonsaiData::PH, "6.0"}},
         kBlackPineId,
         blackPineTimeline()},
        {"Cascade juniper",
         "Juniperus procumbens 'Nana'",
         {.form = Form::Cascade, .pot = Pot::Tall, .lean = 52, .curve = 0, .trunkWidth = 8, .height = 34,
          .branches = 8, .potWidth = 26, .bark = QColor(112, 70, 52), .potColour = QColor(52, 84, 120),
          .shari = QColor(214, 210, 198), .seed = 37},
         {{{"juniper_2017.bmp", 200, 230, BmpKind::Palette8}, seasonLook(kJuniper, kBlueTop, kBlueBottom, 0.75),
           "First cascade styling, 2017"},
          {{"juniper_2023.bmp", 230, 240, BmpKind::Rgb24}, seasonLook(kJuniper, kEveningTop, kEveningBottom),
           "Refined pads, summer 2023"},
          {{"juniper_shari.bmp", 210, 220, BmpKind::Rle8}, seasonLook(kJuniper, kGreyTop, kGreyBottom, 0.9),
           "Shari after lime sulphur"}},
         {{CBonsaiData::CommonName, "Procumbens juniper"},
          {CBonsaiData::Species, "procumbens"},
          {CBonsaiData::Cultivar, "Nana"},
          {CBonsaiData::PlantNotes,
           "Creeping juniper with short, prickly needles: it falls naturally, so it suits a cascade.\n"
           "The shari on the front was started in 2020."},
          {CBonsaiData::PurchaseDate, "June 2014"},
          {CBonsaiData::PurchaseAge, "6 years"},
          {CBonsaiData::PricePaid, "45 €"},
          {CBonsaiData::Source, "Nursery"},
          {CBonsaiData::PurchaseStyle, "Semi-Cascade (Han-Kengai)"},
          {CBonsaiData::PurchaseTrunkDiameter, "2 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "20 cm"},
          {CBonsaiData::ShapingDate, "October 2017"},
          {CBonsaiData::ShapingAge, "9 years"},
          {CBonsaiData::ShapingStyle, "Cascade (Kengai)"},
          {CBonsaiData::ShapingTrunkDiameter, "3 cm"},
          {CBonsaiData::ShapingTrunkHeight, "60 cm along the fall"},
          {CBonsaiData::History,
           "2014: bought as a nursery shrub and thinned out.\n"
           "2015: the main branch bent down over the rim with heavy wire.\n"
           "2017: first cascade styling, moved into a tall blue glazed pot.\n"
           "2020: shari carved on the front and painted with lime sulphur.\n"
           "2023: pads refined, the fall lengthened by 10 cm."},
          {CBonsaiData::Repotting, "May 2021"},
          {CBonsaiData::Fertilization, "Pellets once a month, April to October"},
          {CBonsaiData::Pruning, "Scissors, June and September"},
          {CBonsaiData::Defoliation, "Never"},
          {CBonsaiData::Pinching, "Never with the fingers: it browns"},
          {CBonsaiData::Insecticide, "Spider mites, August 2022: oil"},
          {CBonsaiData::MaintenanceNotes,
           "Turn the pot a quarter every week so that the fall gets light on every side.\n"
           "Water the top well: the tall pot dries out at the surface first."},
          {CBonsaiData::ToDo,
           "- Lime sulphur on the shari in summer\n"
           "- Thin the inner growth before winter\n"
           "- Check the wire on the fall"},
          {CBonsaiData::MinTemperature, "-10 °C"},
          {CBonsaiData::PH, "6.5"}},
         kJuniperId,
         juniperTimeline()},
        {"Elm broom",
         "Ulmus parvifolia",
         {.form = Form::Broom, .pot = Pot::Oval, .lean = 0, .curve = 0, .trunkWidth = 7, .height = 60, .branches = 7,
          .potWidth = 56, .bark = QColor(104, 96, 86), .potColour = QColor(222, 210, 180), .seed = 41},
         {{{"elm_2019.bmp", 200, 190, BmpKind::Palette8}, seasonLook(kElmSummer, kBlueTop, kBlueBottom, 0.6),
           "In its first pot, 2019"},
          {{"elm_winter.bmp", 250, 230, BmpKind::Rle8}, winterLook(kGreyTop, kGreyBottom),
           "Winter twigs, January 2024"},
          {{"elm_summer.bmp", 250, 230, BmpKind::Rgb24}, seasonLook(kElmSummer, kBlueTop, kBlueBottom),
           "Full crown, summer 2024"}},
         {{CBonsaiData::CommonName, "Chinese elm"},
          {CBonsaiData::Species, "parvifolia"},
          {CBonsaiData::PlantNotes,
           "Struck from a cutting of Pierre's big elm.\n"
           "Very fine twigs in winter; it keeps some leaves until January in the cold greenhouse."},
          {CBonsaiData::PurchaseDate, "Summer 2011"},
          {CBonsaiData::PurchaseAge, "Cutting"},
          {CBonsaiData::PricePaid, "Gift"},
          {CBonsaiData::Source, "Cuttings"},
          {CBonsaiData::PurchaseStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::PurchaseTrunkDiameter, "0.5 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "12 cm"},
          {CBonsaiData::ShapingDate, "March 2016"},
          {CBonsaiData::ShapingAge, "6 years"},
          {CBonsaiData::ShapingStyle, "Broom (Hokidachi)"},
          {CBonsaiData::ShapingTrunkDiameter, "3 cm"},
          {CBonsaiData::ShapingTrunkHeight, "30 cm"},
          {CBonsaiData::History,
           "2011: cutting rooted in sand and peat.\n"
           "2013: planted out in a wooden box to grow.\n"
           "2016: trunk cut flat at 12 cm, the new shoots arranged in a fan.\n"
           "2019: first bonsai pot, a cream oval.\n"
           "2024: the crown is complete; only thinning from now on."},
          {CBonsaiData::Repotting, "March 2024"},
          {CBonsaiData::Fertilization, "Every two weeks, April to September"},
          {CBonsaiData::Pruning, "Shoots to two leaves, all summer"},
          {CBonsaiData::Defoliation, "Full, June 2021"},
          {CBonsaiData::Pinching, "Not needed"},
          {CBonsaiData::Insecticide, "Scale insects, Feb. 2023: oil"},
          {CBonsaiData::MaintenanceNotes,
           "Cut back every shoot that runs out of the dome.\n"
           "In winter it stays in the cold greenhouse, never below -5 °C in the pot."},
          {CBonsaiData::ToDo,
           "- Thin the crowded forks at the top of the trunk\n"
           "- Feed less in August to keep the leaves small\n"
           "- Photograph the winter image again in January"},
          {CBonsaiData::MinTemperature, "-5 °C"},
          {CBonsaiData::PH, "6.5"}}},
        {"Satsuki 'Kaho'",
         "Rhododendron indicum",
         {.form = Form::Upright, .pot = Pot::Oval, .lean = 14, .curve = 5, .trunkWidth = 7, .height = 48,
          .branches = 6, .potWidth = 50, .bark = QColor(120, 92, 70), .potColour = QColor(70, 98, 150), .seed = 53},
         {{{"azalea_2016.bmp", 230, 200, BmpKind::Rle8},
           flowerLook(kAzalea, kEveningTop, kEveningBottom, QColor(236, 120, 168), 0.35, 0.85),
           "First flowering here, 2016"},
          {{"azalea_2022.bmp", 220, 190, BmpKind::Palette8}, seasonLook(kAzalea, kBlueTop, kBlueBottom, 0.65),
           "After the cut back, July 2022"},
          {{"azalea_bloom.bmp", 240, 210, BmpKind::Rgb24},
           flowerLook(kAzalea, kBlueTop, kBlueBottom, QColor(228, 92, 150), 0.9), "Full bloom, late May 2024"}},
         {{CBonsaiData::CommonName, "Satsuki azalea"},
          {CBonsaiData::Species, "indicum"},
          {CBonsaiData::Cultivar, "Kaho"},
          {CBonsaiData::PlantNotes,
           "Large pink flowers with darker flecks; now and then a white sport.\n"
           "Water only with rain water: the tap water here is hard."},
          {CBonsaiData::PurchaseDate, "May 2015"},
          {CBonsaiData::PurchaseAge, "12 years"},
          {CBonsaiData::PricePaid, "120 €"},
          {CBonsaiData::Source, "Nursery"},
          {CBonsaiData::PurchaseStyle, "Slanting (Shakan)"},
          {CBonsaiData::PurchaseTrunkDiameter, "3 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "35 cm"},
          {CBonsaiData::ShapingDate, "June 2016"},
          {CBonsaiData::ShapingAge, "13 years"},
          {CBonsaiData::ShapingStyle, "Slanting (Shakan)"},
          {CBonsaiData::ShapingTrunkDiameter, "3.5 cm"},
          {CBonsaiData::ShapingTrunkHeight, "32 cm"},
          {CBonsaiData::History,
           "2015: bought in flower at the spring show in Lyon.\n"
           "2016: flowers removed as they opened; branches thinned to two at each fork.\n"
           "2018: repotted into pure kanuma, blue glazed oval.\n"
           "2022: hard cut back after flowering to rebuild the lower branch."},
          {CBonsaiData::Repotting, "June 2022, pure kanuma"},
          {CBonsaiData::Fertilization, "Acid fertiliser every three weeks"},
          {CBonsaiData::Pruning, "Right after flowering"},
          {CBonsaiData::Defoliation, "Never"},
          {CBonsaiData::Pinching, "New shoots to two leaves"},
          {CBonsaiData::Insecticide, "Vine weevil 2021: nematodes"},
          {CBonsaiData::MaintenanceNotes,
           "Pick off every seed pod after flowering, or next year's flowers suffer.\n"
           "Shade it from the afternoon sun while in flower: the flowers last longer."},
          {CBonsaiData::ToDo,
           "- Remove the spent flowers (June)\n"
           "- Cut back to two leaves after flowering\n"
           "- Repot in 2025 after flowering"},
          {CBonsaiData::MinTemperature, "-5 °C"},
          {CBonsaiData::PH, "5.0"}}},
        {"Tiger bark fig",
         "Ficus microcarpa",
         {.form = Form::Banyan, .pot = Pot::Rectangle, .lean = 4, .curve = 6, .trunkWidth = 15, .height = 46,
          .branches = 5, .spread = 1.5, .potWidth = 62, .bark = QColor(132, 118, 96), .potColour = QColor(92, 58, 40),
          .seed = 67},
         {{{"ficus_2017.bmp", 220, 200, BmpKind::Rle8}, seasonLook(kFicus, kWallTop, kWallBottom, 0.6),
           "As bought, December 2017"},
          {{"ficus_2023.bmp", 250, 220, BmpKind::Rgb24}, seasonLook(kFicus, kWallTop, kWallBottom),
           "Aerial roots, summer 2023"}},
         {{CBonsaiData::CommonName, "Ginseng ficus"},
          {CBonsaiData::Species, "microcarpa"},
          {CBonsaiData::Cultivar, "Tiger Bark"},
          {CBonsaiData::PlantNotes,
           "Lives on the living-room window sill, east side.\n"
           "Aerial roots come every summer when the air is humid; two have reached the soil."},
          {CBonsaiData::PurchaseDate, "December 2017"},
          {CBonsaiData::PurchaseAge, "About 10 years"},
          {CBonsaiData::PricePaid, "39 €"},
          {CBonsaiData::Source, "Nursery"},
          {CBonsaiData::PurchaseStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::PurchaseTrunkDiameter, "6 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "25 cm"},
          {CBonsaiData::ShapingDate, "April 2019"},
          {CBonsaiData::ShapingAge, "About 12 years"},
          {CBonsaiData::ShapingStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::ShapingTrunkDiameter, "7 cm"},
          {CBonsaiData::ShapingTrunkHeight, "28 cm"},
          {CBonsaiData::History,
           "2017: bought at a garden centre as a \"ginseng\" fig.\n"
           "2018: moved to a sunnier window; grew strongly.\n"
           "2019: hard cut back to build branches, first wiring.\n"
           "2021: repotted into a larger brown pot, roots reduced by half.\n"
           "2023: aerial roots encouraged under a plastic bag in summer."},
          {CBonsaiData::Repotting, "May 2021"},
          {CBonsaiData::Fertilization, "Every two weeks; monthly in winter"},
          {CBonsaiData::Pruning, "Back to two leaves at six to eight"},
          {CBonsaiData::Defoliation, "Full, June 2020"},
          {CBonsaiData::Pinching, "Shoot tips in spring"},
          {CBonsaiData::Insecticide, "Scale, March 2022: alcohol swab"},
          {CBonsaiData::MaintenanceNotes,
           "Mist the leaves in winter while the heating is on.\n"
           "Never near the radiator: it drops its leaves within days."},
          {CBonsaiData::ToDo,
           "- Turn the pot every month\n"
           "- Wire the new right branch\n"
           "- Out on the balcony from June to September"},
          {CBonsaiData::MinTemperature, "15 °C"},
          {CBonsaiData::PH, "6.5"}}},
        {"Old olive",
         "Olea europaea",
         {.form = Form::Upright, .pot = Pot::Rectangle, .lean = 18, .curve = 6, .trunkWidth = 12, .height = 50,
          .branches = 5, .potWidth = 58, .bark = QColor(116, 108, 96), .potColour = QColor(128, 84, 56),
          .shari = QColor(60, 52, 44), .seed = 71},
         {{{"olive_2015.bmp", 230, 200, BmpKind::Palette8}, seasonLook(kOlive, kBlueTop, kBlueBottom, 0.6),
           "After first styling, 2015"},
          {{"olive_2023.bmp", 240, 200, BmpKind::Rle8}, seasonLook(kOlive, kEveningTop, kEveningBottom, 0.9),
           "Autumn evening, 2023"},
          {{"olive_2024.bmp", 250, 210, BmpKind::Rgb24},
           flowerLook(kOlive, kBlueTop, kBlueBottom, QColor(238, 234, 206), 0.4), "In flower, June 2024"}},
         {{CBonsaiData::Type, "var. sylvestris"},
          {CBonsaiData::CommonName, "Wild olive"},
          {CBonsaiData::Species, "europaea"},
          {CBonsaiData::PlantNotes,
           "Old wild olive collected in Andalusia by a professional collector, with its papers.\n"
           "The hollow in the trunk is natural; treated with wood hardener."},
          {CBonsaiData::PurchaseDate, "September 2012"},
          {CBonsaiData::PurchaseAge, "About 60 years"},
          {CBonsaiData::PricePaid, "350 €"},
          {CBonsaiData::Source, "Collected from the wild"},
          {CBonsaiData::PurchaseStyle, "Slanting (Shakan)"},
          {CBonsaiData::PurchaseTrunkDiameter, "11 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "48 cm"},
          {CBonsaiData::ShapingDate, "April 2015"},
          {CBonsaiData::ShapingAge, "About 63 years"},
          {CBonsaiData::ShapingStyle, "Slanting (Shakan)"},
          {CBonsaiData::ShapingTrunkDiameter, "12 cm"},
          {CBonsaiData::ShapingTrunkHeight, "42 cm"},
          {CBonsaiData::History,
           "2012: bought two years after collection, still in its wooden box.\n"
           "2014: top cut back to a lower branch; 6 cm lower.\n"
           "2015: first styling, branches wired and spread.\n"
           "2018: potted into an unglazed brown rectangle.\n"
           "2024: the crown is full; first flowers in June."},
          {CBonsaiData::Repotting, "April 2018"},
          {CBonsaiData::Fertilization, "Every two weeks, April to September"},
          {CBonsaiData::Pruning, "Spring and late summer"},
          {CBonsaiData::Defoliation, "Never"},
          {CBonsaiData::Pinching, "Shoot tips in June"},
          {CBonsaiData::Insecticide, "Olive moth 2020: Bt spray"},
          {CBonsaiData::MaintenanceNotes,
           "Winters in the unheated garage by the window, December to February.\n"
           "It likes it dry: water only when the top centimetre has dried."},
          {CBonsaiData::ToDo,
           "- Bring it in when the forecast is below -5 °C\n"
           "- Clean the hollow and apply hardener again\n"
           "- Thin the top so that light reaches the lower branches"},
          {CBonsaiData::MinTemperature, "-5 °C"},
          {CBonsaiData::PH, "7.5"}}},
        {"Zelkova forest",
         "Zelkova serrata",
         {.form = Form::Group, .pot = Pot::Slab, .lean = 0, .curve = 0, .trunkWidth = 5, .height = 62, .branches = 3,
          .potWidth = 84, .bark = QColor(112, 104, 96), .potColour = QColor(78, 76, 74), .seed = 83},
         {{{"zelkova_autumn.bmp", 250, 200, BmpKind::Rle8}, seasonLook(kZelkovaAutumn, kEveningTop, kEveningBottom),
           "Autumn colours, October 2023"},
          {{"zelkova_summer.bmp", 250, 200, BmpKind::Rgb24}, seasonLook(kZelkovaSummer, kBlueTop, kBlueBottom),
           "Summer canopy, 2024"}},
         {{CBonsaiData::CommonName, "Keyaki"},
          {CBonsaiData::Species, "serrata"},
          {CBonsaiData::PlantNotes,
           "Seven trees grown from one packet of seed sown in 2012.\n"
           "Planted on a flat slab of slate; the moss keeps the surface from drying."},
          {CBonsaiData::PurchaseDate, "February 2012"},
          {CBonsaiData::PurchaseAge, "Seeds"},
          {CBonsaiData::PricePaid, "4.50 € (packet of seed)"},
          {CBonsaiData::Source, "Seeds"},
          {CBonsaiData::PurchaseStyle, "Group planting (Yose-ue)"},
          {CBonsaiData::PurchaseTrunkDiameter, "-"},
          {CBonsaiData::PurchaseTrunkHeight, "-"},
          {CBonsaiData::ShapingDate, "March 2017"},
          {CBonsaiData::ShapingAge, "5 years"},
          {CBonsaiData::ShapingStyle, "Group planting (Yose-ue)"},
          {CBonsaiData::ShapingTrunkDiameter, "2 cm (main tree)"},
          {CBonsaiData::ShapingTrunkHeight, "45 cm (main tree)"},
          {CBonsaiData::History,
           "2012: seed sown in February after a month in the fridge.\n"
           "2013-2016: grown in a seed tray, then in single pots.\n"
           "2017: seven trees planted together on the slab.\n"
           "2020: the smallest tree replaced by a spare one.\n"
           "2023: crowns thinned; the forest now reads as one canopy."},
          {CBonsaiData::Repotting, "March 2023"},
          {CBonsaiData::Fertilization, "Every two weeks, April to August"},
          {CBonsaiData::Pruning, "Shoots to two leaves"},
          {CBonsaiData::Defoliation, "Partial, June 2022"},
          {CBonsaiData::Pinching, "Tips, all season"},
          {CBonsaiData::Insecticide, "None"},
          {CBonsaiData::MaintenanceNotes,
           "The slab dries out very fast: water twice a day in July.\n"
           "Keep the main tree clearly the tallest and the thickest."},
          {CBonsaiData::ToDo,
           "- Trim the inner sides of the crowns\n"
           "- Refresh the moss in spring\n"
           "- Check the tie wires under the slab"},
          {CBonsaiData::MinTemperature, "-10 °C"},
          {CBonsaiData::PH, "6.5"}}},
        {"Larch from the Queyras",
         "Larix decidua",
         {.form = Form::Upright, .pot = Pot::Oval, .lean = -8, .curve = 3, .trunkWidth = 8, .height = 62,
          .branches = 7, .potWidth = 46, .bark = QColor(98, 78, 66), .potColour = QColor(120, 122, 126),
          .shari = QColor(206, 198, 184), .seed = 97},
         {{{"larch_autumn.bmp", 200, 240, BmpKind::Rgb24}, seasonLook(kLarchAutumn, kEveningTop, kEveningBottom),
           "Autumn gold, October 2023"},
          {{"larch_spring.bmp", 200, 240, BmpKind::Rle8}, seasonLook(kLarchSpring, kBlueTop, kBlueBottom, 0.85),
           "Spring flush, April 2024"}},
         {{CBonsaiData::CommonName, "Larch"},
          {CBonsaiData::Species, "decidua"},
          {CBonsaiData::PlantNotes,
           "Collected at 1800 m in the Queyras, on private land, with the owner's permission.\n"
           "Old bark and natural dead wood near the top."},
          {CBonsaiData::PurchaseDate, "October 2013"},
          {CBonsaiData::PurchaseAge, "About 35 years"},
          {CBonsaiData::PricePaid, "0 € (collected)"},
          {CBonsaiData::Source, "Collected from the wild"},
          {CBonsaiData::PurchaseStyle, "Slanting (Shakan)"},
          {CBonsaiData::PurchaseTrunkDiameter, "5 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "70 cm"},
          {CBonsaiData::ShapingDate, "November 2016"},
          {CBonsaiData::ShapingAge, "About 38 years"},
          {CBonsaiData::ShapingStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::ShapingTrunkDiameter, "5.5 cm"},
          {CBonsaiData::ShapingTrunkHeight, "55 cm"},
          {CBonsaiData::History,
           "2013: collected in October, planted in pure pumice in a box.\n"
           "2015: first strong growth; left alone to recover.\n"
           "2016: first styling; jins made from the cut branches.\n"
           "2019: into a round grey pot.\n"
           "2024: good ramification, shorter needles."},
          {CBonsaiData::Repotting, "March 2019"},
          {CBonsaiData::Fertilization, "Organic, spring to autumn"},
          {CBonsaiData::Pruning, "Long shoots in summer"},
          {CBonsaiData::Defoliation, "Never"},
          {CBonsaiData::Pinching, "New tufts in spring"},
          {CBonsaiData::Insecticide, "Larch aphids 2017: soap spray"},
          {CBonsaiData::MaintenanceNotes,
           "It needs a real cold winter rest outside, but it flushes very early: watch for late frost.\n"
           "The autumn gold lasts about two weeks at the end of October."},
          {CBonsaiData::ToDo,
           "- Repot in 2025, just as the buds swell\n"
           "- Protect the early flush from frost\n"
           "- Refresh the jins with lime sulphur"},
          {CBonsaiData::MinTemperature, "-20 °C"},
          {CBonsaiData::PH, "6.0"}}},
        {"Grandmother's jade",
         "Crassula ovata",
         {.form = Form::Upright, .pot = Pot::Rectangle, .lean = 3, .curve = 3, .trunkWidth = 10, .height = 40,
          .branches = 4, .spread = 1.2, .potWidth = 46, .bark = QColor(118, 104, 80),
          .potColour = QColor(176, 170, 160), .seed = 101},
         {{{"jade_2020.bmp", 180, 180, BmpKind::Palette8}, seasonLook(kJade, kWallTop, kWallBottom, 0.5),
           "After the hard cut back, 2020"},
          {{"jade_flowers.bmp", 220, 200, BmpKind::Rle8},
           flowerLook(kJade, kWallTop, kWallBottom, QColor(246, 222, 232), 0.5), "Winter flowers, December 2023"},
          {{"jade_2024.bmp", 220, 200, BmpKind::Rgb24}, seasonLook(kJade, kWallTop, kWallBottom),
           "Full and red-edged, 2024"}},
         {{CBonsaiData::CommonName, "Money tree"},
          {CBonsaiData::Species, "ovata"},
          {CBonsaiData::PlantNotes,
           "From a cutting of my grandmother's jade plant.\n"
           "Needs full sun at the south window to keep the leaves small and red-edged."},
          {CBonsaiData::PurchaseDate, "June 2014"},
          {CBonsaiData::PurchaseAge, "Cutting"},
          {CBonsaiData::PricePaid, "Free"},
          {CBonsaiData::Source, "Cuttings"},
          {CBonsaiData::PurchaseStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::PurchaseTrunkDiameter, "1 cm"},
          {CBonsaiData::PurchaseTrunkHeight, "10 cm"},
          {CBonsaiData::ShapingDate, "May 2020"},
          {CBonsaiData::ShapingAge, "6 years"},
          {CBonsaiData::ShapingStyle, "Informal upright (Moyogi)"},
          {CBonsaiData::ShapingTrunkDiameter, "5 cm"},
          {CBonsaiData::ShapingTrunkHeight, "22 cm"},
          {CBonsaiData::History,
           "2014: leaf cutting rooted in cactus soil.\n"
           "2017: trunk thickening in a big plastic pot.\n"
           "2020: cut back hard, first bonsai pot.\n"
           "2023: the cut branches rooted as spares."},
          {CBonsaiData::Repotting, "June 2023"},
          {CBonsaiData::Fertilization, "Cactus feed, monthly in summer"},
          {CBonsaiData::Pruning, "Back to a pair of leaves"},
          {CBonsaiData::Defoliation, "Never"},
          {CBonsaiData::Pinching, "Small leaves at the tips"},
          {CBonsaiData::Insecticide, "Mealybug 2019: alcohol swab"},
          {CBonsaiData::MaintenanceNotes,
           "Very little water in winter: once a month is enough.\n"
           "Let cut wounds dry for a day before they touch the soil."},
          {CBonsaiData::ToDo,
           "- Keep it dry and cool from November (10 °C)\n"
           "- Shorten the top branch"},
          {CBonsaiData::MinTemperature, "10 °C"},
          {CBonsaiData::PH, "6.0"}}},
    };
}

// Texts are typed above in UTF-8 with "\n"; an entry holds Windows-1252 with the
// CR LF line breaks that multi-line boxes on Windows store.
std::string stored(std::string_view utf8)
{
    std::string withBreaks;
    for (const char c : utf8) {
        if (c == '\n')
            withBreaks += '\r';
        withBreaks += c;
    }
    const auto bytes = talvane::text::utf8ToCp1252Strict(withBreaks);
    if (!bytes)
        throw std::runtime_error("not a Windows-1252 text: " + std::string(utf8));
    return *bytes;
}

int speciesIndex(const SpeciesGuide& guide, const std::string& botanicalName)
{
    for (std::size_t i = 0; i < guide.size(); ++i) {
        if (guide[i]->m_strNomBotanique == botanicalName)
            return static_cast<int>(i);
    }
    throw std::runtime_error("the species guide has no " + botanicalName);
}

// The pages would refuse a longer text with their maximum-length message.
void checkLimits(const CBonsaiData& entry)
{
    std::vector<std::pair<std::size_t, std::size_t>> limits = {{CBonsaiData::Name, kNameLimit}};
    for (const auto field : kShortFields)
        limits.emplace_back(field, kShortFieldLimit);
    for (std::size_t slot = 0; slot < CBonsaiData::kPhotoSlots; ++slot)
        limits.emplace_back(CBonsaiData::photoDescriptionField(slot), kShortFieldLimit);
    for (const auto& [field, limit] : limits) {
        if (entry[field].size() > limit)
            throw std::runtime_error(std::string(entry[CBonsaiData::Name]) + ": " + CBonsaiData::fieldName(field) + " is too long");
    }
}

// The entry as Add would start it from the guide, then what the grower typed.
std::unique_ptr<CBonsaiData> makeEntry(const SampleTree& tree, const SpeciesGuide& guide)
{
    auto entry = std::make_unique<CBonsaiData>();
    const std::string botanicalName = stored(tree.botanicalName);
    (*entry)[CBonsaiData::Name] = stored(tree.name);
    FillEntryFromGuide(*entry, speciesIndex(guide, botanicalName), botanicalName, guide);
    for (const FieldText& text : tree.texts)
        (*entry)[text.field] = stored(text.text);
    for (std::size_t slot = 0; slot < tree.photos.size(); ++slot) {
        (*entry)[CBonsaiData::photoField(slot)] = tree.photos[slot].picture.file;
        (*entry)[CBonsaiData::photoDescriptionField(slot)] = stored(tree.photos[slot].description);
    }
    if (!std::string_view(tree.treeId).empty()) {
        if (!isWellFormedTreeId(tree.treeId))
            throw std::runtime_error(std::string(tree.name) + ": not a tree identifier: " + tree.treeId);
        (*entry)[kTreeIdField] = tree.treeId;
    }
    checkLimits(*entry);
    return entry;
}

talvane::journal::CalendarDate day(const char* date)
{
    const auto day = talvane::journal::CalendarDate::fromText(date);
    if (!day)
        throw std::runtime_error(std::string("not a day: ") + date);
    return *day;
}

// The photo's bare name (Windows-1252), as the program names the copies it makes.
std::string timelineFileName(const SampleTree& tree, const TimelineShot& shot)
{
    return talvane::timeline::photoFileStem(day(shot.date), stored(tree.name)) + ".jpg";
}

// A few years of care for tree number `n`, a few days apart from tree to tree. Some
// trees still have wire to take off or a repotting ahead; one spray is overdue.
std::string sampleJournal(std::size_t n, const SampleTree& tree)
{
    using namespace talvane::journal;
    const auto on = [n](const char* date) { return CalendarDate::fromText(date).value().plusDays(static_cast<long>(n)); };
    Journal journal = Journal::read("");
    const auto add = [&journal](CalendarDate date, CareKind kind, std::string text, std::optional<CalendarDate> due = {},
                                std::string picture = {}) {
        journal.add({date, kind, due, std::move(picture), std::move(text), {}, {}, {}});
    };
    add(on("2022-04-02"), CareKind::Repotting, "Repotted into a free-draining mix of akadama and pumice.\r\nRoots reduced by a third.");
    add(on("2022-06-15"), CareKind::Feeding, "Organic pellets on the soil, renewed every four weeks.");
    add(on("2023-03-10"), CareKind::Pruning, "Structural pruning: removed the crossing branches.");
    add(on("2023-05-20"), CareKind::Photo, "Spring growth.", std::nullopt, tree.photos.front().picture.file);
    add(on("2024-06-12"), CareKind::Wiring, "Wired the lower branches down.");
    add(on("2024-09-20"), CareKind::WireRemoval, "Wire off before it marked the bark.");
    add(on("2025-04-25"), CareKind::Treatment, "Sprayed against aphids.");
    add(on("2025-10-05"), CareKind::Photo, "Autumn.", std::nullopt, tree.photos.back().picture.file);
    if (n % 2 == 0)
        add(on("2026-07-01"), CareKind::Wiring, "Wired the apex and the first branch.", on("2026-12-10").plusDays(static_cast<long>(2 * n)));
    if (n % 3 == 0)
        add(on("2026-04-01"), CareKind::Note, "Roots fill the pot: repot next spring.", on("2027-03-15"));
    if (n == 4)
        add(on("2026-10-20"), CareKind::Treatment, "Spider mites on the inner leaves: spray again.", on("2026-11-25"));
    for (const TimelineShot& shot : tree.timeline) {
        const std::string picture = std::string(talvane::timeline::kPhotosPrefix) + timelineFileName(tree, shot);
        journal.add({day(shot.date), CareKind::Photo, std::nullopt, picture, stored(shot.text), tree.treeId,
                     shot.measurements, {}});
    }
    if (Journal::read(journal.text()).unreadableLineCount() != 0)
        throw std::runtime_error(std::string(tree.name) + ": the journal does not read back");
    return journal.text();
}

void writePhoto(const fs::path& album, const Shape& shape, const Photo& photo)
{
    const Picture& picture = photo.picture;
    const QImage image =
        drawTree(QSize(picture.width, picture.height), shape, photo.look, picture.kind == BmpKind::Rgb24);
    const fs::path path = album / picture.file;
    writeFile(path, encodeBmp(image, picture.kind));
    checkDecodesAsDrawn(path, image);
}

// The tree as it stood on the day of a timeline photo.
Shape asItStood(const Shape& shape, double size)
{
    Shape then = shape;
    then.height *= size;
    then.trunkWidth *= size;
    return then;
}

// The camera's date, as DateTimeOriginal, which is what dates a photo added to a timeline.
void stampDateTaken(const fs::path& path, const char* date)
{
    std::string stamp = std::string(date) + " 10:00:00";
    std::replace(stamp.begin(), stamp.end(), '-', ':');
    Exiv2::ExifData exif;
    exif["Exif.Photo.DateTimeOriginal"] = stamp;
    auto image = Exiv2::ImageFactory::open(path.string());
    image->setExifData(exif);
    image->writeMetadata();
    if (talvane::timeline::photoDateTaken(path) != day(date))
        throw std::runtime_error(path.string() + " does not tell the day it was taken");
}

void writeTimelinePhoto(const fs::path& path, const Shape& shape, const TimelineShot& shot)
{
    const QImage image = drawTree(kTimelinePhotoSize, asItStood(shape, shot.size), shot.look, true);
    if (!image.save(QFile::decodeName(path.c_str()), "JPG", kTimelineJpegQuality))
        throw std::runtime_error("cannot write " + path.string());
    stampDateTaken(path, shot.date);
}

SpeciesGuide loadGuide(const fs::path& path)
{
    SpeciesGuide guide;
    bool damaged = false;
    LoadSpeciesGuide(path, [&damaged](const std::string& text, const std::string&, unsigned) {
        std::fprintf(stderr, "esspef.dat: %s\n", text.c_str());
        damaged = true;
    }, guide);
    if (guide.empty() || damaged)
        throw std::runtime_error("cannot use the species guide " + path.string());
    return guide;
}

// Where the sample trees stand: benches in the open, a cold frame, a greenhouse, a room.
const std::map<std::string_view, talvane::garden::Place> kSamplePlaces = {
    {"Momiji", {"Bench 1", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Black pine no. 3", {"Bench 1", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Larch from the Queyras", {"Bench 1", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Cascade juniper", {"Bench 2", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Elm broom", {"Bench 2", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Zelkova forest", {"Bench 2", talvane::garden::PlaceKind::OpenAir, 0}},
    {"Satsuki 'Kaho'", {"Cold frame", talvane::garden::PlaceKind::Sheltered, 4}},
    {"Old olive", {"Greenhouse", talvane::garden::PlaceKind::UnheatedGreenhouse, 6}},
    {"Tiger bark fig", {"Living room shelf", talvane::garden::PlaceKind::Indoors, 0}},
    {"Grandmother's jade", {"Living room shelf", talvane::garden::PlaceKind::Indoors, 0}},
};

void makeSampleData(const fs::path& folder)
{
    const SpeciesGuide guide = loadGuide(folder / kSpeciesGuideFileName);
    const fs::path album = folder / "Album";
    const fs::path photos = folder / talvane::timeline::kPhotosFolderName;
    fs::create_directories(album);
    fs::create_directories(photos);
    EntryList entries;
    for (const SampleTree& tree : sampleTrees()) {
        for (const Photo& photo : tree.photos)
            writePhoto(album, tree.shape, photo);
        for (const TimelineShot& shot : tree.timeline)
            writeTimelinePhoto(photos / talvane::text::cp1252ToUtf8(timelineFileName(tree, shot)), tree.shape, shot);
        entries.push_back(makeEntry(tree, guide));
        (*entries.back())[talvane::journal::kJournalField] = sampleJournal(entries.size() - 1, tree);
        if (const auto place = kSamplePlaces.find(tree.name); place != kSamplePlaces.end())
            (*entries.back())[talvane::garden::kPlaceField] = talvane::garden::placeFieldText(place->second);
    }
    // The shipped data keeps no earlier versions of its sample.
    if (const auto saved = saveCollectionFile(folder / "sample.tvn", entries, {.keepVersion = false}))
        throw std::runtime_error(saved.reason);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_data FOLDER\n");
        return 2;
    }
    try {
        makeSampleData(fs::path(argv[1]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_sample_data: %s\n", e.what());
        return 1;
    }
    return 0;
}
