#pragma once

#include <QString>

// Who is working: fixed by the login for the whole run (there is no logout).
// Every save writes the code as the handling operator.
QString CurrentOperatorCode();
QString CurrentOperatorPassword();
void SetCurrentOperator(const QString &code, const QString &password);
