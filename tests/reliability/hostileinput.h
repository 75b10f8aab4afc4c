#pragma once

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWidget>

// Puts text into a field as an operator pasting it does: select all, then Ctrl+V (or
// Delete for nothing). Pasting is the way control characters and 10,000 characters reach
// a field; the field's own filters see the text exactly as they see typing.
inline QWidget *InputTarget(QWidget *field)
{
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->lineEdit() ? static_cast<QWidget *>(box->lineEdit()) : field;
    return field;
}

inline void PasteInto(QWidget *field, const QString &text)
{
    QWidget *target = InputTarget(field);
    target->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty()) {
        QTest::keyClick(target, Qt::Key_Delete);
        return;
    }
    QApplication::clipboard()->setText(text);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

inline QString FieldText(QWidget *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->currentText();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
        return plain->toPlainText();
    return QStringLiteral("<not a text field>");
}

// The texts every field that reaches the database has to carry unchanged.
struct HostileText
{
    const char *name;
    QString text;
};

inline QList<HostileText> HostileTexts()
{
    QString longText;
    while (longText.size() < 10000)
        longText += QStringLiteral("长文本abc'\"%_\\");
    longText.truncate(10000);
    return {
        { "single quotes", QStringLiteral("O'Brien's '") },
        { "double quotes", QStringLiteral("\"引号\" \"") },
        { "statement", QStringLiteral("'; drop table 会员卡信息; --") },
        { "percent and underscore", QStringLiteral("50%_off") },
        { "backslashes", QStringLiteral("C:\\新\\\\x\\") },
        { "10000 characters", longText },
        { "outside GBK", QStringLiteral("会员😀卡\U0001F600") },
        { "control characters",
          QStringLiteral("a\tb\x01"
                         "c\x1b"
                         "d\x7f") },
        { "blanks at both ends", QStringLiteral("  张 三  ") },
        { "empty", QString() },
    };
}

// What the numbers fields get: none of them is a number the program may store.
inline QList<HostileText> HostileNumbers()
{
    return {
        { "letters", QStringLiteral("12abc") },
        { "two points", QStringLiteral("1.2.3") },
        { "40 digits", QStringLiteral("1234567890123456789012345678901234567890") },
        { "pasted minus", QStringLiteral("-5") },
    };
}
