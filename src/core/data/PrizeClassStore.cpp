#include "core/data/PrizeClassStore.h"

const QString PrizeClassStore::Table = QStringLiteral("jxmc");
const QString PrizeClassStore::NameColumn = QStringLiteral("name");

QStringList PrizeClassStore::names() const {
    return texts(QStringLiteral("select name from jxmc"));
}
