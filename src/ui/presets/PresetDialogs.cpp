#include "ui/presets/PresetDialogs.h"

#include "core/data/Database.h"
#include "core/data/Statements.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/WinnersGrid.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The preset tables have no key, so two equal rows could not be told apart
// and deleting one would delete both: rows are keyed by SQLite's rowid, which
// is selected after the shown columns and kept out of sight.
class PresetTable : public QSqlTableModel {
public:
    PresetTable(QObject* parent, const QString& table, const QStringList& columns)
        : QSqlTableModel(parent, Db()), m_columns(columns) {
        setTable(table);
        QSqlIndex key(table, QStringLiteral("rowid"));
        key.append(QSqlField(QStringLiteral("rowid"), QMetaType(QMetaType::LongLong), table));
        setPrimaryKey(key);
        setEditStrategy(QSqlTableModel::OnManualSubmit);
    }

    int keyColumn() const { return int(m_columns.size()); }

protected:
    // In the order the draw meets them, which is the order they compete in.
    QString selectStatement() const override {
        return QStringLiteral("select %1,rowid from %2 order by rowid")
            .arg(m_columns.join(QLatin1Char(',')), tableName());
    }

private:
    QStringList m_columns;
};

class MiddleElideDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->textElideMode = Qt::ElideMiddle;
    }
};

// Reads the list again and puts the cursor on the row just stored, the last one.
void ShowStoredRow(QSqlTableModel* model, QTableView* grid) {
    if (!model->select())
        throw DatabaseError(model->lastError().text());
    while (model->canFetchMore())
        model->fetchMore();
    if (model->rowCount() == 0)
        return;
    const QModelIndex last = model->index(model->rowCount() - 1, 0);
    grid->setCurrentIndex(last);
    grid->scrollTo(last);
}

void FillClasses(QComboBox* box) {
    QSqlQuery ADOQuery1 = NewQuery();
    RunOrThrow(ADOQuery1, Sql::SelectClasses);
    QStringList classes;
    while (ADOQuery1.next())
        classes << ADOQuery1.value(0).toString();
    ADOQuery1.finish();
    box->clear();
    box->addItems(classes);
    if (box->count() > 0)
        box->setCurrentIndex(0);
}

// Empty when a class is chosen, else what the operator is told.
QString MissingClass(const QComboBox* box) {
    if (box->count() == 0)
        return QStringLiteral("There is no prize class yet. Add the classes in the options first.");
    if (box->currentIndex() < 0 || box->currentText().isEmpty())
        return QStringLiteral("Please choose a class.");
    return {};
}

qlonglong Count(const QString& statement, const QVariantList& values) {
    QSqlQuery ADOQuery1 = NewQuery();
    RunOrThrow(ADOQuery1, statement, values);
    const qlonglong n = ReadCount(ADOQuery1);
    ADOQuery1.finish();
    return n;
}

void Store(const QString& statement, const QVariantList& values) {
    QSqlQuery ADOQuery1 = NewQuery();
    RunOrThrow(ADOQuery1, statement, values);
}

// A winner never wins twice, so a preset that has won already waits for a
// reset; the operator decides whether to keep it anyway.
bool KeepAlreadyWon(QWidget* form, const QString& name) {
    return UserPrompts::instance().askYesNo(
        form,
        QStringLiteral("%1 has already won and cannot win again until the draw is reset.\n"
                       "Put it on the cheat list anyway?")
            .arg(name),
        form->windowTitle());
}

bool DisplayCanLoad(const QString& path) {
    // The same reading the roll's display does, so that what is stored can be shown.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() && reader.size().isValid();
}

} // namespace

// ------------------------------------------------------------------ both editors

