#pragma once

#include "hostilewindows.h"

#include <functional>

class Fixture;

// One text field that reaches the database (or the settings file): how its window opens
// ready for the field, how the operator saves, and where the text ends up.
struct TextField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    QString field;
    QString twin; // a field that must repeat the text (password confirmation)
    std::function<void(QWidget *)> commit;
    std::function<std::optional<QString>()> stored;
    QString emptyRefusal; // the message an empty field gets instead of a save
    bool settingsFile = false;
};

// One search field: the window over the stored values, the search as the operator runs
// it, and the stored values of the rows it finds.
struct SearchField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    std::function<void(QWidget *, const QString &)> search;
    std::function<QStringList(QWidget *)> found;
    bool exact = false; // equality, not a substring
};

// One number field: a window ready for it, how the operator saves, and the stored number
// it decides (text as the windows show it; nothing when there is no row).
struct NumberField
{
    QString name;
    std::function<Widget(Fixture &)> open;
    // Puts the text where it goes; what the field shows then, nothing when it could not.
    using Entry = std::function<std::optional<QString>(QWidget *, const QString &)>;
    Entry enter;
    std::function<void(QWidget *)> commit;
    std::function<std::optional<QString>()> stored;
};

QList<TextField> TextFields();
// Values stored for the searches: the corpus and its near misses.
QStringList SearchedValues();
QList<SearchField> SearchFields();
QList<NumberField> NumberFields();
