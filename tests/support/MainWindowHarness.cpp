#include "support/MainWindowHarness.h"

#include "core/data/Database.h"
#include "core/draw/DrawSession.h"
#include "ui/common/SkinData.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

MainWindowHarness::MainWindowHarness(const QStringList& ini, bool show) {
    if (!ini.isEmpty())
        program.writeIni(ini);
    start(show);
}

MainWindowHarness::~MainWindowHarness() {
    if (form) {
        rollTimer()->stop();
        form->close();
    }
    form.reset();
    program.closeDatabase();
}

void MainWindowHarness::start(bool show) {
    SkinData::setActiveFile(QString());
    form = std::make_unique<MainWindow>();
    form->setAnnounceStepMs(0);
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

void MainWindowHarness::space() {
    press(Qt::Key_Space);
    if (rollTimer()->isActive())
        rollTimer()->setInterval(10 * 60 * 1000);
}

void MainWindowHarness::ticks(int n) {
    for (int i = 0; i < n; ++i)
        session()->step();
}

DrawSession* MainWindowHarness::session() const {
    return form->session();
}

BannerLabel* MainWindowHarness::banner() const {
    return form->findChild<BannerLabel*>(QStringLiteral("bannerLabel"));
}

PictureView* MainWindowHarness::photo() const {
    return form->findChild<PictureView*>(QStringLiteral("photoView"));
}

QLabel* MainWindowHarness::prompt() const {
    return form->findChild<QLabel*>(QStringLiteral("promptLabel"));
}

WordCountBox* MainWindowHarness::wordCount() const {
    return form->findChild<WordCountBox*>(QStringLiteral("wordCountBox"));
}

PrizeClassBox* MainWindowHarness::classBox() const {
    return form->findChild<PrizeClassBox*>(QStringLiteral("prizeClassBox"));
}

QTimer* MainWindowHarness::timer(const char* name) const {
    return form->findChild<QTimer*>(QLatin1String(name));
}

QStringList MainWindowHarness::lines() const {
    const QString text = banner()->text();
    return text.isEmpty() ? QStringList() : text.split(QChar(13));
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
