// The draw through the real main window: keys and buttons reach the session, and
// the window shows what the session emits (prompt, display, photo, questions).
#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "support/TestSql.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {
const QString cls = QStringLiteral("First Prize");
const QString startPrompt = QStringLiteral("PRESS ENTER KEY TO BEGIN");
const QString armedPrompt = QStringLiteral("After Set Lottery Class,Press Space Bar");
const QString rollingPrompt = QStringLiteral("Press Space Bar to Draw");

DisplayPanel* display(const MainWindowHarness& h) {
    return h.form->findChild<DisplayPanel*>(QStringLiteral("display"));
}

QTimer* blinkTimer(const MainWindowHarness& h) {
    return h.timer("promptBlinkTimer");
}
} // namespace

class TestDraw : public QObject {
    Q_OBJECT
private slots:
    void keysReachTheDrawWhateverHasFocus();
    void rollSpeedSetsTheStepInterval();
    void beginButtonArmsLikeEnter();
    void enterWhileArmedDropsWhatTheFocusGuardKept();
    void promptFlashesRedYellowBlue();
    void wordFontSizes_data();
    void wordFontSizes();
    void displayShowsTheSessionLines();
    void brokenStoreShowsItsErrorOnTheDisplay();
    void photoViewShowsTheRolledPhoto();
    void resetQuestions_data();
    void resetQuestions();
    void winnerCountOnThePrompt();
    void saveFailureAsksTheOperator();
    void announcementShowsNameAndEndsOnEnter();
    void noAnnouncementInWordMode();
};

void TestDraw::rollSpeedSetsTheStepInterval() {
    MainWindowHarness h(WordIni());
    auto* speed = h.form->findChild<QSlider*>(QStringLiteral("rollSpeedSlider"));
    speed->setValue(250);
    h.enter();
    h.press(Qt::Key_Space);
    QVERIFY(h.rollTimer()->isActive());
    QCOMPARE(h.rollTimer()->interval(), 250);
    // Moved during a roll, it counts from the next start.
    speed->setValue(40);
    QCOMPARE(h.rollTimer()->interval(), 250);
    // The real timer steps the roll by itself.
    QTRY_VERIFY_WITH_TIMEOUT(!h.lines().isEmpty(), 3000);
    h.press(Qt::Key_Space);
    h.ticks(1); // the step after the stop ends the roll
    QVERIFY(!h.rollTimer()->isActive());
    h.enter();
    h.press(Qt::Key_Space);
    QCOMPARE(h.rollTimer()->interval(), 40);
}

void TestDraw::keysReachTheDrawWhateverHasFocus() {
    MainWindowHarness h(WordIni());
    DrawSession* session = h.session();
    for (QWidget* focus :
         {static_cast<QWidget*>(h.wordCount()), static_cast<QWidget*>(h.classBox())}) {
        focus->setFocus();
        QCOMPARE(QApplication::focusWidget(), focus);
        h.enter();
        QVERIFY(session->isArmed());
        // A word draw may draw several at once.
        QVERIFY(h.wordCount()->isEnabled());
        h.space();
        QVERIFY(session->isRolling());
        h.ticks(1);
        h.space();
        QVERIFY(!session->isArmed());
        h.ticks(1);
        QVERIFY(!session->isRolling());
        // The keys drove the draw and typed nothing into the focused control.
        QCOMPARE(h.wordCount()->text(), QStringLiteral("1"));
    }
    // The class box keeps its list closed: Space never opened a popup that eats keys.
    QVERIFY(!h.classBox()->view()->isVisible());
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), 2);
}

