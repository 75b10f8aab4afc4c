#include "application.h"

#include "common/apptexts.h"
#include "common/dialogs.h"
#include "data/sql.h"

#include <QFont>
#include <QStyleFactory>

#include <exception>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(AppTexts::ApplicationTitle);
    ApplyAppStyle(*this);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError &e) {
        showError(e.text());
    } catch (const std::exception &e) {
        showError(QString::fromUtf8(e.what()));
    } catch (...) {
        showError(QStringLiteral("未知错误"));
    }
    return false;
}

void Application::showError(const QString &text)
{
    Dialogs::message(AppTexts::ApplicationTitle, text, MsgIcon::Error);
}

void ApplyAppStyle(QApplication &app)
{
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("宋体"));
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(12);
    app.setFont(font);
    app.setStyleSheet(QStringLiteral(
        "QMainWindow, QDialog { background: #eef3f7; }"
        "QToolBar { background: #dfe9f2; border-bottom: 1px solid #9fb6c9; spacing: 2px; }"
        "QToolBar QToolButton { color: #1f3f9f; font-weight: bold; min-width: 60px; padding: 2px; }"
        "QToolBar QToolButton:disabled { color: #8a94a6; }"
        "QMenuBar { background: #dfe9f2; }"
        "QStatusBar { background: #dfe9f2; }"
        "QStatusBar QLabel { border: 1px solid #9fb6c9; padding: 0 2px; }"
        "QPushButton { padding: 3px 12px; }"
        "QGroupBox { font-weight: bold; }"));
}
