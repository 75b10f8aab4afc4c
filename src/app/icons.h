#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Our own toolbar pictures and about-box picture, drawn rather than shipped.
QIcon ToolbarIcon(const QString &caption);
QPixmap AboutPicture();
