#pragma once

#include <QItemDelegate>
#include <QList>
#include <QPair>
#include <QSqlTableModel>

// The category table, edited in place: rows are held back until submitted, so a refused
// row stays pending for correction or discarding.
class CategoryModel : public QSqlTableModel
{
    Q_OBJECT
public:
    explicit CategoryModel(QObject *parent = nullptr);

    // Column positions in the table.
    int nameColumn() const { return fieldIndex(QStringLiteral("卡类别")); }
    int discountColumn() const { return fieldIndex(QStringLiteral("折扣")); }
    int ratioColumn() const { return fieldIndex(QStringLiteral("积分比例")); }
    int thresholdColumn() const { return fieldIndex(QStringLiteral("自动变卡下限")); }
    int giftColumn() const { return fieldIndex(QStringLiteral("允许兑换礼品")); }
    int cashColumn() const { return fieldIndex(QStringLiteral("允许返现金")); }

    bool isNumberColumn(int column) const;
    bool isBooleanColumn(int column) const;

    // Number columns by the labels of the category window, for plain refusals.
    static const QList<QPair<QString, QString>> &numberLabels();
    // The engine's text of the last failure, said plainly.
    QString failureText() const;

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
};

// Moves values between the category fields and the model: numbers shown by the general
// conversion, an empty number field stored as NULL, tick boxes as 1 and 0.
class CategoryFieldDelegate : public QItemDelegate
{
    Q_OBJECT
public:
    explicit CategoryFieldDelegate(CategoryModel *model, QObject *parent = nullptr);

    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

private:
    CategoryModel *m_model;
};
