#include "UfrmZB.h"

#include "common/DBNavigator.h"
#include "common/ErrorGuard.h"
#include "common/Errors.h"
#include "common/Uglobal.h"
#include "common/UserPrompts.h"
#include "data/DataModule.h"
#include "data/Statements.h"
#include "media/SkinData.h"
#include "winners/WinnersGrid.h"

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

struct Column {
    const char* title;
    int chars;
    bool date;
};

// Opens the list under the grid and the navigator; throws when it cannot be read.
PresetTable* OpenPresetList(QDialog* form, QTableView* grid, DBNavigator* navigator,
                            const QString& table, const QStringList& columns,
                            const QList<Column>& shown) {
    auto* model = new PresetTable(form, table, columns);
    model->setObjectName(QStringLiteral("ADOTable1"));
    if (!model->select())
        throw EDatabaseError(QStringLiteral("The cheat list cannot be opened: %1")
                                 .arg(model->lastError().text().trimmed().isEmpty()
                                          ? QStringLiteral("table %1 is missing").arg(table)
                                          : model->lastError().text()));
    grid->setModel(model);
    SetUpWinnersGrid(grid, 17);
    for (int c = 0; c < shown.size(); ++c) {
        model->setHeaderData(c, Qt::Horizontal, QLatin1String(shown.at(c).title));
        SetColumnWidthInChars(grid, c, shown.at(c).chars);
        if (shown.at(c).date)
            grid->setItemDelegateForColumn(c, new DateTimeDelegate(grid));
    }
    grid->setColumnHidden(model->keyColumn(), true);
    // The last column takes what is left, so the list fills the window.
    grid->horizontalHeader()->setStretchLastSection(true);
    // A long path keeps its file name in sight.
    grid->setItemDelegateForColumn(0, new MiddleElideDelegate(grid));
    if (model->rowCount() > 0)
        grid->setCurrentIndex(model->index(0, 0));

    navigator->setVisibleButtons(DBNavigator::MoveButtons | DBNavigator::Delete |
                                 DBNavigator::Refresh);
    navigator->setDeleteConfirmation(QStringLiteral("Delete record?"));
    navigator->setView(grid);
    return model;
}

