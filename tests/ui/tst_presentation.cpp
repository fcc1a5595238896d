// Full screen, the focus guard, help and About on the real main window.
#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "ui/common/AboutDialog.h"
#include "ui/main/DisplayWidgets.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestPresentation : public QObject {
    Q_OBJECT
private slots:
    void fullScreenKeepsClassAndIsIdempotent();
    void focusGuardWarnsAndRestores();
    void focusGuardKeepsTheLastRolledWords();
    void armingEmptiesTheSavedText();
    void help_data();
    void help();
    void aboutShowsTheVersion();
};

void TestPresentation::fullScreenKeepsClassAndIsIdempotent() {
    MainWindowHarness h(WordIni());
    QWidget* strip = h.form->findChild<QWidget*>(QStringLiteral("controlStrip"));
    h.classBox()->setCurrentIndex(2);
    h.form->enterFullScreen();
    QVERIFY(strip->isHidden());
    QVERIFY(h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.classBox()->currentIndex(), 2);
    QVERIFY(h.form->isVisible());
    // The menu entry stays reachable in full screen, from the display itself.
    QVERIFY(h.form->findChild<QMenu*>(QStringLiteral("displayMenu"))->actions().at(1)->isEnabled());
    const QRect first = h.form->geometry();
    h.form->enterFullScreen();
    QVERIFY(strip->isHidden());
    QCOMPARE(h.form->geometry(), first);
    QCOMPARE(h.classBox()->currentIndex(), 2);
    // The keys still drive the draw without the strip.
    h.activate();
    h.enter();
    QVERIFY(h.session()->isArmed());
    h.form->leaveFullScreen();
    QVERIFY(!strip->isHidden());
    QVERIFY(!h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.classBox()->currentIndex(), 2);
    QVERIFY(h.session()->isArmed());
}

void TestPresentation::focusGuardWarnsAndRestores() {
    MainWindowHarness h(WordIni());
    h.banner()->setText(QStringLiteral("Chen Wei"));
    h.banner()->setFontSize(160);
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), MainWindow::focusWarningText());
    QCOMPARE(h.banner()->fontSize(), 39);
    QCOMPARE(h.banner()->fontColor(), h.form->wordFont().colour);
    // A second tick does not save the warning over the saved text.
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), MainWindow::focusWarningText());
    h.activate();
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), QStringLiteral("Chen Wei"));
    QCOMPARE(h.banner()->fontSize(), 160);
    // Back in front, the next checks leave the display alone.
    h.banner()->setText(QStringLiteral("Wang Fang"));
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), QStringLiteral("Wang Fang"));
    // The real timer does it within about a second.
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QTRY_COMPARE_WITH_TIMEOUT(h.banner()->text(), MainWindow::focusWarningText(), 2500);
}

void TestPresentation::focusGuardKeepsTheLastRolledWords() {
    MainWindowHarness h(WordIni());
    h.enter();
    h.space();
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QString last;
    for (int i = 0; i < 3; ++i) {
        h.ticks(1);
        last = h.banner()->text();
        QVERIFY(last != MainWindow::focusWarningText());
        h.form->guardFocus();
        QCOMPARE(h.banner()->text(), MainWindow::focusWarningText());
    }
    h.activate();
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), last);
    QVERIFY(h.rollTimer()->isActive());
}

void TestPresentation::armingEmptiesTheSavedText() {
    MainWindowHarness h(WordIni());
    h.banner()->setText(QStringLiteral("old words"));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->guardFocus();
    h.form->armDraw();
    h.activate();
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), QString());
}

void TestPresentation::help_data() {
    QTest::addColumn<bool>("present");
    QTest::newRow("present") << true;
    QTest::newRow("missing") << false;
}

void TestPresentation::help() {
    QFETCH(bool, present);
    MainWindowHarness h(WordIni());
    const QString file = h.program.path(QStringLiteral("help.html"));
    if (present) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<html><title>Help</title></html>");
    }
    h.form->showHelp();
    if (present) {
        QCOMPARE(h.prompts.opened, QStringList{file});
        QVERIFY(h.prompts.messages.isEmpty());
    } else {
        QVERIFY(h.prompts.opened.isEmpty());
        QCOMPARE(h.prompts.messages, QStringList{QStringLiteral("not found help.html!")});
    }
}

void TestPresentation::aboutShowsTheVersion() {
    MainWindowHarness h(WordIni());
    QString version, product, caption;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        QVERIFY(box);
        version = box->findChild<QLabel*>(QStringLiteral("versionLabel"))->text();
        product = box->findChild<QLabel*>(QStringLiteral("productNameLabel"))->text();
        caption = box->windowTitle();
        box->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
    });
    h.form->showAbout();
    QCOMPARE(version, QStringLiteral("Version3.2.0.38"));
    QCOMPARE(product, QStringLiteral("Kalvoro"));
    QCOMPARE(caption, QStringLiteral("About"));
}

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
