#include "ui/winners/WinnersGrid.h"

#include "core/data/Database.h"
#include "formats/Errors.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/ReportLibrary.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableView>

void FetchAllRows(QAbstractItemModel* model) {
    for (int before = -1;
         model && model->canFetchMore(QModelIndex()) && model->rowCount() != before;) {
        before = model->rowCount();
        model->fetchMore(QModelIndex());
    }
}

QAction* AddButtonAction(QObject* window, QPushButton* button, const QString& name,
                         const QString& text) {
    auto* action = new QAction(text, window);
    action->setObjectName(name);
    button->setText(action->text());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    return action;
}

void PrintWinners(QWidget* window, const QString& statement) {
    Database* data = Database::instance();
    if (!data)
        throw DatabaseError(QCoreApplication::translate("WinnersGrid", "The database is not open"));
    const ReportLibrary::Outcome done = ReportLibrary::AnyReport(
        data->filePath(), statement, QCoreApplication::translate("WinnersGrid", "Winner"));
    if (!done.ok)
        UserPrompts::instance().message(
            window,
            QCoreApplication::translate("WinnersGrid", "The winners could not be printed.\n%1")
                .arg(done.error));
}

void SetUpWinnersGrid(QTableView* grid, int rowHeight) {
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setTabKeyNavigation(false);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    grid->horizontalHeader()->setSectionsMovable(true);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(
        std::max(rowHeight, grid->fontMetrics().height() + 4));
}

void SetColumnWidthInChars(QTableView* grid, int column, int chars) {
    const QFontMetrics fm = grid->fontMetrics();
    grid->setColumnWidth(column, chars * fm.averageCharWidth() +
                                     2 * fm.horizontalAdvance(QLatin1Char(' ')));
}

QString DateTimeDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    if (value.isNull())
        return {};
    QDateTime when = value.toDateTime();
    if (!when.isValid()) {
        const QString text = value.toString().trimmed();
        for (const char* f :
             {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm"}) {
            when = QDateTime::fromString(text, QLatin1String(f));
            if (when.isValid())
                break;
        }
        if (!when.isValid())
            when = QDateTime::fromString(text, Qt::ISODate);
    }
    if (!when.isValid())
        return QStyledItemDelegate::displayText(value, locale);
    return locale.toString(when, QLocale::ShortFormat);
}
