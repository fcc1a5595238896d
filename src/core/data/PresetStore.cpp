#include "core/data/PresetStore.h"

const QString PresetStore::PhotoTable = QStringLiteral("zb");
const QString PresetStore::WordTable = QStringLiteral("zb1");
const QString PresetStore::PhotoListStatement =
    QStringLiteral("select filename,class,rq,rowid from zb order by rowid");
const QString PresetStore::WordListStatement =
    QStringLiteral("select wz,prize,rowid from zb1 order by rowid");

QStringList PresetStore::photoPresetsOfClass(const QString& prizeClass) const {
    return texts(QStringLiteral("select filename from zb where class=?"), {prizeClass});
}

QStringList PresetStore::wordPresetsOfClass(const QString& prizeClass) const {
    return texts(QStringLiteral("select wz from zb1 where prize=?"), {prizeClass});
}

QStringList PresetStore::allWordPresets() const {
    return texts(QStringLiteral("select wz from zb1"));
}

bool PresetStore::hasPhotoPreset(const QString& file, const QString& prizeClass) const {
    return count(QStringLiteral("select count(*) from zb where filename=? and class=?"),
                 {file, prizeClass}) > 0;
}

bool PresetStore::hasWordPreset(const QString& word, const QString& prizeClass) const {
    return count(QStringLiteral("select count(*) from zb1 where wz=? and prize=?"),
                 {word, prizeClass}) > 0;
}

void PresetStore::addPhotoPreset(const QString& file, const QString& prizeClass) {
    run(QStringLiteral("insert into zb(filename,class) values(?,?)"), {file, prizeClass});
}

void PresetStore::addWordPreset(const QString& word, const QString& prizeClass) {
    run(QStringLiteral("insert into zb1(wz,prize) values(?,?)"), {word, prizeClass});
}

QString PresetStore::lastPhotoPresetFile() const {
    const QStringList last =
        texts(QStringLiteral("select filename from zb order by rowid desc limit 1"));
    return last.isEmpty() ? QString() : last.first();
}

QSqlQuery PresetStore::photoListRows() const {
    return run(PhotoListStatement);
}

QSqlQuery PresetStore::wordListRows() const {
    return run(WordListStatement);
}

void PresetStore::removePhotoPreset(qlonglong rowId) {
    run(QStringLiteral("delete from zb where rowid=?"), {rowId});
}

void PresetStore::removeWordPreset(qlonglong rowId) {
    run(QStringLiteral("delete from zb1 where rowid=?"), {rowId});
}
