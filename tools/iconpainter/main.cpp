// Paints the add-on's window icon at the sizes the windows offer (16, 32, 48 and 64 px):
//
//   iconpainter OUTDIR
//
// The build runs it and compiles the pictures into the add-on, so the icon stays crisp at
// every size without binary files in the sources.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

constexpr int kSizes[] = {16, 32, 48, 64};

struct Chip
{
    QColor color;
    qreal angle;
};

// A fan of three paint chips on a dark tile.
QImage paintIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QRectF tile(s * 0.03, s * 0.03, s * 0.94, s * 0.94);
    QLinearGradient background(tile.topLeft(), tile.bottomLeft());
    background.setColorAt(0, QColor(74, 79, 86));
    background.setColorAt(1, QColor(44, 47, 52));
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRoundedRect(tile, s * 0.2, s * 0.2);

    const Chip chips[] = {
        {QColor(86, 132, 176), -28}, {QColor(128, 160, 112), -4}, {QColor(204, 112, 78), 20}};
    const QPointF pivot(s * 0.5, s * 0.86);
    const QRectF chip(-s * 0.15, -s * 0.66, s * 0.3, s * 0.7);
    for (const Chip &c : chips) {
        painter.save();
        painter.translate(pivot);
        painter.rotate(c.angle);
        painter.setBrush(c.color);
        painter.setPen(QPen(QColor(255, 255, 255, 210), qMax<qreal>(1.0, s / 32.0)));
        painter.drawRoundedRect(chip, s * 0.05, s * 0.05);
        // The chip's label strip, as on a fan deck.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 200));
        painter.drawRect(QRectF(chip.left() + s * 0.04, chip.bottom() - s * 0.17,
                                chip.width() - s * 0.08, s * 0.06));
        painter.restore();
    }
    painter.setBrush(QColor(240, 240, 240));
    painter.drawEllipse(pivot, s * 0.045, s * 0.045);
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: iconpainter OUTDIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path()))
        return 1;
    for (const int size : kSizes) {
        const QString path = folder.filePath(QStringLiteral("icon_%1.png").arg(size));
        if (!paintIcon(size).save(path)) {
            std::fprintf(stderr, "iconpainter: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
