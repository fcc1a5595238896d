// The operator's keys and controls always reach the right draw: a presenter's
// clicker runs a whole event, F11 and Esc switch full screen, no window opens
// during a roll, the chosen class survives the options dialog, and the display
// says when nobody is left to draw.
#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "support/TestSql.h"
#include "ui/common/TableNavigator.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/options/OptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QSqlTableModel>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QString startPrompt = QStringLiteral("PRESS ENTER KEY TO BEGIN");
const QString armedPrompt = QStringLiteral("After Set Lottery Class,Press Space Bar");
const QString rollingPrompt = QStringLiteral("Press Space Bar to Draw");
const QString stoppedPrompt = QStringLiteral("Press Enter Key to Begin Next");
const QString noCandidates = QStringLiteral("No candidates left for this draw");
const QString noPhotos = QStringLiteral("No photos left");

// The clicker's key. Like the harness's Space, a roll it starts is stepped by the
// test alone.
void next(MainWindowHarness& h, Qt::Key key) {
    h.press(key);
    if (h.rollTimer()->isActive())
        h.rollTimer()->setInterval(10 * 60 * 1000);
}

template <class T> T* child(QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no %s", name);
    return found;
}

// Whatever modal window the program opens is noted and closed at once, so a
// window that should not have opened fails the test instead of hanging it.
struct ModalWatch {
    QStringList opened;
    QTimer poll;
    ModalWatch() {
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                opened << QString::fromLatin1(w->metaObject()->className());
                w->close();
            }
        });
        poll.start();
    }
};

// Runs `inside` on the options dialog once it is open, then lets showOptions return.
void withOptions(MainWindowHarness& h, const std::function<void(OptionsDialog*)>& inside) {
    WithModal<OptionsDialog>([&] { h.form->showOptions(); }, inside);
    h.activate();
}
} // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void clickerRunsAWholeEvent_data();
    void clickerRunsAWholeEvent();
    void clickerArmsWhileAStopIsRunning();
    void fullScreenKeys();
    void noWindowOpensDuringARoll();
    void classKeptAfterOptions_data();
    void classKeptAfterOptions();
    void classDeletedInOptionsFallsBackAndSaysSo();
    void nothingLeftOnTheDisplay_data();
    void nothingLeftOnTheDisplay();
};

void TestKeys::clickerRunsAWholeEvent_data() {
    QTest::addColumn<bool>("photoMode");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("focus"); // the control the operator last clicked
    QTest::newRow("word, PageDown, class box") << false << int(Qt::Key_PageDown) << "prizeClassBox";
    QTest::newRow("word, Right, count box") << false << int(Qt::Key_Right) << "wordCountBox";
    QTest::newRow("photo, PageDown, display") << true << int(Qt::Key_PageDown) << "display";
    QTest::newRow("photo, Right, class box") << true << int(Qt::Key_Right) << "prizeClassBox";
}

