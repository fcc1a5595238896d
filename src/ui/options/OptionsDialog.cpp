#include "ui/options/OptionsDialog.h"
#include "ui/main/DisplayWidgets.h"

#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/media/SoundPlayer.h"
#include "core/settings/Catalogues.h"
#include "core/settings/ProgramFolder.h"
#include "formats/CandidateFiles.h"
#include "formats/Errors.h"
#include "formats/IniFile.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
#include "ui/options/RadioGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("prize");
const QString SettingsName = QStringLiteral("prize.ini");

// Entry indexes of the catalogue groups.
constexpr int RollUserDefined = RollMusicUserDefinedIndex;  // the next one is "None"
constexpr int WinUserDefined = WinnerMusicUserDefinedIndex; // the next one is "None"
constexpr int BackgroundUserDefined = BackgroundUserDefinedIndex;
constexpr int MaxGenerateSpan = 10000;

QStringList texts(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* s : items)
        list << QString::fromUtf8(s);
    return list;
}

// Restores the normal cursor on every way out of a long operation.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore() {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

QToolButton* smallButton(const QString& name, const QString& tip, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip);
    return b;
}

// A page of the options, laid out top to bottom; `number` ends its name.
QVBoxLayout* addPage(QTabWidget* tabs, QWidget*& page, int number, const QString& title) {
    page = new QWidget;
    page->setObjectName(QStringLiteral("bsSkinTabSheet") + QString::number(number));
    tabs->addTab(page, title);
    return new QVBoxLayout(page);
}

// A table's list on a tab: the navigator above a grid of whole rows, on a model
// owned by `owner` that writes a row back when the cursor leaves it. `number`
// ends the names of the three.
void addTableList(QObject* owner, QWidget* tab, QVBoxLayout* v, int number, QTableView*& grid,
                  TableNavigator*& navigator, QSqlTableModel*& model) {
    const QString n = QString::number(number);
    grid = new QTableView(tab);
    grid->setObjectName(QStringLiteral("bsSkinDBGrid") + n);
    navigator = new TableNavigator(tab);
    navigator->setObjectName(QStringLiteral("bsSkinDBNavigator") + n);
    model = new QSqlTableModel(owner, Db());
    model->setObjectName(QStringLiteral("ADOTable") + n);
    model->setEditStrategy(QSqlTableModel::OnRowChange);
    grid->setModel(model);
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    navigator->setView(grid);
    v->addWidget(navigator);
    v->addWidget(grid, 1);
}

// Font size in points, also for a font given in pixels.
int pointsOf(const QFont& font, const QWidget* widget) {
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pixelSize() > 0)
        return qRound(font.pixelSize() * 72.0 / qMax(1, widget->logicalDpiY()));
    return QApplication::font().pointSize();
}

QString sampleStyleSheet(const QFont& font, const QColor& colour) {
    // The skins set fonts for every widget; the sample's own sheet wins over them.
    QString family = font.family();
    family.replace(QLatin1Char('"'), QString());
    const QString size = font.pointSize() > 0 ? QStringLiteral("%1pt").arg(font.pointSize())
                         : font.pixelSize() > 0
                             ? QStringLiteral("%1px").arg(font.pixelSize())
                             : QStringLiteral("%1pt").arg(QApplication::font().pointSize());
    return QStringLiteral("QLabel { color: %1; font-family: \"%2\"; font-size: %3;"
                          " font-weight: %4; font-style: %5; }")
        .arg(colour.name(), family, size,
             font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"),
             font.italic() ? QStringLiteral("italic") : QStringLiteral("normal"));
}

} // namespace

OptionsDialog::OptionsDialog(QWidget* mainWindow) : QDialog(nullptr), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("OPTIONS"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A title bar without buttons: the dialog is left through Apply or Cancel.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(905, 606);

    MediaPlayer3 = new SoundPlayer(this);
    MediaPlayer3->setObjectName(QStringLiteral("MediaPlayer3"));
    // A file that turns out not to decode ends its run at once; say why.
    connect(MediaPlayer3, &SoundPlayer::finished, this, [this] {
        if (!MediaPlayer3->lastError().isEmpty())
            UserPrompts::instance().message(this, MediaPlayer3->lastError());
    });

    auto* layout = new QVBoxLayout(this);
    bsSkinPageControl1 = new QTabWidget(this);
    bsSkinPageControl1->setObjectName(QStringLiteral("bsSkinPageControl1"));
    layout->addWidget(bsSkinPageControl1, 1);

    buildGeneralTab();
    buildPhotoTab();
    buildWordTab();
    buildFontTab();
    buildClassTab();

    auto* bar = new QHBoxLayout;
    bar->addStretch(1);
    bsSkinXFormButton1 = new QPushButton(QStringLiteral("&Apply"), this);
    bsSkinXFormButton1->setObjectName(QStringLiteral("bsSkinXFormButton1"));
    bsSkinXFormButton2 = new QPushButton(QStringLiteral("&Cancel"), this);
    bsSkinXFormButton2->setObjectName(QStringLiteral("bsSkinXFormButton2"));
    for (QPushButton* b : {bsSkinXFormButton1, bsSkinXFormButton2}) {
        // Neither takes the focus, so they stay usable while the photo folder
        // edit holds it after a failed check.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumWidth(100);
        bar->addWidget(b);
    }
    layout->addLayout(bar);
    connect(bsSkinXFormButton1, &QPushButton::clicked, this,
            &OptionsDialog::bsSkinXFormButton1Click);
    connect(bsSkinXFormButton2, &QPushButton::clicked, this,
            &OptionsDialog::bsSkinXFormButton2Click);
    connect(bsSkinPageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_currentTab == 2 && index != 2)
            bsSkinTabSheet3Hide();
        m_currentTab = index;
        if (index == 1)
            bsSkinTabSheet2Show();
        else if (index == 2)
            bsSkinTabSheet3Show();
    });

    FormCreate();
}

