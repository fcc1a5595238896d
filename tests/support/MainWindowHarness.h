#pragma once
// Starts the real main window on a temporary program folder and drives it with keys.
#include "support/ScriptedPrompts.h"
#include "support/TempProgram.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <type_traits>

class BannerLabel;
class DrawSession;
class PictureView;
class PrizeClassBox;
class QLabel;
class QTimer;
class WordCountBox;

class MainWindowHarness {
public:
    // prize.ini lines; an empty list means no prize.ini at all.
    explicit MainWindowHarness(const QStringList& ini = {}, bool show = true);
    ~MainWindowHarness();

    ScriptedPrompts prompts;
    TempProgram program;
    std::unique_ptr<MainWindow> form;

    // Creates the window and the database in the program's order, then shows it.
    void start(bool show = true);
    // Presses a key where a real key would land: the focused control of the window.
    void press(Qt::Key key);
    void enter() { press(Qt::Key_Return); }
    // Space; a roll it starts is stepped by the test alone (ticks()): the real
    // timer is slowed so that it never slips a step in while the test waits.
    void space();
    // Runs roll steps by hand (tests never wait for the timer).
    void ticks(int n = 1);
    // Makes the main window the active window, as a user's click would.
    void activate();

    // The window's parts, found by their object names.
    DrawSession* session() const;
    BannerLabel* banner() const;
    PictureView* photo() const;
    QLabel* prompt() const;
    WordCountBox* wordCount() const;
    PrizeClassBox* classBox() const;
    QTimer* timer(const char* name) const;
    QTimer* rollTimer() const { return timer("rollTimer"); }
    // The lines the large display shows.
    QStringList lines() const;
};

// prize.ini lines for a photo event on the given folder (announcement off unless asked).
QStringList PhotoIni(const QString& folder, bool showWinner = false);
// prize.ini lines for a word event.
QStringList WordIni();

// Runs `inside` on the next modal window the program opens (a Window), closes it
// if it is still open, and lets `open` return; fails the test when none opened.
template <class Window = QWidget>
void WithModal(const std::function<void()>& open,
               const std::type_identity_t<std::function<void(Window*)>>& inside) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        QVERIFY(w);
        seen = true;
        inside(w);
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible())
            dialog->reject();
    });
    open();
    QVERIFY(seen);
}
