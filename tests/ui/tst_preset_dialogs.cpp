// The photo and word preset editors: what they list, what they store and refuse,
// deleting and refreshing, and closing.
#include "PresetFixture.h"
#include "core/settings/ProgramSettings.h"

#include "support/TestSql.h"
#include "ui/common/SkinData.h"
#include "ui/common/TableNavigator.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQueryModel>
#include <QTest>
#include <QToolButton>

class TestPresetEditors : public QObject {
    Q_OBJECT
private slots:
    void layoutAndTexts_data();
    void layoutAndTexts();
    void classList_data();
    void classList();
    void photoPresetThroughPictureButton();
    void photoRefusals_data();
    void photoRefusals();
    void wordPresets_data();
    void wordPresets();
    void alreadyWonAsksFirst_data();
    void alreadyWonAsksFirst();
    void deleteAsksAndRemovesOneRow_data();
    void deleteAsksAndRemovesOneRow();
    void refreshAndRefusedDelete_data();
    void refreshAndRefusedDelete();
    void exitAndEscapeClose_data();
    void exitAndEscapeClose();
};

void TestPresetEditors::layoutAndTexts_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("photo presets")
        << true << QStringLiteral("cheat") << QSize(847, 538)
        << QStringList{QStringLiteral("Note:Plase put the cheat photo in another folder."),
                       QStringLiteral("cheat photo folder"), QStringLiteral("class"),
                       QStringLiteral("Cheat List:")}
        << QStringList{QStringLiteral("filename"), QStringLiteral("class"), QStringLiteral("date")};
    QTest::newRow("word presets") << false << QStringLiteral("CHEAT") << QSize(847, 558)
                                  << QStringList{QString(), QStringLiteral("cheat word"),
                                                 QStringLiteral("class"),
                                                 QStringLiteral("cheat list")}
                                  << QStringList{QStringLiteral("name"), QStringLiteral("class")};
}

void TestPresetEditors::layoutAndTexts() {
    QFETCH(bool, photo);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, titles);
    Fixture f;
    SkinData::setActiveFile(ProgramSettings::skinFile(1));
    auto editor = MakeEditor(photo);
    QCOMPARE(editor->objectName(),
             photo ? QStringLiteral("PhotoPresetDialog") : QStringLiteral("WordPresetDialog"));
    QCOMPARE(editor->windowTitle(), caption);
    QCOMPARE(editor->size(), client);
    // No caption buttons: only the title bar.
    QVERIFY(editor->windowFlags().testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!editor->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!editor->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));

    const char* const labelNames[] = {"noteLabel", "entryLabel", "classLabel", "listTitle"};
    for (int i = 0; i < 4; ++i) {
        QLabel* label = Child<QLabel>(editor.get(), labelNames[i]);
        QVERIFY2(label, labelNames[i]);
        QCOMPARE(label->text(), labels.at(i));
    }
    QVERIFY(Child<QLabel>(editor.get(), "noteLabel")->wordWrap());
    QCOMPARE(Child<QPushButton>(editor.get(), "addButton")->text(), QStringLiteral("cheat"));
    QCOMPARE(Child<QPushButton>(editor.get(), "closeButton")->text(), QStringLiteral("exit"));
    QVERIFY(Child<QLineEdit>(editor.get(), "entryEdit"));
    QCOMPARE(Child<QToolButton>(editor.get(), "pictureButton") != nullptr, photo);
    QComboBox* classes = Child<QComboBox>(editor.get(), "classBox");
    QVERIFY(classes);
    QVERIFY(!classes->isEditable());

    QTableView* grid = Child<QTableView>(editor.get(), "presetTable");
    QVERIFY(grid);
    QCOMPARE(ShownTitles(grid), titles);
    QCOMPARE(grid->model(), Child<QSqlQueryModel>(editor.get(), "presetModel"));
    QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(grid->showGrid());
    QCOMPARE(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    // The widest column is the first, as its display width says.
    QVERIFY(grid->columnWidth(0) > grid->columnWidth(1));
    TableNavigator* navigator = Child<TableNavigator>(editor.get(), "presetNavigator");
    QVERIFY(navigator);
    QCOMPARE(navigator->view(), grid);
    QCOMPARE(navigator->deleteConfirmation(), QStringLiteral("Delete record?"));
    QVERIFY(navigator->visibleButtons().testFlag(TableNavigator::Delete));
    // Rows are stored by the entry fields only, never typed into the grid.
    QVERIFY(!navigator->visibleButtons().testFlag(TableNavigator::Insert));
    QVERIFY(!navigator->visibleButtons().testFlag(TableNavigator::Edit));

    SkinData* skin = editor->findChild<SkinData*>();
    QVERIFY(skin);
    QCOMPARE(skin->skinName(), QStringLiteral("Autumn"));
    QCOMPARE(editor->styleSheet(), skin->styleSheet());
    QVERIFY(!editor->styleSheet().isEmpty());
    SkinData::setActiveFile(QString());
}

