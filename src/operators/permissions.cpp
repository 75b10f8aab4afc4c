#include "permissions.h"

#include "common/shell.h"

const QList<PermissionFlag> &PermissionFlags()
{
    static const QList<PermissionFlag> flags{
        {1, QStringLiteral("操作人员设置"), QStringLiteral("操作人员及权限设置"), {}},
        {2, QStringLiteral("店铺名称设置"), QStringLiteral("店铺名称及小票打印设置"), {}},
        {3, QStringLiteral("数据库备份"), QStringLiteral("数据备份"), {}},
        {4, QStringLiteral("数据库恢复"), QStringLiteral("数据恢复"), {}},
        {5, QStringLiteral("历史数据清除"), QStringLiteral("历史数据清除"), {}},
        {6, QStringLiteral("数据初始化"), QStringLiteral("数据初始化"), {}},
        {7, QStringLiteral("会员卡类别设置"), QStringLiteral("会员卡类别设置"), {}},
        {8, QStringLiteral("新增/修改会员卡信息"), QStringLiteral("新增修改会员信息"), QStringLiteral("会员管理")},
        {9, QStringLiteral("会员查询"), QStringLiteral("会员查询"), QStringLiteral("会员查询")},
        {10, QStringLiteral("全部会员信息"), QStringLiteral("全部会员信息"), {}},
        {11, QStringLiteral("会员卡挂失及取消"), QStringLiteral("会员卡挂失及取消"), {}},
        {12, QStringLiteral("会员卡更换"), QStringLiteral("会员卡更换"), QStringLiteral("会员卡更换")},
        {13, QStringLiteral("消费积分"), QStringLiteral("消费积分"), QStringLiteral("消费积分")},
        {14, QStringLiteral("积分兑换"), QStringLiteral("积分兑换"), QStringLiteral("积分兑换")},
        {15, QStringLiteral("退货减积分"), QStringLiteral("退/换货减积分"), QStringLiteral("退/换货减积分")},
        {16, QStringLiteral("会员积分增减历史记录"), QStringLiteral("会员积分增减历史记录"), {}},
        {17, QStringLiteral("会员卡挂失记录"), QStringLiteral("会员卡挂失记录"), {}},
        {18, QStringLiteral("会员卡更换记录"), QStringLiteral("会员卡更换历史记录"), {}},
        {19, QStringLiteral("会员生日提醒"), QStringLiteral("会员生日提醒"), QStringLiteral("生日提醒")},
        {20, QStringLiteral("积分手动清零"), QStringLiteral("积分手动清零"), {}},
        {21, QStringLiteral("会员消费记录"), QStringLiteral("会员消费记录"), {}},
        {22, QStringLiteral("商品档案预录入"), QStringLiteral("商品档案预录入"), {}},
        {23, QStringLiteral("引荐人增加积分设置"), QStringLiteral("引荐人增加积分设置"), {}},
    };
    return flags;
}

void ApplyPermissions(Shell &shell, const PermissionSet &flags)
{
    for (const PermissionFlag &f : PermissionFlags()) {
        shell.setCommandEnabled(f.menuItem, false);
        if (!f.toolButton.isEmpty())
            shell.setToolButtonEnabled(f.toolButton, false);
    }
    for (const PermissionFlag &f : PermissionFlags()) {
        if (!flags[f.flag - 1])
            continue;
        shell.setCommandEnabled(f.menuItem, true);
        if (!f.toolButton.isEmpty())
            shell.setToolButtonEnabled(f.toolButton, true);
    }
}
