#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/PrizeClassStore.h"
#include "core/draw/DrawSession.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/UserPrompts.h"
#include "ui/main/AudienceWindow.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(775, 513);
    setMinimumSize(640, 400);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_display = new DisplayPanel(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_display, 1);
    m_strip = new ControlStrip(this);
    layout->addWidget(m_strip);
    // Stands in for the display while the show is on its own screen.
    m_console = new AudienceConsole(this);
    m_console->hide();
    layout->insertWidget(0, m_console, 1);
    m_skin = new SkinData(this);
    m_session = new DrawSession(this);
    m_session->setObjectName(QStringLiteral("drawSession"));

    m_promptBlinkTimer = new QTimer(this);
    m_promptBlinkTimer->setObjectName(QStringLiteral("promptBlinkTimer"));
    m_promptBlinkTimer->setInterval(1000);
    connect(m_promptBlinkTimer, &QTimer::timeout, this, &MainWindow::blinkPrompt);
    m_focusGuardTimer = new QTimer(this);
    m_focusGuardTimer->setObjectName(QStringLiteral("focusGuardTimer"));
    m_focusGuardTimer->setInterval(1000);
    connect(m_focusGuardTimer, &QTimer::timeout, this, &MainWindow::guardFocus);
    // The photos are decoded for the display's size; follow it once it settles.
    m_resizeSettle = new QTimer(this);
    m_resizeSettle->setSingleShot(true);
    m_resizeSettle->setInterval(400);
    connect(m_resizeSettle, &QTimer::timeout, this,
            [this] { m_session->setDisplaySize(m_display->size()); });

    buildActions();
    connectSession();
    m_audience = new AudienceWindow(this);
    connectAudience();
    setWindowIcon(QIcon(ProgramFolder::path() + QStringLiteral("icons/kalvoro.png")));
    m_display->setFocus();
    // The window sees Enter and Space first, whatever control has the focus.
    qApp->installEventFilter(this);
    m_display->banner()->setText(QString());
    guarded(this, [this] { reloadSettings(); });
    // The guard runs for the whole life of the window, even when start-up failed.
    m_focusGuardTimer->start();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::buildActions() {
    auto action = [this](const char* name, const QString& caption, auto slot) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_exitAction = action("exitAction", QString(), &QWidget::close);
    m_armAction = action("armAction", QString(), &MainWindow::armDraw);
    auto* reset = action("resetAction", tr("Initialize"), &MainWindow::resetWinners);
    auto* winners = action("winnersAction", QString(), &MainWindow::showWinners);
    auto* options = action("optionsAction", tr("Options"), &MainWindow::showOptions);
    auto* about = action("aboutAction", tr("About"), &MainWindow::showAbout);
    auto* fullScreen = action("fullScreenAction", tr("Full Screen"), &MainWindow::enterFullScreen);
    auto* leave =
        action("exitFullScreenAction", tr("Exit Full Screen"), &MainWindow::leaveFullScreen);
    auto* help = action("helpAction", tr("help"), &MainWindow::showHelp);
    // The preset editors have no button: only these deliberate chords open them.
    auto* photoPresets =
        action("photoPresetsAction", tr("Photo presets"), &MainWindow::showPhotoPresets);
    photoPresets->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    auto* wordPresets =
        action("wordPresetsAction", tr("Word presets"), &MainWindow::showWordPresets);
    wordPresets->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));
    m_windowActions = {options, winners, reset, about, help, photoPresets, wordPresets};

    // Menu items are their own objects that run the shared actions.
    auto menu = [this](const char* name,
                       std::initializer_list<std::pair<const char*, QAction*>> items) {
        auto* m = new QMenu(this);
        m->setObjectName(QLatin1String(name));
        for (const auto& [itemName, target] : items) {
            QAction* a = m->addAction(target->text());
            a->setObjectName(QLatin1String(itemName));
            connect(a, &QAction::triggered, target, &QAction::trigger);
            connect(target, &QAction::changed, a,
                    [a, t = target] { a->setEnabled(t->isEnabled()); });
        }
        return m;
    };
    m_setupMenu = menu("setupMenu", {{"optionsItem", options}, {"resetItem", reset}});
    m_helpMenu = menu("helpMenu", {{"aboutItem", about}, {"helpItem", help}});
    m_displayMenu =
        menu("displayMenu", {{"fullScreenItem", fullScreen}, {"exitFullScreenItem", leave}});
    connect(
        m_display->banner(), &BannerLabel::contextMenuRequested, this, [this](const QPoint& at) {
            // A menu open during a roll would take the Space that stops it;
            // full screen is the main window's, and the audience screen is full already.
            if (m_session->state() != DrawSession::State::Rolling && !m_audience->isPresenting())
                m_displayMenu->popup(at);
        });

    connect(m_strip->beginButton(), &QToolButton::clicked, m_armAction, &QAction::trigger);
    connect(m_strip->winnersButton(), &QToolButton::clicked, winners, &QAction::trigger);
    connect(m_strip->exitButton(), &QToolButton::clicked, m_exitAction, &QAction::trigger);
    m_strip->setupButton()->setMenu(m_setupMenu);
    m_strip->helpButton()->setMenu(m_helpMenu);
    connect(m_strip->prizeClassBox(), &PrizeClassBox::mouseEntered, this,
            &MainWindow::showWinnerCount);
    connect(m_strip->prizeClassBox(), &PrizeClassBox::mouseLeft, this, &MainWindow::restorePrompt);
}

