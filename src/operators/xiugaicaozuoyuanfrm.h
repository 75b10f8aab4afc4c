#pragma once

#include <QDialog>
#include <QString>

class OperatorEditor;

// The modal modify-operator dialog. One lives for the whole run, hidden between uses, and
// is refilled from the table each time it is shown.
class Txiugaicaozuoyuan : public QDialog
{
    Q_OBJECT
public:
    explicit Txiugaicaozuoyuan(QWidget *parent = nullptr);
    ~Txiugaicaozuoyuan() override;

    // The dialog of the run; made on first use when program entry did not make one.
    static Txiugaicaozuoyuan *instance();

    OperatorEditor *editor() const { return m_editor; }
    // The operator to edit, set by the list window before it shows the dialog.
    void setOperatorCode(const QString &code) { m_heldCode = code; }
    QString operatorCode() const { return m_heldCode; }

    void FormShow();
    void saveButtonClick() { ModifyOperator(); }
    void ModifyOperator();

protected:
    void showEvent(QShowEvent *event) override;

private:
    OperatorEditor *m_editor;
    QString m_heldCode;
};
