#pragma once
// Reading the rows of a statement from the program's database on a read-only
// connection of the library's own.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace KalvoroReportImpl {

struct Table {
    QStringList columns;
    QList<QVariantList> rows;

    // Index of a column by name, ignoring letter case; -1 when absent.
    int column(const QString& name) const;
};

// The database file named by a connection description: a path, or a
// "Data Source=<path>" pair among others separated by ";".
QString DatabasePath(const QString& connection);

// Runs `sql` and reads all its rows; false with a reason in `error`.
bool RunStatement(const QString& connection, const QString& sql, Table& table, QString& error);

} // namespace KalvoroReportImpl