PresetDialog::PresetDialog(QWidget* parent, const QString& name, const QString& caption, int width,
                           int height)
    : QDialog(parent) {
    setObjectName(name);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(caption);
    resize(width, height);
    const QWidget* owner = parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    m_fields = new QGridLayout(Panel1);
    m_fields->setContentsMargins(12, 10, 12, 10);
    m_fields->setHorizontalSpacing(8);
    m_fields->setVerticalSpacing(8);

    auto label = [](QWidget* panel, const char* name, const QString& text) {
        auto* l = new QLabel(text, panel);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    bsSkinStdLabel1 = label(Panel1, "bsSkinStdLabel1", QString());
    bsSkinStdLabel1->setWordWrap(true);
    // A widget's own sheet wins over the skin's label colour.
    bsSkinStdLabel1->setStyleSheet(QStringLiteral("color: palette(highlight); font-weight: bold;"));
    bsSkinStdLabel2 = label(Panel1, "bsSkinStdLabel2", QString());
    bsSkinEdit1 = new QLineEdit(Panel1);
    bsSkinEdit1->setObjectName(QStringLiteral("bsSkinEdit1"));
    bsSkinEdit1->setClearButtonEnabled(true);
    bsSkinStdLabel2->setBuddy(bsSkinEdit1);
    bsSkinStdLabel3 = label(Panel1, "bsSkinStdLabel3", QStringLiteral("class"));
    bsSkinComboBox1 = new QComboBox(Panel1);
    bsSkinComboBox1->setObjectName(QStringLiteral("bsSkinComboBox1"));
    bsSkinComboBox1->setEditable(false);
    bsSkinComboBox1->setMinimumWidth(220);
    bsSkinComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bsSkinStdLabel3->setBuddy(bsSkinComboBox1);
    bsSkinButton1 = new QPushButton(QStringLiteral("cheat"), Panel1);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    // Enter in the entry fields stores the preset.
    bsSkinButton1->setDefault(true);
    bsSkinButton2 = new QPushButton(QStringLiteral("exit"), Panel1);
    bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    bsSkinButton2->setAutoDefault(false);

    // Column 2 of the entry row is left for an editor's own button.
    m_fields->addWidget(bsSkinStdLabel1, 0, 0, 1, 4);
    m_fields->addWidget(bsSkinStdLabel2, 1, 0);
    m_fields->addWidget(bsSkinEdit1, 1, 1);
    m_fields->addWidget(bsSkinButton1, 1, 3);
    m_fields->addWidget(bsSkinStdLabel3, 2, 0);
    m_fields->addWidget(bsSkinComboBox1, 2, 1, Qt::AlignLeft);
    m_fields->addWidget(bsSkinButton2, 2, 3);
    m_fields->setColumnStretch(1, 1);
    outer->addWidget(Panel1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* list = new QVBoxLayout(Panel2);
    list->setContentsMargins(12, 8, 12, 12);
    list->setSpacing(4);
    bsSkinStdLabel4 = label(Panel2, "bsSkinStdLabel4", QString());
    QFont title = bsSkinStdLabel4->font();
    title.setBold(true);
    bsSkinStdLabel4->setFont(title);
    auto* bar = new QHBoxLayout;
    bar->addWidget(bsSkinStdLabel4);
    bar->addStretch(1);
    bsSkinDBNavigator1 = new TableNavigator(Panel2);
    bsSkinDBNavigator1->setObjectName(QStringLiteral("bsSkinDBNavigator1"));
    bsSkinDBNavigator1->setFixedSize(200, 28);
    bar->addWidget(bsSkinDBNavigator1);
    list->addLayout(bar);
    bsSkinDBGrid1 = new QTableView(Panel2);
    bsSkinDBGrid1->setObjectName(QStringLiteral("bsSkinDBGrid1"));
    list->addWidget(bsSkinDBGrid1, 1);
    outer->addWidget(Panel2, 1);

    connect(bsSkinButton1, &QPushButton::clicked, this, &PresetDialog::bsSkinButton1Click);
    connect(bsSkinButton2, &QPushButton::clicked, this, &PresetDialog::bsSkinButton2Click);

    bsSkinData1 = new SkinData(this);
}

void PresetDialog::OpenPresetList(const QString& table, const QStringList& columns,
                                  const QList<Column>& shown) {
    bsSkinData1->LoadFromFile(SkinFile);
    FillClasses(bsSkinComboBox1);

    auto* model = new PresetTable(this, table, columns);
    model->setObjectName(QStringLiteral("ADOTable1"));
    if (!model->select())
        throw DatabaseError(QStringLiteral("The cheat list cannot be opened: %1")
                                 .arg(model->lastError().text().trimmed().isEmpty()
                                          ? QStringLiteral("table %1 is missing").arg(table)
                                          : model->lastError().text()));
    bsSkinDBGrid1->setModel(model);
    SetUpWinnersGrid(bsSkinDBGrid1, 17);
    for (int c = 0; c < shown.size(); ++c) {
        model->setHeaderData(c, Qt::Horizontal, QLatin1String(shown.at(c).title));
        SetColumnWidthInChars(bsSkinDBGrid1, c, shown.at(c).chars);
        if (shown.at(c).date)
            bsSkinDBGrid1->setItemDelegateForColumn(c, new DateTimeDelegate(bsSkinDBGrid1));
    }
    bsSkinDBGrid1->setColumnHidden(model->keyColumn(), true);
    // The last column takes what is left, so the list fills the window.
    bsSkinDBGrid1->horizontalHeader()->setStretchLastSection(true);
    // A long path keeps its file name in sight.
    bsSkinDBGrid1->setItemDelegateForColumn(0, new MiddleElideDelegate(bsSkinDBGrid1));
    if (model->rowCount() > 0)
        bsSkinDBGrid1->setCurrentIndex(model->index(0, 0));

    bsSkinDBNavigator1->setVisibleButtons(TableNavigator::MoveButtons | TableNavigator::Delete |
                                          TableNavigator::Refresh);
    bsSkinDBNavigator1->setDeleteConfirmation(QStringLiteral("Delete record?"));
    bsSkinDBNavigator1->setView(bsSkinDBGrid1);
    ADOTable1 = model;
    bsSkinEdit1->setFocus();
}

void PresetDialog::AddPreset(const QString& value, const QString& shown,
                             const QString& countPresets, const QString& countWins,
                             const QString& insert) {
    UserPrompts& prompts = UserPrompts::instance();
    if (const QString why = MissingClass(bsSkinComboBox1); !why.isEmpty()) {
        prompts.message(this, why);
        return;
    }
    const QString C = bsSkinComboBox1->currentText();
    if (Count(countPresets, {value, C}) > 0) {
        prompts.message(this,
                        QStringLiteral("%1 is already on the cheat list of %2.").arg(shown, C));
        return;
    }
    if (Count(countWins, {value}) > 0 && !KeepAlreadyWon(this, shown))
        return;
    Store(insert, {value, C});
    bsSkinEdit1->clear();
    ShowStoredRow(ADOTable1, bsSkinDBGrid1);
    bsSkinEdit1->setFocus();
}

void PresetDialog::bsSkinButton2Click() {
    close();
}

// ---------------------------------------------------------------- photo presets

PhotoPresetDialog::PhotoPresetDialog(QWidget* parent)
    : PresetDialog(parent, QStringLiteral("PhotoPresetDialog"), QStringLiteral("cheat"), 847, 538) {
    bsSkinStdLabel1->setText(QStringLiteral("Note:Plase put the cheat photo in another folder."));
    bsSkinStdLabel2->setText(QStringLiteral("cheat photo folder"));
    bsSkinStdLabel4->setText(QStringLiteral("Cheat List:"));

    bsSkinSpeedButton1 = new QToolButton(Panel1);
    bsSkinSpeedButton1->setObjectName(QStringLiteral("bsSkinSpeedButton1"));
    const QIcon folder(ProgramDir() + QStringLiteral("icons/folder.png"));
    if (folder.isNull()) {
        bsSkinSpeedButton1->setText(QStringLiteral("..."));
    } else {
        bsSkinSpeedButton1->setIcon(folder);
        bsSkinSpeedButton1->setIconSize(QSize(20, 20));
    }
    bsSkinSpeedButton1->setToolTip(QStringLiteral("Open picture"));
    bsSkinSpeedButton1->setAccessibleName(QStringLiteral("Open picture"));
    m_fields->addWidget(bsSkinSpeedButton1, 1, 2);
    // Tab reaches it after the panel's other fields, not after the list.
    setTabOrder(bsSkinButton2, bsSkinSpeedButton1);
    connect(bsSkinSpeedButton1, &QToolButton::clicked, this,
            &PhotoPresetDialog::bsSkinSpeedButton1Click);
    FormCreate();
}

void PhotoPresetDialog::FormCreate() {
    OpenPresetList(QStringLiteral("zb"),
                   {QStringLiteral("filename"), QStringLiteral("class"), QStringLiteral("rq")},
                   {{"filename", 58, false}, {"class", 16, false}, {"date", 15, true}});
}

QString PhotoPresetDialog::PictureFilter() {
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    // On a case-sensitive file system a camera's PHOTO.JPG must be offered too.
    auto patterns = [](std::initializer_list<const char*> extensions) {
        QStringList out;
        for (const char* e : extensions) {
            const QString ext = QLatin1String(e);
            out << QStringLiteral("*.") + ext << QStringLiteral("*.") + ext.toUpper();
        }
        return out.join(QLatin1Char(' '));
    };
    struct Kind {
        const char* format;
        const char* title;
        QString patterns;
    };
    const Kind kinds[] = {
        {"jpeg", "JPG", patterns({"jpg", "jpeg"})}, {"png", "PNG", patterns({"png"})},
        {"bmp", "Bitmaps", patterns({"bmp"})},      {"gif", "GIF", patterns({"gif"})},
        {"webp", "WebP", patterns({"webp"})},       {"tiff", "TIFF", patterns({"tif", "tiff"})},
    };
    QStringList all;
    QStringList entries;
    for (const Kind& kind : kinds) {
        if (!formats.contains(QByteArray(kind.format)))
            continue;
        all << kind.patterns;
        entries << QStringLiteral("%1 (%2)").arg(QLatin1String(kind.title), kind.patterns);
    }
    entries.prepend(QStringLiteral("All (%1)").arg(all.join(QLatin1Char(' '))));
    return entries.join(QStringLiteral(";;"));
}

QString PhotoPresetDialog::PictureFolder() const {
    const QString typed = bsSkinEdit1->text().trimmed();
    if (!typed.isEmpty()) {
        const QFileInfo info(typed);
        const QString dir = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
        if (QFileInfo(dir).isDir())
            return dir;
    }
    QSqlQuery ADOQuery1 = NewQuery();
    QString last;
    ADOQuery1.prepare(Sql::LastPhotoPresetFile);
    if (ADOQuery1.exec() && ADOQuery1.next())
        last = ADOQuery1.value(0).toString();
    ADOQuery1.finish();
    if (!last.isEmpty() && QFileInfo(QFileInfo(last).absolutePath()).isDir())
        return QFileInfo(last).absolutePath();
    return QDir::homePath();
}

void PhotoPresetDialog::bsSkinSpeedButton1Click() {
    guarded(this, [&] {
        const QString chosen = UserPrompts::instance().openFile(
            this, QStringLiteral("Open picture"), PictureFolder(), PictureFilter());
        if (chosen.isEmpty())
            return;
        bsSkinEdit1->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
        bsSkinEdit1->setFocus();
    });
}

void PhotoPresetDialog::bsSkinButton1Click() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        const QString typed = bsSkinEdit1->text().trimmed();
        if (typed.isEmpty()) {
            prompts.message(this, QStringLiteral("Please choose the cheat photo."));
            return;
        }
        const QFileInfo info(typed);
        if (!info.isFile()) {
            prompts.message(this, QStringLiteral("The photo %1 does not exist.").arg(typed));
            return;
        }
        // The draw takes a preset only if the display can show it; refusing it
        // here tells the operator now rather than on stage.
        const QString f = QDir::toNativeSeparators(info.absoluteFilePath());
        if (!DisplayCanLoad(f)) {
            prompts.message(this, QStringLiteral("%1 is not a picture that can be shown.").arg(f));
            return;
        }
        AddPreset(f, info.fileName(), Sql::CountPhotoPreset, Sql::CountPhotoWins,
                  Sql::InsertPhotoPreset);
    });
}

