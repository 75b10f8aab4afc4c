#include "icons.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

struct Look
{
    QColor color;
    QString glyph;
};

Look lookFor(const QString &caption)
{
    static const QHash<QString, Look> looks{
        {QStringLiteral("消费积分"), {QColor(0x2e, 0x8b, 0x57), QStringLiteral("积")}},
        {QStringLiteral("退/换货减积分"), {QColor(0xd2, 0x69, 0x1e), QStringLiteral("退")}},
        {QStringLiteral("积分兑换"), {QColor(0xc0, 0x39, 0x2b), QStringLiteral("兑")}},
        {QStringLiteral("会员管理"), {QColor(0x29, 0x80, 0xb9), QStringLiteral("员")}},
        {QStringLiteral("会员查询"), {QColor(0x16, 0xa0, 0x85), QStringLiteral("查")}},
        {QStringLiteral("会员卡更换"), {QColor(0x8e, 0x44, 0xad), QStringLiteral("换")}},
        {QStringLiteral("生日提醒"), {QColor(0xe8, 0x4a, 0x8a), QStringLiteral("寿")}},
        {QStringLiteral("系统帮助"), {QColor(0x34, 0x49, 0x5e), QStringLiteral("?")}},
        {QStringLiteral("暂时离开"), {QColor(0x7f, 0x8c, 0x8d), QStringLiteral("锁")}},
        {QStringLiteral("退出"), {QColor(0x96, 0x28, 0x1b), QStringLiteral("出")}},
    };
    return looks.value(caption, {QColor(0x55, 0x66, 0x77), caption.left(1)});
}

QPixmap drawIcon(const Look &look, bool disabled)
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QColor base = disabled ? QColor(0xb0, 0xb0, 0xb0) : look.color;
    QLinearGradient g(0, 0, 0, 32);
    g.setColorAt(0, base.lighter(140));
    g.setColorAt(1, base.darker(115));
    p.setBrush(g);
    p.setPen(QPen(base.darker(150), 1));
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 7, 7);
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, look.glyph);
    return pm;
}

} // namespace

QIcon ToolbarIcon(const QString &caption)
{
    const Look look = lookFor(caption);
    QIcon icon;
    icon.addPixmap(drawIcon(look, false), QIcon::Normal);
    icon.addPixmap(drawIcon(look, true), QIcon::Disabled);
    return icon;
}

QPixmap AboutPicture()
{
    QPixmap pm(300, 150);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(0x7e, 0xc8, 0xe3));
    sky.setColorAt(1, QColor(0xe8, 0xf6, 0xd8));
    p.fillRect(pm.rect(), sky);
    // Green hills and a stalk of grain: the shop's "green grain ridge".
    QPainterPath hills;
    hills.moveTo(0, 150);
    hills.cubicTo(60, 70, 140, 130, 200, 95);
    hills.cubicTo(240, 75, 280, 90, 300, 80);
    hills.lineTo(300, 150);
    hills.closeSubpath();
    p.fillPath(hills, QColor(0x3f, 0x9b, 0x4b));
    p.setPen(QPen(QColor(0xc8, 0x9b, 0x2c), 3));
    p.drawLine(150, 140, 160, 40);
    p.setBrush(QColor(0xe0, 0xb8, 0x40));
    for (int i = 0; i < 5; ++i) {
        p.drawEllipse(QPointF(158 - i * 1.5 - 7, 50 + i * 14), 6, 3);
        p.drawEllipse(QPointF(158 - i * 1.5 + 7, 50 + i * 14), 6, 3);
    }
    return pm;
}
