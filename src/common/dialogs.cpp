#include "dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QFileDialog>
#include <QMessageBox>

namespace {

class WidgetDialogs final : public DialogProvider
{
public:
    MsgResult message(QWidget *parent, const QString &caption, const QString &text, MsgIcon icon,
                      MsgButtons buttons) override
    {
        QMessageBox box(parent ? parent : QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(text);
        switch (icon) {
        case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MsgIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MsgIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
        }
        switch (buttons) {
        case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MsgButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setButtonText(QMessageBox::Ok, QStringLiteral("确定"));
            box.setButtonText(QMessageBox::Cancel, QStringLiteral("取消"));
            break;
        case MsgButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setButtonText(QMessageBox::Yes, QStringLiteral("是"));
            box.setButtonText(QMessageBox::No, QStringLiteral("否"));
            break;
        }
        if (buttons == MsgButtons::Ok)
            box.setButtonText(QMessageBox::Ok, QStringLiteral("确定"));
        switch (box.exec()) {
        case QMessageBox::Ok: return MsgResult::Ok;
        case QMessageBox::Yes: return MsgResult::Yes;
        case QMessageBox::No: return MsgResult::No;
        default: return MsgResult::Cancel;
        }
    }

    QString openFileName(QWidget *parent, const QString &filter, const QString &initial) override
    {
        return QFileDialog::getOpenFileName(parent, {}, initial,
                                            Dialogs::qtFilters(filter).join(QStringLiteral(";;")));
    }

    QString saveFileName(QWidget *parent, const QString &filter, const QString &initial,
                         int *selectedFilter) override
    {
        const QStringList filters = Dialogs::qtFilters(filter);
        QString chosen = selectedFilter ? filters.value(*selectedFilter - 1) : QString();
        // The extension rules belong to the caller, so the dialog must not add one itself.
        const QString name = QFileDialog::getSaveFileName(parent, {}, initial,
                                                          filters.join(QStringLiteral(";;")), &chosen,
                                                          QFileDialog::DontConfirmOverwrite);
        if (selectedFilter)
            *selectedFilter = qMax(1, int(filters.indexOf(chosen)) + 1);
        return name;
    }

    bool openDocument(const QString &path) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

WidgetDialogs &widgetDialogs()
{
    static WidgetDialogs dialogs;
    return dialogs;
}

DialogProvider *installed = nullptr;

} // namespace

namespace Dialogs {

DialogProvider &current()
{
    return installed ? *installed : widgetDialogs();
}

void install(DialogProvider *provider)
{
    installed = provider;
}

MsgResult message(const QString &caption, const QString &text, MsgIcon icon, MsgButtons buttons,
                  QWidget *parent)
{
    return current().message(parent, caption, text, icon, buttons);
}

bool confirm(const QString &caption, const QString &text, MsgIcon icon, QWidget *parent)
{
    return message(caption, text, icon, MsgButtons::OkCancel, parent) == MsgResult::Ok;
}

QString openFileName(const QString &filter, const QString &initial, QWidget *parent)
{
    return current().openFileName(parent, filter, initial);
}

QString saveFileName(const QString &filter, const QString &initial, int *selectedFilter,
                     QWidget *parent)
{
    return current().saveFileName(parent, filter, initial, selectedFilter);
}

bool openDocument(const QString &path)
{
    return current().openDocument(path);
}

QStringList qtFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        result << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')));
    return result;
}

} // namespace Dialogs
