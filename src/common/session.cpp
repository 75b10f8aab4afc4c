#include "session.h"

namespace {
QString operatorCode;
QString operatorPassword;
} // namespace

QString CurrentOperatorCode()
{
    return operatorCode;
}

QString CurrentOperatorPassword()
{
    return operatorPassword;
}

void SetCurrentOperator(const QString &code, const QString &password)
{
    operatorCode = code;
    operatorPassword = password;
}