OptionsDialog::~OptionsDialog() {
    StopPreview();
}

// ---------------------------------------------------------------- building --

void OptionsDialog::buildGeneralTab() {
    auto* v = addPage(bsSkinPageControl1, bsSkinTabSheet1, 1, QStringLiteral("General Options"));

    auto* top = new QHBoxLayout;
    bsSkinRadioGroup1 = new RadioGroup(QStringLiteral("Lottery Mode"), texts({"Photo", "Word"}), 2,
                                       bsSkinTabSheet1);
    bsSkinRadioGroup1->setObjectName(QStringLiteral("bsSkinRadioGroup1"));
    bsSkinRadioGroup2 = new RadioGroup(QStringLiteral("Skin"), texts({"orange", "green", "blue"}),
                                       3, bsSkinTabSheet1);
    bsSkinRadioGroup2->setObjectName(QStringLiteral("bsSkinRadioGroup2"));
    top->addWidget(bsSkinRadioGroup1, 1);
    top->addWidget(bsSkinRadioGroup2, 2);
    v->addLayout(top);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(new QLabel(QStringLiteral("Lottery Title"), bsSkinTabSheet1));
    bsSkinEditTitle = new QLineEdit(bsSkinTabSheet1);
    bsSkinEditTitle->setObjectName(QStringLiteral("bsSkinEditTitle"));
    titleRow->addWidget(bsSkinEditTitle, 1);
    v->addLayout(titleRow);

    // A catalogue group with its user-defined file edit and buttons below it.
    auto catalogue = [&](RadioGroup*& group, const QString& name, const QString& title,
                         const QStringList& captions, int columns, QLineEdit*& edit,
                         const QString& editName, const QString& label,
                         QList<QToolButton*> buttons) {
        group = new RadioGroup(title, captions, columns, bsSkinTabSheet1);
        group->setObjectName(name);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(label, group));
        edit = new QLineEdit(group);
        edit->setObjectName(editName);
        row->addWidget(edit, 1);
        for (QToolButton* b : buttons) {
            b->setParent(group);
            row->addWidget(b);
        }
        static_cast<QGridLayout*>(group->layout())
            ->addLayout(row, (captions.size() + columns - 1) / columns, 0, 1, columns);
        v->addWidget(group);
    };

    bsSkinSpeedButton1 = smallButton(QStringLiteral("bsSkinSpeedButton1"),
                                     QStringLiteral("Choose a picture"), nullptr);
    catalogue(bsSkinRadioGroup4, QStringLiteral("bsSkinRadioGroup4"),
              QStringLiteral("Background Picture"), BackgroundCaptions(), 6, bsSkinEditBGP,
              QStringLiteral("bsSkinEditBGP"), QStringLiteral("User Defined "),
              {bsSkinSpeedButton1});

    bsSkinSpeedButton4 = smallButton(QStringLiteral("bsSkinSpeedButton4"),
                                     QStringLiteral("Choose a sound file"), nullptr);
    bsSkinSpeedButton5 = smallButton(QStringLiteral("bsSkinSpeedButton5"),
                                     QStringLiteral("Play this file"), nullptr);
    bsSkinSpeedButton5->setText(QStringLiteral("\u25B6"));
    catalogue(bsSkinRadioGroup3, QStringLiteral("bsSkinRadioGroup3"),
              QStringLiteral("Roll Background Music"), RollMusicCaptions(), 6, bsSkinEdit1,
              QStringLiteral("bsSkinEdit1"), QStringLiteral("User defined"),
              {bsSkinSpeedButton4, bsSkinSpeedButton5});

    bsSkinSpeedButton6 = smallButton(QStringLiteral("bsSkinSpeedButton6"),
                                     QStringLiteral("Choose a sound file"), nullptr);
    bsSkinSpeedButton7 = smallButton(QStringLiteral("bsSkinSpeedButton7"),
                                     QStringLiteral("Play this file"), nullptr);
    bsSkinSpeedButton7->setText(QStringLiteral("\u25B6"));
    catalogue(bsSkinRadioGroup5, QStringLiteral("bsSkinRadioGroup5"),
              QStringLiteral("Winner Background Music"), WinnerMusicCaptions(), 7, bsSkinEdit2,
              QStringLiteral("bsSkinEdit2"), QStringLiteral("User defined"),
              {bsSkinSpeedButton6, bsSkinSpeedButton7});
    v->addStretch(1);

    connect(bsSkinRadioGroup3, &RadioGroup::Click, this, &OptionsDialog::bsSkinRadioGroup3Click);
    connect(bsSkinRadioGroup5, &RadioGroup::Click, this, &OptionsDialog::bsSkinRadioGroup5Click);
    connect(bsSkinSpeedButton1, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton1Click);
    connect(bsSkinSpeedButton4, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton4Click);
    connect(bsSkinSpeedButton5, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton5Click);
    connect(bsSkinSpeedButton6, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton6Click);
    connect(bsSkinSpeedButton7, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton7Click);
}

