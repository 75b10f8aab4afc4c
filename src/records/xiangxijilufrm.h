#pragma once

#include "recordfilterwindow.h"

// The points journal (流水记录). Opens on whatever the journal query holds: one member's
// rows when a business window opened it, nothing before the query's first use.
class Txiangxijilu : public RecordFilterWindow
{
    Q_OBJECT
public:
    explicit Txiangxijilu(QWidget *parent = nullptr);

    void valueEditReturnPressed();
};
