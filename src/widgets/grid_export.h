#pragma once

#include "ledger/csv_export.h"

#include <QDate>
#include <QString>

#include <vector>

namespace widgets {

class DataGrid;

// The model columns a person sees, left to right: hidden ones left out,
// moved ones where they were moved to.
std::vector<int> shownColumns(const DataGrid& grid);

// Writes what the grid shows to a CSV file: the shown columns' titles, then
// every row, look-up columns with the looked-up names and every other cell
// from its exact value (money as a plain decimal, dates as YYYY-MM-DD; see
// ledger::csvCellText). Throws ledger::Error(File) with the reason when the
// file cannot be written, and also when the grid's rows change while it is
// being written; either way no file is left and one already there is kept.
ledger::ExportOutcome writeGridCsv(const DataGrid& grid, const QString& path, const ledger::ExportProgress& progress = {});

// Where the save dialog starts: "<name>-YYYY-MM-DD.csv" in the ledger's
// folder, or in the home folder when the grid's ledger has none.
QString suggestedCsvPath(const DataGrid& grid, const QString& name, const QDate& day);

// What the grid's "导出为 CSV…" does: asks for the file through the grid's
// message boxes, writes it under a cancellable progress dialog and tells of
// the result; a failure is a refusal box with the reason.
void exportGridAsCsv(DataGrid& grid, const QString& name);

} // namespace widgets
