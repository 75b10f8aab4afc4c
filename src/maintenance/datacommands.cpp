#include "datacommands.h"

#include "maintenancestore.h"

#include "common/dialogs.h"

void InitialiseData()
{
    if (!Dialogs::confirm(QStringLiteral("数据初始化"),
                          QStringLiteral("确实进行数据初始化？该操作将清空数据库的全部内容，该操作不可恢复！请谨慎操作！")))
        return;
    MaintenanceStore::initialise();
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("初始化成功！"), MsgIcon::Information);
}

void ZeroAllPoints()
{
    if (Dialogs::message(QStringLiteral("清零询问"), QStringLiteral("确实进行积分手动清零？"),
                         MsgIcon::Question, MsgButtons::YesNo)
        != MsgResult::Yes)
        return;
    if (!Dialogs::confirm(QStringLiteral("清零提示"),
                          QStringLiteral("确实进行积分手动清零？该操作将使全部会员的积分变为0，该操作不可恢复！请谨慎操作！")))
        return;
    MaintenanceStore::zeroAllPoints();
    Dialogs::message(QStringLiteral("提示！"), QStringLiteral("积分手动清零成功！"), MsgIcon::Information);
}
