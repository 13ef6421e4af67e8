#pragma once

#include "currency.h"
#include "datetime.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace ledger {

// The column and expression types of the dialect.
enum class Type { Null, Boolean, Long, Currency, Double, Text, DateTime };

const char* typeName(Type type);

// A column's declared type: Text carries its width (in characters);
// an AutoNumber is a Long the database assigns.
struct ColumnType {
    Type type = Type::Null;
    int width = 0;
    bool autoNumber = false;

    friend bool operator==(const ColumnType&, const ColumnType&) = default;
};

// One cell: Null or a value of one of the types.
class Value {
public:
    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool b) : data_(b) {}
    Value(int v) : data_(static_cast<int64_t>(v)) {}
    Value(int64_t v) : data_(v) {}
    Value(double v) : data_(v) {}
    Value(Currency v) : data_(v) {}
    Value(const DateTime& v) : data_(v) {}
    Value(std::string v) : data_(std::move(v)) {}
    Value(const char* v) : data_(std::string(v)) {}
    Value(std::string_view v) : data_(std::string(v)) {}

    Type type() const;
    bool isNull() const { return data_.index() == 0; }

    bool asBool() const { return std::get<bool>(data_); }
    int64_t asLong() const { return std::get<int64_t>(data_); }
    double asDouble() const { return std::get<double>(data_); }
    Currency asCurrency() const { return std::get<Currency>(data_); }
    const DateTime& asDateTime() const { return std::get<DateTime>(data_); }
    const std::string& asText() const { return std::get<std::string>(data_); }

    // The value as a field shows it as text: money as a plain decimal without
    // trailing zeros, dates in the short date form (with the time when it is
    // not midnight), Null as empty text.
    std::string toText() const;

    // The value converted to a column type, as the engine converts values it
    // writes or compares: texts are read as numbers, money or dates. Throws
    // Error(Type) when the value cannot be converted, Error(Range) when it is
    // out of range, Error(Constraint) when a text is too long for its width.
    Value convertedTo(const ColumnType& target, std::string_view what = {}) const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, bool, int64_t, double, Currency, DateTime, std::string> data_;
};

// Number of characters (code points) of a UTF-8 text, as widths count them.
size_t characterCount(std::string_view utf8);

} // namespace ledger
