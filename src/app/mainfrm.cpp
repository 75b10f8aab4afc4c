#include "mainfrm.h"

#include "guanyufrm.h"
#include "icons.h"
#include "marquee.h"
#include "menus.h"

#include "common/apptexts.h"
#include "common/basefolder.h"
#include "common/childwindow.h"
#include "common/clock.h"
#include "common/dialogs.h"
#include "common/inifile.h"
#include "data/dm1frm.h"
#include "maintenance/backup.h"
#include "operators/login.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

BackgroundArea::BackgroundArea(QWidget *parent)
    : QMdiArea(parent)
{
    setObjectName(QStringLiteral("clientArea"));
    setBackground(QColor(0x6f, 0x8f, 0xaf));
}

void BackgroundArea::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    viewport()->update();
}

void BackgroundArea::paintEvent(QPaintEvent *event)
{
    QMdiArea::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter p(viewport());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(viewport()->rect(), m_picture);
}

std::function<int(QDialog *)> &TMAIN::modalRunner()
{
    static std::function<int(QDialog *)> runner = [](QDialog *d) { return d->exec(); };
    return runner;
}

TMAIN::TMAIN(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TMAIN"));
    Shell::setInstance(this);

    m_area = new BackgroundArea(this);
    setCentralWidget(m_area);

    // Two large transparent title lines over the picture, below every child window.
    const auto makeTitle = [this](const QString &name, int height) {
        auto *label = new QLabel(m_area->viewport());
        label->setObjectName(name);
        label->setFixedSize(1024, height);
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        QFont f(QStringLiteral("华文行楷"));
        f.setFamilies({QStringLiteral("华文行楷"), QStringLiteral("STXingkai"),
                       QStringLiteral("WenQuanYi Micro Hei")});
        f.setPixelSize(60);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: teal; background: transparent; border: none;"));
        label->lower();
        return label;
    };
    m_title1 = makeTitle(QStringLiteral("titleLine1"), 57);
    m_title2 = makeTitle(QStringLiteral("titleLine2"), 65);
    m_title2->setText(AppTexts::ProductLine);

    buildMenus();
    buildToolBar();
    buildStatusBar();

    for (QTimer *t : {&m_reminderTimer, &m_shopNameTimer}) {
        t->setSingleShot(true);
        t->setInterval(1000);
    }
    connect(&m_reminderTimer, &QTimer::timeout, this, [this] { reminderTimerFire(); });
    connect(&m_shopNameTimer, &QTimer::timeout, this, [this] { shopNameTimerFire(); });
    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, [this] { updateClock(); });
    m_clockTimer.start();
    updateClock();
}

TMAIN::~TMAIN()
{
    if (Shell::instance() == this)
        Shell::setInstance(nullptr);
}

void TMAIN::buildMenus()
{
    QHash<QString, QMenu *> menus;
    for (const QString &name : MenuNames())
        menus.insert(name, menuBar()->addMenu(name));
    for (const MenuItemEntry &entry : MenuItems()) {
        QAction *action = menus.value(entry.menu)->addAction(entry.item);
        action->setObjectName(entry.item);
        m_items.insert(entry.item, action);
        const QString item = entry.item;
        connect(action, &QAction::triggered, this, [this, item] { issueMenuCommand(item); });
    }
}

