#include "ui/winners/GridExport.h"

#include "formats/Errors.h"
#include "formats/SafeWrite.h"
#include "ui/common/UserPrompts.h"
#include "ui/winners/WinnersGrid.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>

QString XlsDialogFileName(const QString& chosen) {
    if (chosen.isEmpty())
        return chosen;
    if (QFileInfo(chosen).suffix().compare(QLatin1String("xls"), Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + QStringLiteral(".xls");
}

QString SpreadsheetExportFileName(const QString& fileName) {
    if (fileName.contains(QStringLiteral(".xls"), Qt::CaseSensitive))
        return fileName;
    return fileName + QStringLiteral(".xls");
}

Sylk::Sheet GridSheet(QTableView* grid) {
    Sylk::Sheet sheet;
    QAbstractItemModel* model = grid ? grid->model() : nullptr;
    if (!model)
        return sheet;
    // Every row of the data, not only those fetched so far.
    FetchAllRows(model);

    QList<int> columns;
    const QHeaderView* header = grid->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (logical >= 0 && !grid->isColumnHidden(logical))
            columns << logical;
    }
    const qreal charWidth = std::max(1, grid->fontMetrics().averageCharWidth());

    sheet.setText(1, 1, QStringLiteral("#"));
    sheet.setColumnWidth(1, 10);
    for (int i = 0; i < columns.size(); ++i) {
        const int c = columns.at(i);
        sheet.setText(1, i + 2, model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        int width = model->headerData(c, Qt::Horizontal, DisplayWidthRole).toInt();
        if (width <= 0)
            width = std::max(1, qRound(grid->columnWidth(c) / charWidth));
        sheet.setColumnWidth(i + 2, width);
    }
    for (int r = 0; r < model->rowCount(); ++r) {
        sheet.setNumber(r + 2, 1, r + 1);
        for (int i = 0; i < columns.size(); ++i) {
            const QVariant v = model->data(model->index(r, columns.at(i)), Qt::DisplayRole);
            if (v.isNull())
                continue;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
            case QMetaType::Double:
                sheet.setNumber(r + 2, i + 2, v.toDouble());
                break;
            default:
                sheet.setText(r + 2, i + 2, v.toString());
            }
        }
    }
    return sheet;
}

void ExportGridToSpreadsheet(QTableView* grid, const QString& title, const QString& fileName) {
    Q_UNUSED(title);
    const QString target = SpreadsheetExportFileName(fileName);
    const QByteArray bytes = Sylk::Write(GridSheet(grid));
    QString error;
    if (!SafeWrite::WriteFile(target, bytes, &error))
        throw KalvoroError(
            QCoreApplication::translate("GridExport", "The list could not be exported.\n%1")
                .arg(error));
    UserPrompts::instance().shellOpen(target);
}
