// Full screen, the focus guard, help and About on the real main window.
#include "core/settings/ProgramFolder.h"
#include "support/MainWindowHarness.h"
#include "ui/common/AboutDialog.h"

#include <QDialog>
#include <QFile>
#include <QLabel>
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
    h.form->bsSkinComboBox1->setCurrentIndex(2);
    h.form->ActionFullScreenExecute();
    QVERIFY(h.form->bsSkinPanel2->isHidden());
    QVERIFY(h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.form->bsSkinComboBox1->currentIndex(), 2);
    QVERIFY(h.form->isVisible());
    // The menu entry stays reachable in full screen, from the display itself.
    QVERIFY(h.form->bsSkinPopupMenu2->actions().at(1)->isEnabled());
    const QRect first = h.form->geometry();
    h.form->ActionFullScreenExecute();
    QVERIFY(h.form->bsSkinPanel2->isHidden());
    QCOMPARE(h.form->geometry(), first);
    QCOMPARE(h.form->bsSkinComboBox1->currentIndex(), 2);
    // The keys still drive the draw without the strip.
    h.activate();
    h.enter();
    QVERIFY(h.form->DrawArmed);
    h.form->ActionShowToolbarExecute();
    QVERIFY(!h.form->bsSkinPanel2->isHidden());
    QVERIFY(!h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.form->bsSkinComboBox1->currentIndex(), 2);
    QVERIFY(h.form->DrawArmed);
}

void TestPresentation::focusGuardWarnsAndRestores() {
    MainWindowHarness h(WordIni());
    h.form->LabelWZ->setText(QStringLiteral("Chen Wei"));
    h.form->LabelWZ->setFontSize(160);
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->Timer3Timer();
    QCOMPARE(h.form->LabelWZ->text(), FocusWarningText);
    QCOMPARE(h.form->LabelWZ->fontSize(), 39);
    QCOMPARE(h.form->LabelWZ->fontColor(), h.form->WordFontColor);
    QVERIFY(FocusWarningShown);
    // A second tick does not save the warning over the saved text.
    h.form->Timer3Timer();
    QCOMPARE(h.form->SavedLabelText, QStringLiteral("Chen Wei"));
    h.activate();
    h.form->Timer3Timer();
    QCOMPARE(h.form->LabelWZ->text(), QStringLiteral("Chen Wei"));
    QCOMPARE(h.form->LabelWZ->fontSize(), 160);
    QVERIFY(!FocusWarningShown);
    // The real timer does it within about a second.
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QTRY_COMPARE_WITH_TIMEOUT(h.form->LabelWZ->text(), FocusWarningText, 2500);
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
        last = h.form->LabelWZ->text();
        QVERIFY(last != FocusWarningText);
        h.form->Timer3Timer();
        QCOMPARE(h.form->LabelWZ->text(), FocusWarningText);
    }
    h.activate();
    h.form->Timer3Timer();
    QCOMPARE(h.form->LabelWZ->text(), last);
    QVERIFY(h.form->Timer1->isActive());
}

void TestPresentation::armingEmptiesTheSavedText() {
    MainWindowHarness h(WordIni());
    h.form->LabelWZ->setText(QStringLiteral("old words"));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->Timer3Timer();
    h.form->ActionCJExecute();
    h.activate();
    h.form->Timer3Timer();
    QCOMPARE(h.form->LabelWZ->text(), QString());
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
    h.form->ActionHelpExecute();
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
    h.form->ActionAboutExecute();
    QCOMPARE(version, QStringLiteral("Version3.2.0.38"));
    QCOMPARE(product, QStringLiteral("Kalvoro"));
    QCOMPARE(caption, QStringLiteral("About"));
}

QTEST_MAIN(TestPresentation)
#include "tst_presentation.moc"
