#include "categorymodel.h"

#include "memberstore.h"

#include "common/numtext.h"
#include "data/sql.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSqlError>

CategoryModel::CategoryModel(QObject *parent)
    : QSqlTableModel(parent)
{
    setEditStrategy(QSqlTableModel::OnManualSubmit);
    setTable(QStringLiteral("卡类别"));
}

bool CategoryModel::isNumberColumn(int column) const
{
    return column >= 0
           && (column == discountColumn() || column == ratioColumn() || column == thresholdColumn());
}

bool CategoryModel::isBooleanColumn(int column) const
{
    return column >= 0 && (column == giftColumn() || column == cashColumn());
}

const QList<QPair<QString, QString>> &CategoryModel::numberLabels()
{
    static const QList<QPair<QString, QString>> labels{
        {QStringLiteral("积分比例"), QStringLiteral("积分比例")},
        {QStringLiteral("折扣"), QStringLiteral("消费折扣率")},
        {QStringLiteral("自动变卡下限"), QStringLiteral("卡类别自动改变积分底限")},
        {QStringLiteral("卡类别"), QStringLiteral("卡类别")},
    };
    return labels;
}

QString CategoryModel::failureText() const
{
    QString text = lastError().databaseText();
    if (text.trimmed().isEmpty())
        text = lastError().text();
    if (text.trimmed().isEmpty())
        text = QStringLiteral("数据库错误");
    return MemberStore::plainEngineText(text, numberLabels());
}

QVariant CategoryModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return QSqlTableModel::data(index, role);
    const QVariant value = QSqlTableModel::data(index, role);
    if (isBooleanColumn(index.column()) && !value.isNull())
        return Sql::isTrue(value) ? QStringLiteral("是") : QStringLiteral("否");
    return Sql::text(value);
}

CategoryFieldDelegate::CategoryFieldDelegate(CategoryModel *model, QObject *parent)
    : QItemDelegate(parent)
    , m_model(model)
{
}

void CategoryFieldDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QVariant value = index.data(Qt::EditRole);
    if (auto *box = qobject_cast<QCheckBox *>(editor))
        box->setChecked(Sql::isTrue(value));
    else if (auto *edit = qobject_cast<QLineEdit *>(editor))
        edit->setText(Sql::text(value));
}

void CategoryFieldDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                         const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QCheckBox *>(editor)) {
        model->setData(index, box->isChecked() ? 1 : 0);
        return;
    }
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    const QString text = edit->text();
    if (!m_model->isNumberColumn(index.column())) {
        model->setData(index, text);
        return;
    }
    // The column's type check refuses '' as well as letters, so empty means NULL; a letter
    // goes on as typed and the engine's refusal keeps the row pending.
    bool ok = false;
    const double number = TextNumber(text, &ok);
    if (text.trimmed().isEmpty())
        model->setData(index, QVariant(QMetaType(QMetaType::Double)));
    else if (ok)
        model->setData(index, number);
    else
        model->setData(index, text);
}
