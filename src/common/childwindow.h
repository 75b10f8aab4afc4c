#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

// A document window of the main window. Each window knows where it opens in the
// client area and how large its frame is; the shell places it there.
class ChildWindow : public QWidget
{
    Q_OBJECT
public:
    ChildWindow(QWidget *parent, const QPoint &position, const QSize &size);

    QPoint childPosition() const { return m_position; }
    QSize childSize() const { return m_size; }

private:
    QPoint m_position;
    QSize m_size;
};
