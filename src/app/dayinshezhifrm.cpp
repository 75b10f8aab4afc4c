#include "dayinshezhifrm.h"

#include "common/apptexts.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "common/shell.h"
#include "common/windowsupport.h"
#include "data/sql.h"
#include "receipts/portreceipt.h"
#include "receipts/receiptstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template<typename T>
T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

Tdayinshezhi::Tdayinshezhi(QWidget *parent)
    : ChildWindow(parent, QPoint(330, 0), QSize(400, 380))
{
    setObjectName(QStringLiteral("Tdayinshezhi"));
    setWindowTitle(QStringLiteral("店铺名称及小票打印设置"));
    m_shopNameEdit = named(new QLineEdit(this), QStringLiteral("shopNameEdit"));
    m_pictureEdit = named(new QLineEdit(this), QStringLiteral("pictureEdit"));
    m_pictureButton = MakeButton(QStringLiteral("..."), QStringLiteral("pictureButton"), this);
    m_pictureButton->setFixedWidth(36);
    m_sloganEdit = named(new QLineEdit(this), QStringLiteral("sloganEdit"));
    m_footerEdit = named(new QPlainTextEdit(this), QStringLiteral("footerEdit"));
    m_footerEdit->setFixedHeight(72);
    m_footerEdit->setTabChangesFocus(true);

    auto *printerGroup = named(new QGroupBox(this), QStringLiteral("printerGroup"));
    m_posPrinterRadio = named(new QRadioButton(QStringLiteral("POS58打印机"), printerGroup),
                              QStringLiteral("posPrinterRadio"));
    m_ordinaryPrinterRadio = named(new QRadioButton(QStringLiteral("普通打印机"), printerGroup),
                                   QStringLiteral("ordinaryPrinterRadio"));
    auto *printerRow = new QHBoxLayout(printerGroup);
    printerRow->addWidget(m_posPrinterRadio);
    printerRow->addWidget(m_ordinaryPrinterRadio);

    m_portBox = named(new QComboBox(this), QStringLiteral("portBox"));
    m_portBox->setEditable(true);
    m_portBox->setInsertPolicy(QComboBox::NoInsert);
    m_portBox->addItems({QStringLiteral("lpt1"), QStringLiteral("lpt2"), QStringLiteral("lpt3"),
                         QStringLiteral("lpt4")});
    m_printReceiptCheck = named(new QCheckBox(QStringLiteral("打印小票"), this),
                                QStringLiteral("printReceiptCheck"));

    auto *pictureRow = new QHBoxLayout;
    pictureRow->addWidget(m_pictureEdit);
    pictureRow->addWidget(m_pictureButton);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("店铺名称"), m_shopNameEdit);
    form->addRow(QStringLiteral("背景图片"), pictureRow);
    form->addRow(QStringLiteral("滚动字幕"), m_sloganEdit);
    form->addRow(QStringLiteral("小票结尾"), m_footerEdit);
    form->addRow(QStringLiteral("打印机类型"), printerGroup);
    form->addRow(QStringLiteral("POS打印机端口"), m_portBox);
    form->addRow(QString(), m_printReceiptCheck);

    m_saveButton = MakeButton(QStringLiteral("保存"), QStringLiteral("saveButton"), this);
    m_testButton = MakeButton(QStringLiteral("POS打印测试"), QStringLiteral("testButton"), this);
    m_exitButton = MakeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);
    buttons->addWidget(m_testButton);
    buttons->addWidget(m_exitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_pictureButton, &QPushButton::clicked, this, [this] { pictureButtonClick(); });
    connect(m_saveButton, &QPushButton::clicked, this, [this] { saveButtonClick(); });
    connect(m_testButton, &QPushButton::clicked, this, [this] { testButtonClick(); });
    connect(m_exitButton, &QPushButton::clicked, this, [this] { close(); });

    FormShow();
}

void Tdayinshezhi::FormShow()
{
    m_shopNameEdit->setText(AppSettings::readString(QStringLiteral("店铺名称"), AppTexts::DefaultShopName));
    m_pictureEdit->setText(AppSettings::readString(QStringLiteral("背景图片"), QString()));
    m_sloganEdit->setText(AppSettings::readString(QStringLiteral("广告语"), QString()));
    m_footerEdit->setPlainText(AppSettings::readString(QStringLiteral("小票尾"), QStringLiteral("欢迎您再次光临！")));
    const bool pos = AppSettings::readString(QStringLiteral("打印机"), QStringLiteral("0")) == QLatin1String("0");
    m_posPrinterRadio->setChecked(pos);
    m_ordinaryPrinterRadio->setChecked(!pos);
    m_portBox->setCurrentText(AppSettings::readString(QStringLiteral("打印端口"), QStringLiteral("lpt1")));
    m_printReceiptCheck->setChecked(AppSettings::readBool(QStringLiteral("打印小票"), false));
}

void Tdayinshezhi::pictureButtonClick()
{
    const QString chosen = Dialogs::openFileName(QStringLiteral("所有文件|*.*"), m_pictureEdit->text(), this);
    if (!chosen.isEmpty())
        m_pictureEdit->setText(chosen);
    // Also after a cancel: the field as it stands is what the main window shows.
    AppSettings::writeString(QStringLiteral("背景图片"), m_pictureEdit->text());
    if (Shell *shell = Shell::instance())
        shell->reloadBackground(m_pictureEdit->text());
}

bool Tdayinshezhi::writeSettings()
{
    QString joinedFooter = m_footerEdit->toPlainText();
    joinedFooter.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    // Stops at the first key that cannot be written; the keys before it stay written.
    return AppSettings::writeString(QStringLiteral("打印端口"), m_portBox->currentText())
           && AppSettings::writeString(QStringLiteral("店铺名称"), m_shopNameEdit->text())
           && AppSettings::writeString(QStringLiteral("背景图片"), m_pictureEdit->text())
           && AppSettings::writeString(QStringLiteral("广告语"), m_sloganEdit->text())
           && AppSettings::writeBool(QStringLiteral("打印小票"), m_printReceiptCheck->isChecked())
           && AppSettings::writeString(QStringLiteral("小票尾"), joinedFooter)
           && AppSettings::writeString(QStringLiteral("打印机"), m_posPrinterRadio->isChecked()
                                                                    ? QStringLiteral("0")
                                                                    : QStringLiteral("1"));
}

void Tdayinshezhi::saveButtonClick()
{
    if (m_portBox->currentText().isEmpty()) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("请选择POS打印端口！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        return;
    }
    const QString shopName = m_shopNameEdit->text();
    bool saved = writeSettings();
    if (saved) {
        try {
            ReceiptStore::saveReceiptHeader(shopName, m_footerEdit->toPlainText());
        } catch (const DbError &) {
            saved = false;
        }
    }
    if (!saved) {
        Dialogs::message(QStringLiteral("提示"), QStringLiteral("配置失败！"), MsgIcon::Error,
                         MsgButtons::Ok, this);
        return;
    }
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("配置成功！"), MsgIcon::Information,
                     MsgButtons::Ok, this);
    if (Shell *shell = Shell::instance())
        shell->setShopName(shopName);
    close();
}

void Tdayinshezhi::testButtonClick()
{
    // Prints what is saved, not what is on screen; a missing printer stays silent.
    PrintTestReceipt();
}