void TestPresetEditors::classList_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<QStringList>("classes");
    const QStringList some{QStringLiteral("Grand Prize"), QStringLiteral("Lucky O'Neil"),
                           QStringLiteral("二等奖")};
    QTest::newRow("photo, three classes") << true << some;
    QTest::newRow("word, three classes") << false << some;
    QTest::newRow("photo, no class") << true << QStringList{};
    QTest::newRow("word, no class") << false << QStringList{};
}

void TestPresetEditors::classList() {
    QFETCH(bool, photo);
    QFETCH(QStringList, classes);
    Fixture f;
    f.program.sql(QStringLiteral("delete from jxmc"));
    for (const QString& c : classes)
        f.program.sql(QStringLiteral("insert into jxmc(name) values(?)"), {c});
    const QStringList cheats =
        f.program.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Star.jpg")});
    auto editor = MakeEditor(photo);
    QComboBox* box = Child<QComboBox>(editor.get(), "classBox");
    QStringList listed;
    for (int i = 0; i < box->count(); ++i)
        listed << box->itemText(i);
    QCOMPARE(listed, classes);
    QCOMPARE(box->currentIndex(), classes.isEmpty() ? -1 : 0);

    // Something valid to store, so that only the class decides.
    Child<QLineEdit>(editor.get(), "entryEdit")
        ->setText(photo ? cheats.at(0) : QStringLiteral("Guest Star"));
    Child<QPushButton>(editor.get(), "addButton")->click();
    const QString table = photo ? QStringLiteral("zb") : QStringLiteral("zb1");
    const QString classColumn = photo ? QStringLiteral("class") : QStringLiteral("prize");
    if (classes.isEmpty()) {
        QCOMPARE(f.prompts.messages,
                 QStringList{QStringLiteral(
                     "There is no prize class yet. Add the classes in the options first.")});
        QCOMPARE(f.program.count(QStringLiteral("select count(*) from ") + table), 0);
    } else {
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(Column(QStringLiteral("select %1 from %2").arg(classColumn, table)),
                 QStringList{classes.at(0)});
        // A class chosen and then taken away is refused as well.
        box->setCurrentIndex(-1);
        Child<QLineEdit>(editor.get(), "entryEdit")
            ->setText(photo ? cheats.at(0) : QStringLiteral("Other Guest"));
        Child<QPushButton>(editor.get(), "addButton")->click();
        QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("Please choose a class.")});
        QCOMPARE(f.program.count(QStringLiteral("select count(*) from ") + table), 1);
    }
}

