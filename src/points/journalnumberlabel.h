#pragma once

#include <QLabel>
#include <QString>

// The receipt number a transaction window shows after "单据编号：": the next journal
// number, formed again whenever the window asks (on showing, repainting, after a save).
class JournalNumberLabel : public QLabel
{
    Q_OBJECT
public:
    explicit JournalNumberLabel(QWidget *parent = nullptr);

    // Quietly keeps the text when the number cannot be formed, unless asked to report (on
    // showing and after a save) or the failure is a new one: a repaint must not raise the
    // same message again and again.
    void refresh(bool report);

private:
    QString m_error;
};
