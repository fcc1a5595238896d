// The record navigator over table and query models.
#include "support/ScriptedPrompts.h"
#include "ui/common/TableNavigator.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const QString kConnection = QStringLiteral("navigator_test");

QSqlDatabase TestDb() {
    return QSqlDatabase::database(kConnection);
}

void Exec(const QString& sql) {
    QSqlQuery q(TestDb());
    QVERIFY2(q.exec(sql), qPrintable(q.lastError().text() + QStringLiteral(": ") + sql));
}

qlonglong Count(const QString& sql) {
    QSqlQuery q(TestDb());
    return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
}

QStringList Names(QAbstractItemModel* m) {
    QStringList out;
    for (int r = 0; r < m->rowCount(); ++r)
        out << m->data(m->index(r, 1)).toString();
    return out;
}

// The open cell editor; closed ones linger hidden until deleted.
QLineEdit* OpenEditor(QTableView* view) {
    for (QLineEdit* e : view->viewport()->findChildren<QLineEdit*>())
        if (!e->isHidden())
            return e;
    return nullptr;
}

} // namespace

class TestDBNavigator : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheButtonsAskedFor();
    void movesThroughEveryRow();
    void insertPostEditCancel();
    void deleteAsksWithTheCallersText();
    void refusedDeleteGoesToTheErrorReport();
    void readOnlyModelDeletesThroughAHandler();
    void refreshRereadsTheData();
    void withoutAViewNothingHappens();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<QTableView> m_view;
    std::unique_ptr<TableNavigator> m_nav;
    QSqlTableModel* table(QSqlTableModel::EditStrategy strategy = QSqlTableModel::OnManualSubmit) {
        auto* m = new QSqlTableModel(m_view.get(), TestDb());
        m->setTable(QStringLiteral("t"));
        m->setEditStrategy(strategy);
        m->setSort(0, Qt::AscendingOrder);
        m->select();
        m_view->setModel(m);
        m_view->setCurrentIndex(m->index(0, 1));
        m_nav->setView(m_view.get());
        return m;
    }
    QSqlQueryModel* query() {
        auto* m = new QSqlQueryModel(m_view.get());
        m->setQuery(QStringLiteral("select id, name from t order by id"), TestDb());
        m_view->setModel(m);
        m_view->setCurrentIndex(m->index(0, 1));
        m_nav->setView(m_view.get());
        return m;
    }
};

void TestDBNavigator::init() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(m_dir.filePath(QStringLiteral("nav.sqlite")));
    QVERIFY(db.open());
    Exec(QStringLiteral("drop table if exists t"));
    Exec(QStringLiteral("create table t(id integer primary key, name text)"));
    QSqlQuery q(db);
    db.transaction();
    q.prepare(QStringLiteral("insert into t(id, name) values(?, ?)"));
    for (int i = 1; i <= 600; ++i) {
        q.bindValue(0, i);
        q.bindValue(1, QStringLiteral("n%1").arg(i));
        QVERIFY(q.exec());
    }
    db.commit();
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_view = std::make_unique<QTableView>();
    m_nav = std::make_unique<TableNavigator>();
    m_view->show();
}

void TestDBNavigator::cleanup() {
    m_nav.reset();
    m_view.reset();
    m_prompts.reset();
    QSqlDatabase::database(kConnection).close();
    QSqlDatabase::removeDatabase(kConnection);
}

void TestDBNavigator::showsTheButtonsAskedFor() {
    QCOMPARE(m_nav->visibleButtons(), TableNavigator::AllButtons);
    m_nav->setVisibleButtons(TableNavigator::First | TableNavigator::Last |
                             TableNavigator::Refresh);
    QStringList shown;
    for (QToolButton* b : m_nav->findChildren<QToolButton*>())
        if (!b->isHidden())
            shown << b->objectName();
    shown.sort();
    QCOMPARE(shown, (QStringList{QStringLiteral("firstButton"), QStringLiteral("lastButton"),
                                 QStringLiteral("refreshButton")}));
    QCOMPARE(m_nav->button(TableNavigator::Next)->toolTip(), QStringLiteral("Next record"));
    m_nav->setShowHints(false);
    QVERIFY(m_nav->button(TableNavigator::Next)->toolTip().isEmpty());
    QCOMPARE(m_nav->findChildren<QToolButton*>().size(), 10);
}

