#pragma once

#include "connection.h"
#include "value.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ledger {

class PendingFile;

// Money as a spreadsheet reads it: a plain decimal with at least two
// places, more only where the amount has them (12.5 → 12.50, -80 → -80.00,
// 1.2345 stays 1.2345). Exact: made from the fixed-point count.
std::string plainMoney(Currency amount);

// A cell of an export: money as plainMoney, dates as YYYY-MM-DD (with
// " HH:MM:SS" only when there is a time), numbers in the general format,
// Null as empty, text as it is.
std::string csvCellText(const Value& value);

// Appends one CSV line: fields separated by commas, each quoted when it
// holds a comma, a quote or a line break (quotes inside doubled), ended by
// CRLF.
void appendCsvLine(std::string& out, const std::vector<std::string>& fields);

// Rows written so far and rows in all; returning false cancels the export.
using ExportProgress = std::function<bool(int64_t written, int64_t total)>;
enum class ExportOutcome { Written, Cancelled };

// A CSV file in UTF-8 with a byte-order mark (so that spreadsheets take the
// Chinese text as UTF-8), written under a temporary name and given its name
// by finish(). Until then, and when the writer goes unfinished (an error, a
// cancel), no file is left and a file already under the name is untouched.
// Throws Error(File) with the reason when the file cannot be written.
class CsvWriter {
public:
    CsvWriter(const std::string& path, const std::vector<std::string>& titles);
    ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    void writeRow(const std::vector<std::string>& fields);
    void writeRow(const Row& cells);
    void finish();

private:
    void flush();
    std::string path_;
    std::unique_ptr<PendingFile> file_;
    std::string buffer_;
    std::vector<std::string> fields_;
};

// A grid as it is shown: its visible columns' titles, then `rowCount` rows
// whose cells `cell(row, column)` gives. `progress` hears about every
// thousand rows.
ExportOutcome exportCsv(const std::string& path, const std::vector<std::string>& titles, int64_t rowCount,
                        const std::function<Value(int64_t row, size_t column)>& cell, const ExportProgress& progress = {});

// Every income and expenditure record in date order (records of one day in
// the order they were entered): date, class (收入/支出), category, item,
// amount, payer, account, note. Item, category, user and account are looked
// up with left joins, so a record whose item, user or account is gone still
// comes, with that name empty.
const std::string& allRecordsStatement();
const std::vector<std::string>& allRecordsTitles();
ExportOutcome exportAllRecords(Connection& ledger, const std::string& path, const ExportProgress& progress = {});

} // namespace ledger