// Reads the list again and puts the cursor on the row just stored, the last one.
void ShowStoredRow(QSqlTableModel* model, QTableView* grid) {
    if (!model->select())
        throw EDatabaseError(model->lastError().text());
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

// The common frame of both editors: no caption buttons, the given client area,
// centred on the screen the program is on, an upper panel for the entry
// fields and buttons and a lower one for the list.
template <class Form> void BuildWindow(Form* form, const QString& caption, int width, int height) {
    form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    form->setWindowTitle(caption);
    form->resize(width, height);
    const QWidget* owner = form->parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        form->move(screen->availableGeometry().center() - form->rect().center());

    auto* outer = new QVBoxLayout(form);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    form->Panel1 = new QFrame(form);
    form->Panel1->setObjectName(QStringLiteral("Panel1"));
    form->Panel1->setFrameShape(QFrame::StyledPanel);
    auto* fields = new QGridLayout(form->Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);

    auto label = [form](QWidget* parent, const char* name, const QString& text) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QLatin1String(name));
        return l;
    };
    form->bsSkinStdLabel1 = label(form->Panel1, "bsSkinStdLabel1", QString());
    form->bsSkinStdLabel1->setWordWrap(true);
    // A widget's own sheet wins over the skin's label colour.
    form->bsSkinStdLabel1->setStyleSheet(
        QStringLiteral("color: palette(highlight); font-weight: bold;"));
    form->bsSkinStdLabel2 = label(form->Panel1, "bsSkinStdLabel2", QString());
    form->bsSkinEdit1 = new QLineEdit(form->Panel1);
    form->bsSkinEdit1->setObjectName(QStringLiteral("bsSkinEdit1"));
    form->bsSkinEdit1->setClearButtonEnabled(true);
    form->bsSkinStdLabel2->setBuddy(form->bsSkinEdit1);
    form->bsSkinStdLabel3 = label(form->Panel1, "bsSkinStdLabel3", QStringLiteral("class"));
    form->bsSkinComboBox1 = new QComboBox(form->Panel1);
    form->bsSkinComboBox1->setObjectName(QStringLiteral("bsSkinComboBox1"));
    form->bsSkinComboBox1->setEditable(false);
    form->bsSkinComboBox1->setMinimumWidth(220);
    form->bsSkinComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    form->bsSkinStdLabel3->setBuddy(form->bsSkinComboBox1);
    form->bsSkinButton1 = new QPushButton(QStringLiteral("cheat"), form->Panel1);
    form->bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    // Enter in the entry fields stores the preset.
    form->bsSkinButton1->setDefault(true);
    form->bsSkinButton2 = new QPushButton(QStringLiteral("exit"), form->Panel1);
    form->bsSkinButton2->setObjectName(QStringLiteral("bsSkinButton2"));
    form->bsSkinButton2->setAutoDefault(false);

    fields->addWidget(form->bsSkinStdLabel1, 0, 0, 1, 4);
    fields->addWidget(form->bsSkinStdLabel2, 1, 0);
    fields->addWidget(form->bsSkinEdit1, 1, 1);
    if constexpr (requires { form->bsSkinSpeedButton1; }) {
        form->bsSkinSpeedButton1 = new QToolButton(form->Panel1);
        form->bsSkinSpeedButton1->setObjectName(QStringLiteral("bsSkinSpeedButton1"));
        const QIcon folder(ProgramDir() + QStringLiteral("icons/folder.png"));
        if (folder.isNull()) {
            form->bsSkinSpeedButton1->setText(QStringLiteral("..."));
        } else {
            form->bsSkinSpeedButton1->setIcon(folder);
            form->bsSkinSpeedButton1->setIconSize(QSize(20, 20));
        }
        form->bsSkinSpeedButton1->setToolTip(QStringLiteral("Open picture"));
        form->bsSkinSpeedButton1->setAccessibleName(QStringLiteral("Open picture"));
        fields->addWidget(form->bsSkinSpeedButton1, 1, 2);
    }
    fields->addWidget(form->bsSkinButton1, 1, 3);
    fields->addWidget(form->bsSkinStdLabel3, 2, 0);
    fields->addWidget(form->bsSkinComboBox1, 2, 1, Qt::AlignLeft);
    fields->addWidget(form->bsSkinButton2, 2, 3);
    fields->setColumnStretch(1, 1);
    outer->addWidget(form->Panel1);

    form->Panel2 = new QFrame(form);
    form->Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* list = new QVBoxLayout(form->Panel2);
    list->setContentsMargins(12, 8, 12, 12);
    list->setSpacing(4);
    form->bsSkinStdLabel4 = label(form->Panel2, "bsSkinStdLabel4", QString());
    QFont title = form->bsSkinStdLabel4->font();
    title.setBold(true);
    form->bsSkinStdLabel4->setFont(title);
    auto* bar = new QHBoxLayout;
    bar->addWidget(form->bsSkinStdLabel4);
    bar->addStretch(1);
    form->bsSkinDBNavigator1 = new DBNavigator(form->Panel2);
    form->bsSkinDBNavigator1->setObjectName(QStringLiteral("bsSkinDBNavigator1"));
    form->bsSkinDBNavigator1->setFixedSize(200, 28);
    bar->addWidget(form->bsSkinDBNavigator1);
    list->addLayout(bar);
    form->bsSkinDBGrid1 = new QTableView(form->Panel2);
    form->bsSkinDBGrid1->setObjectName(QStringLiteral("bsSkinDBGrid1"));
    list->addWidget(form->bsSkinDBGrid1, 1);
    outer->addWidget(form->Panel2, 1);

    QObject::connect(form->bsSkinButton1, &QPushButton::clicked, form, &Form::bsSkinButton1Click);
    QObject::connect(form->bsSkinButton2, &QPushButton::clicked, form, &Form::bsSkinButton2Click);

    form->bsSkinData1 = new SkinData(form);
}

} // namespace

// ---------------------------------------------------------------- photo presets