void TestDraw::beginButtonArmsLikeEnter() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), PersonPhotoNames(6));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    auto* begin = h.form->findChild<QToolButton*>(QStringLiteral("beginButton"));
    QVERIFY(begin);
    begin->click();
    QVERIFY(h.session()->isArmed());
    QCOMPARE(h.prompt()->text(), armedPrompt);
    QVERIFY(blinkTimer(h)->isActive());
    // A photo draw shows one winner at a time.
    QCOMPARE(h.wordCount()->value(), 1);
    QVERIFY(!h.wordCount()->isEnabled());
    // A second press changes nothing: the order is not shuffled again.
    const std::vector<int> order = h.session()->rollOrder();
    begin->click();
    QVERIFY(h.session()->rollOrder() == order);
    QCOMPARE(h.session()->state(), DrawSession::State::Armed);
    h.space();
    QVERIFY(h.session()->isRolling());
    QCOMPARE(h.prompt()->text(), rollingPrompt);
}

void TestDraw::enterWhileArmedDropsWhatTheFocusGuardKept() {
    MainWindowHarness h(WordIni());
    h.enter();
    h.space();
    h.ticks(1);
    QVERIFY(!h.lines().isEmpty());
    // Another window takes the keys: the guard covers the display with its warning.
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.form->guardFocus();
    QCOMPARE(h.banner()->text(), MainWindow::focusWarningText());
    // Begin while the draw rolls: the draw goes on, and what the guard kept is stale.
    h.form->armDraw();
    QCOMPARE(h.session()->state(), DrawSession::State::Rolling);
    h.activate();
    h.form->guardFocus();
    QVERIFY2(h.banner()->text().isEmpty(), qPrintable(h.banner()->text()));
    h.ticks(1);
    QCOMPARE(h.lines(), h.session()->lines());
}

void TestDraw::promptFlashesRedYellowBlue() {
    MainWindowHarness h(WordIni());
    // Red, yellow and blue in the settings file's form, and as the prompt shows them.
    const int red = 255, yellow = 65535, blue = 16711680;
    auto shows = [&h](const char* colour) {
        return h.prompt()->styleSheet().contains(QLatin1String(colour));
    };
    QCOMPARE(h.form->promptColor(), red);
    QVERIFY(shows("#ff0000"));
    h.form->blinkPrompt();
    QCOMPARE(h.form->promptColor(), yellow);
    QVERIFY(shows("#ffff00"));
    h.form->blinkPrompt();
    QCOMPARE(h.form->promptColor(), blue);
    QVERIFY(shows("#0000ff"));
    h.form->blinkPrompt();
    QCOMPARE(h.form->promptColor(), red);
    // Any other colour is left as it is.
    auto* strip = h.form->findChild<ControlStrip*>(QStringLiteral("controlStrip"));
    strip->setPromptColor(128);
    h.form->blinkPrompt();
    QCOMPARE(h.form->promptColor(), 128);
    strip->setPromptColor(red);

    // Only arming starts the flashing; Space before it does not.
    QVERIFY(!blinkTimer(h)->isActive());
    h.space();
    QVERIFY(!blinkTimer(h)->isActive());
    QVERIFY(!h.session()->isArmed());
    QCOMPARE(h.prompt()->text(), startPrompt);
    h.enter();
    QVERIFY(blinkTimer(h)->isActive());
    QCOMPARE(blinkTimer(h)->interval(), 1000);
    // It keeps flashing after the draw and while idle.
    h.space();
    h.ticks(1);
    h.space();
    h.ticks(1);
    QCOMPARE(h.session()->state(), DrawSession::State::Idle);
    QVERIFY(blinkTimer(h)->isActive());
    // Its ticks are the colour steps (a short interval rather than a second's wait).
    blinkTimer(h)->setInterval(5);
    QSignalSpy tick(blinkTimer(h), &QTimer::timeout);
    QVERIFY(tick.wait(2000));
    const int cycle[] = {red, yellow, blue};
    QCOMPARE(h.form->promptColor(), cycle[tick.size() % 3]);
}

void TestDraw::wordFontSizes_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("N");
    QTest::addColumn<int>("size");
    QTest::newRow("1 word") << 60 << 1 << 160;
    QTest::newRow("2 words") << 60 << 2 << 140;
    QTest::newRow("3 words") << 40 << 3 << 100;
    QTest::newRow("4 words") << 60 << 4 << 100;
    QTest::newRow("5 words") << 60 << 5 << 80;
    QTest::newRow("6 words ignore the base") << 20 << 6 << 66;
    QTest::newRow("10 words") << 99 << 10 << 66;
}

