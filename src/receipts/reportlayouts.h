#pragma once

#include "receipts.h"
#include "reportmodel.h"

// The stored layouts of the report receipts. Data sets: 小票 (店铺, 票尾), 会员卡信息
// (the member's 积分 now), 流水记录 and 消费记录 (the rows of the journal number), 合计
// (消费金额: the sum over the consumption rows).
ReportLayout PurchaseReportLayout();
// The purchase layout with "减少积分" in the heading and the summary.
ReportLayout ReturnReportLayout();
// No consumption rows: one line per journal row of the number.
ReportLayout RedemptionReportLayout();
ReportLayout ReportLayoutFor(ReceiptKind kind);
