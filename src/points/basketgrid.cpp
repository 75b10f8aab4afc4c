#include "basketgrid.h"

#include "digitfilter.h"
#include "pointsmath.h"

#include "common/dialogs.h"
#include "common/numtext.h"
#include "common/windowsupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QStyledItemDelegate>

#include <cmath>

namespace {

// Price and quantity are typed through the digit filter.
class NumberDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
            edit->setValidator(new DigitFilter(edit));
            edit->setAlignment(Qt::AlignCenter);
        }
        return editor;
    }
};

// The window the grid sits in: leaving the grid for another control of it is what counts.
QWidget *hostWindow(QWidget *w)
{
    while (w->parentWidget() && !w->isWindow() && !qobject_cast<QMdiSubWindow *>(w->parentWidget()))
        w = w->parentWidget();
    return w;
}

struct LineResult
{
    std::optional<long double> amount;
    QString error; // empty when the amount could be formed
};

LineResult lineAmount(const QString &priceText, const QString &quantityText, bool asDoubles)
{
    const std::optional<long double> price = ReadExtended(priceText);
    if (!price)
        return {std::nullopt, NotANumberMessage(priceText)};
    const std::optional<long double> quantity = ReadExtended(quantityText);
    if (!quantity)
        return {std::nullopt, NotANumberMessage(quantityText)};
    const long double amount = asDoubles ? (long double)double(*quantity) * double(*price) : *quantity * *price;
    if (std::fabs(amount) >= 1e15L)
        return {std::nullopt, QStringLiteral("金额太大，不能计算！")};
    return {amount, {}};
}

} // namespace

BasketGrid::BasketGrid(QWidget *parent)
    : QTableWidget(20, ColumnCount, parent)
{
    setObjectName(QStringLiteral("basketGrid"));
    setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("所属类别"), QStringLiteral("商品编号"),
                               QStringLiteral("商品名称"), QStringLiteral("单位"), QStringLiteral("预设单价"),
                               QStringLiteral("数量"), QStringLiteral("金额")});
    const int widths[ColumnCount] = {35, 80, 100, 180, 50, 80, 50, 100};
    for (int c = 0; c < ColumnCount; ++c)
        setColumnWidth(c, widths[c]);
    horizontalHeader()->setFixedHeight(20);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
                    | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    auto *numbers = new NumberDelegate(this);
    setItemDelegateForColumn(Price, numbers);
    setItemDelegateForColumn(Quantity, numbers);

    m_filling = true;
    for (int row = 0; row < rowCount(); ++row)
        initLine(row);
    m_filling = false;

    connect(this, &QTableWidget::currentCellChanged, this, [this](int, int, int previousRow, int) {
        if (previousRow >= 0) {
            recalculateLine(previousRow, true);
            publishTotal();
        }
    });
    // A price or quantity changed by hand is reflected in its amount at once, so a line is
    // never saved with the amount of an earlier quantity.
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) {
        if (m_filling || (item->column() != Price && item->column() != Quantity))
            return;
        recalculateLine(item->row(), true);
        publishTotal();
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *now) { focusChange(old, now); });
}

void BasketGrid::initLine(int row)
{
    for (int c = 0; c < ColumnCount; ++c) {
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        if (c != Price && c != Quantity)
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        setItem(row, c, item);
    }
    item(row, Number)->setText(QString::number(row + 1));
}

QString BasketGrid::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void BasketGrid::setCellText(int row, int column, const QString &text)
{
    if (QTableWidgetItem *cell = item(row, column))
        cell->setText(text);
}

bool BasketGrid::addProduct(const Product &product)
{
    int free = -1;
    for (int row = 0; row < rowCount() && free < 0; ++row) {
        bool empty = true;
        for (int c = Category; c <= Price; ++c)
            empty = empty && cellText(row, c).isEmpty();
        if (empty)
            free = row;
    }
    if (free < 0)
        return false;
    m_filling = true;
    setCellText(free, Category, product.category);
    setCellText(free, Code, product.code);
    setCellText(free, Name, product.name);
    setCellText(free, Unit, product.unit);
    setCellText(free, Price, product.price);
    setCellText(free, Quantity, QStringLiteral("1"));
    // An empty or unusable price leaves the amount empty, without a message.
    const LineResult line = lineAmount(product.price, QStringLiteral("1"), false);
    setCellText(free, Amount, line.amount ? ExtendedText(*line.amount) : QString());
    m_filling = false;
    publishTotal();
    return true;
}

