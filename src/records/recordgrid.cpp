#include "recordgrid.h"

#include "common/numtext.h"
#include "common/reportpreview.h"
#include "data/dm1frm.h"
#include "data/sql.h"
#include "gridfind.h"
#include "gridprint.h"
#include "gridsql.h"
#include "recordmodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QShortcut>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <memory>

RecordGrid::RecordGrid(QWidget *parent)
    : QWidget(parent)
    , m_model(new RecordModel(this))
    , m_view(new QTableView(this))
    , m_footer(new QTableWidget(1, 0, this))
{
    m_view->setObjectName(QStringLiteral("recordView"));
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSortingEnabled(false);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->setDefaultSectionSize(20);
    m_view->verticalHeader()->setMinimumWidth(12);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setSortIndicatorShown(false);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->viewport()->installEventFilter(this);
    m_view->viewport()->installEventFilter(this);

    m_footer->setObjectName(QStringLiteral("footerView"));
    m_footer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_footer->setSelectionMode(QAbstractItemView::NoSelection);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->horizontalHeader()->hide();
    m_footer->setVerticalHeaderLabels({ QString() });
    m_footer->verticalHeader()->setDefaultSectionSize(20);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setFixedHeight(22);
    // Sums are long numbers under narrow columns: no padding, a little smaller type.
    m_footer->setStyleSheet(QStringLiteral("QTableWidget { background: #eef3f7; font-size: 11px; }"
                                           "QTableWidget::item { padding: 0px; }"));
    m_footer->hide();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        columnTitleClick(section, m_pressModifiers.testFlag(Qt::ControlModifier));
    });
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) { m_footer->setColumnWidth(section, size); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged,
            m_footer->horizontalScrollBar(), &QScrollBar::setValue);
    connect(m_view->verticalHeader(), &QHeaderView::geometriesChanged, this, [this] {
        // The footer's cells stand under the view's cells, past its row-number column.
        m_footer->verticalHeader()->setFixedWidth(m_view->verticalHeader()->width());
    });
    connect(m_view, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { Q_EMIT rowDoubleClicked(index.row()); });
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                Q_EMIT currentRowChanged(current.isValid() ? current.row() : -1);
            });
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { Q_EMIT currentRowChanged(-1); });

    auto *find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, &RecordGrid::showFindDialog);
}

RecordGrid::~RecordGrid()
{
    // The view and its parts are hidden and destroyed after this object has stopped being a
    // RecordGrid; the signals they send on the way must no longer reach the handlers above.
    for (QObject *part : findChildren<QObject *>())
        disconnect(part, nullptr, this, nullptr);
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
}

void RecordGrid::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
    updateMarks();
    updateFooter();
    applyWidths();
}

QList<GridColumn> RecordGrid::columns() const
{
    return m_model->columns();
}

void RecordGrid::setQuery(SharedQuery *query)
{
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (m_query)
        connect(m_query, &SharedQuery::changed, this, &RecordGrid::refresh);
    refresh();
}

void RecordGrid::refresh()
{
    runQuery();
}

void RecordGrid::runQuery(bool recount)
{
    m_model->clear();
    if (recount)
        m_total = -1;
    if (m_query && m_query->isOpen()) {
        try {
            m_model->run(sortedStatement(), m_query->values());
            // The engine reads an unknown quoted name as a text constant, so a sort key
            // the new result lacks would sort by nothing: drop such keys.
            QList<SortKey> known;
            for (const SortKey &k : std::as_const(m_sortKeys))
                if (m_model->fields().contains(k.field))
                    known << k;
            if (known.size() != m_sortKeys.size()) {
                m_sortKeys = known;
                m_model->run(sortedStatement(), m_query->values());
            }
        } catch (const DbError &e) {
            qWarning("record grid: %s", qPrintable(e.text()));
        }
    }
    updateMarks();
    // A new order holds the same rows: the footer's count and sums stand, and over
    // millions of rows they cost more than the sorted first page.
    if (recount || !m_model->isActive()) {
        m_total = -1;
        updateFooter();
    }
    applyWidths();
    Q_EMIT refreshed();
}

void RecordGrid::setFitColumnsToWidth(bool fit)
{
    m_fit = fit;
    m_view->setHorizontalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    applyWidths();
}

