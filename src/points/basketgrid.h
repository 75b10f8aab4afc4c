#pragma once

#include <QList>
#include <QString>
#include <QTableWidget>

#include <optional>

// The basket of the purchase and returns windows: a heading row and 20 lines at first,
// eight columns; only the price and the quantity are typed (digits and "." only). Adding
// a product fills the first empty line with quantity 1. Every line keeps quantity × price
// as its amount, and the total of all amounts goes to the window (totalChanged).
class BasketGrid : public QTableWidget
{
    Q_OBJECT
public:
    enum Column { Number, Category, Code, Name, Unit, Price, Quantity, Amount, ColumnCount };

    struct Product
    {
        QString category;
        QString code;
        QString name;
        QString unit;
        QString price;
    };

    explicit BasketGrid(QWidget *parent = nullptr);

    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);

    // False when every line holds a product already.
    bool addProduct(const Product &product);
    // "增加表格": five more lines.
    void addLines(int count = 5);
    // "删除商品": asks first; the total follows at once.
    void deleteCurrentLine();
    // Empties every line; the number of lines stays.
    void clearLines();

    // Sum of the lines' amounts, nothing when no line has an amount.
    std::optional<double> total() const;
    // First line with only one of category and product code (save check), or -1.
    int halfFilledLine() const;
    // First line with some but not all of code, price, quantity and amount, or -1.
    int incompleteLine() const;
    // Lines that have an amount, from the top.
    QList<int> linesWithAmount() const;
    void selectLine(int row);

    // The check run when the focus leaves the basket; false after its message.
    bool checkComplete();

Q_SIGNALS:
    void totalChanged(const QString &total);

private:
    void recalculateLine(int row, bool report);
    void publishTotal();
    void renumber();
    void initLine(int row);
    void focusChange(QWidget *old, QWidget *now);

    bool m_filling = false;
    QString m_reported; // the line texts whose conversion error was shown last
};
