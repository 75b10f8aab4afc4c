#pragma once

#include "historywindow.h"

// Verbal loss reports and their cancellations (口头挂失记录), shown through the
// verbal-loss-records query.
class Tkoutoujilu : public HistoryWindow
{
    Q_OBJECT
public:
    explicit Tkoutoujilu(QWidget *parent = nullptr);
};
