// The show on an audience screen of its own. The offscreen platform reads two
// screens from tests/ui/audience_screens.json: "Operator" (1366x768, the primary)
// and "Projector" (1920x1080) to its right. The offscreen platform can remove a
// screen at run time only through its private native interface, so the tests
// call the window's screen slots directly, as Qt does when a projector goes.
#include "core/draw/DrawSession.h"
#include "support/MainWindowHarness.h"
#include "support/TestSql.h"
#include "ui/main/AudienceWindow.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/options/OptionsDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace {
const QString Operator = QStringLiteral("Operator");
const QString Projector = QStringLiteral("Projector");

QScreen* screenNamed(const QString& name) {
    for (QScreen* s : QGuiApplication::screens())
        if (s->name() == name)
            return s;
    return nullptr;
}

QStringList withAudience(QStringList ini, const QString& screen) {
    ini << QStringLiteral("AudienceScreen=") + screen;
    return ini;
}

AudienceWindow* audience(const MainWindowHarness& h) {
    return h.form->findChild<AudienceWindow*>(QStringLiteral("audienceWindow"));
}

AudienceConsole* console(const MainWindowHarness& h) {
    return h.form->findChild<AudienceConsole*>(QStringLiteral("audienceConsole"));
}

QWidget* display(const MainWindowHarness& h) {
    return h.form->findChild<QWidget*>(QStringLiteral("display"));
}

// Whether a window lies wholly on the named screen.
bool onScreen(const QWidget* window, const QString& name) {
    const QScreen* screen = screenNamed(name);
    return screen && window->screen() == screen &&
           screen->geometry().contains(window->frameGeometry());
}

// Makes a window of the program the active one, as a click on it would.
void activate(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// One whole draw of `words` lines in the class at `classIndex`: Enter, Space,
// a few steps, Space, and the step that ends the roll.
void draw(MainWindowHarness& h, int classIndex, int words) {
    h.classBox()->setCurrentIndex(classIndex);
    h.enter();
    h.wordCount()->setValue(words);
    h.space();
    h.ticks(3);
    h.space();
    h.ticks(1);
    QVERIFY(!h.rollTimer()->isActive());
}

// What a status line says for a class.
QString status(const QString& prizeClass, qlonglong drawn, qlonglong free) {
    return QStringLiteral("%1 \u00b7 %2 drawn \u00b7 %3 still free")
        .arg(prizeClass)
        .arg(drawn)
        .arg(free);
}
} // namespace

class TestAudience : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void showFillsTheAudienceScreen();
    void photoShowOnTheAudienceScreen();
    void dialogsOpenOnTheOperatorsScreen_data();
    void dialogsOpenOnTheOperatorsScreen();
    void focusWarningStaysOnTheConsole();
    void keysOnTheAudienceWindowDriveTheDraw();
    void screenGoneKeepsTheDrawAndWhatIsShown();
    void mainWindowChosenBringsTheShowBack();
    void operatorsOwnScreenChosen();
    void optionsListTheScreens();
    void wholeEventOnTheAudienceScreen();
    void twoScreensShot();
};

void TestAudience::initTestCase() {
    // Without the screen file every test here would pass vacuously on one screen.
    QCOMPARE(QGuiApplication::screens().size(), 2);
    QCOMPARE(QGuiApplication::primaryScreen()->name(), Operator);
    QCOMPARE(screenNamed(Projector)->geometry(), QRect(1366, 0, 1920, 1080));
}

