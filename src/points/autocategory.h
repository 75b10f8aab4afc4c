#pragma once

#include <QString>

// Moves the card to the category its new points balance reaches, when the switch in
// 自动变卡 reads "是": the category with the highest threshold (自动变卡下限) not above the
// balance; among tied thresholds the one listed last. Below every threshold the card keeps
// its category. Runs inside the caller's open transaction and throws DbError, so the
// caller's whole transaction rolls back, when a threshold is empty.
void ApplyAutoCategoryChange(const QString &card, double newBalance);