void TestDBNavigator::movesThroughEveryRow() {
    query();
    QSignalSpy clicks(m_nav.get(), &TableNavigator::clicked);
    QVERIFY(!m_nav->button(TableNavigator::First)->isEnabled());
    QVERIFY(m_nav->button(TableNavigator::Next)->isEnabled());
    // Read-only: nothing but moving and refreshing.
    for (auto b : {TableNavigator::Insert, TableNavigator::Delete, TableNavigator::Edit,
                   TableNavigator::Post, TableNavigator::Cancel})
        QVERIFY(!m_nav->button(b)->isEnabled());
    m_nav->button(TableNavigator::Next)->click();
    QCOMPARE(m_nav->currentRow(), 1);
    // Last reaches the last row even beyond the rows fetched so far.
    m_nav->button(TableNavigator::Last)->click();
    QCOMPARE(m_nav->currentRow(), 599);
    QCOMPARE(m_view->currentIndex().data().toString(), QStringLiteral("n600"));
    QVERIFY(!m_nav->button(TableNavigator::Next)->isEnabled());
    QVERIFY(!m_nav->button(TableNavigator::Last)->isEnabled());
    m_nav->button(TableNavigator::Prior)->click();
    QCOMPARE(m_nav->currentRow(), 598);
    m_nav->button(TableNavigator::First)->click();
    QCOMPARE(m_nav->currentRow(), 0);
    QCOMPARE(clicks.size(), 4);
    QCOMPARE(clicks.at(1).at(0).value<TableNavigator::Button>(), TableNavigator::Last);
}

void TestDBNavigator::insertPostEditCancel() {
    QSqlTableModel* m = table();
    m_view->setCurrentIndex(m->index(2, 1));
    const int rows = m->rowCount();
    m_nav->button(TableNavigator::Insert)->click();
    QCOMPARE(m->rowCount(), rows + 1);
    QCOMPARE(m_nav->currentRow(), 2);
    QLineEdit* editor = OpenEditor(m_view.get());
    QVERIFY(editor);
    QTest::keyClicks(editor, QStringLiteral("fresh"));
    QVERIFY(m_nav->button(TableNavigator::Post)->isEnabled());
    m_nav->button(TableNavigator::Post)->click();
    QCOMPARE(Count(QStringLiteral("select count(*) from t where name='fresh'")), 1);
    QCOMPARE(Count(QStringLiteral("select count(*) from t")), 601);

    // Edit, type, cancel: the table keeps its value.
    m_view->setCurrentIndex(m->index(0, 1));
    m_nav->button(TableNavigator::Edit)->click();
    editor = OpenEditor(m_view.get());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("changed"));
    m_nav->button(TableNavigator::Cancel)->click();
    QCOMPARE(Count(QStringLiteral("select count(*) from t where name='changed'")), 0);
    QCOMPARE(m->data(m->index(0, 1)).toString(), QStringLiteral("n1"));
}