void RecordGrid::setHint(const QString &hint)
{
    m_view->setToolTip(hint);
    m_view->horizontalHeader()->setToolTip(hint);
}

void RecordGrid::applyWidths()
{
    const QList<GridColumn> shown = m_model->columns();
    m_footer->setColumnCount(int(shown.size()));
    int total = 0;
    for (const GridColumn &c : shown)
        total += qMax(1, c.width);
    const int available = m_view->viewport()->width();
    int used = 0;
    for (int i = 0; i < shown.size(); ++i) {
        int w = qMax(1, shown.at(i).width);
        if (m_fit && total > 0 && available > 0)
            w = i + 1 == shown.size() ? qMax(8, available - used) : qMax(8, w * available / total);
        used += w;
        m_view->horizontalHeader()->resizeSection(i, w);
        m_footer->setColumnWidth(i, w);
    }
}

void RecordGrid::setSortKeys(const QList<SortKey> &keys)
{
    m_sortKeys = keys;
    runQuery(!m_model->isActive());
}

void RecordGrid::columnTitleClick(int column, bool addKey)
{
    const QList<GridColumn> shown = m_model->columns();
    if (column < 0 || column >= shown.size())
        return;
    const QString field = shown.at(column).field;
    // Only a column of the result may go into the statement.
    if (!m_model->fields().contains(field))
        return;
    qsizetype at = -1;
    for (qsizetype i = 0; i < m_sortKeys.size(); ++i)
        if (m_sortKeys.at(i).field == field)
            at = i;
    const auto flip = [](Qt::SortOrder o) {
        return o == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    };
    QList<SortKey> keys = m_sortKeys;
    if (addKey) {
        if (at >= 0)
            keys[at].order = flip(keys.at(at).order);
        else
            keys << SortKey { field, Qt::AscendingOrder };
    } else if (keys.size() == 1 && at == 0) {
        keys[0].order = flip(keys.at(0).order);
    } else {
        keys = { SortKey { field, Qt::AscendingOrder } };
    }
    setSortKeys(keys);
}

QString RecordGrid::sortedStatement() const
{
    if (!m_query || !m_query->isOpen())
        return {};
    return GridSql::sorted(m_query->statement(), m_sortKeys);
}

void RecordGrid::updateMarks()
{
    const QList<GridColumn> shown = m_model->columns();
    QStringList marks;
    for (const GridColumn &c : shown) {
        QString mark;
        for (qsizetype i = 0; i < m_sortKeys.size(); ++i) {
            if (m_sortKeys.at(i).field != c.field)
                continue;
            mark = m_sortKeys.at(i).order == Qt::AscendingOrder ? QStringLiteral(" ▲")
                                                                : QStringLiteral(" ▼");
            if (m_sortKeys.size() > 1)
                mark += QString::number(i + 1);
        }
        marks << mark;
    }
    m_model->setHeaderMarks(marks);
}

bool RecordGrid::hasFooter() const
{
    for (const GridColumn &c : m_model->columns())
        if (c.footer.kind != GridFooter::None)
            return true;
    return false;
}

void RecordGrid::updateFooter()
{
    const QList<GridColumn> shown = m_model->columns();
    // A cell past the last column is refused (and its item never freed): columns first.
    m_footer->setColumnCount(int(shown.size()));
    m_footerTexts.clear();
    const bool any = hasFooter();
    m_footer->setVisible(any);
    if (!any)
        return;
    QStringList sumFields;
    bool needsSql = false;
    for (const GridColumn &c : shown) {
        if (c.footer.kind == GridFooter::Count)
            needsSql = true;
        if (c.footer.kind == GridFooter::Sum && m_model->fields().contains(c.field)) {
            needsSql = true;
            if (!sumFields.contains(c.field))
                sumFields << c.field;
        }
    }
    QVariantList results;
    if (needsSql && m_model->isActive()) {
        try {
            QSqlQuery q
                = Sql::exec(GridSql::footer(m_query->statement(), sumFields), m_query->values());
            if (q.next())
                for (int i = 0; i < sumFields.size() + 1; ++i)
                    results << q.value(i);
        } catch (const DbError &e) {
            qWarning("record grid footer: %s", qPrintable(e.text()));
        }
    }
    if (!results.isEmpty())
        m_total = results.first().toLongLong();
    for (const GridColumn &c : shown) {
        QString text;
        switch (c.footer.kind) {
        case GridFooter::None:
            break;
        case GridFooter::Text:
            text = c.footer.text;
            break;
        case GridFooter::Count:
            if (!results.isEmpty())
                text = QString::number(results.first().toLongLong());
            break;
        case GridFooter::Sum: {
            const qsizetype at = sumFields.indexOf(c.field);
            if (at >= 0 && at + 1 < results.size())
                text = NumberText(results.at(at + 1).toDouble());
            break;
        }
        }
        m_footerTexts << text;
    }
    for (int i = 0; i < m_footerTexts.size(); ++i) {
        auto *item = new QTableWidgetItem(m_footerTexts.at(i));
        item->setTextAlignment(int(shown.at(i).footer.alignment | Qt::AlignVCenter));
        item->setToolTip(m_footerTexts.at(i));
        m_footer->setItem(0, i, item);
    }
}

