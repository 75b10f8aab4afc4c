#pragma once

#include "common/childwindow.h"
#include "common/shell.h"

#include <QLineEdit>
#include <QVBoxLayout>

// A plain child window for dispatch tests: a field whose text shows whether a window is fresh.
class ProbeWindow : public ChildWindow
{
    Q_OBJECT
public:
    explicit ProbeWindow(QWidget *parent = nullptr)
        : ChildWindow(parent, QPoint(10, 20), QSize(300, 200))
    {
        field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("field"));
        (new QVBoxLayout(this))->addWidget(field);
    }
    QLineEdit *field;
};

// Registers the probe under a class name the menu uses, unless the real window is there.
inline void EnsureWindowClass(const QString &windowClass)
{
    if (!WindowRegistry::hasWindow(windowClass))
        WindowRegistry::addWindow(windowClass, [](QWidget *p) { return new ProbeWindow(p); });
}