void TestPresetEditors::photoPresetThroughPictureButton() {
    Fixture f;
    const QStringList cheats = f.program.makePhotos(
        QStringLiteral("cheat"), {QStringLiteral("Star.jpg"), QStringLiteral("Moon.jpg")});
    PhotoPresetDialog editor;
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QCOMPARE(Child<QSqlQueryModel>(&editor, "presetModel")->rowCount(), 0);

    f.prompts.fileAnswers << cheats.at(0);
    QTest::mouseClick(Child<QToolButton>(&editor, "pictureButton"), Qt::LeftButton);
    QCOMPARE(Child<QLineEdit>(&editor, "entryEdit")->text(), cheats.at(0));
    // JPEG first, and nothing offered that the display cannot load.
    QVERIFY2(f.prompts.lastFilter.startsWith(QStringLiteral("All (*.jpg *.JPG *.jpeg")),
             qPrintable(f.prompts.lastFilter));
    QVERIFY(f.prompts.lastFilter.contains(QStringLiteral("JPG (*.jpg *.JPG *.jpeg *.JPEG)")));
    QVERIFY(!f.prompts.lastFilter.contains(QStringLiteral("emf")));
    QVERIFY(!f.prompts.lastFilter.contains(QStringLiteral("wmf")));
    QCOMPARE(f.prompts.lastFilter, PhotoPresetDialog::pictureFilter());

    Child<QComboBox>(&editor, "classBox")->setCurrentIndex(1);
    QTest::mouseClick(Child<QPushButton>(&editor, "addButton"), Qt::LeftButton);
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(f.program.count(QStringLiteral("select count(*) from zb")), 1);
    QCOMPARE(f.program.sql(QStringLiteral("select filename from zb")).toString(), cheats.at(0));
    QCOMPARE(f.program.sql(QStringLiteral("select class from zb")).toString(),
             QStringLiteral("Second Prize"));
    QVERIFY(!f.program.sql(QStringLiteral("select rq from zb")).isNull());
    // Listed at once, with the titles kept across the new reading of the table.
    QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable")), QStringList{cheats.at(0)});
    QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable"), 1),
             QStringList{QStringLiteral("Second Prize")});
    QVERIFY(!GridColumn(Child<QTableView>(&editor, "presetTable"), 2).at(0).isEmpty());
    QCOMPARE(
        ShownTitles(Child<QTableView>(&editor, "presetTable")),
        (QStringList{QStringLiteral("filename"), QStringLiteral("class"), QStringLiteral("date")}));
    QVERIFY(Child<QLineEdit>(&editor, "entryEdit")->text().isEmpty());
    QCOMPARE(Child<QComboBox>(&editor, "classBox")->currentIndex(), 1);

    // A cancelled dialog leaves the edit box alone.
    Child<QLineEdit>(&editor, "entryEdit")->setText(QStringLiteral("typed"));
    QTest::mouseClick(Child<QToolButton>(&editor, "pictureButton"), Qt::LeftButton);
    QCOMPARE(Child<QLineEdit>(&editor, "entryEdit")->text(), QStringLiteral("typed"));

    // A typed path works as well, and the new row becomes the current one.
    Child<QLineEdit>(&editor, "entryEdit")
        ->setText(QStringLiteral("  ") + cheats.at(1) + QStringLiteral(" "));
    QTest::keyClick(Child<QLineEdit>(&editor, "entryEdit"), Qt::Key_Return);
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable")), cheats);
    QCOMPARE(Child<QTableView>(&editor, "presetTable")->currentIndex().row(), 1);
}

void TestPresetEditors::photoRefusals_data() {
    QTest::addColumn<QString>("file");     // what is put into the edit box; %1 the cheat folder
    QTest::addColumn<QByteArray>("bytes"); // written to the file first when not empty
    QTest::addColumn<QString>("message");  // %1 the full path
    const QString missing = QStringLiteral("The photo %1 does not exist.");
    const QString notPicture = QStringLiteral("%1 is not a picture that can be shown.");
    QTest::newRow("nothing chosen")
        << QString() << QByteArray() << QStringLiteral("Please choose the cheat photo.");
    QTest::newRow("blanks") << QStringLiteral("   ") << QByteArray()
                            << QStringLiteral("Please choose the cheat photo.");
    QTest::newRow("missing file") << QStringLiteral("%1/Gone.jpg") << QByteArray() << missing;
    QTest::newRow("a folder") << QStringLiteral("%1") << QByteArray() << missing;
    QTest::newRow("text named .jpg")
        << QStringLiteral("%1/notes.jpg") << QByteArray("just some words\n") << notPicture;
    QTest::newRow("metafile") << QStringLiteral("%1/logo.emf")
                              << QByteArray("\x01\x00\x00\x00\x6c\x00\x00\x00 EMF", 13)
                              << notPicture;
    QTest::newRow("truncated jpeg header")
        << QStringLiteral("%1/cut.jpg") << QByteArray("\xff\xd8\xff", 3) << notPicture;
    QTest::newRow("already listed for the class")
        << QStringLiteral("%1/Star.jpg") << QByteArray()
        << QStringLiteral("Star.jpg is already on the cheat list of First Prize.");
}

