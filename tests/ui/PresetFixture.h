#pragma once
// What the preset editor tests share: a program folder with its database,
// the editors made by kind, and readers of what a grid and a table hold.
#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"
#include "support/ScriptedPrompts.h"
#include "support/TempProgram.h"
#include "ui/common/SkinData.h"
#include "ui/presets/PhotoPresetDialog.h"
#include "ui/presets/WordPresetDialog.h"

#include <QFile>
#include <QHeaderView>
#include <QSqlQuery>
#include <QTableView>

#include <memory>

inline const QString cls = QStringLiteral("First Prize");

// A program folder with its database; the scripted prompts come first so that
// they outlive every window a test makes.
struct Fixture {
    ScriptedPrompts prompts;
    TempProgram program;
    Fixture() {
        SkinData::setActiveFile(QString());
        program.openDatabase();
    }
};

inline std::unique_ptr<QDialog> MakeEditor(bool photo, QWidget* parent = nullptr) {
    if (photo)
        return std::make_unique<PhotoPresetDialog>(parent);
    return std::make_unique<WordPresetDialog>(parent);
}

template <class T> T* Child(QWidget* w, const char* name) {
    return w->findChild<T*>(QLatin1String(name));
}

// Titles of the columns the grid shows, in the order shown.
inline QStringList ShownTitles(QTableView* grid) {
    QStringList out;
    QHeaderView* header = grid->horizontalHeader();
    for (int v = 0; v < header->count(); ++v) {
        const int c = header->logicalIndex(v);
        if (!grid->isColumnHidden(c))
            out << grid->model()->headerData(c, Qt::Horizontal).toString();
    }
    return out;
}

// The first column of every row the grid lists.
inline QStringList GridColumn(QTableView* grid, int column = 0) {
    QAbstractItemModel* model = grid->model();
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, column).data().toString();
    return out;
}

inline QStringList Column(const QString& statement) {
    QSqlQuery q(Db());
    if (!q.exec(statement))
        return {QStringLiteral("<failed>")};
    QStringList out;
    while (q.next())
        out << q.value(0).toString();
    return out;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return f.write(bytes) == bytes.size();
}
