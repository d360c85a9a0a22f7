#include "ui/Icons.h"

#include <QFont>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>

#include <cmath>
#include <functional>
#include <utility>

namespace orv::ui::icons {

namespace {

using Picture = std::function<void(QPainter&)>;

// The side of the square every picture is drawn on.
constexpr int Grid = 25;

// One palette for all twelve pictures, so they read as a set.
const QColor Ink(45, 45, 45);
const QColor Paper(252, 252, 244);
const QColor Rule(125, 125, 125);
const QColor Green(30, 150, 60);
const QColor Red(205, 40, 40);
const QColor Blue(40, 90, 200);
const QColor Gold(240, 190, 40);
constexpr qreal Stroke = 1.3;

// Greys a picture and fades it, the way a disabled button shows.
QImage Disabled(QImage image) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x];
            const int grey = 110 + qGray(pixel) * 115 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(pixel) * 3 / 5);
        }
    }
    return image;
}

// Paints its picture at whatever size is asked for, and greyed for the disabled mode.
class PictureEngine : public QIconEngine {
  public:
    PictureEngine(QString name, Picture picture) : name_(std::move(name)), picture_(std::move(picture)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const qreal ratio = painter->device() != nullptr ? painter->device()->devicePixelRatio() : 1.0;
        QPixmap image = pixmap(rect.size() * ratio, mode, state);
        image.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, image);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const bool disabled = mode == QIcon::Disabled;
        const QString key = QStringLiteral("orv-icon-%1-%2x%3-%4")
                                .arg(name_)
                                .arg(size.width())
                                .arg(size.height())
                                .arg(disabled ? 1 : 0);
        QPixmap cached;
        if (QPixmapCache::find(key, &cached)) return cached;

        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            const qreal side = std::min(size.width(), size.height());
            p.translate((size.width() - side) / 2, (size.height() - side) / 2);
            p.scale(side / Grid, side / Grid);
            picture_(p);
        }
        cached = QPixmap::fromImage(disabled ? Disabled(image) : image);
        QPixmapCache::insert(key, cached);
        return cached;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(Grid, Grid)}; }
    QString key() const override { return QStringLiteral("orv-picture"); }
    QString iconName() override { return name_; }
    QIconEngine* clone() const override { return new PictureEngine(name_, picture_); }

  private:
    QString name_;
    Picture picture_;
};

QIcon Make(const char* name, Picture picture) {
    return QIcon(new PictureEngine(QLatin1String(name), std::move(picture)));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, qreal width) {
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to - d * 3.0);
    QPainterPath head;
    head.moveTo(to + d * 1.0);
    head.lineTo(to - d * 4.5 + n * 4.2);
    head.lineTo(to - d * 4.5 - n * 4.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

// A sheet with its top right corner folded, and lines of text.
void Page(QPainter& p, QRectF r, int lines) {
    constexpr qreal fold = 4.5;
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    p.setPen(QPen(Ink, Stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Paper);
    p.drawPath(sheet);
    p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                              QPointF(r.right(), r.top() + fold)}));
    p.setPen(QPen(Rule, 1.2));
    for (int i = 0; i < lines; ++i) {
        const qreal y = r.top() + 4.0 + i * 3.0;
        const qreal right = i == 0 ? r.right() - fold - 1.0 : r.right() - 2.5;
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(right, y));
    }
}

// A white-edged badge in the lower right corner, over a page.
void Badge(QPainter& p, const QColor& fill, bool round) {
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(fill);
    if (round)
        p.drawEllipse(QPointF(18, 18), 5.5, 5.5);
    else
        p.drawRoundedRect(QRectF(12.5, 12.5, 11, 11), 1.5, 1.5);
}

void Door(QPainter& p, QRectF r) {
    p.setPen(QPen(Ink, Stroke));
    p.setBrush(QColor(205, 160, 100));
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QPointF(r.left() + (r.left() < 10 ? r.width() - 2.2 : 2.2), r.center().y() + 1), 1.0, 1.0);
}

void Glyph(QPainter& p, QRectF r, const QString& text, const QColor& colour, qreal pixels) {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(static_cast<int>(pixels));
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

} // namespace

QIcon OpenLog() {
    return Make("open-log", [](QPainter& p) {
        Page(p, QRectF(3.5, 2.5, 14, 19), 5);
        Badge(p, Red, true); // recording starts
    });
}

QIcon CloseLog() {
    return Make("close-log", [](QPainter& p) {
        Page(p, QRectF(3.5, 2.5, 14, 19), 5);
        Badge(p, Ink, false); // recording stops
    });
}

QIcon SaveBuffer() {
    return Make("save-buffer", [](QPainter& p) {
        // A diskette.
        QPainterPath body;
        body.moveTo(3, 3);
        body.lineTo(19, 3);
        body.lineTo(22, 6);
        body.lineTo(22, 22);
        body.lineTo(3, 22);
        body.closeSubpath();
        p.setPen(QPen(Ink, Stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Blue);
        p.drawPath(body);
        p.setBrush(QColor(215, 220, 225));
        p.drawRect(QRectF(7, 3, 10, 7));
        p.setBrush(Ink);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(13, 4.5, 2.5, 4));
        p.setPen(QPen(Ink, 1.0));
        p.setBrush(Paper);
        p.drawRect(QRectF(6, 13, 13, 9));
        p.setPen(QPen(Rule, 1.1));
        p.drawLine(QPointF(8, 16), QPointF(17, 16));
        p.drawLine(QPointF(8, 19), QPointF(17, 19));
    });
}