void OptionsDialog::buildPhotoTab() {
    auto* v = addPage(bsSkinPageControl1, bsSkinTabSheet2, 2, QStringLiteral("Photo Options"));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Photo folder"), bsSkinTabSheet2));
    bsSkinEditPhotoPath = new QLineEdit(bsSkinTabSheet2);
    bsSkinEditPhotoPath->setObjectName(QStringLiteral("bsSkinEditPhotoPath"));
    bsSkinEditPhotoPath->installEventFilter(this);
    row->addWidget(bsSkinEditPhotoPath, 1);
    bsSkinSpeedButton2 = smallButton(QStringLiteral("bsSkinSpeedButton2"),
                                     QStringLiteral("Select folder"), bsSkinTabSheet2);
    row->addWidget(bsSkinSpeedButton2);
    v->addLayout(row);

    bsSkinCheckRadioBoxFullScreen =
        new QCheckBox(QStringLiteral("Full Screen(May be out of shape)"), bsSkinTabSheet2);
    bsSkinCheckRadioBoxFullScreen->setObjectName(QStringLiteral("bsSkinCheckRadioBoxFullScreen"));
    bsSkinCheckRadioBoxShowWinner =
        new QCheckBox(QStringLiteral("Show Winner Name(the photo filename must be the owner name)"),
                      bsSkinTabSheet2);
    bsSkinCheckRadioBoxShowWinner->setObjectName(QStringLiteral("bsSkinCheckRadioBoxShowWinner"));
    v->addWidget(bsSkinCheckRadioBoxFullScreen);
    v->addWidget(bsSkinCheckRadioBoxShowWinner);

    FileListModel = new QFileSystemModel(this);
    FileListModel->setObjectName(QStringLiteral("FileListModel"));
    FileListModel->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    FileListModel->setNameFilters({QStringLiteral("*.jpg")});
    FileListModel->setNameFilterDisables(false); // hide other files, do not grey them
    FileListModel->setReadOnly(false);           // a photo can be renamed in place
    const QString desktop = GetDesktopFolder();
    bsSkinFileListView1 = new QListView(bsSkinTabSheet2);
    bsSkinFileListView1->setObjectName(QStringLiteral("bsSkinFileListView1"));
    bsSkinFileListView1->setModel(FileListModel);
    bsSkinFileListView1->setRootIndex(FileListModel->setRootPath(desktop));
    bsSkinFileListView1->setViewMode(QListView::ListMode);
    bsSkinFileListView1->setFlow(QListView::TopToBottom);
    bsSkinFileListView1->setWrapping(true);
    bsSkinFileListView1->setResizeMode(QListView::Adjust);
    bsSkinFileListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    bsSkinFileListView1->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::SelectedClicked);
    FileListModel->sort(0);
    v->addWidget(bsSkinFileListView1, 1);

    auto* note = new QLabel(
        QStringLiteral("Note: the photos must be JPEG files (*.jpg), and the file name of a photo "
                       "is the winner's name. Large photos make the roll slow: photos of about "
                       "1024 x 768 pixels and a few hundred KB each roll smoothly."),
        bsSkinTabSheet2);
    note->setObjectName(QStringLiteral("bsSkinStdLabelNote"));
    note->setWordWrap(true);
    v->addWidget(note);

    connect(bsSkinSpeedButton2, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton2Click);
}