// ----------------------------------------------------------------- word presets

WordPresetDialog::WordPresetDialog(QWidget* parent)
    : PresetDialog(parent, QStringLiteral("WordPresetDialog"), QStringLiteral("CHEAT"), 847, 558) {
    bsSkinStdLabel2->setText(QStringLiteral("cheat word"));
    bsSkinStdLabel4->setText(QStringLiteral("cheat list"));
    // Nothing to note here; an empty line would only push the fields down.
    bsSkinStdLabel1->hide();
    FormCreate();
}

void WordPresetDialog::FormCreate() {
    OpenPresetList(QStringLiteral("zb1"), {QStringLiteral("wz"), QStringLiteral("prize")},
                   {{"name", 66, false}, {"class", 50, false}});
}

void WordPresetDialog::bsSkinButton1Click() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        // Candidates are stored without surrounding blanks, and the preset must
        // meet its candidate row when the winner is recorded.
        const QString w = bsSkinEdit1->text().trimmed();
        if (w.isEmpty()) {
            prompts.message(this, QStringLiteral("Please enter the cheat word."));
            return;
        }
        // The display keeps its lines apart by line breaks: a word holding one
        // would take two lines and push the others out of their places.
        for (const QChar c : w) {
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator) {
                prompts.message(this, QStringLiteral("The cheat word must be one line."));
                return;
            }
        }
        AddPreset(w, w, Sql::CountWordPreset, Sql::CountWordWins, Sql::InsertWordPreset);
    });
}
