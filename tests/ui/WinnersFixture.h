#pragma once
// A fresh program for the winners tests: a temporary current folder where the
// data module creates db.sqlite, a program folder with the shipped template,
// scripted prompts, and helpers that record winners straight into the tables.
#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"
#include "support/ScriptedPrompts.h"
#include "ui/common/SkinData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <unistd.h>

struct WinnersFixture {
    QTemporaryDir root;
    QString oldCurrent = QDir::currentPath();
    std::unique_ptr<ScriptedPrompts> prompts;
    std::unique_ptr<Database> data;

    QString path(const QString& name) const { return root.filePath(name); }
    QString programDir() const { return path(QStringLiteral("program")); }
    QString photoDir() const { return path(QStringLiteral("photos")); }
    QString outDir() const { return path(QStringLiteral("out")); }

    // withTemplate: lay the shipped md.xls into the program folder.
    explicit WinnersFixture(bool withTemplate = true) {
        QDir dir(root.path());
        dir.mkpath(QStringLiteral("run"));
        dir.mkpath(QStringLiteral("program"));
        dir.mkpath(QStringLiteral("photos"));
        dir.mkpath(QStringLiteral("out"));
        QDir::setCurrent(path(QStringLiteral("run")));
        ProgramFolder::setOverride(programDir());
        SkinData::setActiveFile(QString());
        if (withTemplate)
            QFile::copy(QStringLiteral(KALVORO_SOURCE_DIR "/assets/md.xls"),
                        programDir() + QStringLiteral("/md.xls"));
        prompts = std::make_unique<ScriptedPrompts>();
        data = std::make_unique<Database>();
    }
    ~WinnersFixture() {
        data.reset();
        prompts.reset();
        ProgramFolder::setOverride(QString());
        QDir::setCurrent(oldCurrent);
    }

    // Clicks a Print button and gives back the title of the preview it opened
    // (closing it again); empty when no preview came up.
    static QString PrintPreviewTitle(QAbstractButton* print) {
        QString title;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* dlg = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
                title = dlg->windowTitle();
                dlg->reject();
            }
        });
        poll.start();
        print->click();
        poll.stop();
        return title;
    }

    static void exec(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(Db());
        QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
    static qlonglong count(const QString& sql, const QVariantList& values = {}) {
        QSqlQuery q(Db());
        if (!q.prepare(sql))
            return -1;
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        if (!q.exec() || !q.next())
            return -1;
        return q.value(0).toLongLong();
    }

    // A photo of one colour; returns its full path.
    QString makePhoto(const QString& name, const QColor& colour, QSize size = {120, 90}) const {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString file = QDir(photoDir()).filePath(name);
        img.save(file, "JPG", 95);
        return file;
    }
    void addPhotoWinner(const QString& file, const QString& cls,
                        const QString& when = QStringLiteral("2024-05-01 19:30:00")) const {
        exec(QStringLiteral("insert into prize(filename,name,class,rq) values(?,?,?,?)"),
             {file, QFileInfo(file).fileName(), cls, when});
    }
    void addWordWinner(const QString& word, const QVariant& cls) const {
        exec(QStringLiteral("insert into wz(wz,prize) values(?,?)"), {word, cls});
    }

    // Many rows in one transaction: each commit waits for the disk.
    struct Batch {
        Batch() { Db().transaction(); }
        ~Batch() { Db().commit(); }
    };
};

// A control of a window by its object name; a missing one ends the test run at once.
template <class T> T* Control(const QObject* window, const char* name) {
    T* found = window->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("%s has no %s named %s", qPrintable(window->objectName()),
               T::staticMetaObject.className(), name);
    return found;
}

// Runs a block with write access taken away from `folder`: by its mode, and
// when the tests run as root (who ignores modes) by acting as nobody meanwhile.
template <class F> void WithoutWriteAccess(const QString& folder, F&& body) {
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    // nobody must reach the folder through its parents, which QTemporaryDir made private.
    QString parent = QFileInfo(folder).absolutePath();
    QList<std::pair<QString, QFileDevice::Permissions>> opened;
    const bool root = geteuid() == 0;
    if (root) {
        for (QDir d(parent); !d.isRoot(); d.cdUp()) {
            const QFileDevice::Permissions p = QFile::permissions(d.path());
            if (!(p & QFileDevice::ExeOther)) {
                opened << std::make_pair(d.path(), p);
                QFile::setPermissions(d.path(), p | QFileDevice::ExeOther | QFileDevice::ReadOther);
            }
        }
        QVERIFY(setegid(65534) == 0);
        QVERIFY(seteuid(65534) == 0);
    }
    body();
    if (root) {
        QVERIFY(seteuid(0) == 0);
        QVERIFY(setegid(0) == 0);
        for (const auto& [p, mode] : opened)
            QFile::setPermissions(p, mode);
    }
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