void BasketGrid::recalculateLine(int row, bool report)
{
    if (row < 0 || row >= rowCount())
        return;
    const QString price = cellText(row, Price);
    const QString quantity = cellText(row, Quantity);
    if (price.isEmpty() || quantity.isEmpty()) {
        // Nothing to multiply: an amount left from earlier texts would no longer be true.
        if (!cellText(row, Amount).isEmpty())
            setCellText(row, Amount, QString());
        return;
    }
    const LineResult line = lineAmount(price, quantity, true);
    if (line.amount) {
        setCellText(row, Amount, ExtendedText(*line.amount));
        m_reported.clear();
        return;
    }
    setCellText(row, Amount, QString());
    const QString key = QString::number(row) + QLatin1Char('|') + price + QLatin1Char('|') + quantity;
    if (report && key != m_reported) {
        m_reported = key;
        ShowStandardError(line.error, this);
    }
}

std::optional<double> BasketGrid::total() const
{
    std::optional<double> sum;
    for (int row = 0; row < rowCount(); ++row) {
        const QString amount = cellText(row, Amount);
        if (amount.isEmpty())
            continue;
        const std::optional<long double> value = ReadExtended(amount);
        sum = double(sum.value_or(0.0) + value.value_or(0.0L));
    }
    return sum;
}

void BasketGrid::publishTotal()
{
    if (const std::optional<double> sum = total())
        Q_EMIT totalChanged(NumberText(*sum));
}

void BasketGrid::addLines(int count)
{
    const int first = rowCount();
    setRowCount(first + count);
    m_filling = true;
    for (int row = first; row < rowCount(); ++row)
        initLine(row);
    m_filling = false;
    renumber();
}

void BasketGrid::deleteCurrentLine()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (!Dialogs::confirm(QStringLiteral("删除"), QStringLiteral("确实删除该行？"), MsgIcon::Question, this))
        return;
    removeRow(row);
    renumber();
    publishTotal();
}

void BasketGrid::clearLines()
{
    m_filling = true;
    for (int row = 0; row < rowCount(); ++row)
        for (int c = Category; c < ColumnCount; ++c)
            setCellText(row, c, QString());
    m_filling = false;
    m_reported.clear();
}

void BasketGrid::renumber()
{
    m_filling = true;
    for (int row = 0; row < rowCount(); ++row)
        setCellText(row, Number, QString::number(row + 1));
    m_filling = false;
}

int BasketGrid::halfFilledLine() const
{
    for (int row = 0; row < rowCount(); ++row)
        if (cellText(row, Category).isEmpty() != cellText(row, Code).isEmpty())
            return row;
    return -1;
}

int BasketGrid::incompleteLine() const
{
    for (int row = 0; row < rowCount(); ++row) {
        int filled = 0;
        for (const int c : {Code, Price, Quantity, Amount})
            filled += cellText(row, c).isEmpty() ? 0 : 1;
        if (filled != 0 && filled != 4)
            return row;
    }
    return -1;
}

QList<int> BasketGrid::linesWithAmount() const
{
    QList<int> rows;
    for (int row = 0; row < rowCount(); ++row)
        if (!cellText(row, Amount).isEmpty())
            rows << row;
    return rows;
}

void BasketGrid::selectLine(int row)
{
    setCurrentCell(row, currentColumn() >= 0 ? currentColumn() : Category);
}

bool BasketGrid::checkComplete()
{
    const int row = incompleteLine();
    if (row < 0)
        return true;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("请将所购商品表格填写完整！"), MsgIcon::Error,
                     MsgButtons::Ok, this);
    selectLine(row);
    return false;
}

void BasketGrid::focusChange(QWidget *old, QWidget *now)
{
    if (!old || !now || !(old == this || isAncestorOf(old)) || now == this || isAncestorOf(now))
        return;
    // Only a move to another control of the same window leaves the basket.
    QWidget *host = hostWindow(this);
    if (host != now && !host->isAncestorOf(now))
        return;
    checkComplete();
}