void OptionsDialog::buildWordTab() {
    auto* v = addPage(bsSkinPageControl1, bsSkinTabSheet3, 3, QStringLiteral("Word Options"));
    auto* top = new QHBoxLayout;

    auto* gen = new QGroupBox(QStringLiteral("automatic generation list"), bsSkinTabSheet3);
    gen->setObjectName(QStringLiteral("bsSkinGroupBoxGenerate"));
    auto* g = new QGridLayout(gen);
    bsSkinEditQz = new QLineEdit(gen);
    bsSkinEditQz->setObjectName(QStringLiteral("bsSkinEditQz"));
    bsSkinNumericEdit1 = new QSpinBox(gen);
    bsSkinNumericEdit1->setObjectName(QStringLiteral("bsSkinNumericEdit1"));
    bsSkinNumericEdit2 = new QSpinBox(gen);
    bsSkinNumericEdit2->setObjectName(QStringLiteral("bsSkinNumericEdit2"));
    for (QSpinBox* s : {bsSkinNumericEdit1, bsSkinNumericEdit2}) {
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        s->setValue(0);
    }
    bsSkinButton2 = new QPushButton(QStringLiteral("&Generate"), gen);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    bsSkinButton4 = new QPushButton(QStringLiteral("&Empty"), gen);
    bsSkinButton4->setObjectName(QStringLiteral("bsSkinButton4"));
    g->addWidget(new QLabel(QStringLiteral("prefix"), gen), 0, 0);
    g->addWidget(bsSkinEditQz, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("from"), gen), 1, 0);
    g->addWidget(bsSkinNumericEdit1, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("to "), gen), 1, 2);
    g->addWidget(bsSkinNumericEdit2, 1, 3);
    g->addWidget(bsSkinButton2, 2, 1);
    g->addWidget(bsSkinButton4, 2, 3);
    top->addWidget(gen, 1);

    auto* load =
        new QGroupBox(QStringLiteral("Load from Text File(every one every line)"), bsSkinTabSheet3);
    load->setObjectName(QStringLiteral("bsSkinGroupBoxLoad"));
    auto* l = new QGridLayout(load);
    bsSkinEditMd = new QLineEdit(load);
    bsSkinEditMd->setObjectName(QStringLiteral("bsSkinEditMd"));
    bsSkinSpeedButton3 =
        smallButton(QStringLiteral("bsSkinSpeedButton3"), QStringLiteral("Open file"), load);
    bsSkinButton3 = new QPushButton(QStringLiteral("&Load"), load);
    bsSkinButton3->setObjectName(QStringLiteral("bsSkinButton3"));
    l->addWidget(new QLabel(QStringLiteral("Text File Folder"), load), 0, 0);
    l->addWidget(bsSkinEditMd, 0, 1);
    l->addWidget(bsSkinSpeedButton3, 0, 2);
    l->addWidget(bsSkinButton3, 1, 1);
    auto* formats = new QLabel(
        QStringLiteral("Also .csv, .xlsx and .xls: the first column, or the column headed "
                       "\"name\" or \"\u59D3\u540D\"."),
        load);
    formats->setWordWrap(true);
    l->addWidget(formats, 2, 0, 1, 3);
    top->addWidget(load, 1);
    v->addLayout(top);

    addTableList(this, bsSkinTabSheet3, v, 2, bsSkinDBGrid2, bsSkinDBNavigator2, ADOTable2);

    connect(bsSkinButton2, &QPushButton::clicked, this, &OptionsDialog::bsSkinButton2Click);
    connect(bsSkinButton4, &QPushButton::clicked, this, &OptionsDialog::bsSkinButton4Click);
    connect(bsSkinButton3, &QPushButton::clicked, this, &OptionsDialog::bsSkinButton3Click);
    connect(bsSkinSpeedButton3, &QToolButton::clicked, this,
            &OptionsDialog::bsSkinSpeedButton3Click);
}

void OptionsDialog::buildFontTab() {
    auto* v = addPage(bsSkinPageControl1, bsSkinTabSheet4, 4, QStringLiteral("Font Options"));
    bsSkinStdLabel12 = new QLabel(QStringLiteral("KALVORO WORD"), bsSkinTabSheet4);
    bsSkinStdLabel12->setObjectName(QStringLiteral("bsSkinStdLabel12"));
    bsSkinStdLabel12->setAlignment(Qt::AlignCenter);
    QFont design = bsSkinStdLabel12->font();
    design.setPixelSize(49);
    design.setBold(false);
    bsSkinStdLabel12->setFont(design);
    m_sampleColourValue = ColorToSetting(QColor(0, 255, 0));
    setSampleFont(design);
    v->addWidget(bsSkinStdLabel12, 1);
    bsSkinButton6 = new QPushButton(QStringLiteral("&FONT"), bsSkinTabSheet4);
    bsSkinButton6->setObjectName(QStringLiteral("bsSkinButton6"));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(bsSkinButton6);
    v->addLayout(row);

    QFont dialogFont = design;
    dialogFont.setBold(true);
    bsSkinFontDialog1.font = dialogFont;
    bsSkinFontDialog1.colour = QColor(0, 255, 0);

    connect(bsSkinButton6, &QPushButton::clicked, this, &OptionsDialog::bsSkinButton6Click);
}

void OptionsDialog::buildClassTab() {
    auto* v = addPage(bsSkinPageControl1, bsSkinTabSheet5, 5, QStringLiteral("Set Prize Class "));
    auto* label = new QLabel(QStringLiteral("PRIZE CLASS"), bsSkinTabSheet5);
    label->setObjectName(QStringLiteral("bsSkinStdLabelClass"));
    v->addWidget(label);
    addTableList(this, bsSkinTabSheet5, v, 1, bsSkinDBGrid1, bsSkinDBNavigator1, ADOTable1);
}

// ---------------------------------------------------------------- lifecycle --