TFormZB::TFormZB(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFormZB"));
    BuildWindow(this, QStringLiteral("cheat"), 847, 538);
    bsSkinStdLabel1->setText(QStringLiteral("Note:Plase put the cheat photo in another folder."));
    bsSkinStdLabel2->setText(QStringLiteral("cheat photo folder"));
    bsSkinStdLabel4->setText(QStringLiteral("Cheat List:"));
    connect(bsSkinSpeedButton1, &QToolButton::clicked, this, &TFormZB::bsSkinSpeedButton1Click);
    FormCreate();
}

void TFormZB::FormCreate() {
    bsSkinData1->LoadFromFile(SkinFile);
    FillClasses(bsSkinComboBox1);
    ADOTable1 =
        OpenPresetList(this, bsSkinDBGrid1, bsSkinDBNavigator1, QStringLiteral("zb"),
                       {QStringLiteral("filename"), QStringLiteral("class"), QStringLiteral("rq")},
                       {{"filename", 58, false}, {"class", 16, false}, {"date", 15, true}});
    bsSkinEdit1->setFocus();
}

QString TFormZB::PictureFilter() {
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

QString TFormZB::PictureFolder() const {
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

void TFormZB::bsSkinSpeedButton1Click() {
    guarded(this, [&] {
        const QString chosen = UserPrompts::instance().openFile(
            this, QStringLiteral("Open picture"), PictureFolder(), PictureFilter());
        if (chosen.isEmpty())
            return;
        bsSkinEdit1->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
        bsSkinEdit1->setFocus();
    });
}

void TFormZB::bsSkinButton1Click() {
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
        if (const QString why = MissingClass(bsSkinComboBox1); !why.isEmpty()) {
            prompts.message(this, why);
            return;
        }
        const QString C = bsSkinComboBox1->currentText();
        if (Count(Sql::CountPhotoPreset, {f, C}) > 0) {
            prompts.message(
                this,
                QStringLiteral("%1 is already on the cheat list of %2.").arg(info.fileName(), C));
            return;
        }
        if (Count(Sql::CountPhotoWins, {f}) > 0 && !KeepAlreadyWon(this, info.fileName()))
            return;
        Store(Sql::InsertPhotoPreset, {f, C});
        bsSkinEdit1->clear();
        ShowStoredRow(ADOTable1, bsSkinDBGrid1);
        bsSkinEdit1->setFocus();
    });
}

void TFormZB::bsSkinButton2Click() {
    close();
}

// ----------------------------------------------------------------- word presets

TFormZB1::TFormZB1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFormZB1"));
    BuildWindow(this, QStringLiteral("CHEAT"), 847, 558);
    bsSkinStdLabel2->setText(QStringLiteral("cheat word"));
    bsSkinStdLabel4->setText(QStringLiteral("cheat list"));
    // Nothing to note here; an empty line would only push the fields down.
    bsSkinStdLabel1->hide();
    FormCreate();
}

void TFormZB1::FormCreate() {
    bsSkinData1->LoadFromFile(SkinFile);
    FillClasses(bsSkinComboBox1);
    ADOTable1 = OpenPresetList(this, bsSkinDBGrid1, bsSkinDBNavigator1, QStringLiteral("zb1"),
                               {QStringLiteral("wz"), QStringLiteral("prize")},
                               {{"name", 66, false}, {"class", 50, false}});
    bsSkinEdit1->setFocus();
}

void TFormZB1::bsSkinButton1Click() {
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
        if (const QString why = MissingClass(bsSkinComboBox1); !why.isEmpty()) {
            prompts.message(this, why);
            return;
        }
        const QString C = bsSkinComboBox1->currentText();
        if (Count(Sql::CountWordPreset, {w, C}) > 0) {
            prompts.message(this,
                            QStringLiteral("%1 is already on the cheat list of %2.").arg(w, C));
            return;
        }
        if (Count(Sql::CountWordWins, {w}) > 0 && !KeepAlreadyWon(this, w))
            return;
        Store(Sql::InsertWordPreset, {w, C});
        bsSkinEdit1->clear();
        ShowStoredRow(ADOTable1, bsSkinDBGrid1);
        bsSkinEdit1->setFocus();
    });
}

void TFormZB1::bsSkinButton2Click() {
    close();
}
