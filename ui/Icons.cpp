#include "Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace orv::ui::icons {

namespace {

// Pictures are drawn on a 20-unit grid and rendered at two sizes so they stay sharp when scaled.
QIcon Draw(const std::function<void(QPainter&)>& paint) {
    QIcon icon;
    for (const int size : {20, 40}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 20.0, size / 20.0);
        paint(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    QPainterPath head;
    head.moveTo(to + d * 1.5);
    head.lineTo(to - d * 3.0 + n * 3.2);
    head.lineTo(to - d * 3.0 - n * 3.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

} // namespace

QIcon LogOn() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(QColor(250, 250, 235));
        p.drawRect(QRectF(11, 2.5, 6.5, 15)); // the door the arrow goes into
        Arrow(p, {1.5, 10}, {11.5, 10}, QColor(20, 140, 40), 2.6);
    });
}

QIcon LogOff() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(QColor(250, 250, 235));
        p.drawRect(QRectF(2.5, 2.5, 6.5, 15));
        Arrow(p, {7, 10}, {17, 10}, QColor(200, 30, 30), 2.6);
    });
}

QIcon ScrollBack() {
    return Draw([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.3));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 1.5, 11, 17));
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        for (const qreal y : {5.0, 8.0, 11.0, 14.0})
            p.drawLine(QPointF(4.5, y), QPointF(11.5, y));
        Arrow(p, {16.5, 17}, {16.5, 5}, QColor(30, 80, 200), 2.2);
    });
}

QIcon TextAlert() {
    return Draw([](QPainter& p) {
        // A bell.
        QPainterPath bell;
        bell.moveTo(4, 14.5);
        bell.cubicTo(6, 12, 5, 4, 10, 3.5);
        bell.cubicTo(15, 4, 14, 12, 16, 14.5);
        bell.closeSubpath();
        p.setPen(QPen(QColor(110, 80, 0), 1.3));
        p.setBrush(QColor(240, 190, 40));
        p.drawPath(bell);
        p.drawEllipse(QPointF(10, 16.5), 1.8, 1.8);
        p.drawLine(QPointF(10, 1.5), QPointF(10, 3.5));
    });
}

QIcon KeyPad() {
    return Draw([](QPainter& p) {
        // Nine keys, the four directions marked.
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                const bool direction = (row + col) % 2 == 1;
                p.setPen(QPen(QColor(60, 60, 60), 1.0));
                p.setBrush(direction ? QColor(30, 80, 200) : QColor(225, 225, 225));
                p.drawRoundedRect(QRectF(1.5 + col * 6, 1.5 + row * 6, 5, 5), 1, 1);
            }
        }
    });
}

} // namespace orv::ui::icons
