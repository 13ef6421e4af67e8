#include "grid_export.h"

#include "data_grid.h"
#include "guarded.h"
#include "message_boxes.h"

#include "ledger/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPointer>

namespace widgets {

std::vector<int> shownColumns(const DataGrid& grid)
{
    std::vector<int> columns;
    if (!grid.model())
        return columns;
    const QHeaderView* header = grid.view()->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (column >= 0 && !grid.view()->isColumnHidden(column))
            columns.push_back(column);
    }
    return columns;
}

ledger::ExportOutcome writeGridCsv(const DataGrid& grid, const QString& path, const ledger::ExportProgress& progress)
{
    const QueryModel* model = grid.model();
    if (!model)
        throw ledger::Error(ledger::Error::Kind::Usage, "表格“" + grid.objectName().toStdString() + "”还没有查询，不能导出");
    ledger::Query& query = model->query();
    const std::vector<int> columns = shownColumns(grid);
    std::vector<std::string> titles;
    std::vector<int> fields; // query field per shown column, -1 for a look-up
    for (int c : columns) {
        titles.push_back(model->headerData(c, Qt::Horizontal).toString().toStdString());
        fields.push_back(model->fieldOf(c));
    }

    // A progress dialog lets events through, and one of them may reopen
    // the grid's query; the rows counted at the start would then be gone.
    bool changed = false;
    const auto watch = query.subscribe([&](const ledger::QueryEvent& e) {
        using Kind = ledger::QueryEvent::Kind;
        if (e.kind != Kind::CurrentChanged && e.kind != Kind::StateChanged)
            changed = true;
    });
    const int64_t rows = model->rowCount();
    return ledger::exportCsv(
        QFile::encodeName(path).toStdString(), titles, rows,
        [&](int64_t row, size_t i) -> ledger::Value {
            if (changed)
                throw ledger::Error(ledger::Error::Kind::File, "导出时表格的内容变了，没有写入文件，请重新导出");
            const int r = static_cast<int>(row);
            if (fields[i] >= 0)
                return query.value(r, fields[i]);
            const QString text = model->displayText(r, columns[i]);
            return text.isEmpty() ? ledger::Value() : ledger::Value(text.toStdString());
        },
        progress);
}

QString suggestedCsvPath(const DataGrid& grid, const QString& name, const QDate& day)
{
    QString folder;
    if (const ledger::Query* query = grid.query(); query && !query->connection().path().empty()) {
        const QFileInfo ledgerFile(QFile::decodeName(query->connection().path().c_str()));
        if (ledgerFile.absoluteDir().exists())
            folder = ledgerFile.absolutePath();
    }
    if (folder.isEmpty())
        folder = QDir::homePath();
    QString stem = name.isEmpty() ? QStringLiteral("表格") : name;
    stem.replace(QLatin1Char('/'), QLatin1Char('-'));
    return QDir(folder).filePath(stem + QLatin1Char('-') + day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv"));
}

void exportGridAsCsv(DataGrid& grid, const QString& name)
{
    MessageBoxes& boxes = messageBoxesFor(&grid);
    const QString path = boxes.fileToSave(&grid, QStringLiteral("导出为 CSV"), suggestedCsvPath(grid, name, QDate::currentDate()),
                                          QStringLiteral("CSV 文件 (*.csv);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    // The grid may go while the progress dialog lets events through.
    const QPointer<DataGrid> alive(&grid);
    ledger::ExportOutcome outcome;
    int64_t rows = 0;
    try {
        const MessageBoxes::Progress progress = boxes.progress(&grid, QStringLiteral("正在导出到 CSV 文件…"));
        outcome = writeGridCsv(grid, path, [&](int64_t done, int64_t total) {
            rows = total;
            if (!alive)
                throw ledger::Error(ledger::Error::Kind::File, "表格已关闭，没有写入文件");
            return progress(done, total);
        });
    } catch (const std::exception& e) {
        if (alive)
            boxes.refusal(&grid, QStringLiteral("导出失败：") + QString::fromStdString(e.what()));
        return;
    }
    if (outcome == ledger::ExportOutcome::Written && alive)
        boxes.information(&grid, QStringLiteral("已导出 %1 行到“%2”").arg(rows).arg(QDir::toNativeSeparators(path)));
}

} // namespace widgets
