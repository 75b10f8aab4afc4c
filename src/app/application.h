#pragma once

#include <QApplication>

// Any exception that reaches the event loop is shown with its text (caption: the
// application title, error icon) and the program goes on.
class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    static void showError(const QString &text);
};

// Fusion style, the one style sheet and the CJK fonts.
void ApplyAppStyle(QApplication &app);
