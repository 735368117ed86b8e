// SPDX-License-Identifier: MIT
// Draws Dealwise's application icon from one description and writes every
// file made from it: the Windows icon (32 x 32 in 2 colours, 32 x 32 and
// 16 x 16 in 16 colours), a scalable SVG and the PNG sizes of the desktop's
// hicolor theme. Change the picture here, run `cmake --build <dir> --target
// icons`, and commit what it writes.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// The picture, on a 32-unit square: a white window seen at an angle, its top
// edge a title bar, a shadow at its lower right.
const std::array<QPointF, 4> kWindow{{{5, 8}, {25, 4}, {27, 22}, {7, 26}}};
constexpr double kTitleDepth = 0.22; // how far down the sides the title bar reaches
const QPointF kShadowOffset{2.5, 2.5};

struct Colours {
    QColor outline, body, title, shadow;
};
const Colours kFullColour{QColor(0, 0, 0), QColor(255, 255, 255), QColor(0, 255, 255), QColor(128, 128, 128)};
const Colours kTwoColour{QColor(0, 0, 0), QColor(255, 255, 255), QColor(0, 0, 0), QColor(0, 0, 0)};

QPolygonF windowShape(QPointF offset = {}) {
    QPolygonF shape;
    for (const QPointF& corner : kWindow) {
        shape << corner + offset;
    }
    return shape;
}

QPolygonF titleBar() {
    const QPointF& topLeft = kWindow[0];
    const QPointF& topRight = kWindow[1];
    const QPointF& bottomRight = kWindow[2];
    const QPointF& bottomLeft = kWindow[3];
    return QPolygonF{} << topLeft << topRight << topRight + (bottomRight - topRight) * kTitleDepth
                       << topLeft + (bottomLeft - topLeft) * kTitleDepth;
}

QImage draw(int size, const Colours& colours, bool smooth) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.shadow);
    painter.drawPolygon(windowShape(kShadowOffset));
    painter.setBrush(colours.body);
    painter.drawPolygon(windowShape());
    painter.setBrush(colours.title);
    painter.drawPolygon(titleBar());
    QPen outline(colours.outline);
    outline.setWidthF(size >= 32 ? 1.0 : 2.0);
    outline.setCosmetic(size < 64);
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(windowShape());
    return image;
}

// The 16 colours of the classic Windows palette, in their usual order.
const std::vector<QColor> kSixteenColours{{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                          {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                          {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                          {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
const std::vector<QColor> kTwoColours{{0, 0, 0}, {255, 255, 255}};

int nearest(const std::vector<QColor>& palette, QColor colour) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const QColor& p = palette[static_cast<std::size_t>(i)];
        const int dr = p.red() - colour.red(), dg = p.green() - colour.green(), db = p.blue() - colour.blue();
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void put32(std::vector<std::uint8_t>& out, unsigned value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// One icon image as the icon format stores it: a bitmap header, the palette,
// the colour bits bottom-up, then the transparency mask (1 = see-through).
std::vector<std::uint8_t> iconImage(const QImage& image, const std::vector<QColor>& palette, int bitsPerPixel) {
    const int size = image.width();
    const int colourRowBytes = ((size * bitsPerPixel + 31) / 32) * 4;
    const int maskRowBytes = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<unsigned>(size));
    put32(out, static_cast<unsigned>(2 * size));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bitsPerPixel));
    put32(out, 0);
    put32(out, static_cast<unsigned>((colourRowBytes + maskRowBytes) * size));
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<unsigned>(palette.size()));
    put32(out, 0);
    for (const QColor& colour : palette) {
        out.insert(out.end(), {static_cast<std::uint8_t>(colour.blue()), static_cast<std::uint8_t>(colour.green()),
                               static_cast<std::uint8_t>(colour.red()), 0});
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(colourRowBytes), 0);
        for (int x = 0; x < size; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const int index = pixel.alpha() < 128 ? 0 : nearest(palette, pixel);
            const int bit = x * bitsPerPixel;
            row[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(index << (8 - bitsPerPixel - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(maskRowBytes), 0);
        for (int x = 0; x < size; ++x) {
            if (image.pixelColor(x, y).alpha() < 128) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

struct IconEntry {
    int size;
    int colours;
    int bitsPerPixel;
    std::vector<std::uint8_t> data;
};

bool writeIco(const QString& path, const std::vector<IconEntry>& entries) {
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(entries.size()));
    unsigned offset = 6 + 16 * static_cast<unsigned>(entries.size());
    for (const IconEntry& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.size));
        out.push_back(static_cast<std::uint8_t>(entry.size));
        out.push_back(static_cast<std::uint8_t>(entry.colours));
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<unsigned>(entry.bitsPerPixel));
        put32(out, static_cast<unsigned>(entry.data.size()));
        put32(out, offset);
        offset += static_cast<unsigned>(entry.data.size());
    }
    for (const IconEntry& entry : entries) {
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) ==
               static_cast<qint64>(out.size());
}

QString svgPoints(const QPolygonF& polygon) {
    QStringList points;
    for (const QPointF& p : polygon) {
        points << QStringLiteral("%1,%2").arg(p.x()).arg(p.y());
    }
    return points.join(' ');
}

bool writeSvg(const QString& path) {
    const QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
                       "  <title>Dealwise</title>\n"
                       "  <polygon points=\"%1\" fill=\"#808080\"/>\n"
                       "  <polygon points=\"%2\" fill=\"#ffffff\"/>\n"
                       "  <polygon points=\"%3\" fill=\"#00ffff\"/>\n"
                       "  <polygon points=\"%2\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n"
                       "</svg>\n")
            .arg(svgPoints(windowShape(kShadowOffset)), svgPoints(windowShape()), svgPoints(titleBar()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(svg.toUtf8()) > 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = writeIco(out.filePath(QStringLiteral("dealwise.ico")),
                       {
                           {32, 2, 1, iconImage(draw(32, kTwoColour, false), kTwoColours, 1)},
                           {32, 16, 4, iconImage(draw(32, kFullColour, false), kSixteenColours, 4)},
                           {16, 16, 4, iconImage(draw(16, kFullColour, false), kSixteenColours, 4)},
                       });
    ok = writeSvg(out.filePath(QStringLiteral("dealwise.svg"))) && ok;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        ok = out.mkpath(folder) && ok;
        ok = draw(size, kFullColour, size >= 48).save(out.filePath(folder + QStringLiteral("/dealwise.png"))) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "make_icons: could not write every file into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
