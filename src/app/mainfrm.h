#pragma once

#include "common/shell.h"

#include <QHash>
#include <QMainWindow>
#include <QMdiArea>
#include <QPixmap>
#include <QTimer>

class QAction;
class QLabel;
class QToolButton;
class Marquee;
class Tloginform;

// The client area: the background picture stretched to fill it.
class BackgroundArea : public QMdiArea
{
    Q_OBJECT
public:
    explicit BackgroundArea(QWidget *parent = nullptr);
    void setPicture(const QPixmap &picture);
    bool hasPicture() const { return !m_picture.isNull(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
};

// The main window: a multiple-document frame with the menus, the toolbar and the status
// bar. It runs the start-up sequence and is the shell every window talks to.
class TMAIN : public QMainWindow, public Shell
{
    Q_OBJECT
public:
    enum class StartResult { Running, ConnectionFailed, LoginEnded };

    explicit TMAIN(QWidget *parent = nullptr);
    ~TMAIN() override;

    // Settings, database, login. On Running the caller shows the window.
    StartResult startUp();

    // Shell
    bool activateChildWindow(const QString &title) override;
    QWidget *openChildWindow(const QString &title, const QString &windowClass) override;
    bool issueMenuCommand(const QString &item) override;
    void setCommandEnabled(const QString &item, bool enabled) override;
    void setToolButtonEnabled(const QString &caption, bool enabled) override;
    void setOperatorText(const QString &text) override;
    void setShopName(const QString &name) override;
    void reloadBackground(const QString &path) override;
    QWidget *mainWidget() override { return this; }
    void terminate() override;

    QAction *menuItem(const QString &item) const { return m_items.value(item); }
    QToolButton *toolButton(const QString &caption) const { return m_buttons.value(caption); }
    BackgroundArea *clientArea() const { return m_area; }
    QLabel *titleLine1() const { return m_title1; }
    QLabel *titleLine2() const { return m_title2; }
    QLabel *operatorPane() const { return m_operatorPane; }
    Marquee *sloganPane() const { return m_slogan; }
    QLabel *clockPane() const { return m_clockPane; }
    QTimer *reminderTimer() { return &m_reminderTimer; }
    QTimer *shopNameTimer() { return &m_shopNameTimer; }
    bool reminderSwitch() const { return m_remind; }
    Tloginform *loginForm() const { return m_login; }
    // Shows a modal dialog; tests replace it to drive the login.
    static std::function<int(QDialog *)> &modalRunner();

    // The two start-up timers' work, about a second after the first show.
    void reminderTimerFire();
    void shopNameTimerFire();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void runItem(const QString &item);
    void placeTitleLines();
    void updateClock();

    BackgroundArea *m_area;
    QLabel *m_title1;
    QLabel *m_title2;
    QLabel *m_operatorPane = nullptr;
    Marquee *m_slogan = nullptr;
    QLabel *m_clockPane = nullptr;
    QHash<QString, QAction *> m_items;
    QHash<QString, QToolButton *> m_buttons;
    QTimer m_clockTimer;
    QTimer m_reminderTimer;
    QTimer m_shopNameTimer;
    Tloginform *m_login = nullptr;
    bool m_remind = true;
    bool m_shownOnce = false;
    bool m_closeConfirmed = false;
    bool m_terminating = false;
};