void OptionsDialog::FormCreate() {
    OptionsDir = ProgramDir();
    bsSkinData1 = new SkinData(this);
    bsSkinData1->setObjectName(QStringLiteral("bsSkinData1"));
    bsSkinData1->LoadFromFile(SkinFile);
    // A value that is not a number stops the rest of the creation; the error is
    // reported and the dialog still opens.
    guarded(this, [&] {
        LoadOptions(SettingsName);
        OpenClassTable();
        LoadFontOptions(SettingsName);
        ApplySampleFont();
    });
}

void OptionsDialog::FormShow() {
    for (RadioGroup* g : {bsSkinRadioGroup4, bsSkinRadioGroup3, bsSkinRadioGroup5})
        g->SetCaptionMode(false);
}

void OptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void OptionsDialog::StopPreview() {
    if (MediaPlayer3)
        MediaPlayer3->stop();
}

void OptionsDialog::done(int result) {
    StopPreview();
    QDialog::done(result);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    StopPreview();
    QDialog::closeEvent(event);
}

// ---------------------------------------------------------------- settings --

void OptionsDialog::LoadOptions(const QString& FileName) {
    const QString path = OptionsDir + FileName;
    if (!QFileInfo(path).isFile())
        return;
    IniFile ini(path);
    bsSkinEditTitle->setText(
        ini.ReadString(Section, QStringLiteral("caption"), QStringLiteral("None")));
    bsSkinEditPhotoPath->setText(
        ini.ReadString(Section, QStringLiteral("PhotoPath"), QStringLiteral("None")));
    const QString bgs1 = ini.ReadString(Section, QStringLiteral("bgs1"), QStringLiteral("None"));
    const QString bgs2 = ini.ReadString(Section, QStringLiteral("bgs2"), QStringLiteral("None"));
    const QString bg = ini.ReadString(Section, QStringLiteral("bg"), QStringLiteral("None"));
    // Selecting a music entry previews it, exactly as a click would.
    bsSkinRadioGroup3->SetItemIndex(StrToInt(bgs1));
    bsSkinRadioGroup5->SetItemIndex(StrToInt(bgs2));
    bsSkinRadioGroup4->SetItemIndex(StrToInt(bg));
    // The user-defined entries are recognised by their text, not their number.
    if (bg == QLatin1String("15"))
        bsSkinEditBGP->setText(
            ini.ReadString(Section, QStringLiteral("background"), QStringLiteral("None")));
    if (bgs2 == QLatin1String("23"))
        bsSkinEdit2->setText(
            ini.ReadString(Section, QStringLiteral("BackGroundSound2"), QStringLiteral("None")));
    if (bgs1 == QLatin1String("11"))
        bsSkinEdit1->setText(
            ini.ReadString(Section, QStringLiteral("BackGroundSound1"), QStringLiteral("None")));
    int value = 0;
    bsSkinRadioGroup2->SetItemIndex(
        TryStrToInt(ini.ReadString(Section, QStringLiteral("Skin"), QStringLiteral("None")), value)
            ? value
            : 0);
    value = 0;
    bsSkinRadioGroup1->SetItemIndex(
        TryStrToInt(ini.ReadString(Section, QStringLiteral("mode"), QStringLiteral("None")), value)
            ? value
            : 0);
    bsSkinCheckRadioBoxFullScreen->setChecked(
        ini.ReadString(Section, QStringLiteral("PhotoFullScreen"), QStringLiteral("0")) !=
        QLatin1String("0"));
    const bool show = ini.ReadString(Section, QStringLiteral("ShowWinner"), QStringLiteral("1")) !=
                      QLatin1String("0");
    bsSkinCheckRadioBoxShowWinner->setChecked(show);
    ShowWinnerFlag = show;
}

void OptionsDialog::LoadFontOptions(const QString& FileName) {
    const QString path = OptionsDir + FileName;
    if (!QFileInfo(path).isFile())
        return;
    IniFile ini(path);
    int colour = 0;
    if (TryStrToInt(ini.ReadString(Section, QStringLiteral("FontColor"), QStringLiteral("0")),
                    colour))
        SampleFontColor = colour;
    SampleFontName = ini.ReadString(Section, QStringLiteral("FontName"), QStringLiteral("Arial"));
    SampleFontSize =
        StrToInt(ini.ReadString(Section, QStringLiteral("FontSize"), QStringLiteral("60")));
}

void OptionsDialog::setSampleFont(const QFont& font) {
    m_sampleFont = font;
    bsSkinStdLabel12->setFont(font);
    bsSkinStdLabel12->setStyleSheet(sampleStyleSheet(font, SampleColor()));
}

void OptionsDialog::ApplySampleFont() {
    QFont font = m_sampleFont;
    QFont dialogFont = bsSkinFontDialog1.font;
    if (!SampleFontName.isEmpty()) {
        font.setFamily(SampleFontName);
        dialogFont.setFamily(SampleFontName);
    }
    // Size 0 (no settings file) means the font system's default size.
    const int points = SampleFontSize > 0 ? SampleFontSize : QApplication::font().pointSize();
    font.setPointSize(points);
    dialogFont.setPointSize(points);
    m_sampleColourValue = SampleFontColor;
    setSampleFont(font);
    bsSkinFontDialog1.font = dialogFont;
    bsSkinFontDialog1.colour = SampleColor();
}