void TestPresetEditors::photoRefusals() {
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    Fixture f;
    const QStringList cheats =
        f.program.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Star.jpg")});
    const QString folder = f.program.path(QStringLiteral("cheat"));
    f.program.sql(TestSql::InsertPhotoPreset, {cheats.at(0), cls});
    if (file.contains(QStringLiteral("%1")))
        file = file.arg(folder);
    if (!bytes.isEmpty())
        QVERIFY(WriteBytes(file, bytes));
    PhotoPresetDialog editor;
    QCOMPARE(Child<QComboBox>(&editor, "classBox")->currentText(), cls);
    Child<QLineEdit>(&editor, "entryEdit")->setText(file);
    Child<QPushButton>(&editor, "addButton")->click();
    QCOMPARE(f.prompts.messages, QStringList{message.contains(QStringLiteral("%1"))
                                                 ? message.arg(QFileInfo(file).absoluteFilePath())
                                                 : message});
    QCOMPARE(f.program.count(QStringLiteral("select count(*) from zb")), 1);
    QCOMPARE(Child<QSqlQueryModel>(&editor, "presetModel")->rowCount(), 1);
    // Kept, so the operator can put it right.
    QCOMPARE(Child<QLineEdit>(&editor, "entryEdit")->text(), file);
}

void TestPresetEditors::wordPresets_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // empty: refused
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << QStringLiteral("Guest Star") << QStringLiteral("Guest Star")
                           << QString();
    QTest::newRow("blanks around")
        << QStringLiteral("  Guest Star \t") << QStringLiteral("Guest Star") << QString();
    QTest::newRow("quotes, symbols and Chinese")
        << QStringLiteral("O'Neil \"Big\" 张伟 --%") << QStringLiteral("O'Neil \"Big\" 张伟 --%")
        << QString();
    QTest::newRow("same word, other class")
        << QStringLiteral("Earlier Guest") << QStringLiteral("Earlier Guest") << QString();
    QTest::newRow("empty") << QString() << QString()
                           << QStringLiteral("Please enter the cheat word.");
    QTest::newRow("blanks only") << QStringLiteral(" \t ") << QString()
                                 << QStringLiteral("Please enter the cheat word.");
    QTest::newRow("two lines (CR)") << QStringLiteral("Ann\rBob") << QString()
                                    << QStringLiteral("The cheat word must be one line.");
    QTest::newRow("two lines (LF)") << QStringLiteral("Ann\nBob") << QString()
                                    << QStringLiteral("The cheat word must be one line.");
    QTest::newRow("already listed, other letter case")
        << QStringLiteral("listed guest") << QString()
        << QStringLiteral("listed guest is already on the cheat list of First Prize.");
}

void TestPresetEditors::wordPresets() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    Fixture f;
    f.program.sql(TestSql::InsertWordPreset, {QStringLiteral("Listed Guest"), cls});
    f.program.sql(TestSql::InsertWordPreset,
                  {QStringLiteral("Earlier Guest"), QStringLiteral("Second Prize")});
    WordPresetDialog editor;
    QCOMPARE(Child<QComboBox>(&editor, "classBox")->currentText(), cls);
    Child<QLineEdit>(&editor, "entryEdit")->setText(typed);
    QTest::mouseClick(Child<QPushButton>(&editor, "addButton"), Qt::LeftButton);
    const QStringList before{QStringLiteral("Listed Guest"), QStringLiteral("Earlier Guest")};
    if (stored.isEmpty()) {
        QCOMPARE(f.prompts.messages, QStringList{message});
        QCOMPARE(Column(QStringLiteral("select wz from zb1 order by rowid")), before);
        QCOMPARE(Child<QLineEdit>(&editor, "entryEdit")->text(), typed);
        QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable")), before);
    } else {
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(Column(QStringLiteral("select wz from zb1 order by rowid")),
                 before + QStringList{stored});
        QCOMPARE(f.program.count(QStringLiteral("select count(*) from zb1 where wz=? and prize=?"),
                                 {stored, cls}),
                 1);
        QVERIFY(Child<QLineEdit>(&editor, "entryEdit")->text().isEmpty());
        QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable")),
                 before + QStringList{stored});
        QCOMPARE(GridColumn(Child<QTableView>(&editor, "presetTable"), 1).last(), cls);
        QCOMPARE(Child<QTableView>(&editor, "presetTable")->currentIndex().row(), 2);
    }
}

