#pragma once

#include <QString>

// Measurements that need a fresh process of their own: the program's start-up, and the
// memory a journal window on every row holds (the measuring process has grown by then).

// Child side; base is the program folder holding the seeded database.
int RunStartupChild(int argc, char **argv, const QString &base);
int RunMemoryChild(const QString &base);

// Parent side. "startup to login" is registered as a benchmark; the memory is one reading
// in megabytes, or a negative number when the child failed.
void RegisterStartup(const QString &base);
double MeasureJournalWindowMemory(const QString &base);
