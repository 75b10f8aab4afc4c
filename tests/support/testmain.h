#pragma once

#include "app/application.h"
#include "app/program.h"

#include <QTest>

// Like QTEST_MAIN, but with the program's own application object, so exceptions reach
// its error dialog as they do for users, and every window class is registered.
#define HYJF_TEST_MAIN(TestObject)                                                                 \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        Application app(argc, argv);                                                               \
        RegisterAllWindows();                                                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
