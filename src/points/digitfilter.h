#pragma once

#include <QValidator>

// The key filter of the money and quantity fields: only the digits 0 to 9 and ".". Typed
// or pasted text holding anything else is refused; text the program sets is left alone.
class DigitFilter : public QValidator
{
    Q_OBJECT
public:
    explicit DigitFilter(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;
};
