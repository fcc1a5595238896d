#include "core/data/PresetStore.h"

const QString PresetStore::PhotoTable = QStringLiteral("zb");
const QString PresetStore::WordTable = QStringLiteral("zb1");

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
