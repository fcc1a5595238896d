#include "WinnersGrid.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QTableView>

void FetchAllRows(QAbstractItemModel* model) {
    for (int before = -1;
         model && model->canFetchMore(QModelIndex()) && model->rowCount() != before;) {
        before = model->rowCount();
        model->fetchMore(QModelIndex());
    }
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
