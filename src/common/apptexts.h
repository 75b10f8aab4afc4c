#pragma once

#include <QString>

namespace AppTexts {
inline const QString ApplicationTitle = QStringLiteral("青禾岭会员积分管理系统");
inline const QString TitleSuffix = QStringLiteral("会员积分管理系统V4.68");
inline const QString DefaultShopName = QStringLiteral("青禾岭软件工作室");
inline const QString ProductLine = QStringLiteral("会 员 积 分 管 理 系 统");
inline const QString Version = QStringLiteral("程序版本：4.68");
} // namespace AppTexts