void TestKeys::clickerRunsAWholeEvent() {
    QFETCH(bool, photoMode);
    QFETCH(int, key);
    QFETCH(QString, focus);
    TempProgram files;
    const int draws = 4;
    const int perDraw = photoMode ? 1 : 3;
    // More photos than draws: a stop ends at the next step that meets a free photo.
    files.makePhotos(QStringLiteral("staff"), PersonPhotoNames(draws + 2));
    MainWindowHarness h(photoMode ? PhotoIni(files.path(QStringLiteral("staff"))) : WordIni());
    if (!photoMode) {
        h.program.sql(QStringLiteral("delete from wz"));
        for (int i = 0; i < draws * perDraw; ++i)
            h.program.sql(TestSql::InsertWord, {QStringLiteral("Guest %1").arg(i)});
        h.wordCount()->setValue(perDraw);
    }
    // The operator picks the class and hands the event to the presenter.
    h.classBox()->setCurrentIndex(1);
    const QString prizeClass = h.classBox()->currentText();
    h.form->findChild<QWidget*>(focus)->setFocus();
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(h.prompt()->text(), startPrompt);

    QSet<QString> winners;
    for (int draw = 1; draw <= draws; ++draw) {
        next(h, Qt::Key(key));
        QCOMPARE(h.session()->state(), DrawSession::State::Armed);
        QCOMPARE(h.prompt()->text(), armedPrompt);
        next(h, Qt::Key(key));
        QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
        QCOMPARE(h.prompt()->text(), rollingPrompt);
        h.ticks(3);
        next(h, Qt::Key(key));
        QCOMPARE(h.session()->state(), DrawSession::State::Stopping);
        QCOMPARE(h.prompt()->text(), stoppedPrompt);
        // What the display shows is what was recorded, in the class the operator chose.
        if (photoMode) {
            const QString shown = h.session()->currentPhoto();
            QVERIFY(h.photo()->hasPicture());
            QVERIFY2(!winners.contains(shown), qPrintable(shown));
            winners.insert(shown);
            QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize where "
                                                    "filename=? and class=?"),
                                     {shown, prizeClass}),
                     1);
        } else {
            QCOMPARE(h.lines().size(), perDraw);
            QCOMPARE(h.lines(), h.session()->lines());
            for (const QString& w : h.lines()) {
                QVERIFY2(!winners.contains(w), qPrintable(w));
                winners.insert(w);
                QCOMPARE(h.program.sql(QStringLiteral("select prize from wz where wz=?"), {w})
                             .toString(),
                         prizeClass);
            }
        }
        h.ticks(1);
        QCOMPARE(h.session()->state(), DrawSession::State::Idle);
    }
    QCOMPARE(winners.size(), draws * perDraw);
    QCOMPARE(photoMode ? h.program.count(QStringLiteral("select count(*) from prize"))
                       : h.program.count(TestSql::CountWordWinnersOfClass, {prizeClass}),
             draws * perDraw);
    // The keys were the draw's alone: the class and the count did not move.
    QCOMPARE(h.classBox()->currentIndex(), 1);
    QCOMPARE(h.wordCount()->value(), perDraw);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(h.prompts.messages.isEmpty());
}

void TestKeys::clickerArmsWhileAStopIsRunning() {
    MainWindowHarness h(WordIni());
    next(h, Qt::Key_PageDown);
    next(h, Qt::Key_PageDown);
    h.ticks(1);
    next(h, Qt::Key_PageDown);
    QCOMPARE(h.session()->state(), DrawSession::State::Stopping);
    const QStringList first = h.session()->lines();
    // Before the step that ends the stop, the next press arms the next draw,
    // which rolls at once, as Enter does.
    next(h, Qt::Key_PageDown);
    QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
    QCOMPARE(h.prompt()->text(), armedPrompt);
    h.ticks(2);
    next(h, Qt::Key_PageDown);
    QCOMPARE(h.session()->state(), DrawSession::State::Stopping);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 2);
    QVERIFY(h.session()->lines() != first);
}

