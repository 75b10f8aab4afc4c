#include "guanyufrm.h"

#include "icons.h"

#include "common/apptexts.h"

#include <QLabel>
#include <QVBoxLayout>

Tguanyu::Tguanyu(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Tguanyu"));
    setWindowTitle(QStringLiteral("关于本系统"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("pictureLabel"));
    picture->setPixmap(AboutPicture());
    picture->setAlignment(Qt::AlignCenter);
    auto *product = new QLabel(AppTexts::ApplicationTitle, this);
    product->setObjectName(QStringLiteral("productLabel"));
    QFont f = product->font();
    f.setPixelSize(22);
    f.setBold(true);
    product->setFont(f);
    product->setAlignment(Qt::AlignCenter);
    auto *version = new QLabel(AppTexts::Version, this);
    version->setObjectName(QStringLiteral("versionLabel"));
    version->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(product);
    layout->addWidget(version);
    setFixedSize(380, 300);
}
