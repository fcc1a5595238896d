#pragma once
// The prize classes (table jxmc), in the order the operator entered them.
#include "core/data/Stores.h"

class PrizeClassStore : public Store {
public:
    using Store::Store;
    static const QString Table;
    // The one column, the class name.
    static const QString NameColumn;

    QStringList names() const;
};
