#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

// The slogan pane: red text running from right to left, one pixel a step.
class Marquee : public QWidget
{
    Q_OBJECT
public:
    explicit Marquee(QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    int stepInterval() const { return m_timer.interval(); }
    int offset() const { return m_offset; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void step();

    QString m_text;
    QTimer m_timer;
    int m_offset = 0;
};