void TestAudience::showFillsTheAudienceScreen() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    AudienceWindow* show = audience(h);
    QVERIFY(show);
    QVERIFY(show->isVisible());
    QVERIFY(show->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(show->isFullScreen());
    QCOMPARE(show->screen()->name(), Projector);
    QTRY_COMPARE(show->geometry(), screenNamed(Projector)->geometry());
    // It shows the display and nothing else; the strip stays with the operator.
    QCOMPARE(display(h)->window(), show);
    QTRY_COMPARE(display(h)->geometry(), show->rect());
    QVERIFY(!show->findChild<ControlStrip*>());
    QVERIFY(h.form->findChild<QWidget*>(QStringLiteral("controlStrip"))->isVisible());
    QVERIFY(onScreen(h.form.get(), Operator));
    QVERIFY(console(h)->isVisible());
    // The operator keeps the keys.
    QCOMPARE(QApplication::activeWindow(), h.form.get());

    draw(h, 1, 3);
    const QStringList shown = h.session()->lines();
    QCOMPARE(shown.size(), 3);
    QCOMPARE(h.lines(), shown);
    QCOMPARE(h.banner()->window(), show);
    QVERIFY(h.banner()->isVisible());
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {h.classBox()->currentText()}), 3);
    // The console copies what the hall sees, and counts the class.
    console(h)->copyDisplay();
    QCOMPARE(console(h)->copy().toImage(), display(h)->grab().toImage());
    QCOMPARE(console(h)->copy().size(), QSize(1920, 1080));
    const qlonglong free =
        h.program.count(QStringLiteral("select count(*) from wz where prize is null"));
    QCOMPARE(console(h)->status(), status(h.classBox()->currentText(), 3, free));
    // The copying timer keeps it live.
    h.enter();
    QVERIFY(h.lines().isEmpty());
    QVERIFY(console(h)->copy().toImage() != display(h)->grab().toImage());
    QTRY_COMPARE(console(h)->copy().toImage(), display(h)->grab().toImage());
}

void TestAudience::photoShowOnTheAudienceScreen() {
    TempProgram files;
    files.makePhotos(QStringLiteral("staff"), PersonPhotoNames(4), QSize(320, 240));
    MainWindowHarness h(
        withAudience(PhotoIni(files.path(QStringLiteral("staff")), true), Projector));
    AudienceWindow* show = audience(h);
    QVERIFY(show->isVisible());
    h.enter();
    h.space();
    h.ticks(2);
    QCOMPARE(h.photo()->window(), show);
    QVERIFY(h.photo()->hasPicture());
    h.space();
    // The announcement runs on the show, not on the operator's screen.
    QVERIFY(h.banner()->text().startsWith(QStringLiteral("Congratulations")));
    QCOMPARE(h.banner()->window(), show);
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from prize where filename=?"),
                             {h.session()->currentPhoto()}),
             1);
    QCOMPARE(console(h)->status(), status(h.classBox()->currentText(), 1, 3));
}

void TestAudience::dialogsOpenOnTheOperatorsScreen_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("fromTheShow"); // the operator last clicked the projected show
    for (const char* name : {"optionsAction", "aboutAction", "winnersAction", "photoPresetsAction",
                             "wordPresetsAction"}) {
        QTest::newRow(name) << QString::fromLatin1(name) << false;
        QTest::newRow(QByteArray(name).append(" from the show").constData())
            << QString::fromLatin1(name) << true;
    }
}

void TestAudience::dialogsOpenOnTheOperatorsScreen() {
    QFETCH(QString, action);
    QFETCH(bool, fromTheShow);
    MainWindowHarness h(withAudience(WordIni(), Projector));
    if (fromTheShow)
        activate(audience(h));
    auto* command = h.form->findChild<QAction*>(action);
    QVERIFY(command);
    WithModal([&] { command->trigger(); },
              [&](QWidget* dialog) {
                  QVERIFY2(onScreen(dialog, Operator),
                           qPrintable(dialog->objectName() + QLatin1Char(' ') +
                                      dialog->screen()->name()));
                  QVERIFY(!screenNamed(Projector)->geometry().intersects(dialog->frameGeometry()));
              });
    QVERIFY(h.prompts.messages.isEmpty());
    // The preset editors' chords work on the show too, and still open with the operator.
    if (fromTheShow && action.endsWith(QStringLiteral("PresetsAction"))) {
        activate(audience(h));
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->window(), audience(h));
        WithModal([&] { QTest::keySequence(focus, command->shortcut()); },
                  [&](QWidget* dialog) { QVERIFY(onScreen(dialog, Operator)); });
    }
}