void TestDBNavigator::deleteAsksWithTheCallersText() {
    QSqlTableModel* m = table();
    m_nav->setDeleteConfirmation(QStringLiteral("Remove this word?"));
    m_view->setCurrentIndex(m->index(4, 1));
    m_prompts->confirmAnswers << false << true;
    m_nav->button(TableNavigator::Delete)->click();
    QCOMPARE(m_prompts->questions, QStringList{QStringLiteral("Remove this word?")});
    QCOMPARE(Count(QStringLiteral("select count(*) from t")), 600);
    m_nav->button(TableNavigator::Delete)->click();
    QCOMPARE(Count(QStringLiteral("select count(*) from t where name='n5'")), 0);
    QCOMPARE(m_nav->currentRow(), 4);
    QCOMPARE(m_view->currentIndex().data().toString(), QStringLiteral("n6"));

    // No question when the text is empty; immediate strategy.
    QSqlTableModel* now = table(QSqlTableModel::OnRowChange);
    m_nav->setDeleteConfirmation(QString());
    m_view->setCurrentIndex(now->index(0, 1));
    m_nav->button(TableNavigator::Delete)->click();
    QCOMPARE(m_prompts->questions.size(), 2);
    QCOMPARE(Count(QStringLiteral("select count(*) from t where name='n1'")), 0);
}

void TestDBNavigator::refusedDeleteGoesToTheErrorReport() {
    Exec(QStringLiteral(
        "create trigger keep before delete on t begin select raise(abort, 'kept by rule'); end"));
    QSqlTableModel* m = table();
    QSignalSpy clicks(m_nav.get(), &TableNavigator::clicked);
    m_prompts->confirmAnswers << true;
    m_nav->button(TableNavigator::Delete)->click();
    QCOMPARE(m_prompts->messages.size(), 1);
    QVERIFY2(m_prompts->messages.first().contains(QStringLiteral("kept by rule")),
             qPrintable(m_prompts->messages.first()));
    QCOMPARE(Count(QStringLiteral("select count(*) from t")), 600);
    QCOMPARE(m->data(m->index(0, 1)).toString(), QStringLiteral("n1"));
    QCOMPARE(clicks.size(), 0);
}

void TestDBNavigator::readOnlyModelDeletesThroughAHandler() {
    QSqlQueryModel* m = query();
    QVERIFY(!m_nav->button(TableNavigator::Delete)->isEnabled());
    m_nav->setDeleteHandler([&](int row) {
        QSqlQuery q(TestDb());
        q.prepare(QStringLiteral("delete from t where id=?"));
        q.bindValue(0, m->record(row).value(0));
        if (!q.exec())
            return false;
        m->setQuery(QStringLiteral("select id, name from t order by id"), TestDb());
        return true;
    });
    m_nav->updateButtons();
    QVERIFY(m_nav->button(TableNavigator::Delete)->isEnabled());
    m_view->setCurrentIndex(m->index(1, 1));
    m_prompts->confirmAnswers << true;
    m_nav->button(TableNavigator::Delete)->click();
    QCOMPARE(Count(QStringLiteral("select count(*) from t where name='n2'")), 0);
    QCOMPARE(m_view->currentIndex().data().toString(), QStringLiteral("n3"));
}

void TestDBNavigator::refreshRereadsTheData() {
    QSqlQueryModel* q = query();
    Exec(QStringLiteral("update t set name='renamed' where id=1"));
    QCOMPARE(Names(q).first(), QStringLiteral("n1"));
    m_nav->button(TableNavigator::Refresh)->click();
    QCOMPARE(Names(q).first(), QStringLiteral("renamed"));

    QSqlTableModel* t = table();
    Exec(QStringLiteral("update t set name='again' where id=1"));
    m_nav->button(TableNavigator::Refresh)->click();
    QCOMPARE(t->data(t->index(0, 1)).toString(), QStringLiteral("again"));
    QCOMPARE(m_nav->currentRow(), 0);
}

void TestDBNavigator::withoutAViewNothingHappens() {
    QSignalSpy clicks(m_nav.get(), &TableNavigator::clicked);
    for (int b = TableNavigator::First; b <= TableNavigator::Refresh; b <<= 1)
        m_nav->click(TableNavigator::Button(b));
    QCOMPARE(clicks.size(), 10);
    QVERIFY(m_prompts->messages.isEmpty());
    QVERIFY(m_prompts->questions.isEmpty());
}

QTEST_MAIN(TestDBNavigator)
#include "tst_tablenavigator.moc"