QColor OptionsDialog::ColorFromSetting(int value) {
    const quint32 v = static_cast<quint32>(value);
    if ((v >> 24) == 0xFF) {
        // A system colour: the low byte is the Windows colour index.
        switch (v & 0xFF) {
        case 5: // window background
            return QApplication::palette().color(QPalette::Base);
        case 13: // selection
            return QApplication::palette().color(QPalette::Highlight);
        case 15: // button face
            return QApplication::palette().color(QPalette::Button);
        default:
            return QApplication::palette().color(QPalette::WindowText);
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

int OptionsDialog::ColorToSetting(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

void OptionsDialog::WriteOptions() {
    const int roll = bsSkinRadioGroup3->ItemIndex();
    const int win = bsSkinRadioGroup5->ItemIndex();
    const int bg = bsSkinRadioGroup4->ItemIndex();
    const QString rollFile = roll < RollUserDefined    ? RollMusicFileForIndex(roll)
                             : roll == RollUserDefined ? bsSkinEdit1->text()
                                                       : QString();
    const QString winFile = win < WinUserDefined    ? WinnerMusicFileForIndex(win)
                            : win == WinUserDefined ? bsSkinEdit2->text()
                                                    : QString();
    const QString bgFile =
        bg < BackgroundUserDefined ? BackgroundFileForIndex(bg) : bsSkinEditBGP->text();

    const QFont font = m_sampleFont;
    IniFile ini(OptionsDir + SettingsName);
    ini.WriteString(Section, QStringLiteral("caption"), bsSkinEditTitle->text());
    ini.WriteString(Section, QStringLiteral("background"), bgFile);
    ini.WriteString(Section, QStringLiteral("PhotoPath"), bsSkinEditPhotoPath->text());
    ini.WriteString(Section, QStringLiteral("Skin"),
                    QString::number(bsSkinRadioGroup2->ItemIndex()));
    ini.WriteString(Section, QStringLiteral("Mode"),
                    QString::number(bsSkinRadioGroup1->ItemIndex()));
    ini.WriteString(Section, QStringLiteral("BackGroundSound1"), rollFile);
    ini.WriteString(Section, QStringLiteral("BackGroundSound2"), winFile);
    ini.WriteString(Section, QStringLiteral("bgs1"), QString::number(roll));
    ini.WriteString(Section, QStringLiteral("bgs2"), QString::number(win));
    ini.WriteString(Section, QStringLiteral("bg"), QString::number(bg));
    ini.WriteString(Section, QStringLiteral("FontColor"), QString::number(m_sampleColourValue));
    ini.WriteString(Section, QStringLiteral("FontSize"), QString::number(pointsOf(font, this)));
    ini.WriteString(Section, QStringLiteral("FontName"), font.family());

    const bool stretch = bsSkinCheckRadioBoxFullScreen->isChecked();
    ini.WriteString(Section, QStringLiteral("PhotoFullScreen"),
                    stretch ? QStringLiteral("1") : QStringLiteral("0"));
    if (m_mainWindow) {
        if (auto* image = m_mainWindow->findChild<PictureView*>(QStringLiteral("Image2"))) {
            image->proportional = !stretch;
            image->update();
        }
    }
    const bool show = bsSkinCheckRadioBoxShowWinner->isChecked();
    ini.WriteString(Section, QStringLiteral("ShowWinner"),
                    show ? QStringLiteral("1") : QStringLiteral("0"));
    ShowWinnerFlag = show;
}

void OptionsDialog::bsSkinXFormButton1Click() {
    guarded(this, [&] {
        WriteOptions();
        PostTable(bsSkinDBGrid1, ADOTable1);
        if (WordTableOpen())
            PostTable(bsSkinDBGrid2, ADOTable2);
        SelectSkin(bsSkinRadioGroup2->ItemIndex());
        bsSkinData1->LoadFromFile(SkinFile);
        accept();
    });
}

void OptionsDialog::bsSkinXFormButton2Click() {
    reject();
}

// ---------------------------------------------------------------- preview --

void OptionsDialog::bsSkinRadioGroup3Click() {
    const int index = bsSkinRadioGroup3->ItemIndex();
    PreviewSound(index < RollUserDefined    ? RollMusicFileForIndex(index)
                 : index == RollUserDefined ? bsSkinEdit1->text()
                                            : QString());
}

void OptionsDialog::bsSkinRadioGroup5Click() {
    const int index = bsSkinRadioGroup5->ItemIndex();
    PreviewSound(index < WinUserDefined    ? WinnerMusicFileForIndex(index)
                 : index == WinUserDefined ? bsSkinEdit2->text()
                                           : QString());
}

void OptionsDialog::PreviewSound(const QString& File) {
    if (File.trimmed().isEmpty())
        return;
    const QFileInfo info(File);
    if (!info.exists() || info.isDir())
        return; // a preview already playing goes on
    try {
        MediaPlayer3->stop();
        MediaPlayer3->play(File, false);
    } catch (const std::exception& e) {
        UserPrompts::instance().message(this, QString::fromUtf8(e.what()));
    }
}

void OptionsDialog::bsSkinSpeedButton1Click() {
    const QString file = UserPrompts::instance().openFile(
        this, QStringLiteral("Open picture"), QString(),
        QStringLiteral("All (*.jpg *.jpeg *.png *.bmp);;JPG (*.jpg *.jpeg);;PNG (*.png);;"
                       "Bitmaps (*.bmp)"));
    if (!file.isEmpty())
        bsSkinEditBGP->setText(QDir::toNativeSeparators(file));
}

void OptionsDialog::bsSkinSpeedButton4Click() {
    const QString file = UserPrompts::instance().openFile(
        this, QStringLiteral("Open file"), GetDesktopFolder(), QStringLiteral("All files (*)"));
    if (!file.isEmpty())
        bsSkinEdit1->setText(QDir::toNativeSeparators(file));
}

void OptionsDialog::bsSkinSpeedButton6Click() {
    const QString file = UserPrompts::instance().openFile(
        this, QStringLiteral("Open file"), GetDesktopFolder(), QStringLiteral("All files (*)"));
    if (!file.isEmpty())
        bsSkinEdit2->setText(QDir::toNativeSeparators(file));
}

void OptionsDialog::bsSkinSpeedButton5Click() {
    PreviewSound(bsSkinEdit1->text());
}
void OptionsDialog::bsSkinSpeedButton7Click() {
    PreviewSound(bsSkinEdit2->text());
}

// ---------------------------------------------------------------- photo tab --

QString OptionsDialog::ResolvePhotoFolder(const QString& text) {
    if (text.trimmed().isEmpty())
        return QString();
    QString t = text;
    // Folders saved on Windows read ".\photos".
    if (t.startsWith(QLatin1String(".\\")))
        t = QStringLiteral("./") + t.mid(2);
    if (QDir::isAbsolutePath(t))
        return t;
    const QString base = AppDir.isEmpty() ? ProgramDir() : AppDir;
    return QDir::cleanPath(base + t);
}

bool OptionsDialog::CheckPhotoFolder(const QString& Message) {
    if (m_checkingFolder)
        return false; // the message box itself takes the focus from the edit
    m_checkingFolder = true;
    const QString folder = ResolvePhotoFolder(bsSkinEditPhotoPath->text());
    const QFileInfo info(folder);
    QString problem;
    if (folder.isEmpty() || !info.isDir())
        problem = Message;
    else if (!info.isReadable() || !info.isExecutable())
        problem = QStringLiteral("error!");
    else
        bsSkinFileListView1->setRootIndex(FileListModel->setRootPath(folder));
    if (!problem.isEmpty()) {
        UserPrompts::instance().message(this, problem);
        QPointer<QLineEdit> edit = bsSkinEditPhotoPath;
        QTimer::singleShot(0, this, [edit] {
            if (edit && edit->isVisible())
                edit->setFocus(Qt::OtherFocusReason);
        });
    }
    m_checkingFolder = false;
    return problem.isEmpty();
}

void OptionsDialog::bsSkinSpeedButton2Click() {
    const QString folder = UserPrompts::instance().selectFolder(
        this, QStringLiteral("Select folder"), ResolvePhotoFolder(bsSkinEditPhotoPath->text()));
    if (!folder.isEmpty())
        bsSkinEditPhotoPath->setText(QDir::toNativeSeparators(folder));
    CheckPhotoFolder(QStringLiteral("Please choose photo folder!"));
}

void OptionsDialog::bsSkinEditPhotoPathExit() {
    CheckPhotoFolder(QStringLiteral("photo folder not exists!"));
}

void OptionsDialog::bsSkinTabSheet2Show() {
    CheckPhotoFolder(QStringLiteral("folder not exists!"));
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == bsSkinEditPhotoPath && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box, a menu) is not leaving the edit.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            bsSkinEditPhotoPath->isVisible())
            bsSkinEditPhotoPathExit();
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------- font tab --

void OptionsDialog::bsSkinButton6Click() {
    FontChoice choice = bsSkinFontDialog1;
    if (!UserPrompts::instance().chooseFont(this, choice))
        return;
    bsSkinFontDialog1 = choice;
    m_sampleColourValue = ColorToSetting(choice.colour);
    setSampleFont(choice.font);
}

// ---------------------------------------------------------------- tables --

void OptionsDialog::OpenClassTable() {
    ADOTable1->setTable(QStringLiteral("jxmc"));
    if (!ADOTable1->select())
        throw DatabaseError(ADOTable1->lastError().text());
    ADOTable1->setHeaderData(ADOTable1->fieldIndex(QStringLiteral("name")), Qt::Horizontal,
                             QStringLiteral("CLASS NAME"));
}

bool OptionsDialog::ClassTableOpen() const {
    return !ADOTable1->tableName().isEmpty();
}
bool OptionsDialog::WordTableOpen() const {
    return !ADOTable2->tableName().isEmpty();
}

void OptionsDialog::bsSkinTabSheet3Show() {
    if (WordTableOpen())
        return;
    guarded(this, [&] {
        ADOTable2->setTable(QStringLiteral("wz"));
        if (!ADOTable2->select()) {
            const QString error = ADOTable2->lastError().text();
            ADOTable2->clear();
            throw DatabaseError(error);
        }
        const int id = ADOTable2->fieldIndex(QStringLiteral("id"));
        const int wz = ADOTable2->fieldIndex(QStringLiteral("wz"));
        const int prize = ADOTable2->fieldIndex(QStringLiteral("prize"));
        ADOTable2->setHeaderData(wz, Qt::Horizontal, QStringLiteral("NAME"));
        ADOTable2->setHeaderData(prize, Qt::Horizontal, QStringLiteral("PRIZE"));
        bsSkinDBGrid2->setColumnHidden(id, true);
        bsSkinDBGrid2->setColumnHidden(prize, true);
    });
}

void OptionsDialog::bsSkinTabSheet3Hide() {
    if (!WordTableOpen())
        return;
    DropEdits(bsSkinDBGrid2, ADOTable2);
    ADOTable2->clear();
}

void OptionsDialog::ReopenWordTable() {
    if (!WordTableOpen())
        return;
    DropEdits(bsSkinDBGrid2, ADOTable2);
    ADOTable2->select();
}

void OptionsDialog::PostTable(QTableView* grid, QSqlTableModel* table) {
    if (table->tableName().isEmpty())
        return;
    // The text in an open cell editor is part of the row being edited.
    if (QWidget* editor = grid->indexWidget(grid->currentIndex()))
        QMetaObject::invokeMethod(grid, "commitData", Q_ARG(QWidget*, editor));
    if (table->isDirty() && !table->submitAll())
        throw DatabaseError(table->lastError().text());
}

void OptionsDialog::DropEdits(QTableView* grid, QSqlTableModel* table) {
    if (QWidget* editor = grid->indexWidget(grid->currentIndex()))
        QMetaObject::invokeMethod(
            grid, "closeEditor", Q_ARG(QWidget*, editor),
            Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::RevertModelCache));
    table->revertAll();
}

// ---------------------------------------------------------------- word tab --

int OptionsDialog::InsertWithProgress(const QStringList& entries, bool& cancelled) {
    QProgressDialog progress(QStringLiteral("Adding candidates..."), QStringLiteral("Cancel"), 0,
                             static_cast<int>(entries.size()), this);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressMinimumDuration);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    cancelled = false;
    const int inserted = InsertCandidates(entries, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        if (progress.wasCanceled())
            cancelled = true;
        return !cancelled;
    });
    return inserted;
}

