#pragma once

#include "common/childwindow.h"

#include "data/memberpanel.h"

class QPushButton;
class QRadioButton;

// The verbal loss window: a card reported lost by telephone or at the counter gets its loss
// flag and an open loss record, which every business window's lookup then refuses; the
// cancellation clears the flag and closes the open records.
class Tkoutou : public ChildWindow
{
    Q_OBJECT
public:
    explicit Tkoutou(QWidget *parent = nullptr);

    MemberPanel *memberPanel() const { return m_memberPanel; }
    QRadioButton *reportButton() const { return m_reportButton; }
    QRadioButton *cancelReportButton() const { return m_cancelReportButton; }
    QPushButton *confirmButton() const { return m_confirmButton; }
    QPushButton *closeButton() const { return m_closeButton; }

    void FormShow();
    void confirmButtonClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void reset();

    MemberPanel *m_memberPanel;
    QRadioButton *m_reportButton;
    QRadioButton *m_cancelReportButton;
    QPushButton *m_confirmButton;
    QPushButton *m_closeButton;
};
