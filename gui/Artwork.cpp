#include "gui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace quarn::gui {

namespace {

QImage blankImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Concentric arcs opening to the left from the sensor at centre, fading out.
void drawWaves(QPainter& painter, QPointF centre, int count, qreal firstRadius, qreal step,
               QColor color, qreal penWidth) {
    for (int i = 0; i < count; ++i) {
        const qreal r = firstRadius + i * step;
        QColor c = color;
        c.setAlphaF(color.alphaF() * (1.0 - static_cast<qreal>(i) / (count + 1)));
        painter.setPen(QPen(c, penWidth, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        // Qt angles are in 1/16 degree, counter-clockwise from three o'clock.
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), 130 * 16, 100 * 16);
    }
}

void drawIcon(QPainter& painter, int size) {
    const qreal s = size;
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, s);
    body.setColorAt(0, QColor(40, 70, 170));
    body.setColorAt(1, QColor(0, 0, 110));
    painter.setPen(Qt::NoPen);
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s / 5, s / 5);
    const QPointF sensor(s * 0.78, s * 0.5);
    drawWaves(painter, sensor, 3, s * 0.22, s * 0.2, QColor(255, 255, 255), s / 12);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 80, 80));
    painter.drawEllipse(sensor, s * 0.09, s * 0.09);
}

}  // namespace

QImage drawStartPicture() {
    constexpr int kWidth = 474;
    constexpr int kHeight = 173;
    QImage image = blankImage(kWidth, kHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0.0, QColor(214, 230, 250));
    sky.setColorAt(1.0, QColor(250, 252, 255));
    painter.fillRect(image.rect(), sky);

    // The sensor sits near the right edge of the visible part, on a wall.
    const QPointF sensor(370, 52);
    QRadialGradient lobe(sensor, 330);
    lobe.setColorAt(0.0, QColor(255, 200, 200, 110));
    lobe.setColorAt(1.0, QColor(255, 200, 200, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(lobe);
    QPainterPath cone;
    cone.moveTo(sensor);
    cone.arcTo(QRectF(sensor.x() - 330, sensor.y() - 330, 660, 660), 150, 75);
    cone.closeSubpath();
    painter.drawPath(cone);

    drawWaves(painter, sensor, 9, 26, 34, QColor(70, 110, 190, 120), 2.0);

    // Floor line and the sensor body on its wall bracket.
    painter.setPen(QPen(QColor(150, 170, 200), 1.5));
    painter.drawLine(QPointF(0, kHeight - 8.5), QPointF(kWidth, kHeight - 8.5));
    painter.setPen(QPen(QColor(90, 100, 120), 1));
    painter.setBrush(QColor(235, 238, 245));
    painter.drawRoundedRect(QRectF(sensor.x() - 6, sensor.y() - 14, 18, 28), 5, 5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QPointF(sensor.x() - 1, sensor.y()), 3.5, 3.5);
    painter.setBrush(QColor(120, 130, 150));
    painter.drawRect(QRectF(sensor.x() + 12, sensor.y() - 4, 8, 8));
    return image;
}

QImage drawMakerLogo(const QString& name) {
    constexpr int kWidth = 197;
    constexpr int kHeight = 64;
    // The About text starts 48 pixels below the logo's top edge and runs
    // underneath it: the plate keeps clear of that band, which stays
    // transparent so the first line of text reads on the window colour.
    constexpr int kPlateHeight = 46;
    QImage image = blankImage(kWidth, kHeight);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient plate(0, 0, 0, kPlateHeight);
    plate.setColorAt(0.0, QColor(30, 60, 160));
    plate.setColorAt(1.0, QColor(0, 0, 100));
    painter.setPen(Qt::NoPen);
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(1, 1, kWidth - 2, kPlateHeight - 2), 9, 9);

    const QPointF sensor(58, kPlateHeight / 2.0);
    drawWaves(painter, sensor, 3, 10, 7, QColor(255, 255, 255), 2.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 90, 90));
    painter.drawEllipse(sensor, 3.5, 3.5);

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(70, 2, kWidth - 76, 28), Qt::AlignLeft | Qt::AlignVCenter, name);
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(10);
    painter.setFont(small);
    painter.setPen(QColor(200, 215, 255));
    painter.drawText(QRectF(71, 28, kWidth - 76, 14), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("radar motion sensors"));
    return image;
}

QIcon drawWindowIcon() {
    QIcon icon;
    for (int size : {16, 32}) {
        QImage image = blankImage(size, size);
        QPainter painter(&image);
        drawIcon(painter, size);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace quarn::gui
