#include "csv_export.h"

#include "backup.h"
#include "error.h"
#include "number_format.h"

#include <filesystem>

namespace ledger {

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
constexpr size_t kFlushBytes = 1 << 20;
constexpr int64_t kProgressRows = 1000;

// Thrown from inside a row sink to stop reading.
struct Cancelled {};

bool needsQuotes(const std::string& field)
{
    return field.find_first_of(",\"\r\n") != std::string::npos;
}

} // namespace

std::string plainMoney(Currency amount)
{
    const int64_t raw = amount.raw();
    const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    std::string fraction = std::to_string(magnitude % Currency::kScale);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (fraction.size() > 2 && fraction.back() == '0')
        fraction.pop_back();
    return (raw < 0 ? "-" : "") + std::to_string(magnitude / Currency::kScale) + "." + fraction;
}

std::string csvCellText(const Value& value)
{
    switch (value.type()) {
    case Type::Null: return {};
    case Type::Currency: return plainMoney(value.asCurrency());
    case Type::DateTime: {
        const DateTime d = value.asDateTime();
        return d.hasTime() ? d.canonical() : d.isoDate();
    }
    case Type::Double: return formatGeneral(value.asDouble());
    case Type::Text: return std::string(value.asText());
    case Type::Long:
    case Type::Boolean: return value.toText();
    }
    return value.toText();
}

void appendCsvLine(std::string& out, const std::vector<std::string>& fields)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        const std::string& f = fields[i];
        if (!needsQuotes(f)) {
            out += f;
            continue;
        }
        out += '"';
        for (char c : f) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

CsvWriter::CsvWriter(const std::string& path, const std::vector<std::string>& titles) : path_(path)
{
    const std::filesystem::path target(path);
    // An export cut short by a crash leaves its temporary; the next one to the same file clears it.
    const std::string folder = target.parent_path().string(), stem = target.filename().string();
    PendingFile::removeStale(folder, stem);
    file_ = std::make_unique<PendingFile>(folder, stem);
    buffer_ = kByteOrderMark;
    appendCsvLine(buffer_, titles);
}

CsvWriter::~CsvWriter() = default;

void CsvWriter::writeRow(const std::vector<std::string>& fields)
{
    appendCsvLine(buffer_, fields);
    if (buffer_.size() >= kFlushBytes)
        flush();
}

void CsvWriter::writeRow(const Row& cells)
{
    fields_.resize(cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
        fields_[i] = csvCellText(cells[i]);
    writeRow(fields_);
}

void CsvWriter::flush()
{
    file_->write(buffer_);
    buffer_.clear();
}

void CsvWriter::finish()
{
    flush();
    file_->commit(path_, true);
}

ExportOutcome exportCsv(const std::string& path, const std::vector<std::string>& titles, int64_t rowCount,
                        const std::function<Value(int64_t row, size_t column)>& cell, const ExportProgress& progress)
{
    CsvWriter writer(path, titles);
    Row row(titles.size());
    for (int64_t r = 0; r < rowCount; ++r) {
        if (progress && r % kProgressRows == 0 && !progress(r, rowCount))
            return ExportOutcome::Cancelled;
        for (size_t c = 0; c < titles.size(); ++c)
            row[c] = cell(r, c);
        writer.writeRow(row);
    }
    if (progress && !progress(rowCount, rowCount))
        return ExportOutcome::Cancelled;
    writer.finish();
    return ExportOutcome::Written;
}

const std::string& allRecordsStatement()
{
    static const std::string statement =
        "select s_shouru.s_date, s_shouru.f_class, category.f_name, s_fenlei.f_name, s_shouru.s_jine, "
        "s_user.sys_name, z_zhanghu.z_name, s_shouru.s_other "
        "from (((s_shouru left join s_fenlei on s_shouru.f_fenleiid = s_fenlei.id) "
        "left join s_fenlei as category on s_fenlei.f_id = category.id) "
        "left join s_user on s_shouru.s_userid = s_user.id) "
        "left join z_zhanghu on s_shouru.s_zhanghuid = z_zhanghu.id "
        "order by s_shouru.s_date, s_shouru.id";
    return statement;
}

const std::vector<std::string>& allRecordsTitles()
{
    static const std::vector<std::string> titles = {"日期", "收支", "大类", "项目", "金额", "收付款人", "账户", "备注"};
    return titles;
}

ExportOutcome exportAllRecords(Connection& ledger, const std::string& path, const ExportProgress& progress)
{
    const ResultSet count = ledger.select("select count(*) from s_shouru");
    const int64_t total = count.rows.empty() ? 0 : count.rows[0][0].asLong();
    CsvWriter writer(path, allRecordsTitles());
    int64_t written = 0;
    try {
        ledger.select(allRecordsStatement(), {}, [&](Row&& row) {
            if (progress && written % kProgressRows == 0 && !progress(written, total))
                throw Cancelled{};
            const Value& klass = row[1];
            if (klass.type() == Type::Text && klass.asText() == "S")
                row[1] = Value("收入");
            else if (klass.type() == Type::Text && klass.asText() == "Z")
                row[1] = Value("支出");
            writer.writeRow(row);
            ++written;
        });
    } catch (const Cancelled&) {
        return ExportOutcome::Cancelled;
    }
    if (progress && !progress(written, written))
        return ExportOutcome::Cancelled;
    writer.finish();
    return ExportOutcome::Written;
}

} // namespace ledger
