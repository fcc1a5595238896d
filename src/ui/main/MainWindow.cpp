#include "ui/main/MainWindow.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/data/WordPicker.h"
#include "core/media/PhotoLoader.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "formats/IniFile.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/UserPrompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSqlRecord>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainWindow"));
    buildUi();
    m_player = std::make_unique<SoundPlayer>();
    m_photoCache = std::make_unique<PhotoCache>();
    // A roll step may show a quick preview; swap in the sharp picture when it is ready.
    connect(m_photoCache.get(), &PhotoCache::displayImageReady, this, [this](const QString& path) {
        if (path != CurrentPhoto || !Image2->hasPicture())
            return;
        const QImage sharp = m_photoCache->get(path);
        if (!sharp.isNull())
            Image2->setPicture(sharp);
    });
    // The window sees Enter and Space first, whatever control has the focus.
    qApp->installEventFilter(this);
    guarded(this, [this] { FormCreate(); });
    // The guard runs for the whole life of the window, even when start-up failed.
    if (!Timer3->isActive())
        Timer3->start();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    Timer1->stop();
    if (m_player)
        m_player->StopSound();
}

void MainWindow::buildUi() {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(775, 513);
    setMinimumSize(640, 400);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    bsSkinPanel1 = new DisplayPanel(this);
    bsSkinPanel1->setObjectName(QStringLiteral("bsSkinPanel1"));
    bsSkinPanel1->setFocusPolicy(Qt::StrongFocus);
    Image1 = bsSkinPanel1->Image1;
    Image2 = bsSkinPanel1->Image2;
    LabelWZ = bsSkinPanel1->LabelWZ;
    layout->addWidget(bsSkinPanel1, 1);

    bsSkinPanel2 = new QWidget(this);
    bsSkinPanel2->setObjectName(QStringLiteral("bsSkinPanel2"));
    bsSkinPanel2->setAttribute(Qt::WA_StyledBackground);
    bsSkinPanel2->setFixedHeight(44);
    auto* strip = new QHBoxLayout(bsSkinPanel2);
    strip->setContentsMargins(4, 2, 4, 2);
    strip->setSpacing(6);
    layout->addWidget(bsSkinPanel2);

    const QString icons = ProgramDir() + QStringLiteral("icons/");
    auto action = [this](const char* name, const QString& caption) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        addAction(a);
        return a;
    };
    ActionExit = action("ActionExit", QString());
    ActionCJ = action("ActionCJ", QString());
    ActionInit = action("ActionInit", QStringLiteral("Initialize"));
    ActionMD = action("ActionMD", QString());
    ActionOption = action("ActionOption", QStringLiteral("Options"));
    ActionAbout = action("ActionAbout", QStringLiteral("About"));
    ActionFullScreen = action("ActionFullScreen", QStringLiteral("Full Screen"));
    ActionShowToolbar = action("ActionShowToolbar", QStringLiteral("Exit Full Screen"));
    ActionHelp = action("ActionHelp", QStringLiteral("help"));
    // The preset editors have no button: only these deliberate chords open them.
    ActionPhotoPresets = action("ActionPhotoPresets", QStringLiteral("Photo presets"));
    ActionPhotoPresets->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    ActionWordPresets = action("ActionWordPresets", QStringLiteral("Word presets"));
    ActionWordPresets->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W));

    connect(ActionExit, &QAction::triggered, this, &MainWindow::ActionExitExecute);
    connect(ActionCJ, &QAction::triggered, this, &MainWindow::ActionCJExecute);
    connect(ActionInit, &QAction::triggered, this, &MainWindow::ActionInitExecute);
    connect(ActionMD, &QAction::triggered, this, &MainWindow::ActionMDExecute);
    connect(ActionOption, &QAction::triggered, this, &MainWindow::ActionOptionExecute);
    connect(ActionAbout, &QAction::triggered, this, &MainWindow::ActionAboutExecute);
    connect(ActionFullScreen, &QAction::triggered, this, &MainWindow::ActionFullScreenExecute);
    connect(ActionShowToolbar, &QAction::triggered, this, &MainWindow::ActionShowToolbarExecute);
    connect(ActionHelp, &QAction::triggered, this, &MainWindow::ActionHelpExecute);
    connect(ActionPhotoPresets, &QAction::triggered, this, &MainWindow::ActionPhotoPresetsExecute);
    connect(ActionWordPresets, &QAction::triggered, this, &MainWindow::ActionWordPresetsExecute);

    // Menu items are their own objects (N1..N7) that run the shared actions.
    auto item = [this](QMenu* menu, const char* name, QAction* target) {
        auto* a = menu->addAction(target->text());
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, target, &QAction::trigger);
        connect(target, &QAction::changed, a, [a, target] { a->setEnabled(target->isEnabled()); });
        a->setEnabled(target->isEnabled());
    };
    bsSkinPopupMenu1 = new QMenu(this);
    bsSkinPopupMenu1->setObjectName(QStringLiteral("bsSkinPopupMenu1"));
    item(bsSkinPopupMenu1, "N1", ActionOption);
    item(bsSkinPopupMenu1, "N2", ActionInit);
    bsSkinPopupMenu3 = new QMenu(this);
    bsSkinPopupMenu3->setObjectName(QStringLiteral("bsSkinPopupMenu3"));
    item(bsSkinPopupMenu3, "N5", ActionAbout);
    item(bsSkinPopupMenu3, "N4", ActionHelp);
    bsSkinPopupMenu2 = new QMenu(this);
    bsSkinPopupMenu2->setObjectName(QStringLiteral("bsSkinPopupMenu2"));
    item(bsSkinPopupMenu2, "N6", ActionFullScreen);
    item(bsSkinPopupMenu2, "N7", ActionShowToolbar);
    connect(LabelWZ, &BannerLabel::contextMenuRequested, this,
            [this](const QPoint& at) { bsSkinPopupMenu2->popup(at); });

    bsSkinToolBar1 = new QWidget(bsSkinPanel2);
    bsSkinToolBar1->setObjectName(QStringLiteral("bsSkinToolBar1"));
    bsSkinToolBar1->setFixedWidth(218);
    auto* bar = new QHBoxLayout(bsSkinToolBar1);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    auto button = [&](const char* name, const QString& hint, const QString& iconFile) {
        auto* b = new QToolButton(bsSkinToolBar1);
        b->setObjectName(QLatin1String(name));
        b->setToolTip(hint);
        b->setIcon(QIcon(icons + iconFile));
        b->setIconSize(QSize(30, 30));
        b->setAutoRaise(true);
        b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        // Speed buttons never take the focus, so Space never clicks one.
        b->setFocusPolicy(Qt::NoFocus);
        bar->addWidget(b);
        return b;
    };
    bsSkinSpeedButton1 =
        button("bsSkinSpeedButton1", QStringLiteral("begin"), QStringLiteral("begin.png"));
    bsSkinMenuSpeedButton1 =
        button("bsSkinMenuSpeedButton1", QStringLiteral("options"), QStringLiteral("options.png"));
    bsSkinSpeedButton2 =
        button("bsSkinSpeedButton2", QStringLiteral("winner"), QStringLiteral("winner.png"));
    bsSkinMenuSpeedButton2 =
        button("bsSkinMenuSpeedButton2", QStringLiteral("help"), QStringLiteral("help.png"));
    bsSkinSpeedButton4 =
        button("bsSkinSpeedButton4", QStringLiteral("exit"), QStringLiteral("exit.png"));
    connect(bsSkinSpeedButton1, &QToolButton::clicked, ActionCJ, &QAction::trigger);
    connect(bsSkinSpeedButton2, &QToolButton::clicked, ActionMD, &QAction::trigger);
    connect(bsSkinSpeedButton4, &QToolButton::clicked, ActionExit, &QAction::trigger);
    bsSkinMenuSpeedButton1->setMenu(bsSkinPopupMenu1);
    bsSkinMenuSpeedButton1->setPopupMode(QToolButton::InstantPopup);
    bsSkinMenuSpeedButton2->setMenu(bsSkinPopupMenu3);
    bsSkinMenuSpeedButton2->setPopupMode(QToolButton::InstantPopup);
    strip->addWidget(bsSkinToolBar1);

    Label1 = new QLabel(Prompt::Begin, bsSkinPanel2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    strip->addWidget(Label1, 1);
    setPromptColor(255);

    RxSpinEdit1 = new WordCountBox(bsSkinPanel2);
    RxSpinEdit1->setObjectName(QStringLiteral("RxSpinEdit1"));
    RxSpinEdit1->setRange(1, 10);
    RxSpinEdit1->setValue(1);
    RxSpinEdit1->setFixedWidth(56);
    RxSpinEdit1->setToolTip(QStringLiteral("roll number at same time(only word lottery)"));
    strip->addWidget(RxSpinEdit1);

    bsSkinTrackBar1 = new QSlider(Qt::Horizontal, bsSkinPanel2);
    bsSkinTrackBar1->setObjectName(QStringLiteral("bsSkinTrackBar1"));
    bsSkinTrackBar1->setRange(10, 1000);
    bsSkinTrackBar1->setValue(10);
    bsSkinTrackBar1->setFixedWidth(89);
    bsSkinTrackBar1->setFocusPolicy(Qt::NoFocus);
    bsSkinTrackBar1->setToolTip(QStringLiteral("roll speed"));
    strip->addWidget(bsSkinTrackBar1);

    bsSkinComboBox1 = new PrizeClassBox(bsSkinPanel2);
    bsSkinComboBox1->setObjectName(QStringLiteral("bsSkinComboBox1"));
    bsSkinComboBox1->setEditable(false);
    bsSkinComboBox1->setMaxVisibleItems(8);
    bsSkinComboBox1->setMinimumWidth(118);
    bsSkinComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bsSkinComboBox1->setToolTip(QStringLiteral("Prize Class"));
    connect(bsSkinComboBox1, &PrizeClassBox::mouseEntered, this,
            &MainWindow::bsSkinComboBox1MouseEnter);
    connect(bsSkinComboBox1, &PrizeClassBox::mouseLeft, this,
            &MainWindow::bsSkinComboBox1MouseLeave);
    strip->addWidget(bsSkinComboBox1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &MainWindow::Timer3Timer);

    m_resizeSettle = new QTimer(this);
    m_resizeSettle->setSingleShot(true);
    m_resizeSettle->setInterval(400);
    connect(m_resizeSettle, &QTimer::timeout, this,
            [this] { m_photoCache->setPhotos(PhotoList, bsSkinPanel1->size(), PhotoStretch); });

    bsSkinData1 = new SkinData(this);
    setWindowIcon(QIcon(icons + QStringLiteral("kalvoro.png")));
    bsSkinPanel1->setFocus();
}