void TestKeys::fullScreenKeys() {
    MainWindowHarness h(WordIni());
    QWidget* strip = child<QWidget>(h.form.get(), "controlStrip");
    h.classBox()->setCurrentIndex(2);
    // Esc outside full screen leaves the window as it is.
    h.press(Qt::Key_Escape);
    QVERIFY(!strip->isHidden());
    h.press(Qt::Key_F11);
    QVERIFY(strip->isHidden());
    QVERIFY(h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    h.activate();
    h.press(Qt::Key_F11);
    QVERIFY(!strip->isHidden());
    QVERIFY(!h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    h.activate();
    h.press(Qt::Key_F11);
    QVERIFY(strip->isHidden());
    // A roll goes on through the switches, and the keys still drive it.
    h.activate();
    h.enter();
    h.space();
    h.ticks(1);
    h.press(Qt::Key_Escape);
    QVERIFY(!strip->isHidden());
    QVERIFY(!h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
    QCOMPARE(h.classBox()->currentIndex(), 2);
    h.activate();
    h.space();
    QCOMPARE(h.session()->state(), DrawSession::State::Stopping);
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {h.classBox()->currentText()}), 1);
}

void TestKeys::noWindowOpensDuringARoll() {
    MainWindowHarness h(WordIni());
    const char* const actions[] = {"optionsAction",    "winnersAction", "resetAction",
                                   "aboutAction",      "helpAction",    "photoPresetsAction",
                                   "wordPresetsAction"};
    const char* const buttons[] = {"setupButton", "winnersButton", "helpButton"};
    const char* const items[] = {"optionsItem", "resetItem", "aboutItem", "helpItem"};
    // The controls whose state is not `openable`.
    auto wrong = [&](bool openable) {
        QStringList found;
        for (const char* name : actions)
            if (child<QAction>(h.form.get(), name)->isEnabled() != openable)
                found << QLatin1String(name);
        for (const char* name : buttons)
            if (child<QToolButton>(h.form.get(), name)->isEnabled() != openable)
                found << QLatin1String(name);
        for (const char* name : items)
            if (child<QAction>(h.form.get(), name)->isEnabled() != openable)
                found << QLatin1String(name);
        return found;
    };
    // Space never lands on a tool button.
    for (QToolButton* b : h.form->findChildren<QToolButton*>())
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    QCOMPARE(wrong(true), QStringList());
    h.enter();
    QCOMPARE(wrong(true), QStringList());
    h.space();
    QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
    QCOMPARE(wrong(false), QStringList());

    ModalWatch watch;
    h.ticks(2);
    auto* winners = child<QToolButton>(h.form.get(), "winnersButton");
    QTest::mouseClick(winners, Qt::LeftButton);
    child<QAction>(h.form.get(), "winnersAction")->trigger();
    child<QAction>(h.form.get(), "optionsItem")->trigger();
    QTest::keyClick(h.form.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    QCOMPARE(watch.opened, QStringList());
    QCOMPARE(QApplication::activeWindow(), h.form.get());
    // The next Space reaches the draw and stops the roll.
    const QStringList shown = h.session()->lines();
    h.space();
    QCOMPARE(h.session()->state(), DrawSession::State::Stopping);
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {h.classBox()->currentText()}), 1);
    QCOMPARE(h.session()->lines(), shown);
    QCOMPARE(wrong(true), QStringList());
    h.ticks(1);
    QCOMPARE(h.session()->state(), DrawSession::State::Idle);
    QCOMPARE(wrong(true), QStringList());
    QCOMPARE(watch.opened, QStringList());
    // After the stop the button opens the winners again.
    QTest::mouseClick(winners, Qt::LeftButton);
    QTRY_COMPARE(watch.opened, QStringList{QStringLiteral("WordWinnersDialog")});
}

void TestKeys::classKeptAfterOptions_data() {
    QTest::addColumn<QString>("button");
    QTest::newRow("Cancel") << "cancelButton";
    QTest::newRow("Apply") << "applyButton";
}

void TestKeys::classKeptAfterOptions() {
    QFETCH(QString, button);
    MainWindowHarness h(WordIni());
    QVERIFY(h.classBox()->count() >= 3);
    h.classBox()->setCurrentIndex(2);
    const QString chosen = h.classBox()->currentText();
    QCOMPARE(h.session()->prizeClass(), chosen);
    withOptions(h, [&](OptionsDialog* d) { child<QPushButton>(d, qPrintable(button))->click(); });
    QCOMPARE(h.classBox()->currentIndex(), 2);
    QCOMPARE(h.classBox()->currentText(), chosen);
    QCOMPARE(h.session()->prizeClass(), chosen);
    QCOMPARE(h.prompt()->text(), startPrompt);
    // The next draw goes to that class.
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {chosen}), 1);
}

