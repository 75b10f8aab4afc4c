#include "marquee.h"

#include <QPainter>

Marquee::Marquee(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sloganPane"));
    QFont f = font();
    f.setPixelSize(14);
    setFont(f);
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, [this] { step(); });
}

void Marquee::setText(const QString &text)
{
    m_text = text;
    m_offset = 0;
    if (m_text.isEmpty())
        m_timer.stop();
    else
        m_timer.start();
    update();
}

void Marquee::step()
{
    const int textWidth = fontMetrics().horizontalAdvance(m_text);
    if (++m_offset > width() + textWidth)
        m_offset = 0;
    update();
}

void Marquee::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(Qt::red);
    p.setFont(font());
    p.drawText(QRect(width() - m_offset, 0, fontMetrics().horizontalAdvance(m_text) + 4, height()),
               Qt::AlignVCenter | Qt::AlignLeft, m_text);
}
