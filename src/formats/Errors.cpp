#include "formats/Errors.h"

#include <QCoreApplication>
#include <QRegularExpression>

bool TryStrToInt(const QString& text, int& value) {
    static const QRegularExpression form(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (!form.match(text).hasMatch())
        return false;
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return false;
    value = v;
    return true;
}

int StrToInt(const QString& text) {
    int v = 0;
    if (!TryStrToInt(text, v))
        throw ConvertError(
            QCoreApplication::translate("Errors", "'%1' is not a valid integer value").arg(text));
    return v;
}
