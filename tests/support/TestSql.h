#pragma once
// Statements the tests set up and check the store with, written out on their own
// so that a test does not take the program's word for what a row is.
#include <QString>

namespace TestSql {
inline const QString CountPhotoWins = QStringLiteral("select count(*) from prize where filename=?");
inline const QString CountWord = QStringLiteral("select count(*) from wz where wz=?");
inline const QString CountWordWinnersOfClass =
    QStringLiteral("select count(*) from wz where prize=?");
inline const QString CountWordWins =
    QStringLiteral("select count(*) from wz where wz=? and prize is not null");
inline const QString ExportPhotoWinners =
    QStringLiteral("select class,name,rq,filename from prize order by class");
inline const QString InsertPhotoPreset =
    QStringLiteral("insert into zb(filename,class) values(?,?)");
inline const QString InsertPhotoWinner =
    QStringLiteral("insert into prize(filename,name,class) values(?,?,?)");
inline const QString InsertWonWord = QStringLiteral("insert into wz(wz,prize) values(?,?)");
inline const QString InsertWord = QStringLiteral("insert into wz(wz) values(?)");
inline const QString InsertWordPreset = QStringLiteral("insert into zb1(wz,prize) values(?,?)");
inline const QString MarkWordWon = QStringLiteral("update wz set prize=? where wz=?");
inline const QString PrintPhotoWinners =
    QStringLiteral("select class,name from prize order by class");
inline const QString PrintWordWinners = QStringLiteral(
    "select wz as name,prize as class from wz where prize is not null order by prize");
} // namespace TestSql
