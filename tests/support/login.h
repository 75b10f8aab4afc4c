#pragma once

#include "app/mainfrm.h"
#include "operators/login.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// Runs the start-up sequence of a main window, logging in as the given operator when the
// login window shows. Attempts are tried in order until the window closes.
inline TMAIN::StartResult StartAndLogin(TMAIN &window, const QList<QPair<QString, QString>> &attempts)
{
    TMAIN::modalRunner() = [attempts](QDialog *dialog) {
        auto *login = static_cast<Tloginform *>(dialog);
        login->show();
        for (const auto &[code, password] : attempts) {
            if (!login->isVisible())
                break;
            const int index = login->operatorBox()->findText(code);
            if (index >= 0)
                login->operatorBox()->setCurrentIndex(index);
            else
                login->operatorBox()->setEditText(code);
            login->passwordEdit()->setText(password);
            QTest::keyClick(login->passwordEdit(), Qt::Key_Return);
        }
        if (login->isVisible())
            login->reject();
        return login->result();
    };
    const TMAIN::StartResult result = window.startUp();
    TMAIN::modalRunner() = [](QDialog *d) { return d->exec(); };
    return result;
}

inline TMAIN::StartResult StartAndLogin(TMAIN &window, const QString &code = QStringLiteral("0001"),
                                        const QString &password = {})
{
    return StartAndLogin(window, {{code, password}});
}