void TestPresetEditors::alreadyWonAsksFirst_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<bool>("keep");
    QTest::newRow("photo, kept") << true << true;
    QTest::newRow("photo, dropped") << true << false;
    QTest::newRow("word, kept") << false << true;
    QTest::newRow("word, dropped") << false << false;
}

void TestPresetEditors::alreadyWonAsksFirst() {
    QFETCH(bool, photo);
    QFETCH(bool, keep);
    Fixture f;
    const QStringList cheats =
        f.program.makePhotos(QStringLiteral("cheat"), {QStringLiteral("Star.jpg")});
    QString name;
    if (photo) {
        f.program.sql(TestSql::InsertPhotoWinner,
                      {cheats.at(0), QStringLiteral("Star.jpg"), QStringLiteral("Second Prize")});
        name = QStringLiteral("Star.jpg");
    } else {
        f.program.sql(TestSql::InsertWonWord,
                      {QStringLiteral("Ann Lee"), QStringLiteral("Second Prize")});
        name = QStringLiteral("Ann Lee");
    }
    auto editor = MakeEditor(photo);
    Child<QLineEdit>(editor.get(), "entryEdit")->setText(photo ? cheats.at(0) : name);
    f.prompts.yesNoAnswers << keep;
    Child<QPushButton>(editor.get(), "addButton")->click();
    QCOMPARE(f.prompts.questions.size(), 1);
    QVERIFY2(f.prompts.questions.at(0).startsWith(editor->windowTitle() + QLatin1Char('|') + name +
                                                  QStringLiteral(" has already won")),
             qPrintable(f.prompts.questions.at(0)));
    QVERIFY(f.prompts.messages.isEmpty());
    const QString table = photo ? QStringLiteral("zb") : QStringLiteral("zb1");
    QCOMPARE(f.program.count(QStringLiteral("select count(*) from ") + table), keep ? 1 : 0);
}

void TestPresetEditors::deleteAsksAndRemovesOneRow_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("left");
    const QStringList all{QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B")};
    // Two equal rows: deleting one must leave its twin.
    QTest::newRow("photo, one of two equal rows, OK")
        << true << 1 << true << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("photo, last row, OK")
        << true << 2 << true << QStringList{QStringLiteral("A"), QStringLiteral("A")};
    QTest::newRow("photo, Cancel") << true << 0 << false << all;
    QTest::newRow("word, one of two equal rows, OK")
        << false << 0 << true << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("word, last row, OK")
        << false << 2 << true << QStringList{QStringLiteral("A"), QStringLiteral("A")};
    QTest::newRow("word, Cancel") << false << 1 << false << all;
}

void TestPresetEditors::deleteAsksAndRemovesOneRow() {
    QFETCH(bool, photo);
    QFETCH(int, row);
    QFETCH(bool, confirm);
    QFETCH(QStringList, left);
    Fixture f;
    for (const char* v : {"A", "A", "B"}) {
        if (photo)
            f.program.sql(QStringLiteral("insert into zb(filename,class,rq) values(?,?,?)"),
                          {QLatin1String(v), cls, QStringLiteral("2026-01-31 20:00:00")});
        else
            f.program.sql(TestSql::InsertWordPreset, {QLatin1String(v), cls});
    }
    auto editor = MakeEditor(photo);
    QTableView* grid = Child<QTableView>(editor.get(), "presetTable");
    TableNavigator* navigator = Child<TableNavigator>(editor.get(), "presetNavigator");
    QCOMPARE(GridColumn(grid).size(), 3);
    QCOMPARE(grid->currentIndex().row(), 0);
    for (int i = 0; i < row; ++i)
        navigator->button(TableNavigator::Next)->click();
    QCOMPARE(grid->currentIndex().row(), row);
    f.prompts.confirmAnswers << confirm;
    navigator->button(TableNavigator::Delete)->click();
    QCOMPARE(f.prompts.questions, QStringList{QStringLiteral("Delete record?")});
    QVERIFY(f.prompts.messages.isEmpty());
    const QString table = photo ? QStringLiteral("zb") : QStringLiteral("zb1");
    const QString first = photo ? QStringLiteral("filename") : QStringLiteral("wz");
    QCOMPARE(Column(QStringLiteral("select %1 from %2 order by rowid").arg(first, table)), left);
    QCOMPARE(GridColumn(grid), left);
    QVERIFY(grid->currentIndex().isValid());
}