void TestKeys::classDeletedInOptionsFallsBackAndSaysSo() {
    MainWindowHarness h(WordIni());
    h.classBox()->setCurrentIndex(2);
    const QString chosen = h.classBox()->currentText();
    const QString first = h.classBox()->itemText(0);
    withOptions(h, [&](OptionsDialog* d) {
        auto* table = child<QTableView>(d, "classTable");
        auto* model = child<QSqlTableModel>(d, "classModel");
        int row = -1;
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, 0).data().toString() == chosen)
                row = r;
        QVERIFY(row >= 0);
        table->setCurrentIndex(model->index(row, 0));
        h.prompts.confirmAnswers.enqueue(true);
        child<TableNavigator>(d, "classNavigator")->click(TableNavigator::Delete);
        child<QPushButton>(d, "cancelButton")->click();
    });
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from jxmc where name=?"), {chosen}),
             0);
    QCOMPARE(h.classBox()->currentIndex(), 0);
    QCOMPARE(h.classBox()->currentText(), first);
    QCOMPARE(h.session()->prizeClass(), first);
    QCOMPARE(
        h.prompt()->text(),
        QStringLiteral("The class \"%1\" is gone; the draw is now for \"%2\"").arg(chosen, first));
    // Arming puts the draw's own prompt back.
    h.enter();
    QCOMPARE(h.prompt()->text(), armedPrompt);
}

void TestKeys::nothingLeftOnTheDisplay_data() {
    QTest::addColumn<bool>("photoMode");
    QTest::newRow("word") << false;
    QTest::newRow("photo") << true;
}

void TestKeys::nothingLeftOnTheDisplay() {
    QFETCH(bool, photoMode);
    TempProgram files;
    files.makePhotos(QStringLiteral("staff"), PersonPhotoNames(2));
    MainWindowHarness h(photoMode ? PhotoIni(files.path(QStringLiteral("staff"))) : WordIni());
    if (!photoMode) {
        h.program.sql(QStringLiteral("delete from wz"));
        h.program.sql(TestSql::InsertWord, {QStringLiteral("Ann")});
        h.program.sql(TestSql::InsertWord, {QStringLiteral("Bo")});
    }
    const QString notice = photoMode ? noPhotos : noCandidates;
    auto rows = [&] {
        return photoMode
                   ? h.program.count(QStringLiteral("select count(*) from prize"))
                   : h.program.count(QStringLiteral("select count(*) from wz where prize is not "
                                                    "null"));
    };
    // The clicker draws everybody, then one more.
    for (int draw = 0; draw < 2; ++draw) {
        for (int press = 0; press < 2; ++press)
            next(h, Qt::Key_PageDown);
        h.ticks(2);
        QVERIFY(h.banner()->text() != notice);
        next(h, Qt::Key_PageDown);
        h.ticks(2);
    }
    QCOMPARE(rows(), 2);
    // With no free photo the stop never ends by itself: the first press then
    // arms a draw that rolls at once.
    next(h, Qt::Key_PageDown);
    if (h.session()->state() == DrawSession::State::Armed)
        next(h, Qt::Key_PageDown);
    QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
    for (int tick = 0; tick < 4; ++tick) {
        h.ticks(1);
        QCOMPARE(h.banner()->text(), notice);
    }
    QVERIFY(!h.photo()->hasPicture());
    next(h, Qt::Key_PageDown);
    QCOMPARE(h.prompt()->text(), stoppedPrompt);
    QCOMPARE(h.banner()->text(), notice);
    QCOMPARE(rows(), 2);
    QVERIFY(h.prompts.messages.isEmpty());
    // A freed candidate is drawn again and the notice gives way.
    if (photoMode)
        h.program.sql(QStringLiteral("delete from prize where rowid=1"));
    else
        h.program.sql(QStringLiteral("update wz set prize=null where wz='Bo'"));
    next(h, Qt::Key_PageDown);
    if (h.session()->state() == DrawSession::State::Armed)
        next(h, Qt::Key_PageDown);
    h.ticks(3);
    QVERIFY(h.banner()->text() != notice);
    if (photoMode)
        QVERIFY(h.photo()->hasPicture());
    else
        QCOMPARE(h.lines(), QStringList{QStringLiteral("Bo")});
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
