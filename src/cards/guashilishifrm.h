#pragma once

#include "historywindow.h"

// Card replacements (挂失记录), shown through the replacement-records query.
class Tguashilishi : public HistoryWindow
{
    Q_OBJECT
public:
    explicit Tguashilishi(QWidget *parent = nullptr);
};