void TMAIN::buildToolBar()
{
    QToolBar *bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (const ToolButtonEntry &entry : ToolButtons()) {
        auto *button = new QToolButton(bar);
        button->setObjectName(entry.caption);
        button->setText(entry.caption);
        button->setIcon(ToolbarIcon(entry.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setMinimumSize(60, 60);
        bar->addWidget(button);
        m_buttons.insert(entry.caption, button);
        const QString caption = entry.caption;
        const QString item = entry.menuItem;
        connect(button, &QToolButton::clicked, this, [this, caption, item] {
            if (!item.isEmpty()) {
                issueMenuCommand(item);
            } else if (caption == QStringLiteral("退出")) {
                close();
            } else if (const CommandAction lock = WindowRegistry::command(caption)) {
                lock();
            }
        });
    }
}

void TMAIN::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setFixedHeight(22);
    bar->setSizeGripEnabled(false);
    m_operatorPane = new QLabel(bar);
    m_operatorPane->setObjectName(QStringLiteral("operatorPane"));
    m_operatorPane->setFixedWidth(227);
    m_operatorPane->setAlignment(Qt::AlignCenter);
    m_slogan = new Marquee(bar);
    m_slogan->setFixedWidth(432);
    m_clockPane = new QLabel(bar);
    m_clockPane->setObjectName(QStringLiteral("clockPane"));
    m_clockPane->setFixedWidth(287);
    m_clockPane->setAlignment(Qt::AlignCenter);
    bar->addWidget(m_operatorPane);
    bar->addWidget(m_slogan);
    bar->addWidget(m_clockPane);
}

TMAIN::StartResult TMAIN::startUp()
{
    // Settings first: each key with its own default.
    m_remind = AppSettings::readBool(QStringLiteral("提醒"), true);
    const QString shopName = AppSettings::readString(QStringLiteral("店铺名称"), AppTexts::DefaultShopName);
    m_slogan->setText(AppSettings::readString(QStringLiteral("广告语"), QString()));
    QString picture = AppSettings::readString(QStringLiteral("背景图片"), QString());
    if (picture.isEmpty())
        picture = BaseFolder::defaultPicture();

    setShopName(shopName);
    reloadBackground(picture);

    TDM1 *dm = TDM1::instance();
    if (!dm || !dm->open(BaseFolder::databasePath())) {
        Dialogs::message(QStringLiteral("错误"), QStringLiteral("无法连接到指定的数据库！请重试！"),
                         MsgIcon::Error);
        return StartResult::ConnectionFailed;
    }

    m_login = new Tloginform(this, nullptr);
    const int result = modalRunner()(m_login);
    if (result != QDialog::Accepted)
        return StartResult::LoginEnded;
    return StartResult::Running;
}

bool TMAIN::activateChildWindow(const QString &title)
{
    for (QMdiSubWindow *sub : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (sub->windowTitle() != title)
            continue;
        if (sub->isMinimized() || sub->isMaximized())
            sub->showNormal();
        sub->setEnabled(true);
        sub->show();
        m_area->setActiveSubWindow(sub);
        sub->setFocus();
        return true;
    }
    return false;
}

QWidget *TMAIN::openChildWindow(const QString &title, const QString &windowClass)
{
    if (activateChildWindow(title))
        return m_area->activeSubWindow() ? m_area->activeSubWindow()->widget() : nullptr;
    QWidget *window = WindowRegistry::create(windowClass, nullptr);
    if (!window)
        return nullptr;
    window->setWindowTitle(title);
    QMdiSubWindow *sub = m_area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(title);
    if (auto *child = qobject_cast<ChildWindow *>(window))
        sub->setGeometry(QRect(child->childPosition(), child->childSize()));
    // A window that closes itself takes its frame with it.
    connect(window, &QObject::destroyed, sub, [sub] { sub->close(); });
    sub->show();
    m_area->setActiveSubWindow(sub);
    return window;
}

bool TMAIN::issueMenuCommand(const QString &item)
{
    QAction *action = m_items.value(item);
    if (!action || !action->isEnabled())
        return false;
    runItem(item);
    return true;
}

void TMAIN::runItem(const QString &item)
{
    for (const MenuItemEntry &entry : MenuItems()) {
        if (entry.item != item || entry.windowClass.isEmpty())
            continue;
        openChildWindow(entry.title, entry.windowClass);
        return;
    }
    if (item == QStringLiteral("退出系统")) {
        close();
    } else if (item == QStringLiteral("帮助")) {
        const QString help = BaseFolder::helpPath();
        if (QFileInfo::exists(help))
            Dialogs::openDocument(help);
    } else if (item == QStringLiteral("关于")) {
        Tguanyu about(this);
        about.exec();
    } else if (const CommandAction action = WindowRegistry::command(item)) {
        action();
    }
}

void TMAIN::setCommandEnabled(const QString &item, bool enabled)
{
    if (QAction *action = m_items.value(item))
        action->setEnabled(enabled);
}

void TMAIN::setToolButtonEnabled(const QString &caption, bool enabled)
{
    if (QToolButton *button = m_buttons.value(caption))
        button->setEnabled(enabled);
}

void TMAIN::setOperatorText(const QString &text)
{
    m_operatorPane->setText(text);
}

void TMAIN::setShopName(const QString &name)
{
    setWindowTitle(name + AppTexts::TitleSuffix);
    m_title1->setText(name);
    m_title1->repaint();
}

void TMAIN::reloadBackground(const QString &path)
{
    // A picture that cannot be read leaves the client area without one, silently.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    m_area->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

void TMAIN::terminate()
{
    m_terminating = true;
    close();
    QCoreApplication::exit(0);
}

void TMAIN::placeTitleLines()
{
    const int w = width();
    const int h = height();
    m_title1->move((w - m_title1->width()) / 2, (h - 4 * m_title1->height()) / 2);
    m_title2->move((w - m_title2->width()) / 2, (h - m_title2->height()) / 2);
}

void TMAIN::updateClock()
{
    const QDateTime now = Clock::now();
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    m_clockPane->setText(chinese.toString(now.date(), QLocale::LongFormat) + QLatin1Char(' ')
                         + Clock::timeText(now.time()));
}

void TMAIN::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    m_reminderTimer.start();
    m_shopNameTimer.start();
}

void TMAIN::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    placeTitleLines();
}

void TMAIN::reminderTimerFire()
{
    m_reminderTimer.stop();
    if (m_remind)
        issueMenuCommand(QStringLiteral("会员生日提醒"));
}

void TMAIN::shopNameTimerFire()
{
    m_shopNameTimer.stop();
    if (m_title1->text() != AppTexts::DefaultShopName)
        return;
    Dialogs::message(QStringLiteral("提示"), QStringLiteral("请设置您的店铺名称！"), MsgIcon::Error);
    issueMenuCommand(QStringLiteral("店铺名称及小票打印设置"));
}

void TMAIN::closeEvent(QCloseEvent *event)
{
    if (m_terminating) {
        event->accept();
        return;
    }
    if (!m_closeConfirmed) {
        if (!Dialogs::confirm(QStringLiteral("系统提示"), QStringLiteral("确实要退出本系统吗？"),
                              MsgIcon::Question, this)) {
            event->ignore();
            return;
        }
        m_closeConfirmed = true;
    }
    // Child windows close first so nothing is half-saved when the file is copied.
    m_area->closeAllSubWindows();
    ExitBackup(this);
    event->accept();
}