void MainWindow::connectSession() {
    PrizeClassBox* classes = m_strip->prizeClassBox();
    connect(classes, &QComboBox::currentTextChanged, m_session, &DrawSession::setPrizeClass);
    connect(m_strip->wordCountBox(), &QSpinBox::valueChanged, m_session,
            &DrawSession::setWordCount);
    connect(m_strip->rollSpeedSlider(), &QSlider::valueChanged, m_session,
            &DrawSession::setRollInterval);
    m_session->setWordCount(m_strip->wordCountBox()->value());
    m_session->setRollInterval(m_strip->rollSpeedSlider()->value());

    connect(m_session, &DrawSession::promptChanged, this, [this](const QString& text) {
        m_strip->promptLabel()->setText(text);
        m_strip->promptLabel()->repaint();
    });
    connect(m_session, &DrawSession::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_session, &DrawSession::stateChanged, this, [this](DrawSession::State state) {
        setWindowsOpenable(state != DrawSession::State::Rolling);
    });
    connect(m_session, &DrawSession::armed, this, [this](bool) {
        // The cleared display covers the focus warning.
        m_focusWarningShown = false;
        m_nothingLeftShown = false;
        // Word mode clears the photo too: a photo draw before a switch to word
        // mode must not stay behind the names.
        m_display->clearPhoto();
        m_display->banner()->setText(QString());
        m_promptBlinkTimer->start();
        applyModeToCount();
    });
    connect(m_session, &DrawSession::photoShown, this, [this](const QString&, const QImage& image) {
        // A preset at the stop may still find a winner after the roll found none.
        if (m_nothingLeftShown) {
            m_nothingLeftShown = false;
            m_display->banner()->setText(QString());
        }
        m_display->photo()->setPicture(image);
    });
    connect(m_session, &DrawSession::linesShown, this, &MainWindow::showLines);
    connect(m_session, &DrawSession::nothingLeft, this, &MainWindow::showNothingLeft);
    connect(m_session, &DrawSession::rollFailed, this, [this](const QString& message) {
        showLines({});
        m_display->banner()->setText(message);
    });
    connect(m_session, &DrawSession::announce, this, [this](const QString& name, const QString& c) {
        announceWinner(name, c);
        m_display->photo()->alignClient = true;
        m_display->layoutChildren();
    });
    connect(m_session, &DrawSession::errorOccurred, this, &MainWindow::showError);
    m_session->setRetryQuestion([this](const QString& message) {
        return UserPrompts::instance().askYesNo(this, message, tr("Save Failure!"));
    });
}

void MainWindow::showLines(const QStringList& lines) {
    // Every step of a roll with nobody left shows no lines: the notice stays.
    if (lines.isEmpty() && m_session->nothingLeftOnShow()) {
        showNothingLeft();
        return;
    }
    // New lines cover the focus warning: the guard keeps these instead.
    m_focusWarningShown = false;
    m_nothingLeftShown = false;
    if (m_display->photo()->hasPicture() || m_display->banner()->layoutBottom())
        m_display->clearPhoto();
    BannerLabel* banner = m_display->banner();
    banner->setFontColor(m_wordFont.colour);
    banner->setFontName(m_wordFont.name);
    // The table's size is the most; the banner shrinks the lines until all fit.
    banner->setFontSize(wordFontSizeFor(m_wordFont.size, m_session->wordCount()));
    banner->setLines(lines);
}

