#include "childwindow.h"

ChildWindow::ChildWindow(QWidget *parent, const QPoint &position, const QSize &size)
    : QWidget(parent)
    , m_position(position)
    , m_size(size)
{
    setAttribute(Qt::WA_DeleteOnClose);
}
