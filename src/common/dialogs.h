#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every message box and file dialog of the program goes through here, so tests can
// script the answers and read back what the operator would have seen.
enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgResult { Ok, Cancel, Yes, No };

class DialogProvider
{
public:
    virtual ~DialogProvider() = default;
    virtual MsgResult message(QWidget *parent, const QString &caption, const QString &text,
                              MsgIcon icon, MsgButtons buttons)
        = 0;
    // Filters are written "描述|*.ext|描述|*.*"; an empty result means cancelled.
    virtual QString openFileName(QWidget *parent, const QString &filter, const QString &initial) = 0;
    // selectedFilter (1-based) names the filter shown first, when it is one of the list,
    // and receives the filter chosen.
    virtual QString saveFileName(QWidget *parent, const QString &filter, const QString &initial,
                                 int *selectedFilter)
        = 0;
    // The desktop's "open" of a document (the manual).
    virtual bool openDocument(const QString &path) = 0;
};

namespace Dialogs {
DialogProvider &current();
// Installs a provider (not owned); nullptr puts the real dialogs back.
void install(DialogProvider *provider);

MsgResult message(const QString &caption, const QString &text, MsgIcon icon,
                  MsgButtons buttons = MsgButtons::Ok, QWidget *parent = nullptr);
// OK/Cancel question; true when OK was chosen.
bool confirm(const QString &caption, const QString &text, MsgIcon icon = MsgIcon::Question,
             QWidget *parent = nullptr);
QString openFileName(const QString &filter, const QString &initial = {}, QWidget *parent = nullptr);
QString saveFileName(const QString &filter, const QString &initial = {}, int *selectedFilter = nullptr,
                     QWidget *parent = nullptr);

bool openDocument(const QString &path);

// "A|*.a|B|*.b" to Qt's "A (*.a);;B (*.b)".
QStringList qtFilters(const QString &filter);
} // namespace Dialogs
