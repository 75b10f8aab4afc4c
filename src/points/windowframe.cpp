#include "windowframe.h"

#include <QMdiSubWindow>

void RemoveMaximizeButton(QWidget *childWindow)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(childWindow->parentWidget());
    if (!frame || !(frame->windowFlags() & Qt::WindowMaximizeButtonHint))
        return;
    const bool visible = frame->isVisible();
    frame->setWindowFlags((frame->windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowMaximizeButtonHint);
    if (visible)
        frame->show();
}