void TestDraw::wordFontSizes() {
    QFETCH(int, base);
    QFETCH(int, N);
    QFETCH(int, size);
    QCOMPARE(MainWindow::wordFontSizeFor(base, N), size);
    MainWindowHarness h(WordIni());
    h.form->setWordFont({QStringLiteral("DejaVu Serif"), base, 32768});
    h.enter();
    h.wordCount()->setValue(N);
    h.space();
    h.ticks(1);
    QCOMPARE(h.lines().size(), N);
    QCOMPARE(h.banner()->fontSize(), size);
    QCOMPARE(h.banner()->fontName(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(h.banner()->fontColor(), 32768);
}

void TestDraw::displayShowsTheSessionLines() {
    MainWindowHarness h(WordIni());
    DrawSession* session = h.session();
    h.enter();
    QVERIFY(h.banner()->text().isEmpty());
    h.wordCount()->setValue(3);
    h.space();
    h.ticks(2);
    QCOMPARE(h.lines().size(), 3);
    QCOMPARE(h.lines(), session->lines());
    // A new count during the roll takes effect at the next step.
    h.wordCount()->setValue(2);
    h.ticks(1);
    QCOMPARE(h.lines().size(), 2);
    QCOMPARE(h.lines(), session->lines());
    QCOMPARE(h.banner()->fontSize(), MainWindow::wordFontSizeFor(h.form->wordFont().size, 2));
    h.space();
    const QStringList shown = h.lines();
    QCOMPARE(shown, session->lines());
    // What the display shows is exactly what was recorded.
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {cls}), shown.size());
    for (const QString& w : shown)
        QCOMPARE(h.program.sql(QStringLiteral("select prize from wz where wz=?"), {w}).toString(),
                 cls);
    QVERIFY(h.prompts.messages.isEmpty());
    h.ticks(1);
    QVERIFY(!session->isRolling());
    QCOMPARE(h.lines(), shown);
    // The next arming clears the display.
    h.enter();
    QVERIFY(h.banner()->text().isEmpty());
}

void TestDraw::brokenStoreShowsItsErrorOnTheDisplay() {
    MainWindowHarness h(WordIni());
    h.enter();
    h.space();
    h.program.sql(QStringLiteral("drop view wzd"));
    h.ticks(1);
    QVERIFY2(h.banner()->text().contains(QStringLiteral("wzd")), qPrintable(h.banner()->text()));
    QVERIFY(h.session()->isRolling());
    h.space();
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 0);
    QCOMPARE(h.prompts.messages.size(), 1);
    QVERIFY(h.prompts.messages.at(0).startsWith(QStringLiteral("Save Failure!")));
}

void TestDraw::photoViewShowsTheRolledPhoto() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), PersonPhotoNames(5));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos"))));
    DrawSession* session = h.session();
    QSignalSpy shown(session, &DrawSession::photoShown);
    h.enter();
    QVERIFY(!h.photo()->hasPicture());
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Gala 2026"));
    h.space();
    h.ticks(1);
    QVERIFY(h.photo()->hasPicture());
    QCOMPARE(h.photo()->picture(), shown.last().at(1).value<QImage>());
    const QString current = session->currentPhoto();
    QCOMPARE(shown.last().at(0).toString(), current);
    const int index = static_cast<int>(session->photos().indexOf(current));
    QCOMPARE(h.form->windowTitle(),
             QFileInfo(current).fileName() + QLatin1Char(' ') + QString::number(index));
    h.space();
    // The winner stays on show, and it is the one recorded.
    QVERIFY(h.photo()->hasPicture());
    QCOMPARE(h.photo()->picture(), shown.last().at(1).value<QImage>());
    QCOMPARE(shown.last().at(0).toString(), current);
    QCOMPARE(
        h.program.count(QStringLiteral("select count(*) from prize where filename=? and class=?"),
                        {current, cls}),
        1);
    QVERIFY(h.prompts.messages.isEmpty());
    h.ticks(1);
    // The next arming clears the photo.
    h.enter();
    QVERIFY(!h.photo()->hasPicture());
    QVERIFY(h.photo()->alignClient);
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Gala 2026"));
}

