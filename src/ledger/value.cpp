#include "value.h"

#include "error.h"
#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace ledger {

const char* typeName(Type type)
{
    switch (type) {
    case Type::Null: return "空值";
    case Type::Boolean: return "是/否";
    case Type::Long: return "长整型";
    case Type::Currency: return "货币";
    case Type::Double: return "双精度";
    case Type::Text: return "文本";
    case Type::DateTime: return "日期/时间";
    }
    return "";
}

// ---- storage ------------------------------------------------------------------

namespace {

// The inverse of DateTime::orderKey.
DateTime unpackDate(int64_t v)
{
    DateTime d;
    d.second = static_cast<int>(v % 64);
    v /= 64;
    d.minute = static_cast<int>(v % 64);
    v /= 64;
    d.hour = static_cast<int>(v % 32);
    v /= 32;
    d.day = static_cast<int>(v % 32);
    v /= 32;
    d.month = static_cast<int>(v % 16);
    d.year = static_cast<int>(v / 16);
    return d;
}

} // namespace

Value::Value(double v)
{
    std::memcpy(raw_, &v, sizeof v);
    raw_[kTypeByte] = static_cast<char>(Type::Double);
}

Value::Value(const DateTime& v)
{
    setInteger(Type::DateTime, v.orderKey());
}

Value::Value(const Value& other)
{
    std::memcpy(raw_, other.raw_, sizeof raw_);
    if (other.onHeap()) {
        auto* copy = new std::string(*other.heap());
        std::memcpy(raw_, &copy, sizeof copy);
    }
}

Value::Value(Value&& other) noexcept
{
    std::memcpy(raw_, other.raw_, sizeof raw_);
    other.raw_[kTypeByte] = static_cast<char>(Type::Null);
}