void TestAudience::focusWarningStaysOnTheConsole() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    draw(h, 0, 2);
    const QStringList shown = h.lines();
    QWidget other;
    other.show();
    activate(&other);
    h.form->guardFocus();
    // The hall keeps the winners; the operator reads the warning.
    QCOMPARE(h.lines(), shown);
    QCOMPARE(console(h)->warning(), MainWindow::focusWarningText());
    auto* warning = h.form->findChild<QLabel*>(QStringLiteral("consoleWarningLabel"));
    QVERIFY(warning->isVisible());
    QCOMPARE(warning->window(), h.form.get());
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->screen() == screenNamed(Projector))
            QCOMPARE(w, audience(h));
    // A click on the show is a click on the program.
    activate(audience(h));
    h.form->guardFocus();
    QVERIFY(console(h)->warning().isEmpty());
    QVERIFY(!warning->isVisible());
    QCOMPARE(h.lines(), shown);
    // And so is the main window; the real timer does the same within a second.
    activate(&other);
    QTRY_COMPARE_WITH_TIMEOUT(console(h)->warning(), MainWindow::focusWarningText(), 2500);
    h.activate();
    QTRY_VERIFY_WITH_TIMEOUT(console(h)->warning().isEmpty(), 2500);
    QCOMPARE(h.lines(), shown);
}

void TestAudience::keysOnTheAudienceWindowDriveTheDraw() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    h.wordCount()->setValue(2);
    activate(audience(h));
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    QCOMPARE(focus->window(), audience(h));
    QTest::keyClick(focus, Qt::Key_Return);
    QVERIFY(h.session()->isArmed());
    QTest::keyClick(focus, Qt::Key_Space);
    QVERIFY(h.rollTimer()->isActive());
    h.rollTimer()->setInterval(10 * 60 * 1000);
    h.ticks(2);
    QTest::keyClick(focus, Qt::Key_Space);
    QVERIFY(!h.session()->isArmed());
    const QStringList shown = h.lines();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown, h.session()->lines());
    QCOMPARE(h.program.count(TestSql::CountWordWinnersOfClass, {h.classBox()->currentText()}), 2);
    // One press is one step: the key is not acted on again as it travels up.
    h.ticks(1);
    QVERIFY(!h.rollTimer()->isActive());
    QTest::keyClick(focus, Qt::Key_Return);
    QTest::keyClick(focus, Qt::Key_Space);
    QVERIFY(h.rollTimer()->isActive());
    QVERIFY(h.session()->isArmed());
}

void TestAudience::screenGoneKeepsTheDrawAndWhatIsShown() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    draw(h, 0, 3);
    const QStringList first = h.lines();
    // The next draw is rolling when the projector goes.
    h.enter();
    h.space();
    h.ticks(2);
    const QStringList rolling = h.lines();
    QCOMPARE(rolling.size(), 3);
    h.form->audienceScreenRemoved(screenNamed(Projector));
    QVERIFY(!audience(h)->isVisible());
    QCOMPARE(display(h)->window(), h.form.get());
    QVERIFY(display(h)->isVisible());
    QVERIFY(!console(h)->isVisible());
    QCOMPARE(h.lines(), rolling);
    QVERIFY(h.banner()->isVisible());
    QVERIFY(h.rollTimer()->isActive());
    QVERIFY(h.session()->isArmed());
    // Another screen going changes nothing.
    h.form->audienceScreenRemoved(screenNamed(Operator));
    QCOMPARE(display(h)->window(), h.form.get());
    // The draw goes on in the main window and is recorded.
    h.ticks(1);
    h.space();
    const QStringList second = h.lines();
    QCOMPARE(second, h.session()->lines());
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")), 6);
    for (const QString& w : first + second)
        QCOMPARE(h.program.count(TestSql::CountWordWins, {w}), 1);
    // The projector comes back: the show goes with what it shows.
    h.form->audienceScreenAdded(screenNamed(Projector));
    QCOMPARE(display(h)->window(), audience(h));
    QVERIFY(audience(h)->isVisible());
    QTRY_COMPARE(audience(h)->geometry(), screenNamed(Projector)->geometry());
    QCOMPARE(h.lines(), second);
    QVERIFY(console(h)->isVisible());
    // The warning a fallback finds on the console does not follow it into the show.
    QWidget other;
    other.show();
    activate(&other);
    h.form->guardFocus();
    QCOMPARE(console(h)->warning(), MainWindow::focusWarningText());
    h.form->audienceScreenRemoved(screenNamed(Projector));
    QCOMPARE(h.lines(), second);
    QVERIFY(console(h)->warning().isEmpty());
}