void TestPresetEditors::refreshAndRefusedDelete_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("photo") << true
                           << QStringList{QStringLiteral("filename"), QStringLiteral("class"),
                                          QStringLiteral("date")};
    QTest::newRow("word") << false << QStringList{QStringLiteral("name"), QStringLiteral("class")};
}

void TestPresetEditors::refreshAndRefusedDelete() {
    QFETCH(bool, photo);
    QFETCH(QStringList, titles);
    Fixture f;
    const QString insert = photo ? TestSql::InsertPhotoPreset : TestSql::InsertWordPreset;
    const QString table = photo ? QStringLiteral("zb") : QStringLiteral("zb1");
    const QString first = photo ? QStringLiteral("filename") : QStringLiteral("wz");
    f.program.sql(insert, {QStringLiteral("A"), cls});
    auto editor = MakeEditor(photo);
    QTableView* grid = Child<QTableView>(editor.get(), "presetTable");
    TableNavigator* navigator = Child<TableNavigator>(editor.get(), "presetNavigator");
    QCOMPARE(GridColumn(grid), QStringList{QStringLiteral("A")});

    // A row stored while the editor is open shows up on Refresh, under the same titles.
    f.program.sql(insert, {QStringLiteral("B"), cls});
    navigator->button(TableNavigator::Refresh)->click();
    QCOMPARE(GridColumn(grid), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    QCOMPARE(ShownTitles(grid), titles);

    // A delete the database refuses is told, and the row stays listed.
    f.program.sql(QStringLiteral("create trigger keep before delete on %1 "
                                 "begin select raise(abort, 'kept by rule'); end")
                      .arg(table));
    f.prompts.confirmAnswers << true;
    navigator->button(TableNavigator::Delete)->click();
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY2(f.prompts.messages.first().contains(QStringLiteral("kept by rule")),
             qPrintable(f.prompts.messages.first()));
    const QStringList both{QStringLiteral("A"), QStringLiteral("B")};
    QCOMPARE(Column(QStringLiteral("select %1 from %2 order by rowid").arg(first, table)), both);
    QCOMPARE(GridColumn(grid), both);
}

void TestPresetEditors::exitAndEscapeClose_data() {
    QTest::addColumn<bool>("photo");
    QTest::addColumn<bool>("escape");
    QTest::newRow("photo, exit") << true << false;
    QTest::newRow("photo, Esc") << true << true;
    QTest::newRow("word, exit") << false << false;
    QTest::newRow("word, Esc") << false << true;
}

void TestPresetEditors::exitAndEscapeClose() {
    QFETCH(bool, photo);
    QFETCH(bool, escape);
    Fixture f;
    auto editor = MakeEditor(photo);
    editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
    QLineEdit* edit = Child<QLineEdit>(editor.get(), "entryEdit");
    edit->setText(QStringLiteral("not stored"));
    if (escape)
        QTest::keyClick(edit, Qt::Key_Escape);
    else
        Child<QPushButton>(editor.get(), "closeButton")->click();
    QVERIFY(!editor->isVisible());
    QCOMPARE(editor->result(), int(QDialog::Rejected));
    QCOMPARE(f.program.count(QStringLiteral("select count(*) from zb")) +
                 f.program.count(QStringLiteral("select count(*) from zb1")),
             0);
}

QTEST_MAIN(TestPresetEditors)
#include "tst_preset_dialogs.moc"
