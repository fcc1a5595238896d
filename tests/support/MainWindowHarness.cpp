#include "MainWindowHarness.h"

#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"

#include <QApplication>
#include <QTest>

MainWindowHarness::MainWindowHarness(const QStringList& ini, bool show) {
    if (!ini.isEmpty())
        program.writeIni(ini);
    start(show);
}

MainWindowHarness::~MainWindowHarness() {
    if (form) {
        form->Timer1->stop();
        form->close();
    }
    form.reset();
    program.closeDatabase();
}

void MainWindowHarness::start(bool show) {
    LotteryMode = 0;
    ShowWinnerFlag = false;
    SkinFile.clear();
    form = std::make_unique<MainWindow>();
    form->AnnounceStepMs = 0;
    if (Database* db = program.openDatabase(); !db->isUsable())
        prompts.message(nullptr, db->openFailureText());
    if (show) {
        form->show();
        activate();
    }
}

void MainWindowHarness::activate() {
    form->activateWindow();
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void MainWindowHarness::press(Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != form.get())
        target = form.get();
    QTest::keyClick(target, key);
}

void MainWindowHarness::ticks(int n) {
    for (int i = 0; i < n; ++i)
        form->Timer1Timer();
}

QStringList MainWindowHarness::lines() const {
    TMyStringList list;
    list.Delimiter = LineBreak;
    SplitByDelimiter(list, form->LabelWZ->text());
    return list;
}

QStringList PhotoIni(const QString& folder, bool showWinner) {
    return {QStringLiteral("[prize]"),
            QStringLiteral("caption=Gala 2026"),
            QStringLiteral("PhotoPath=") + folder,
            QStringLiteral("Mode=0"),
            QStringLiteral("Skin=0"),
            QStringLiteral("FontSize=60"),
            QStringLiteral("FontColor=65535"),
            QStringLiteral("ShowWinner=") +
                (showWinner ? QStringLiteral("1") : QStringLiteral("0"))};
}

QStringList WordIni() {
    return {QStringLiteral("[prize]"),
            QStringLiteral("bgs1=12"),
            QStringLiteral("bgs2=24"),
            QStringLiteral("bg=0"),
            QStringLiteral("caption=Word Night"),
            QStringLiteral("Mode=1"),
            QStringLiteral("Skin=1"),
            QStringLiteral("FontSize=60"),
            QStringLiteral("FontColor=255"),
            QStringLiteral("ShowWinner=1")};
}