void MainWindow::FormCreate() {
    AppDir = ProgramDir();
    PhotoList.clear();
    LoadSettings(QStringLiteral("prize.ini"));
    setWindowTitle(LotteryTitle);
    RescanPhotos();
    DrawArmed = false;
    bsSkinData1->LoadFromFile(SkinFile);
    LabelWZ->setText(QString());
    Image2->Proportional = !PhotoStretch;
    if (!Timer3->isActive())
        Timer3->start();
    FocusWarningShown = false;
}

void MainWindow::LoadSettings(const QString& FileName) {
    const QString path = ProgramDir() + FileName;
    if (!QFileInfo::exists(path))
        return;
    const IniFile ini(path);
    const QString section = QStringLiteral("prize");
    const QString none = QStringLiteral("None");
    // Pictures and music named relative to the program folder are found through it.
    auto programFile = [](const QString& file) {
        if (file.isEmpty() || QDir::isAbsolutePath(file))
            return file;
        return QDir::cleanPath(ProgramDir() + file);
    };

    LotteryTitle = ini.ReadString(section, QStringLiteral("caption"), none);
    const QString background =
        programFile(ini.ReadString(section, QStringLiteral("background"), none));
    RollSoundFile = programFile(ini.ReadString(section, QStringLiteral("BackGroundSound1"), none));
    WinSoundFile = programFile(ini.ReadString(section, QStringLiteral("BackGroundSound2"), none));
    int colour = 0;
    if (TryStrToInt(ini.ReadString(section, QStringLiteral("FontColor"), QStringLiteral("0")),
                    colour))
        WordFontColor = colour;
    WordFontName = ini.ReadString(section, QStringLiteral("FontName"), QStringLiteral("Arial"));
    try {
        WordFontSize =
            StrToInt(ini.ReadString(section, QStringLiteral("FontSize"), QStringLiteral("60")));
    } catch (const ConvertError& e) {
        // Say where the bad value is, so the operator can mend it.
        throw ConvertError(
            QStringLiteral("FontSize in %1: %2").arg(QDir::toNativeSeparators(path), e.message()));
    }
    PhotoFolder = ini.ReadString(section, QStringLiteral("PhotoPath"), none);
    int skin = 0;
    SelectSkin(TryStrToInt(ini.ReadString(section, QStringLiteral("Skin"), none), skin) ? skin : 0);
    if (QFileInfo(background).isFile()) {
        QImageReader reader(background);
        reader.setAutoTransform(true);
        const QSize screen =
            QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize();
        if (reader.size().isValid() && screen.isValid() &&
            (reader.size().width() > 2 * screen.width() ||
             reader.size().height() > 2 * screen.height()))
            reader.setScaledSize(reader.size().scaled(screen * 2, Qt::KeepAspectRatio));
        const QImage image = reader.read();
        if (image.isNull())
            throw KalvoroError(
                QStringLiteral("Cannot load the background picture %1: %2")
                    .arg(QDir::toNativeSeparators(background), reader.errorString()));
        Image1->setPicture(image);
    }
    int mode = 0;
    LotteryMode =
        TryStrToInt(ini.ReadString(section, QStringLiteral("mode"), none), mode) ? mode : 0;
    PhotoStretch = ini.ReadString(section, QStringLiteral("PhotoFullScreen"),
                                  QStringLiteral("0")) != QStringLiteral("0");
    ShowWinnerFlag = ini.ReadString(section, QStringLiteral("ShowWinner"), QStringLiteral("1")) !=
                     QStringLiteral("0");
}

