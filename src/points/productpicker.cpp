#include "productpicker.h"

#include "pointstore.h"

#include "common/windowsupport.h"
#include "data/sql.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

ProductPicker::ProductPicker(bool keepListWhenEmpty, QWidget *parent)
    : QWidget(parent)
    , m_keepListWhenEmpty(keepListWhenEmpty)
{
    setObjectName(QStringLiteral("productPicker"));
    auto *prompt = new QLabel(QStringLiteral("请输入商品编码或名称进行模糊查找"), this);
    prompt->setObjectName(QStringLiteral("productPrompt"));
    m_searchEdit = new QLineEdit(this);
    m_searchEdit->setObjectName(QStringLiteral("productSearchEdit"));
    m_searchButton = new QPushButton(QStringLiteral("查找"), this);
    m_searchButton->setObjectName(QStringLiteral("productSearchButton"));
    m_searchButton->setAutoDefault(false);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(prompt);
    layout->addWidget(m_searchEdit, 1);
    layout->addWidget(m_searchButton);

    QWidget *host = parent ? parent : this;
    m_model = new QSqlQueryModel(this);
    const PickListParts pick = MakePickList(QStringLiteral("请双击选中的商品"), QStringLiteral("product"),
                                            host, m_model, this, QSize(520, 220));
    m_pickGroup = pick.group;
    m_pickGrid = pick.grid;
    m_hideButton = pick.hideButton;

    connect(m_searchButton, &QPushButton::clicked, this, [this] { searchButtonClick(); });
    connect(m_searchEdit, &QLineEdit::returnPressed, this, [this] { searchButtonClick(); });
    connect(m_hideButton, &QPushButton::clicked, this, [this] {
        m_searchEdit->setFocus();
        m_pickGroup->hide();
    });
}

void ProductPicker::searchButtonClick()
{
    m_pickGroup->show();
    m_pickGroup->raise();
    m_model->setQuery(PointStore::searchProducts(m_searchEdit->text()));
    const QStringList headings{QStringLiteral("所属类别"), QStringLiteral("商品编号"), QStringLiteral("商品名称"),
                               QStringLiteral("单位"), QStringLiteral("预设单价")};
    for (int c = 0; c < headings.size(); ++c)
        m_model->setHeaderData(c, Qt::Horizontal, headings.at(c));
    if (m_model->rowCount() > 0)
        m_pickGrid->setCurrentIndex(m_model->index(0, 0));
    m_pickGrid->setFocus();
}

int ProductPicker::resultCount() const
{
    while (m_model->canFetchMore())
        m_model->fetchMore();
    return m_model->rowCount();
}

BasketGrid::Product ProductPicker::product(int row) const
{
    const auto text = [this, row](int column) { return Sql::text(m_model->index(row, column).data()); };
    return {text(0), text(1), text(2), text(3), text(4)};
}

void ProductPicker::pickGridDoubleClick()
{
    const QModelIndex current = m_pickGrid->currentIndex();
    // The focus goes back first, so hiding the list does not hand it to another control.
    if (m_model->rowCount() == 0 || !current.isValid()) {
        m_searchEdit->setFocus();
        if (!m_keepListWhenEmpty)
            m_pickGroup->hide();
        return;
    }
    Q_EMIT productChosen(product(current.row()));
    m_searchEdit->setFocus();
    m_pickGroup->hide();
}

bool ProductPicker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pickGrid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QModelIndex at = m_pickGrid->indexAt(static_cast<QMouseEvent *>(event)->position().toPoint());
        if (at.isValid())
            m_pickGrid->setCurrentIndex(at);
        pickGridDoubleClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
