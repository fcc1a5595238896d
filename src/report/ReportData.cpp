#include "ReportData.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace KalvoroReportImpl {

int Table::column(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString DatabasePath(const QString& connection) {
    const QString key = QStringLiteral("data source=");
    const qsizetype at = connection.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        return connection.trimmed();
    QString value = connection.mid(at + key.size());
    const qsizetype end = value.indexOf(QLatin1Char(';'));
    if (end >= 0)
        value.truncate(end);
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
        value = value.mid(1, value.size() - 2);
    return value;
}

bool RunStatement(const QString& connection, const QString& sql, Table& table, QString& error) {
    table = Table();
    const QString path = DatabasePath(connection);
    if (path.isEmpty()) {
        error = QCoreApplication::translate("KalvoroReport", "No database was named.");
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        error = QCoreApplication::translate("KalvoroReport", "The database %1 does not exist.")
                    .arg(QDir::toNativeSeparators(path));
        return false;
    }
    static QAtomicInt counter;
    const QString name = QStringLiteral("kalvoro_report_%1").arg(counter.fetchAndAddRelaxed(1));
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        // Reading only: a report can never change the winners, and the program
        // may be writing at the same moment.
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open()) {
            error =
                QCoreApplication::translate("KalvoroReport", "The database %1 cannot be opened: %2")
                    .arg(QDir::toNativeSeparators(path), db.lastError().text());
        } else {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            if (!q.exec(sql)) {
                error = QCoreApplication::translate("KalvoroReport", "The statement failed: %1")
                            .arg(q.lastError().text());
            } else {
                const QSqlRecord rec = q.record();
                for (int i = 0; i < rec.count(); ++i)
                    table.columns << rec.fieldName(i);
                while (q.next()) {
                    QVariantList row;
                    row.reserve(rec.count());
                    for (int i = 0; i < rec.count(); ++i)
                        row << q.value(i);
                    table.rows << row;
                }
                ok = !q.lastError().isValid();
                if (!ok)
                    error =
                        QCoreApplication::translate("KalvoroReport", "Reading the rows failed: %1")
                            .arg(q.lastError().text());
            }
            q.finish();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace KalvoroReportImpl