QString RecordGrid::footerText(int column) const
{
    return m_footerTexts.value(column);
}

QStringList RecordGrid::footerTexts() const
{
    return m_footerTexts;
}

int RecordGrid::fetchedRowCount() const
{
    return m_model->rowCount();
}

qint64 RecordGrid::totalRowCount()
{
    if (!m_model->isActive())
        return 0;
    if (m_total < 0)
        m_total = Sql::scalar(GridSql::count(m_query->statement()), m_query->values()).toLongLong();
    return m_total;
}

QString RecordGrid::cellText(int row, int column)
{
    m_model->fetchTo(row);
    return m_model->cellText(row, column);
}

QVariant RecordGrid::value(int row, const QString &field)
{
    m_model->fetchTo(row);
    return m_model->value(row, field);
}

int RecordGrid::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void RecordGrid::setCurrentRow(int row)
{
    if (!m_model->fetchTo(row))
        return;
    const int column = qMax(0, m_view->currentIndex().column());
    const QModelIndex index = m_model->index(row, column);
    m_view->setCurrentIndex(index);
    m_view->scrollTo(index);
}

int RecordGrid::findNext(int column, const QString &value, bool wholeCell)
{
    const QList<GridColumn> shown = m_model->columns();
    if (!m_model->isActive() || column < 0 || column >= shown.size())
        return -1;
    const int start = currentRow() + 1;
    // A fresh forward-only pass over the grid's own order finds rows not fetched yet
    // without holding them; only the rows up to the match are then fetched.
    QSqlQuery q = Sql::exec(sortedStatement(), m_query->values());
    const int at = q.record().indexOf(shown.at(column).field);
    if (at < 0)
        return -1;
    const CellFormat format = shown.at(column).format;
    int row = 0;
    for (; q.next(); ++row) {
        if (row < start)
            continue;
        const QString text = CellText(q.value(at), format);
        const bool match = wholeCell ? text.compare(value, Qt::CaseInsensitive) == 0
                                     : text.contains(value, Qt::CaseInsensitive);
        if (match) {
            q.finish();
            setCurrentRow(row);
            return row;
        }
    }
    return -1;
}

void RecordGrid::showFindDialog()
{
    if (!m_findDialog)
        m_findDialog = new GridFindDialog(this);
    m_findDialog->prepare();
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

GridSnapshot RecordGrid::snapshot()
{
    GridSnapshot s;
    s.columns = m_model->columns();
    if (m_model->isActive()) {
        s.statement = sortedStatement();
        s.values = m_query->values();
    }
    if (hasFooter())
        s.footerTexts = m_footerTexts;
    return s;
}

void RecordGrid::print(const QString &heading, int headingPointSize)
{
    auto printer = std::make_shared<GridPrinter>(snapshot(), heading, headingPointSize);
    ReportPreview::show(this, heading, [printer](QPrinter *p) { printer->paint(p); });
}

bool RecordGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->horizontalHeader()->viewport()
        && (event->type() == QEvent::MouseButtonPress
            || event->type() == QEvent::MouseButtonRelease)) {
        m_pressModifiers = static_cast<QMouseEvent *>(event)->modifiers();
    } else if (watched == m_view->viewport() && event->type() == QEvent::Resize && m_fit) {
        applyWidths();
    }
    return QWidget::eventFilter(watched, event);
}
