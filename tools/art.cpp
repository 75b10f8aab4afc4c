// huiyuanjifen-art PATH: draws the default background picture, a quiet coast at dusk.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (app.arguments().size() != 2)
        return 2;
    const int w = 1600, h = 1000;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h * 0.55);
    sky.setColorAt(0, QColor(0x3a, 0x6f, 0xa8));
    sky.setColorAt(0.7, QColor(0xa9, 0xd3, 0xe8));
    sky.setColorAt(1, QColor(0xf6, 0xe3, 0xc0));
    p.fillRect(0, 0, w, int(h * 0.55), sky);

    QRadialGradient sun(w * 0.72, h * 0.47, 120);
    sun.setColorAt(0, QColor(255, 244, 214));
    sun.setColorAt(1, QColor(255, 244, 214, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.72, h * 0.47), 120, 120);

    QLinearGradient sea(0, h * 0.55, 0, h);
    sea.setColorAt(0, QColor(0x4f, 0x9c, 0xb8));
    sea.setColorAt(1, QColor(0x1d, 0x4e, 0x6e));
    p.fillRect(0, int(h * 0.55), w, h, sea);

    QRandomGenerator rng(20081205);
    p.setPen(QPen(QColor(255, 255, 255, 70), 2));
    for (int i = 0; i < 260; ++i) {
        const double y = h * 0.56 + rng.bounded(h * 0.44);
        const double x = rng.bounded(double(w));
        const double len = 10 + (y - h * 0.55) / 8;
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }

    QPainterPath land;
    land.moveTo(0, h * 0.62);
    land.cubicTo(w * 0.12, h * 0.5, w * 0.25, h * 0.58, w * 0.38, h * 0.7);
    land.cubicTo(w * 0.45, h * 0.8, w * 0.3, h * 0.95, w * 0.2, h);
    land.lineTo(0, h);
    land.closeSubpath();
    QLinearGradient rock(0, h * 0.5, 0, h);
    rock.setColorAt(0, QColor(0x5b, 0x7a, 0x3c));
    rock.setColorAt(1, QColor(0x3b, 0x4a, 0x2a));
    p.fillPath(land, rock);

    QPainterPath sand;
    sand.moveTo(w * 0.2, h);
    sand.cubicTo(w * 0.32, h * 0.9, w * 0.6, h * 0.93, w, h * 0.86);
    sand.lineTo(w, h);
    sand.closeSubpath();
    p.fillPath(sand, QColor(0xe9, 0xd3, 0xa6));
    p.end();
    return img.save(app.arguments().at(1), "JPG", 88) ? 0 : 1;
}
