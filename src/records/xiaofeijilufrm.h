#pragma once

#include "recordfilterwindow.h"

// The consumption records (消费记录): every basket line of purchases and returns. Opens
// empty; its query runs on "开始查询".
class Txiaofeijilu : public RecordFilterWindow
{
    Q_OBJECT
public:
    explicit Txiaofeijilu(QWidget *parent = nullptr);
};