Value& Value::operator=(const Value& other)
{
    if (this != &other) {
        Value copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Value& Value::operator=(Value&& other) noexcept
{
    if (this != &other) {
        release();
        std::memcpy(raw_, other.raw_, sizeof raw_);
        other.raw_[kTypeByte] = static_cast<char>(Type::Null);
    }
    return *this;
}

void Value::release()
{
    if (onHeap())
        delete heap();
    raw_[kTypeByte] = static_cast<char>(Type::Null);
}

int64_t Value::integer() const
{
    int64_t v;
    std::memcpy(&v, raw_, sizeof v);
    return v;
}

void Value::setInteger(Type type, int64_t v)
{
    std::memcpy(raw_, &v, sizeof v);
    raw_[kTypeByte] = static_cast<char>(type);
}

void Value::setText(std::string_view text)
{
    if (text.size() <= kInline) {
        std::memcpy(raw_, text.data(), text.size());
        raw_[kLengthByte] = static_cast<char>(text.size());
    } else {
        auto* heapText = new std::string(text);
        std::memcpy(raw_, &heapText, sizeof heapText);
        raw_[kLengthByte] = static_cast<char>(kHeap);
    }
    raw_[kTypeByte] = static_cast<char>(Type::Text);
}

const std::string* Value::heap() const
{
    const std::string* p;
    std::memcpy(&p, raw_, sizeof p);
    return p;
}

double Value::asDouble() const
{
    double v;
    std::memcpy(&v, raw_, sizeof v);
    return v;
}

DateTime Value::asDateTime() const
{
    return unpackDate(integer());
}

std::string_view Value::asText() const
{
    if (onHeap())
        return *heap();
    return std::string_view(raw_, static_cast<unsigned char>(raw_[kLengthByte]));
}

bool operator==(const Value& a, const Value& b)
{
    if (a.type() != b.type())
        return false;
    switch (a.type()) {
    case Type::Null: return true;
    case Type::Double: return a.asDouble() == b.asDouble();
    case Type::Text: return a.asText() == b.asText();
    default: return a.integer() == b.integer();
    }
}

// ---- conversions ----------------------------------------------------------------

std::string Value::toText() const
{
    switch (type()) {
    case Type::Null: return {};
    case Type::Boolean: return asBool() ? "True" : "False";
    case Type::Long: return std::to_string(asLong());
    case Type::Double: return formatGeneral(asDouble());
    case Type::Currency: return asCurrency().toString();
    case Type::DateTime: return formatDateTimeText(asDateTime());
    case Type::Text: return std::string(asText());
    }
    return {};
}

size_t characterCount(std::string_view utf8)
{
    size_t count = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}

namespace {

std::string describe(std::string_view what)
{
    return what.empty() ? std::string() : std::string(what) + "：";
}

[[noreturn]] void mismatch(const Value& v, Type target, std::string_view what)
{
    throw Error(Error::Kind::Type, describe(what) + "类型不匹配，“" + v.toText() + "”不能转换为" + typeName(target));
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A decimal text as a number: whole numbers stay exact as Long.
std::optional<Value> numberFromText(std::string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    int64_t whole = 0;
    const char* first = text.data();
    if (*first == '+' && text.size() > 1)
        ++first;
    auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), whole);
    if (ec == std::errc() && ptr == text.data() + text.size())
        return Value(whole);
    double d = 0;
    auto [ptr2, ec2] = std::from_chars(first, text.data() + text.size(), d);
    if (ec2 == std::errc() && ptr2 == text.data() + text.size() && std::isfinite(d))
        return Value(d);
    return std::nullopt;
}

int64_t toLong(const Value& v, std::string_view what)
{
    double d = 0;
    switch (v.type()) {
    case Type::Boolean: return v.asBool() ? -1 : 0;
    case Type::Long: return v.asLong();
    case Type::Currency: d = v.asCurrency().toDouble(); break;
    case Type::Double: d = v.asDouble(); break;
    case Type::Text: {
        auto n = numberFromText(v.asText());
        if (!n)
            mismatch(v, Type::Long, what);
        return toLong(*n, what);
    }
    default: mismatch(v, Type::Long, what);
    }
    d = std::nearbyint(d);
    if (!(d >= -2147483648.0 && d <= 2147483647.0))
        throw Error(Error::Kind::Range, describe(what) + "数值超出长整型的范围");
    return static_cast<int64_t>(d);
}

} // namespace

Value Value::convertedTo(const ColumnType& target, std::string_view what) const
{
    if (isNull())
        return {};
    switch (target.type) {
    case Type::Null: return *this;
    case Type::Boolean:
        if (type() == Type::Boolean)
            return *this;
        return Value(toLong(*this, what) != 0);
    case Type::Long: {
        const int64_t n = toLong(*this, what);
        if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
            throw Error(Error::Kind::Range, describe(what) + "数值超出长整型的范围");
        return Value(n);
    }
    case Type::Currency:
        switch (type()) {
        case Type::Currency: return *this;
        case Type::Long: return Value(Currency::fromInt(asLong()));
        case Type::Boolean: return Value(Currency::fromInt(asBool() ? -1 : 0));
        case Type::Double: return Value(Currency::fromDouble(asDouble()));
        case Type::Text: {
            auto c = Currency::parse(asText());
            if (!c) {
                if (numberFromText(asText()))
                    throw Error(Error::Kind::Range, describe(what) + "金额超出货币类型的范围");
                mismatch(*this, Type::Currency, what);
            }
            return Value(*c);
        }
        default: mismatch(*this, Type::Currency, what);
        }
    case Type::Double:
        switch (type()) {
        case Type::Double: return *this;
        case Type::Long: return Value(static_cast<double>(asLong()));
        case Type::Boolean: return Value(asBool() ? -1.0 : 0.0);
        case Type::Currency: return Value(asCurrency().toDouble());
        case Type::DateTime: return Value(asDateTime().toSerial());
        case Type::Text: {
            auto n = numberFromText(asText());
            if (!n)
                mismatch(*this, Type::Double, what);
            return n->convertedTo(target, what);
        }
        default: mismatch(*this, Type::Double, what);
        }
    case Type::DateTime:
        switch (type()) {
        case Type::DateTime: return *this;
        case Type::Text: {
            auto d = parseDateText(asText());
            if (!d)
                mismatch(*this, Type::DateTime, what);
            return Value(*d);
        }
        case Type::Long:
        case Type::Double:
        case Type::Currency: {
            const double serial = type() == Type::Long     ? static_cast<double>(asLong())
                                  : type() == Type::Double ? asDouble()
                                                           : asCurrency().toDouble();
            auto d = DateTime::fromSerial(serial);
            if (!d)
                throw Error(Error::Kind::Range, describe(what) + "日期超出范围");
            return Value(*d);
        }
        default: mismatch(*this, Type::DateTime, what);
        }
    case Type::Text: {
        Value text = type() == Type::Text ? *this : Value(toText());
        if (target.width > 0 && characterCount(text.asText()) > static_cast<size_t>(target.width))
            throw Error(Error::Kind::Constraint, describe(what) + "文本太长，最多 " + std::to_string(target.width) + " 个字符");
        return text;
    }
    }
    return *this;
}

} // namespace ledger
