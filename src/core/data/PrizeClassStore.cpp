#include "core/data/PrizeClassStore.h"

const QString PrizeClassStore::Table = QStringLiteral("jxmc");

QStringList PrizeClassStore::names() const {
    return texts(QStringLiteral("select name from jxmc"));
}