QString MainWindow::ResolvedPhotoFolder() const {
    QString folder = PhotoFolder;
    // "./photos" or ".\photos": a folder inside the program folder.
    if (folder.startsWith(QLatin1Char('.')) && folder.size() >= 2 &&
        (folder.at(1) == QLatin1Char('/') || folder.at(1) == QLatin1Char('\\')))
        folder = ProgramDir() + folder.mid(2);
    return WithTrailingSeparator(folder);
}

void MainWindow::RescanPhotos() {
    PhotoList.clear();
    PhotoCount = ListPhotoFiles(PhotoList, ResolvedPhotoFolder() + QStringLiteral("*.jpg"));
    m_photoCache->setPhotos(PhotoList, bsSkinPanel1->size().expandedTo(QSize(640, 480)),
                            PhotoStretch);
}

int MainWindow::ListPhotoFiles(QStringList& List, const QString& Pattern) {
    const qsizetype cut = Pattern.lastIndexOf(QDir::separator());
    const QString folder = Pattern.left(cut + 1);
    const QString mask = Pattern.mid(cut + 1);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        List.clear();
        return 0;
    }
    QStringList masks{mask};
    // Cameras write .JPG and .jpeg as often as .jpg.
    if (mask.compare(QStringLiteral("*.jpg"), Qt::CaseInsensitive) == 0)
        masks << QStringLiteral("*.jpeg");
    QStringList found;
    QDirIterator it(folder, masks, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        found << folder + it.fileName();
    }
    List = found;
    return static_cast<int>(found.size());
}

