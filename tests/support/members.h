#pragma once

#include "support/fixture.h"

#include <QString>

// Small fixtures of categories and members for the business window tests.
struct CategoryRow
{
    QString name;
    QVariant discount;
    QVariant ratio;
    QVariant threshold;
};

inline void AddCategory(Fixture &fx, const CategoryRow &c, bool gifts = true, bool cash = true)
{
    fx.exec("insert into 卡类别 (卡类别, 折扣, 积分比例, 自动变卡下限, 允许兑换礼品, 允许返现金) values (?, ?, ?, ?, ?, ?)",
            {c.name, c.discount, c.ratio, c.threshold, gifts ? 1 : 0, cash ? 1 : 0});
}

inline void AddMember(Fixture &fx, const QString &card, const QString &name, const QString &category,
                      double points = 0, bool lost = false)
{
    fx.exec("insert into 会员卡信息 (会员卡号, 卡类别, 会员姓名, 性别, 身份证号, 会员生日, 生日, 地址, 固定电话, 手机, "
            "起用日期, 积分, 口头挂失标志) values (?, ?, ?, '女', ?, '1980-03-06', '3-6', '人民路1号', ?, ?, "
            "'2025-01-02', ?, ?)",
            {card, category, name, "3301" + card, "0571-" + card, "139" + card, points, lost ? 1 : 0});
}