QString OptionsDialog::AddCandidates(const QStringList& entries, const QString& success) {
    bool cancelled = false;
    const int inserted = InsertWithProgress(entries, cancelled);
    ReopenWordTable();
    return cancelled ? QStringLiteral("Cancelled: %1 rows were added.").arg(inserted) : success;
}

void OptionsDialog::bsSkinButton2Click() {
    guarded(this, [&] {
        const QString prefix = bsSkinEditQz->text();
        const qint64 first = bsSkinNumericEdit1->value();
        const qint64 last = bsSkinNumericEdit2->value();
        if (last - first > MaxGenerateSpan) {
            UserPrompts::instance().message(this, QStringLiteral("CAN NOT > 10000!"));
            return;
        }
        WaitCursor wait;
        QStringList entries;
        for (qint64 n = first; n <= last; ++n)
            entries << prefix + QString::number(n);
        const QString report = AddCandidates(entries, QStringLiteral("SUCCESS!"));
        wait.restore();
        UserPrompts::instance().message(this, report);
    });
}

void OptionsDialog::bsSkinButton4Click() {
    guarded(this, [&] {
        // One click would otherwise wipe every candidate and every word winner.
        if (!UserPrompts::instance().confirm(
                this, QStringLiteral("Delete all candidates, including those who have won?")))
            return;
        QSqlQuery query = NewQuery();
        QString result;
        ExecQuery(Sql::DeleteAllWords, result, query);
        ReopenWordTable();
        UserPrompts::instance().message(this, QStringLiteral("finished!"));
    });
}

void OptionsDialog::bsSkinButton3Click() {
    guarded(this, [&] {
        const QString path = bsSkinEditMd->text();
        if (!QFileInfo(path).isFile()) {
            UserPrompts::instance().message(this, QStringLiteral("File not found!"));
            return;
        }
        WaitCursor wait;
        const QStringList entries = ReadCandidateFile(path);
        const QString report = AddCandidates(entries, QStringLiteral("Success!"));
        wait.restore();
        UserPrompts::instance().message(this, report);
    });
}

void OptionsDialog::bsSkinSpeedButton3Click() {
    const QString file = UserPrompts::instance().openFile(
        this, QStringLiteral("Open file"), GetDesktopFolder(),
        QStringLiteral("Candidate lists (*.txt *.csv *.xlsx *.xls);;Text files (*.txt);;"
                       "All files (*)"));
    if (!file.isEmpty())
        bsSkinEditMd->setText(QDir::toNativeSeparators(file));
}
