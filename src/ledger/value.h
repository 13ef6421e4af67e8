#pragma once

#include "currency.h"
#include "datetime.h"

#include <cstdint>
#include <string>
#include <string_view>

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

// One cell: Null or a value of one of the types. Sixteen bytes, so the
// rows of a big ledger stay compact: short texts (up to 14 bytes, such as
// a name of four Chinese characters) are kept inline, longer ones on the heap.
class Value {
public:
    Value() { raw_[kTypeByte] = static_cast<char>(Type::Null); }
    Value(std::nullptr_t) : Value() {}
    Value(bool b) { setInteger(Type::Boolean, b ? 1 : 0); }
    Value(int v) { setInteger(Type::Long, v); }
    Value(int64_t v) { setInteger(Type::Long, v); }
    Value(double v);
    Value(Currency v) { setInteger(Type::Currency, v.raw()); }
    Value(const DateTime& v);
    Value(std::string_view v) { setText(v); }
    Value(const std::string& v) { setText(v); }
    Value(const char* v) { setText(v); }

    Value(const Value& other);
    Value(Value&& other) noexcept;
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;
    ~Value() { release(); }

    Type type() const { return static_cast<Type>(raw_[kTypeByte]); }
    bool isNull() const { return type() == Type::Null; }

    bool asBool() const { return integer() != 0; }
    int64_t asLong() const { return integer(); }
    double asDouble() const;
    Currency asCurrency() const { return Currency::fromRaw(integer()); }
    DateTime asDateTime() const;
    std::string_view asText() const;

    // The value as a field shows it as text: money as a plain decimal without
    // trailing zeros, dates in the short date form (with the time when it is
    // not midnight), Null as empty text.
    std::string toText() const;

    // The value converted to a column type, as the engine converts values it
    // writes or compares: texts are read as numbers, money or dates. Throws
    // Error(Type) when the value cannot be converted, Error(Range) when it is
    // out of range, Error(Constraint) when a text is too long for its width.
    Value convertedTo(const ColumnType& target, std::string_view what = {}) const;

    friend bool operator==(const Value& a, const Value& b);

private:
    static constexpr size_t kTypeByte = 15;
    static constexpr size_t kLengthByte = 14;
    static constexpr size_t kInline = 14;
    // The heap text marker in the length byte.
    static constexpr unsigned char kHeap = 0xFF;

    int64_t integer() const;
    void setInteger(Type type, int64_t v);
    void setText(std::string_view text);
    bool onHeap() const { return type() == Type::Text && static_cast<unsigned char>(raw_[kLengthByte]) == kHeap; }
    const std::string* heap() const;
    void release();

    alignas(8) char raw_[16] = {};
};

static_assert(sizeof(Value) == 16);

// Number of characters (code points) of a UTF-8 text, as widths count them.
size_t characterCount(std::string_view utf8);

} // namespace ledger