void TestAudience::mainWindowChosenBringsTheShowBack() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    draw(h, 0, 2);
    const QStringList shown = h.lines();
    QCOMPARE(display(h)->window(), audience(h));
    // The options dialog's "Main window" is an empty key.
    h.program.writeIni(withAudience(WordIni(), QString()));
    h.form->reloadSettings();
    QCOMPARE(display(h)->window(), h.form.get());
    QVERIFY(!audience(h)->isVisible());
    QCOMPARE(h.lines(), shown);
    // Full screen is the main window's again, with the show in it.
    h.form->enterFullScreen();
    QVERIFY(h.form->findChild<QWidget*>(QStringLiteral("controlStrip"))->isHidden());
    // Choosing the projector again leaves full screen: the console needs its strip.
    h.program.writeIni(withAudience(WordIni(), Projector));
    h.form->reloadSettings();
    QCOMPARE(display(h)->window(), audience(h));
    QVERIFY(!h.form->findChild<QWidget*>(QStringLiteral("controlStrip"))->isHidden());
    QVERIFY(!h.form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(h.lines(), shown);
    // There, full screen leaves the console alone.
    h.form->enterFullScreen();
    QVERIFY(!h.form->findChild<QWidget*>(QStringLiteral("controlStrip"))->isHidden());
    // A screen that is not there keeps the show at home.
    h.program.writeIni(withAudience(WordIni(), QStringLiteral("HDMI-9")));
    h.form->reloadSettings();
    QCOMPARE(display(h)->window(), h.form.get());
    QCOMPARE(h.lines(), shown);
}

void TestAudience::operatorsOwnScreenChosen() {
    // The show takes the operator's screen; the console moves to the other one.
    MainWindowHarness h(withAudience(WordIni(), Operator));
    QCOMPARE(audience(h)->screen()->name(), Operator);
    QTRY_COMPARE(audience(h)->geometry(), screenNamed(Operator)->geometry());
    QTRY_VERIFY(onScreen(h.form.get(), Projector));
    WithModal([&] { h.form->showAbout(); },
              [&](QWidget* dialog) { QVERIFY(onScreen(dialog, Projector)); });
}

void TestAudience::optionsListTheScreens() {
    MainWindowHarness h(WordIni());
    QCOMPARE(display(h)->window(), h.form.get());
    WithModal([&] { h.form->showOptions(); },
              [&](QWidget* dialog) {
                  QVERIFY(onScreen(dialog, Operator));
                  auto* box = dialog->findChild<QComboBox*>(QStringLiteral("audienceScreenBox"));
                  QVERIFY(box);
                  QStringList items;
                  for (int i = 0; i < box->count(); ++i)
                      items << box->itemText(i);
                  QCOMPARE(items, (QStringList{QStringLiteral("Main window"),
                                               QStringLiteral("Operator (1366 x 768)"),
                                               QStringLiteral("Projector (1920 x 1080)")}));
                  QCOMPARE(box->currentIndex(), 0);
                  box->setCurrentIndex(2);
                  dialog->findChild<QPushButton*>(QStringLiteral("applyButton"))->click();
              });
    QCOMPARE(ProgramSettings::read().audienceScreen(), Projector);
    QCOMPARE(display(h)->window(), audience(h));
    QVERIFY(audience(h)->isVisible());
    // Opened again, the dialog shows the choice.
    WithModal([&] { h.form->showOptions(); },
              [&](QWidget* dialog) {
                  QVERIFY(onScreen(dialog, Operator));
                  auto* box = dialog->findChild<QComboBox*>(QStringLiteral("audienceScreenBox"));
                  QCOMPARE(box->currentData().toString(), Projector);
              });
    QCOMPARE(display(h)->window(), audience(h));
}

