#include "recordmodel.h"

#include "data/sql.h"

#include <QSqlRecord>

RecordModel::RecordModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void RecordModel::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    mapColumns();
    endResetModel();
}

QList<GridColumn> RecordModel::columns() const
{
    return m_shown;
}

void RecordModel::mapColumns()
{
    m_shown = m_columns;
    if (m_shown.isEmpty()) {
        for (const QString &f : m_fields)
            m_shown << GridColumn { f };
    }
    m_map.clear();
    for (const GridColumn &c : m_shown)
        m_map << int(m_fields.indexOf(c.field));
    m_marks.resize(m_shown.size());
}

void RecordModel::run(const QString &statement, const QVariantList &values)
{
    clear();
    QSqlQuery q = Sql::exec(statement, values);
    beginResetModel();
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i)
        m_fields << r.fieldName(i);
    m_query = std::move(q);
    m_active = true;
    m_atEnd = false;
    mapColumns();
    endResetModel();
    fetchMore();
}

void RecordModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_fields.clear();
    m_query.reset();
    m_active = false;
    m_atEnd = true;
    mapColumns();
    endResetModel();
}

bool RecordModel::fetchTo(int row)
{
    while (row >= m_rows.size() && canFetchMore())
        fetchMore();
    return row >= 0 && row < m_rows.size();
}

QVariant RecordModel::value(int row, const QString &field) const
{
    const int at = int(m_fields.indexOf(field));
    if (row < 0 || row >= m_rows.size() || at < 0)
        return {};
    return m_rows.at(row).at(at);
}

int RecordModel::sourceIndex(int column) const
{
    return column >= 0 && column < m_map.size() ? m_map.at(column) : -1;
}

QString RecordModel::cellText(int row, int column) const
{
    const int at = sourceIndex(column);
    if (row < 0 || row >= m_rows.size() || at < 0)
        return {};
    return CellText(m_rows.at(row).at(at), m_shown.at(column).format);
}

void RecordModel::setHeaderMarks(const QStringList &marks)
{
    m_marks = marks;
    m_marks.resize(m_shown.size());
    if (!m_shown.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(m_shown.size()) - 1);
}

int RecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

QVariant RecordModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_shown.size())
        return {};
    const GridColumn &c = m_shown.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (c.format == CellFormat::Boolean)
            return {};
        return cellText(index.row(), index.column());
    case Qt::CheckStateRole: {
        if (c.format != CellFormat::Boolean)
            return {};
        const int at = sourceIndex(index.column());
        return at >= 0 && Sql::isTrue(m_rows.at(index.row()).at(at)) ? Qt::Checked : Qt::Unchecked;
    }
    case Qt::TextAlignmentRole:
        return int(c.alignment | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant RecordModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_shown.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        const QString mark = m_marks.value(section);
        return mark.isEmpty() ? m_shown.at(section).heading()
                              : m_shown.at(section).heading() + mark;
    }
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags RecordModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool RecordModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_active && !m_atEnd;
}

void RecordModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    QList<QVector<QVariant>> batch;
    const int width = int(m_fields.size());
    while (batch.size() < BatchSize && m_query->next()) {
        QVector<QVariant> row(width);
        for (int i = 0; i < width; ++i)
            row[i] = m_query->value(i);
        batch << std::move(row);
    }
    if (batch.size() < BatchSize) {
        // Releases the engine's read cursor once everything is here.
        m_atEnd = true;
        m_query->finish();
    }
    if (batch.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + batch.size()) - 1);
    m_rows << batch;
    endInsertRows();
}
