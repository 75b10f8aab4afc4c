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

    // Windows of a fixed layout offer minimise but no maximise on their frame. Set it
    // in the constructor; the frame takes it when the main window takes the window in.
    void setMaximizable(bool maximizable);
    bool isMaximizable() const { return m_maximizable; }

protected:
    bool event(QEvent *event) override;

private:
    void applyFrameButtons();

    QPoint m_position;
    QSize m_size;
    bool m_maximizable = true;
};