void TestAudience::wholeEventOnTheAudienceScreen() {
    MainWindowHarness h(withAudience(WordIni(), Projector));
    h.program.sql(QStringLiteral("delete from wz"));
    for (int i = 1; i <= 40; ++i)
        h.program.sql(TestSql::InsertWord, {QStringLiteral("T-%1").arg(i)});
    const QStringList classes{h.classBox()->itemText(0), h.classBox()->itemText(1),
                              h.classBox()->itemText(2)};
    struct Round {
        int classIndex;
        int words;
    };
    QStringList everyone;
    int drawn[3] = {0, 0, 0};
    for (const Round& r : {Round{2, 5}, Round{1, 3}, Round{1, 2}, Round{0, 1}, Round{2, 10}}) {
        draw(h, r.classIndex, r.words);
        const QStringList shown = h.lines();
        QCOMPARE(shown, h.session()->lines());
        QCOMPARE(shown.size(), r.words);
        QCOMPARE(h.banner()->window(), audience(h));
        for (const QString& w : shown)
            QCOMPARE(
                h.program.sql(QStringLiteral("select prize from wz where wz=?"), {w}).toString(),
                classes.at(r.classIndex));
        everyone << shown;
        drawn[r.classIndex] += r.words;
        QCOMPARE(console(h)->status(),
                 status(classes.at(r.classIndex), drawn[r.classIndex], 40 - everyone.size()));
    }
    QCOMPARE(QSet<QString>(everyone.begin(), everyone.end()).size(), everyone.size());
    QCOMPARE(h.program.count(QStringLiteral("select count(*) from wz where prize is not null")),
             everyone.size());
    // The class box tells its own counts.
    h.classBox()->setCurrentIndex(1);
    QCOMPARE(console(h)->status(), status(classes.at(1), 5, 40 - everyone.size()));
    // A reset counts again from nothing.
    h.prompts.yesNoAnswers.enqueue(true);
    h.prompts.inputAnswers.enqueue(QStringLiteral("OK"));
    h.form->resetWinners();
    QCOMPARE(console(h)->status(), status(classes.at(1), 0, 40));
    QCOMPARE(display(h)->window(), audience(h));
}

void TestAudience::twoScreensShot() {
    // Only when asked: KALVORO_SHOTS names the folder for two-screens.jpg.
    const QString folder = qEnvironmentVariable("KALVORO_SHOTS");
    if (folder.isEmpty())
        QSKIP("KALVORO_SHOTS is not set");
    QStringList ini = WordIni();
    ini << QStringLiteral("background=" KALVORO_PROGRAM_DIR "/background/lucky.jpg")
        << QStringLiteral("caption=Annual Gala") << QStringLiteral("FontName=DejaVu Sans");
    MainWindowHarness h(withAudience(ini, Projector));
    // The strip's icons as the program ships them; the strip loads them when it is built.
    const QDir icons(QStringLiteral(KALVORO_PROGRAM_DIR "/icons"));
    QDir().mkpath(h.program.path(QStringLiteral("icons")));
    for (const QString& f : icons.entryList(QDir::Files))
        QFile::copy(icons.filePath(f), h.program.path(QStringLiteral("icons/") + f));
    h.form.reset();
    h.start();
    h.form->setGeometry(screenNamed(Operator)->availableGeometry());
    h.program.sql(QStringLiteral("delete from wz"));
    for (const char* name : {"Ana Petrović", "Chen Wei", "Dan O'Neil", "Eva Lund", "Farid Haddad",
                             "Grace Kim", "Hiro Tanaka", "Isabel Costa"})
        h.program.sql(TestSql::InsertWord, {QString::fromUtf8(name)});
    draw(h, 1, 1);
    draw(h, 0, 3);
    QTest::qWait(100);
    console(h)->copyDisplay();
    const QImage operatorShot = h.form->grab().toImage();
    const QImage showShot = audience(h)->grab().toImage();
    QCOMPARE(showShot.size(), QSize(1920, 1080));
    // The screens as they stand side by side.
    const QRect left = screenNamed(Operator)->geometry();
    const QRect right = screenNamed(Projector)->geometry();
    QImage both(left.united(right).size(), QImage::Format_RGB32);
    both.fill(QColor(0x18, 0x18, 0x18));
    QPainter p(&both);
    p.drawImage(h.form->geometry().topLeft() - left.topLeft(), operatorShot);
    p.drawImage(right.topLeft() - left.topLeft(), showShot);
    p.end();
    QDir().mkpath(folder);
    QVERIFY(both.save(QDir(folder).filePath(QStringLiteral("two-screens.jpg"))));
}

QTEST_MAIN(TestAudience)
#include "tst_audience.moc"
