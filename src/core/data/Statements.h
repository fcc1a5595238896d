#pragma once
// Every statement the program runs, in one place. Values are always bound
// parameters (?), never spliced into the text.
#include <QString>

namespace Sql {
// Main window
inline const QString SelectClasses = QStringLiteral("select name from jxmc");
// Photo roll and pick
inline const QString CountPhotoWins = QStringLiteral("select count(*) from prize where filename=?");
inline const QString InsertPhotoWinner =
    QStringLiteral("insert into prize(filename,name,class) values(?,?,?)");
// Word roll and pick
inline const QString PickWordsByRandom =
    QStringLiteral("select wz from wzd where prize is null order by random() limit ?");
// Two subqueries: "select min(id), max(id)" in one would scan the whole table.
inline const QString WordIdRange =
    QStringLiteral("select (select min(id) from wz), (select max(id) from wz)");
// The fast word pick: which of up to WordIdBatch drawn ids are free rows (unused
// places are bound to null, which matches nothing), how many rows are free up to
// a bound, and a random sample of free ids for when few are free.
inline constexpr int WordIdBatch = 64;
inline const QString FreeWordsByIds = [] {
    QString sql = QStringLiteral("select id,wz from wzd where prize is null and id in (?");
    for (int i = 1; i < WordIdBatch; ++i)
        sql += QStringLiteral(",?");
    sql += QStringLiteral(")");
    return sql;
}();
inline const QString CountFreeWordsUpTo =
    QStringLiteral("select count(*) from (select 1 from wzd where prize is null limit ?)");
inline const QString SampleFreeWordIds =
    QStringLiteral("select id from wzd where prize is null order by random() limit ?");
inline const QString CountWord = QStringLiteral("select count(*) from wz where wz=?");
inline const QString InsertWonWord = QStringLiteral("insert into wz(wz,prize) values(?,?)");
inline const QString MarkWordWon = QStringLiteral("update wz set prize=? where wz=?");
// Presets
inline const QString PhotoPresetsOfClass = QStringLiteral("select filename from zb where class=?");
inline const QString WordPresetsOfClass = QStringLiteral("select wz from zb1 where prize=?");
inline const QString CountWordWins =
    QStringLiteral("select count(*) from wz where wz=? and prize is not null");
inline const QString InsertPhotoPreset =
    QStringLiteral("insert into zb(filename,class) values(?,?)");
inline const QString InsertWordPreset = QStringLiteral("insert into zb1(wz,prize) values(?,?)");
// Preset editors
inline const QString CountPhotoPreset =
    QStringLiteral("select count(*) from zb where filename=? and class=?");
inline const QString CountWordPreset =
    QStringLiteral("select count(*) from zb1 where wz=? and prize=?");
inline const QString LastPhotoPresetFile =
    QStringLiteral("select filename from zb order by rowid desc limit 1");
// Reset and counts
inline const QString DeleteAllPhotoWinners = QStringLiteral("delete from prize");
inline const QString FreeAllWords =
    QStringLiteral("update wz set prize=null where prize is not null");
inline const QString SelectAllWordPresets = QStringLiteral("select wz from zb1");
inline const QString DeleteWord = QStringLiteral("delete from wz where wz=?");
inline const QString CountPhotoWinnersOfClass =
    QStringLiteral("select count(*) from prize where class=?");
inline const QString CountWordWinnersOfClass =
    QStringLiteral("select count(*) from wz where prize=?");
// Candidate list and classes
inline const QString InsertWord = QStringLiteral("insert into wz(wz) values(?)");
inline const QString DeleteAllWords = QStringLiteral("delete from wz");
// Winners lists
inline const QString ListPhotoWinners =
    QStringLiteral("select filename,name,class,rq from prize order by class");
inline const QString ExportPhotoWinners =
    QStringLiteral("select class,name,rq,filename from prize order by class");
inline const QString PrintPhotoWinners =
    QStringLiteral("select class,name from prize order by class");
inline const QString ListWordWinners =
    QStringLiteral("select * from wz where prize is not null order by prize");
inline const QString PrintWordWinners = QStringLiteral(
    "select wz as name,prize as class from wz where prize is not null order by prize");
} // namespace Sql
