#pragma once

#include "gridcolumn.h"

#include <QAbstractTableModel>
#include <QList>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <optional>

// The rows of one statement, read forward as the view asks for more (fetchMore), so a
// large result opens at once and only the rows scrolled to are held.
class RecordModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RecordModel(QObject *parent = nullptr);

    // Empty: every column of the result, headed by its name.
    void setColumns(const QList<GridColumn> &columns);
    // The columns shown: the set ones, or the result's own.
    QList<GridColumn> columns() const;
    // Runs the statement and shows its first rows. Throws DbError; the model is empty then.
    void run(const QString &statement, const QVariantList &values);
    void clear();
    bool isActive() const { return m_active; }
    // Column names of the last result.
    const QStringList &fields() const { return m_fields; }

    // Fetches until the row is there; false when the result is shorter.
    bool fetchTo(int row);
    QVariant value(int row, const QString &field) const;
    QString cellText(int row, int column) const;
    void setHeaderMarks(const QStringList &marks);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool canFetchMore(const QModelIndex &parent = {}) const override;
    void fetchMore(const QModelIndex &parent = {}) override;

    static constexpr int BatchSize = 256;

private:
    int sourceIndex(int column) const;
    void mapColumns();

    QList<GridColumn> m_columns;
    QList<GridColumn> m_shown;
    QVector<int> m_map; // shown column -> result column, -1 when the result lacks it
    QStringList m_fields;
    QStringList m_marks;
    QList<QVector<QVariant>> m_rows;
    std::optional<QSqlQuery> m_query;
    bool m_active = false;
    bool m_atEnd = true;
};