QIcon LogOn() {
    return Make("log-on", [](QPainter& p) {
        Door(p, QRectF(14.5, 3.5, 8, 18));
        Arrow(p, {1.5, 12.5}, {15.5, 12.5}, Green, 3.0);
    });
}

QIcon LogOff() {
    return Make("log-off", [](QPainter& p) {
        Door(p, QRectF(2.5, 3.5, 8, 18));
        Arrow(p, {8.5, 12.5}, {23, 12.5}, Red, 3.0);
    });
}

QIcon ScrollBack() {
    return Make("scrollback", [](QPainter& p) {
        Page(p, QRectF(2.5, 2.5, 14, 20), 6);
        Arrow(p, {21, 22}, {21, 5}, Blue, 2.6);
    });
}

QIcon News() {
    return Make("news", [](QPainter& p) {
        p.setPen(QPen(Ink, Stroke));
        p.setBrush(Paper);
        p.drawRect(QRectF(2.5, 4.5, 20, 16));
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawRect(QRectF(5, 7, 15, 3)); // the headline
        p.setBrush(QColor(150, 175, 215));
        p.drawRect(QRectF(13.5, 12, 6.5, 6)); // a picture
        p.setPen(QPen(Rule, 1.2));
        for (const qreal y : {12.5, 15.0, 17.5})
            p.drawLine(QPointF(5, y), QPointF(11.5, y));
    });
}

QIcon Help() {
    return Make("help", [](QPainter& p) {
        p.setPen(QPen(QColor(20, 55, 140), Stroke));
        p.setBrush(Blue);
        p.drawEllipse(QPointF(12.5, 12.5), 10, 10);
        Glyph(p, QRectF(2.5, 2.5, 20, 20), QStringLiteral("?"), Qt::white, 15);
    });
}

QIcon FKeys() {
    return Make("f-keys", [](QPainter& p) {
        // A key cap seen from above.
        p.setPen(QPen(Ink, Stroke));
        p.setBrush(QColor(200, 200, 200));
        p.drawRoundedRect(QRectF(2.5, 3.5, 20, 18), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 240, 240));
        p.drawRoundedRect(QRectF(5, 5, 15, 12.5), 2, 2);
        Glyph(p, QRectF(5, 4.5, 15, 13), QStringLiteral("F"), Blue, 11);
    });
}

QIcon Foes() {
    return Make("friends-and-foes", [](QPainter& p) {
        const auto person = [&p](QPointF head, const QColor& colour) {
            p.setPen(QPen(colour.darker(160), 1.1));
            p.setBrush(colour);
            QPainterPath body;
            body.moveTo(head.x() - 6, head.y() + 12);
            body.cubicTo(head.x() - 6, head.y() + 4, head.x() + 6, head.y() + 4, head.x() + 6, head.y() + 12);
            body.closeSubpath();
            p.drawPath(body);
            p.drawEllipse(head, 3.6, 3.6);
        };
        person({16.5, 9.5}, Red);  // the foe behind
        person({8.5, 7.5}, Green); // the friend in front
    });
}

QIcon TextAlert() {
    return Make("text-alert", [](QPainter& p) {
        // A bell.
        QPainterPath bell;
        bell.moveTo(5, 18);
        bell.cubicTo(7.5, 15, 6.2, 5, 12.5, 4.4);
        bell.cubicTo(18.8, 5, 17.5, 15, 20, 18);
        bell.closeSubpath();
        p.setPen(QPen(QColor(120, 85, 0), Stroke));
        p.setBrush(Gold);
        p.drawPath(bell);
        p.drawEllipse(QPointF(12.5, 20.6), 2.2, 2.2);
        p.drawLine(QPointF(12.5, 2), QPointF(12.5, 4.4));
    });
}

QIcon KeyPad() {
    return Make("keypad", [](QPainter& p) {
        // Nine keys; the four that travel carry arrows.
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                const bool direction = (row + col) % 2 == 1;
                const QRectF key(2 + col * 7.5, 2 + row * 7.5, 6, 6);
                p.setPen(QPen(Ink, 1.0));
                p.setBrush(direction ? Blue : QColor(225, 225, 225));
                p.drawRoundedRect(key, 1.2, 1.2);
                if (!direction) continue;
                const QPointF c = key.center();
                const QPointF out(col - 1, row - 1); // pointing away from the centre key
                const QPointF side(-out.y(), out.x());
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::white);
                p.drawPolygon(
                    QPolygonF({c + out * 2.0, c - out * 1.4 + side * 2.0, c - out * 1.4 - side * 2.0}));
            }
        }
    });
}

} // namespace orv::ui::icons
