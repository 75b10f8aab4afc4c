#include "menus.h"

const QStringList &MenuNames()
{
    static const QStringList names{QStringLiteral("系统设置"), QStringLiteral("商品管理"),
                                   QStringLiteral("会员卡管理"), QStringLiteral("基本业务"),
                                   QStringLiteral("查询报表"), QStringLiteral("系统帮助")};
    return names;
}

const QList<MenuItemEntry> &MenuItems()
{
    static const QList<MenuItemEntry> items{
        {QStringLiteral("系统设置"), QStringLiteral("操作人员及权限设置"), QStringLiteral("Tcaozuorenyuan"), QStringLiteral("操作人员设置")},
        {QStringLiteral("系统设置"), QStringLiteral("修改密码"), QStringLiteral("Txiugaimima"), QStringLiteral("修改密码")},
        {QStringLiteral("系统设置"), QStringLiteral("店铺名称及小票打印设置"), QStringLiteral("Tdayinshezhi"), QStringLiteral("店铺名称及小票打印设置")},
        {QStringLiteral("系统设置"), QStringLiteral("数据备份"), {}, {}},
        {QStringLiteral("系统设置"), QStringLiteral("数据恢复"), {}, {}},
        {QStringLiteral("系统设置"), QStringLiteral("积分手动清零"), {}, {}},
        {QStringLiteral("系统设置"), QStringLiteral("历史数据清除"), QStringLiteral("Tzhengli"), QStringLiteral("数据整理")},
        {QStringLiteral("系统设置"), QStringLiteral("数据初始化"), {}, {}},
        {QStringLiteral("系统设置"), QStringLiteral("退出系统"), {}, {}},
        {QStringLiteral("商品管理"), QStringLiteral("商品档案预录入"), QStringLiteral("Tshangpindangan"), QStringLiteral("商品档案预录入")},
        {QStringLiteral("会员卡管理"), QStringLiteral("会员卡类别设置"), QStringLiteral("Tleibie"), QStringLiteral("会员卡类别设置")},
        {QStringLiteral("会员卡管理"), QStringLiteral("引荐人增加积分设置"), QStringLiteral("Tyinjianjifen"), QStringLiteral("引荐人增加积分设置")},
        {QStringLiteral("会员卡管理"), QStringLiteral("新增修改会员信息"), QStringLiteral("Txinhuiyuan"), QStringLiteral("新增/修改会员信息")},
        {QStringLiteral("会员卡管理"), QStringLiteral("会员查询"), QStringLiteral("Tjifenchaxun"), QStringLiteral("会员查询")},
        {QStringLiteral("会员卡管理"), QStringLiteral("全部会员信息"), QStringLiteral("Tquanbuhuiyuan"), QStringLiteral("全部会员信息")},
        {QStringLiteral("会员卡管理"), QStringLiteral("会员卡挂失及取消"), QStringLiteral("Tkoutou"), QStringLiteral("会员卡挂失及取消")},
        {QStringLiteral("会员卡管理"), QStringLiteral("会员卡更换"), QStringLiteral("Tguashi"), QStringLiteral("会员卡更换")},
        {QStringLiteral("基本业务"), QStringLiteral("消费积分"), QStringLiteral("Tzengjiajifen"), QStringLiteral("购物或换货增加积分")},
        {QStringLiteral("基本业务"), QStringLiteral("退/换货减积分"), QStringLiteral("Ttuihuo"), QStringLiteral("退/换货减积分")},
        {QStringLiteral("基本业务"), QStringLiteral("积分兑换"), QStringLiteral("Tduihuan"), QStringLiteral("积分兑换")},
        {QStringLiteral("查询报表"), QStringLiteral("会员积分增减历史记录"), QStringLiteral("Txiangxijilu"), QStringLiteral("会员积分增减历史记录")},
        {QStringLiteral("查询报表"), QStringLiteral("会员消费记录"), QStringLiteral("Txiaofeijilu"), QStringLiteral("查询会员消费记录")},
        {QStringLiteral("查询报表"), QStringLiteral("会员卡挂失记录"), QStringLiteral("Tkoutoujilu"), QStringLiteral("会员卡挂失记录")},
        {QStringLiteral("查询报表"), QStringLiteral("会员卡更换历史记录"), QStringLiteral("Tguashilishi"), QStringLiteral("会员卡更换历史记录")},
        {QStringLiteral("查询报表"), QStringLiteral("会员生日提醒"), QStringLiteral("Tshengri"), QStringLiteral("会员生日提醒")},
        {QStringLiteral("系统帮助"), QStringLiteral("帮助"), {}, {}},
        {QStringLiteral("系统帮助"), QStringLiteral("关于"), {}, {}},
    };
    return items;
}

const QList<ToolButtonEntry> &ToolButtons()
{
    static const QList<ToolButtonEntry> buttons{
        {QStringLiteral("消费积分"), QStringLiteral("消费积分")},
        {QStringLiteral("退/换货减积分"), QStringLiteral("退/换货减积分")},
        {QStringLiteral("积分兑换"), QStringLiteral("积分兑换")},
        {QStringLiteral("会员管理"), QStringLiteral("新增修改会员信息")},
        {QStringLiteral("会员查询"), QStringLiteral("会员查询")},
        {QStringLiteral("会员卡更换"), QStringLiteral("会员卡更换")},
        {QStringLiteral("生日提醒"), QStringLiteral("会员生日提醒")},
        {QStringLiteral("系统帮助"), QStringLiteral("帮助")},
        {QStringLiteral("暂时离开"), {}},
        {QStringLiteral("退出"), {}},
    };
    return buttons;
}
