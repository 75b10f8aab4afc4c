#include "childwindow.h"

#include <QEvent>
#include <QMdiSubWindow>

ChildWindow::ChildWindow(QWidget *parent, const QPoint &position, const QSize &size)
    : QWidget(parent)
    , m_position(position)
    , m_size(size)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildWindow::setMaximizable(bool maximizable)
{
    m_maximizable = maximizable;
    applyFrameButtons();
}

bool ChildWindow::event(QEvent *event)
{
    // The frame is made by the main window's client area when it takes the window in.
    if (event->type() == QEvent::ParentChange)
        applyFrameButtons();
    return QWidget::event(event);
}

void ChildWindow::applyFrameButtons()
{
    // A maximisable window keeps whatever frame the client area gives it.
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (!frame || m_maximizable)
        return;
    const Qt::WindowFlags flags = Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (flags == frame->windowFlags())
        return;
    const bool visible = frame->isVisible();
    frame->setWindowFlags(flags);
    if (visible)
        frame->show();
}