void TestDraw::resetQuestions_data() {
    QTest::addColumn<bool>("photoMode");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("winnersLeft");
    const QString caution = QStringLiteral("CAUTION|Are You Sure?");
    const QString input = QStringLiteral("Please input OK");
    const QString refused = QStringLiteral("Can not Initialize, input OK please!");
    const QString done = QStringLiteral("Initialize Success!");
    QTest::newRow("No") << false << false << QString() << QStringList{caution} << QStringList{}
                        << 1;
    QTest::newRow("Ok") << false << true << QStringLiteral("Ok") << QStringList{caution, input}
                        << QStringList{refused} << 1;
    QTest::newRow("cancelled input")
        << false << true << QString() << QStringList{caution, input} << QStringList{refused} << 1;
    QTest::newRow("OK with a blank") << false << true << QStringLiteral("OK ")
                                     << QStringList{caution, input} << QStringList{refused} << 1;
    QTest::newRow("OK") << false << true << QStringLiteral("OK") << QStringList{caution, input}
                        << QStringList{done} << 0;
    QTest::newRow("ok") << false << true << QStringLiteral("ok") << QStringList{caution, input}
                        << QStringList{done} << 0;
    QTest::newRow("No, photo mode")
        << true << false << QString() << QStringList{caution} << QStringList{} << 1;
    QTest::newRow("OK, photo mode") << true << true << QStringLiteral("OK")
                                    << QStringList{caution, input} << QStringList{done} << 0;
}

void TestDraw::resetQuestions() {
    QFETCH(bool, photoMode);
    QFETCH(bool, yes);
    QFETCH(QString, answer);
    MainWindowHarness h(photoMode ? PhotoIni(QStringLiteral("photos")) : WordIni());
    h.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
    h.program.sql(TestSql::InsertPhotoWinner,
                  {QStringLiteral("/x/a.jpg"), QStringLiteral("a.jpg"), cls});
    h.prompts.yesNoAnswers.enqueue(yes);
    if (!answer.isEmpty())
        h.prompts.inputAnswers.enqueue(answer);
    // As the operator reaches it: the set-up menu's item.
    auto* item = h.form->findChild<QAction*>(QStringLiteral("resetItem"));
    QVERIFY(item);
    item->trigger();
    QTEST(h.prompts.questions, "questions");
    QTEST(h.prompts.messages, "messages");
    // Only the current mode's winners go.
    const qlonglong photoWinners = h.program.count(QStringLiteral("select count(*) from prize"));
    const qlonglong wordWinners = h.program.count(TestSql::CountWordWinnersOfClass, {cls});
    QTEST(int(photoMode ? photoWinners : wordWinners), "winnersLeft");
    QCOMPARE(photoMode ? wordWinners : photoWinners, 1);
}

void TestDraw::winnerCountOnThePrompt() {
    MainWindowHarness h(WordIni());
    h.program.sql(TestSql::MarkWordWon, {cls, QStringLiteral("Chen Wei")});
    h.program.sql(TestSql::MarkWordWon,
                  {QStringLiteral("first prize"), QStringLiteral("Wang Fang")});
    const QString sentence = QStringLiteral("There are 2 persons who won First Prize");
    QCOMPARE(h.classBox()->currentText(), cls);
    // The prompt shows it while the mouse rests on the box, and comes back after.
    const QPointF at(5, 5);
    QEnterEvent entered(at, at, h.classBox()->mapToGlobal(at));
    QApplication::sendEvent(h.classBox(), &entered);
    QCOMPARE(h.prompt()->text(), sentence);
    // Enter while the mouse is there: the prompt saved on entry comes back over the new one.
    h.enter();
    QCOMPARE(h.prompt()->text(), armedPrompt);
    QEvent left(QEvent::Leave);
    QApplication::sendEvent(h.classBox(), &left);
    QCOMPARE(h.prompt()->text(), startPrompt);

    // A failing count leaves the prompt alone and asks nothing of the operator.
    h.program.sql(QStringLiteral("alter table wz rename to wz_gone"));
    h.form->showWinnerCount();
    QCOMPARE(h.prompt()->text(), startPrompt);
    QVERIFY(h.prompts.messages.isEmpty());
    // Nothing was saved, so leaving puts nothing back over a newer prompt.
    h.space();
    QCOMPARE(h.prompt()->text(), rollingPrompt);
    h.form->restorePrompt();
    QCOMPARE(h.prompt()->text(), rollingPrompt);
}