void MainWindow::LoadPrizeClasses() {
    QSqlQuery q = NewQuery();
    RunOrThrow(q, Sql::SelectClasses);
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    bsSkinComboBox1->clear();
    bsSkinComboBox1->addItems(names);
    bsSkinComboBox1->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    guarded(this, [this] { LoadPrizeClasses(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    m_player->StopSound();
    PhotoList.clear();
    event->accept();
}

void MainWindow::ActionExitExecute() {
    close();
}

bool MainWindow::isActiveForKeys() const {
    const QWidget* active = QApplication::activeWindow();
    return active == nullptr || active == this;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The photos are decoded for the display's size; follow it once it settles.
    if (watched == bsSkinPanel1 && event->type() == QEvent::Resize)
        m_resizeSettle->start();
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this)
        return false;
    // A key travels up the parents; act once, where it is first delivered.
    const QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (widget != first)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier)
        FormKeyPress(QLatin1Char(' '));
    else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        FormKeyPress(QChar(13));
    return false; // the focused control gets the key too
}

void MainWindow::setPrompt(const QString& text) {
    Label1->setText(text);
}

void MainWindow::setPromptColor(int colour) {
    m_promptColor = colour;
    Label1->setStyleSheet(QStringLiteral("color: %1; font-weight: bold; font-size: 16px;")
                              .arg(ColorFromTColor(colour).name()));
}
