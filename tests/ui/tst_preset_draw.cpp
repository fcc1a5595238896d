// The preset editors from the main window: the keys that open them, and a
// stored preset winning the next draw.
#include "PresetFixture.h"

#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "ui/main/DisplayWidgets.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class TestPresetDraw : public QObject {
    Q_OBJECT
private slots:
    void shortcutsOpenEditors_data();
    void shortcutsOpenEditors();
    void storedPresetWinsTheDraw_data();
    void storedPresetWinsTheDraw();
};

void TestPresetDraw::shortcutsOpenEditors_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Ctrl+Shift+P") << int(Qt::Key_P) << QStringLiteral("PhotoPresetDialog")
                                  << QStringLiteral("cheat");
    QTest::newRow("Ctrl+Shift+W") << int(Qt::Key_W) << QStringLiteral("WordPresetDialog")
                                  << QStringLiteral("CHEAT");
}

void TestPresetDraw::shortcutsOpenEditors() {
    QFETCH(int, key);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    MainWindowHarness h;
    QString seenName, seenCaption;
    QWidget* seenParent = nullptr;
    // The key may be handled before the timer's first turn, so look until a
    // modal window shows up, then close it as the operator would.
    QTimer watcher;
    watcher.setInterval(0);
    int turns = 0;
    connect(&watcher, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (++turns > 1000)
                watcher.stop();
            return;
        }
        watcher.stop();
        seenName = modal->objectName();
        seenCaption = modal->windowTitle();
        seenParent = modal->parentWidget();
        modal->close();
    });
    watcher.start();
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != h.form.get())
        target = h.form.get();
    QTest::keyClick(target, Qt::Key(key), Qt::ControlModifier | Qt::ShiftModifier);
    watcher.stop();
    QCOMPARE(seenName, window);
    QCOMPARE(seenCaption, caption);
    QCOMPARE(seenParent, static_cast<QWidget*>(h.form.get()));
    // Closed and freed, and the chord did not arm a draw.
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(h.form->findChildren<QDialog*>().isEmpty());
    QVERIFY(!h.session()->isArmed());
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestPresetDraw::storedPresetWinsTheDraw_data() {
    QTest::addColumn<bool>("photo");
    QTest::newRow("photo") << true;
    QTest::newRow("word") << false;
}

void TestPresetDraw::storedPresetWinsTheDraw() {
    QFETCH(bool, photo);
    TempProgram files;
    QStringList people;
    for (int i = 0; i < 6; ++i)
        people << QStringLiteral("Person %1.jpg").arg(i);
    files.makePhotos(QStringLiteral("photos"), people);
    const QStringList cheats =
        files.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Star.jpg")});
    MainWindowHarness h(photo ? PhotoIni(files.path(QStringLiteral("photos"))) : WordIni());
    const QString drawClass = h.classBox()->currentText();
    QCOMPARE(drawClass, cls);
    {
        auto editor = MakeEditor(photo, h.form.get());
        Child<QComboBox>(editor.get(), "classBox")->setCurrentText(drawClass);
        if (photo) {
            h.prompts.fileAnswers << cheats.at(0);
            Child<QToolButton>(editor.get(), "pictureButton")->click();
        } else {
            Child<QLineEdit>(editor.get(), "entryEdit")->setText(QStringLiteral("Guest Star"));
        }
        Child<QPushButton>(editor.get(), "addButton")->click();
        Child<QPushButton>(editor.get(), "closeButton")->click();
    }
    QVERIFY(h.prompts.messages.isEmpty());
    h.activate();
    h.enter();
    if (!photo)
        h.wordCount()->setValue(3);
    h.space();
    h.ticks(2);
    h.space();
    if (photo) {
        QCOMPARE(h.session()->currentPhoto(), cheats.at(0));
        QCOMPARE(h.form->windowTitle(), QStringLiteral("Star.jpg"));
        QCOMPARE(h.program.count(
                     QStringLiteral("select count(*) from prize where filename=? and class=?"),
                     {cheats.at(0), cls}),
                 1);
    } else {
        const QStringList shown = h.lines();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0), QStringLiteral("Guest Star"));
        QCOMPARE(
            h.program.sql(QStringLiteral("select prize from wz where wz='Guest Star'")).toString(),
            cls);
    }
    QVERIFY(h.prompts.messages.isEmpty());
}

QTEST_MAIN(TestPresetDraw)
#include "tst_preset_draw.moc"