void TestDraw::saveFailureAsksTheOperator() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), PersonPhotoNames(3));
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    h.enter();
    h.space();
    h.ticks(1);
    const QString name = QFileInfo(h.session()->currentPhoto()).fileName();
    h.program.sql(QStringLiteral("pragma query_only=1"));
    // The operator tries once more, then gives up: two questions, nothing recorded.
    h.prompts.yesNoAnswers.enqueue(true);
    h.prompts.yesNoAnswers.enqueue(false);
    h.space();
    QCOMPARE(h.prompts.questions.size(), 2);
    for (const QString& q : std::as_const(h.prompts.questions)) {
        QVERIFY2(q.startsWith(QStringLiteral("Save Failure!|Save Failure!\n")), qPrintable(q));
        QVERIFY2(q.contains(name + QStringLiteral(" (First Prize) has not been recorded")),
                 qPrintable(q));
        QVERIFY2(q.contains(QStringLiteral("readonly")), qPrintable(q));
    }
    QVERIFY(h.prompts.messages.isEmpty());
    QVERIFY(!h.banner()->text().contains(QStringLiteral("Congratulations")));
    h.program.sql(QStringLiteral("pragma query_only=0"));
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 0);
}

void TestDraw::announcementShowsNameAndEndsOnEnter() {
    TempProgram files;
    files.makePhotos(QStringLiteral("photos"), {QStringLiteral("Dr. Who.jpg")});
    MainWindowHarness h(PhotoIni(files.path(QStringLiteral("photos")), true));
    const MainWindow::WordFont font = h.form->wordFont();
    h.enter();
    h.space();
    h.ticks(1);
    h.space();
    // The name is the file name less its extension, dots inside it included.
    QCOMPARE(h.banner()->text(), QStringLiteral("Congratulations\rDr. Who\rWon the First Prize!"));
    QVERIFY(h.banner()->layoutBottom());
    QCOMPARE(h.banner()->fontColor(), font.colour);
    QCOMPARE(h.banner()->fontSize(), font.size);
    QVERIFY(h.photo()->alignClient);
    QCOMPARE(h.photo()->width(), display(h)->width());
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 1);

    // Enter pressed while it animates arms the next draw and ends the animation.
    h.program.sql(QStringLiteral("delete from prize"));
    h.form->setAnnounceStepMs(1);
    h.ticks(1);
    h.enter();
    h.space();
    h.ticks(1);
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : h.form.get();
    QCoreApplication::postEvent(focus,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
    h.space();
    QVERIFY(h.session()->isArmed());
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize")), 1);
    QVERIFY(h.banner()->text().isEmpty());
    QVERIFY(!h.banner()->layoutBottom());
    QCOMPARE(h.banner()->fontSize(), font.size);
    QVERIFY(h.photo()->alignClient);
}

void TestDraw::noAnnouncementInWordMode() {
    MainWindowHarness h(WordIni());
    QVERIFY(h.session()->showWinner());
    h.enter();
    h.space();
    h.ticks(1);
    const QString shown = h.banner()->text();
    QVERIFY(!shown.isEmpty());
    h.space();
    QCOMPARE(h.banner()->text(), shown);
    QVERIFY(!shown.contains(QStringLiteral("Congratulations")));
}

QTEST_MAIN(TestDraw)
#include "tst_draw.moc"
