#include "journalnumberlabel.h"

#include "common/windowsupport.h"
#include "data/journalnumber.h"
#include "data/sql.h"

JournalNumberLabel::JournalNumberLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("journalNumberLabel"));
    setMinimumWidth(90);
    setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
}

void JournalNumberLabel::refresh(bool report)
{
    try {
        const QString number = NextJournalNumber();
        m_error.clear();
        if (text() != number)
            setText(number);
    } catch (const DbError &e) {
        if (!report && e.text() == m_error)
            return;
        m_error = e.text();
        ShowStandardError(e.text(), window());
    }
}
