#pragma once

#include "common/childwindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Shop name, slogan, background picture and how receipts are printed: edits myini.ini
// and the receipt table's shop name and footer.
class Tdayinshezhi : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tdayinshezhi(QWidget *parent = nullptr);

    QLineEdit *shopNameEdit() const { return m_shopNameEdit; }
    QLineEdit *pictureEdit() const { return m_pictureEdit; }
    QPushButton *pictureButton() const { return m_pictureButton; }
    QLineEdit *sloganEdit() const { return m_sloganEdit; }
    QPlainTextEdit *footerEdit() const { return m_footerEdit; }
    QRadioButton *posPrinterRadio() const { return m_posPrinterRadio; }
    QRadioButton *ordinaryPrinterRadio() const { return m_ordinaryPrinterRadio; }
    QComboBox *portBox() const { return m_portBox; }
    QCheckBox *printReceiptCheck() const { return m_printReceiptCheck; }
    QPushButton *saveButton() const { return m_saveButton; }
    QPushButton *testButton() const { return m_testButton; }
    QPushButton *exitButton() const { return m_exitButton; }

    void FormShow();
    void pictureButtonClick(); // ChooseBackgroundPicture
    void saveButtonClick();    // SaveShopSettings
    void testButtonClick();

private:
    bool writeSettings();

    QLineEdit *m_shopNameEdit;
    QLineEdit *m_pictureEdit;
    QPushButton *m_pictureButton;
    QLineEdit *m_sloganEdit;
    QPlainTextEdit *m_footerEdit;
    QRadioButton *m_posPrinterRadio;
    QRadioButton *m_ordinaryPrinterRadio;
    QComboBox *m_portBox;
    QCheckBox *m_printReceiptCheck;
    QPushButton *m_saveButton;
    QPushButton *m_testButton;
    QPushButton *m_exitButton;
};