void MainWindow::showNothingLeft() {
    m_focusWarningShown = false;
    m_nothingLeftShown = true;
    BannerLabel* banner = m_display->banner();
    banner->setFontColor(m_wordFont.colour);
    banner->setFontName(m_wordFont.name);
    banner->setFontSize(std::max(m_wordFont.size, 39));
    banner->setText(m_session->mode() == DrawMode::Photo ? tr("No photos left")
                                                         : tr("No candidates left for this draw"));
}

void MainWindow::setWindowsOpenable(bool openable) {
    for (QAction* a : std::as_const(m_windowActions))
        a->setEnabled(openable);
    m_strip->setWindowButtonsEnabled(openable);
}

void MainWindow::showError(const QString& text) {
    ShowDefaultErrorReport(this, text);
}

int MainWindow::wordFontSizeFor(int base, int n) {
    // Fewer lines get larger text; from six on every line has the same size.
    switch (n) {
    case 1:
        return base + 100;
    case 2:
        return base + 80;
    case 3:
        return base + 60;
    case 4:
        return base + 40;
    case 5:
        return base + 20;
    default:
        return 66;
    }
}

int MainWindow::promptColor() const {
    return m_strip->promptColor();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    guarded(this, [this] { loadPrizeClasses(); });
    placeShow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_session->rollTimer()->stop();
    m_session->stopSound();
    m_audience->hide();
    event->accept();
}

void MainWindow::armDraw() {
    // What the focus guard kept is stale at every press, also when a draw is
    // armed already: the warning gives way to an empty display.
    m_savedBannerText.clear();
    guarded(this, [this] { m_session->arm(); });
}

void MainWindow::nextStep() {
    const DrawSession::State state = m_session->state();
    if (state == DrawSession::State::Idle || state == DrawSession::State::Stopping)
        armDraw();
    else
        guarded(this, [this] { m_session->startOrStop(); });
}

void MainWindow::keyPressed(int key) {
    if (key == Qt::Key_Space && m_session->isArmed())
        guarded(this, [this] { m_session->startOrStop(); });
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        armDraw();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_display && event->type() == QEvent::Resize)
        m_resizeSettle->start();
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !isOwnWindow(widget->window()))
        return false;
    // A key travels up the parents; act once, where it is first delivered.
    const QWidget* first =
        QApplication::focusWidget() ? QApplication::focusWidget() : widget->window();
    if (widget != first)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    const int k = key->key();
    if (k == Qt::Key_Space && key->modifiers() == Qt::NoModifier)
        keyPressed(Qt::Key_Space);
    else if (k == Qt::Key_Return || k == Qt::Key_Enter)
        keyPressed(Qt::Key_Return);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A presenter's clicker sends PageDown or Right. These keys are the draw's alone:
    // in the class or count box they would change the prize or the number drawn.
    if (k == Qt::Key_PageDown || k == Qt::Key_Right) {
        nextStep();
        return true;
    }
    if (k == Qt::Key_F11) {
        toggleFullScreen();
        return true;
    }
    if (k == Qt::Key_Escape && m_strip->isHidden()) {
        leaveFullScreen();
        return true;
    }
    return false; // the focused control gets Enter and Space too
}

void MainWindow::applyModeToCount() {
    // The photo roll shows one winner at a time.
    const bool photo = m_session->mode() == DrawMode::Photo;
    if (photo)
        m_strip->wordCountBox()->setValue(1);
    m_strip->wordCountBox()->setEnabled(!photo);
}

void MainWindow::blinkPrompt() {
    // Red, yellow, blue and round again.
    constexpr int red = 255, yellow = 65535, blue = 16711680;
    const int now = m_strip->promptColor();
    if (now == red || now == yellow || now == blue)
        m_strip->setPromptColor(now == red ? yellow : now == yellow ? blue : red);
}

void MainWindow::showWinnerCount() {
    const QString text = m_session->winnerCountSentence(m_strip->prizeClassBox()->currentText());
    if (text.isEmpty()) {
        m_savedPrompt.clear();
        return;
    }
    m_savedPrompt = m_strip->promptLabel()->text();
    m_strip->promptLabel()->setText(text);
}

void MainWindow::restorePrompt() {
    if (!m_savedPrompt.isEmpty())
        m_strip->promptLabel()->setText(m_savedPrompt);
}
