// Draws the program's own artwork: the application icon (a Windows icon file
// with seven sizes, and the same sizes as PNG files) and the gauge needle. The build runs it, so
// the pictures always match this code:  veltra2-artwork OUTPUT_DIR

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {

constexpr int NeedleWidth = 17;
constexpr int NeedleHeight = 201;
const int IconSizes[] = { 128, 96, 48, 32, 24, 22, 16 };

QPainterPath needleShape(double dx, double dy)
{
    // Tapered from a broad, rounded base at the bottom (the pivot) to a sharp tip.
    const double cx = NeedleWidth / 2.0 + dx;
    QPainterPath path;
    path.moveTo(cx, 1.5 + dy);
    path.lineTo(cx + 4.0, NeedleHeight - 12.0 + dy);
    path.quadTo(cx + 4.0, NeedleHeight - 4.0 + dy, cx, NeedleHeight - 4.0 + dy);
    path.quadTo(cx - 4.0, NeedleHeight - 4.0 + dy, cx - 4.0, NeedleHeight - 12.0 + dy);
    path.closeSubpath();
    return path;
}

QImage drawNeedle()
{
    QImage image(NeedleWidth, NeedleHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Soft shadow: the outline widened in steps of fading alpha, offset down-right.
    p.setBrush(Qt::NoBrush);
    for (int i = 4; i >= 1; --i) {
        p.setPen(QPen(QColor(0, 0, 0, 22), i * 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(needleShape(1.5, 2.0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(needleShape(1.5, 2.0));

    // The needle: red with a lighter ridge down its middle.
    QLinearGradient body(0, 0, NeedleWidth, 0);
    body.setColorAt(0.0, QColor(0xb7, 0x1c, 0x1c));
    body.setColorAt(0.5, QColor(0xf4, 0x43, 0x36));
    body.setColorAt(1.0, QColor(0xb7, 0x1c, 0x1c));
    p.setBrush(body);
    p.setPen(QPen(QColor(0x8e, 0x0e, 0x0e), 0.6));
    p.drawPath(needleShape(0, 0));
    return image;
}

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    // Indigo disc.
    QRadialGradient disc(QPointF(48, 40), 96);
    disc.setColorAt(0.0, QColor(0x5c, 0x6b, 0xc0));
    disc.setColorAt(1.0, QColor(0x28, 0x35, 0x93));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(QRectF(4, 4, 120, 120));

    // Thermometer: white stem and a red bulb.
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(50, 18, 20, 70), 10, 10);
    p.drawEllipse(QRectF(42, 72, 36, 36));
    p.setBrush(QColor(0xe5, 0x39, 0x35));
    p.drawRoundedRect(QRectF(55, 44, 10, 44), 5, 5);
    p.drawEllipse(QRectF(47, 77, 26, 26));

    // Scale marks beside the stem.
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    for (int y = 28; y <= 64; y += 12)
        p.drawLine(QPointF(78, y), QPointF(90, y));
    return image;
}

// One icon image as a 32-bit device-independent bitmap: bottom-up BGRA rows
// followed by the 1-bit transparency mask that old readers still expect.
QByteArray dibImage(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint32(40) << qint32(w) << qint32(2 * h) << quint16(1) << quint16(32) << quint32(0)
      << quint32(w * h * 4 + maskStride * h) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            s << quint8(qBlue(line[x])) << quint8(qGreen(line[x])) << quint8(qRed(line[x]))
              << quint8(qAlpha(line[x]));
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        s.writeRawData(row.constData(), row.size());
    }
    return out;
}

QByteArray icoFile(const QList<QImage> &images)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    s << quint16(0) << quint16(1) << quint16(images.size());
    QList<QByteArray> blobs;
    for (const QImage &image : images)
        blobs.append(dibImage(image));
    quint32 offset = 6 + 16 * images.size();
    for (int i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        s << quint8(size >= 256 ? 0 : size) << quint8(size >= 256 ? 0 : size) << quint8(0)
          << quint8(0) << quint16(1) << quint16(32) << quint32(blobs[i].size()) << quint32(offset);
        offset += blobs[i].size();
    }
    for (const QByteArray &blob : blobs)
        s.writeRawData(blob.constData(), blob.size());
    return out;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: veltra2-artwork OUTPUT_DIR\n");
        return 2;
    }
    const QDir dir(args.at(1));
    QList<QImage> icons;
    for (int size : IconSizes)
        icons.append(drawIcon(size));

    QByteArray needle;
    QBuffer buffer(&needle);
    buffer.open(QIODevice::WriteOnly);
    bool written = drawNeedle().save(&buffer, "PNG")
        && writeFile(dir.filePath("needle.png"), needle)
        && writeFile(dir.filePath("veltra2.ico"), icoFile(icons));
    // The same icon as PNG files, for the desktop's icon theme.
    for (const QImage &icon : icons)
        written = written
            && icon.save(dir.filePath(QStringLiteral("veltra2-%1.png").arg(icon.width())), "PNG");
    if (!written) {
        std::fprintf(stderr, "veltra2-artwork: cannot write into %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
