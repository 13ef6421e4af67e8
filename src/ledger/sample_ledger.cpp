#include "sample_ledger.h"

#include "account_totals.h"
#include "connection.h"
#include "schema.h"

#include <cstdio>
#include <random>
#include <vector>

namespace ledger {

namespace {

struct ItemProfile {
    int64_t id;
    int minAmount; // in yuan
    int maxAmount;
    int weight; // how often the household books it
    bool cents; // amounts with jiao and fen
};

// Expenditure items of the starting database with typical amounts.
const ItemProfile kExpenditure[] = {
    {2, 3, 25, 30, true},      {3, 12, 45, 30, true},      {8, 15, 120, 25, true},    {9, 20, 160, 25, true},
    {10, 8, 60, 12, true},     {12, 2, 10, 20, false},     {13, 12, 80, 6, true},     {14, 200, 450, 3, false},
    {15, 5, 30, 3, false},     {17, 2500, 4500, 1, false}, {18, 80, 400, 1, true},    {19, 150, 300, 1, false},
    {20, 10, 200, 8, true},    {22, 50, 150, 1, false},    {23, 100, 120, 1, false},  {25, 40, 120, 2, false},
    {26, 800, 6000, 1, false}, {27, 30, 300, 2, false},    {29, 10, 300, 2, true},    {30, 50, 800, 1, true},
    {32, 500, 5000, 1, false}, {33, 20, 150, 2, true},     {35, 200, 2000, 1, false}, {36, 500, 2000, 1, false},
    {38, 80, 800, 2, false},   {39, 20, 80, 2, false},
};

const ItemProfile kIncome[] = {
    {5, 6000, 15000, 10, false}, {6, 1000, 8000, 2, false}, {7, 200, 1500, 3, false},  {41, 10, 500, 3, true},
    {42, 100, 3000, 2, true},    {43, 200, 2000, 1, false}, {44, 300, 3000, 2, false},
};

const char* const kNotes[] = {nullptr,      nullptr,  nullptr, nullptr, "",     "超市", "网上买的",
                              "和同事一起", "给孩子", "打折",  "周末",  "路上", "老家", "月初"};

const char* const kUsers[][2] = {{"爸爸", "1234"}, {"妈妈", "1234"}, {"小明", ""}};

struct Account {
    const char* name;
    const char* opening;
};
const Account kAccounts[] = {{"工资卡", "12000"}, {"零钱", "300"}};

template <size_t N>
const ItemProfile& pick(const ItemProfile (&items)[N], std::mt19937& rng)
{
    int total = 0;
    for (const ItemProfile& i : items)
        total += i.weight;
    int r = std::uniform_int_distribution<int>(0, total - 1)(rng);
    for (const ItemProfile& i : items) {
        if (r < i.weight)
            return i;
        r -= i.weight;
    }
    return items[0];
}

Currency amount(const ItemProfile& item, std::mt19937& rng)
{
    const int yuan = std::uniform_int_distribution<int>(item.minAmount, item.maxAmount)(rng);
    int cents = 0;
    if (item.cents)
        cents = std::uniform_int_distribution<int>(0, 9)(rng) * 10 + (std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 5 : 0);
    return Currency::fromRaw(static_cast<int64_t>(yuan) * 10000 + cents * 100);
}

} // namespace

void createSampleLedger(const std::string& path, const SampleOptions& options)
{
    createStartingDatabase(path);
    Connection c;
    c.open(connectionStringFor(path));
    std::mt19937 rng(options.seed);
    c.beginTransaction();
    try {
        for (const auto& user : kUsers)
            c.executeNative("INSERT INTO s_user (sys_name, sys_pwd) VALUES (?1, ?2)", {Value(user[0]), Value(user[1])});
        c.executeNative("UPDATE z_zhanghu SET z_qcje = ?1 WHERE id = 1", {Value(Currency::fromInt(2000))});
        c.executeNative("UPDATE z_zhanghu SET z_qcje = ?1 WHERE id = 2", {Value(Currency::fromInt(50000))});
        for (const Account& a : kAccounts)
            c.executeNative("INSERT INTO z_zhanghu (z_name, z_qcje) VALUES (?1, ?2)",
                            {Value(a.name), Value(*Currency::parse(a.opening))});
        const int accounts = 5, users = 4;

        // Further items, so the item search has a big list to look through.
        for (int i = 0; i < options.extraItems; ++i) {
            const int64_t parent = std::vector<int64_t>{1, 11, 16, 21, 24, 28, 31, 34, 37}[static_cast<size_t>(i % 9)];
            c.executeNative("INSERT INTO s_fenlei (f_id, f_class, f_name, f_pinyin) VALUES (?1, 'Z', ?2, ?3)",
                            {Value(parent), Value("其他支出" + std::to_string(i + 1)), Value("qtzc" + std::to_string(i + 1))});
        }

        const DateTime today = DateTime::today();
        const int64_t lastDay = today.dayNumber();
        const int64_t days = std::max<int64_t>(1, static_cast<int64_t>(options.years) * 365);
        std::uniform_int_distribution<int64_t> dayOf(lastDay - days + 1, lastDay);
        for (int i = 0; i < options.records; ++i) {
            const bool income = std::uniform_int_distribution<int>(0, 99)(rng) < 4;
            const ItemProfile& item = income ? pick(kIncome, rng) : pick(kExpenditure, rng);
            const char* note = kNotes[std::uniform_int_distribution<size_t>(0, std::size(kNotes) - 1)(rng)];
            const DateTime date = DateTime::fromDayNumber(dayOf(rng));
            c.executeNative("INSERT INTO s_shouru (f_fenleiid, s_jine, s_userid, s_other, s_zhanghuid, s_date, f_class) "
                            "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                            {Value(item.id), Value(amount(item, rng)),
                             Value(static_cast<int64_t>(std::uniform_int_distribution<int>(1, users)(rng))),
                             note ? Value(note) : Value(),
                             Value(static_cast<int64_t>(std::uniform_int_distribution<int>(1, accounts)(rng))),
                             Value(date.canonical()), Value(income ? "S" : "Z")});
        }

        const char* const parties[] = {"老王", "小李", "张阿姨", "表哥", "同事小陈"};
        auto addLoan = [&](std::mt19937& g, int i) {
            const bool borrowed = i % 3 == 0;
            const int64_t lent = std::uniform_int_distribution<int>(5, 200)(g) * 100;
            const int64_t repaid = i % 2 == 0 ? lent : std::uniform_int_distribution<int64_t>(0, lent / 100)(g) * 100;
            const DateTime date = DateTime::fromDayNumber(dayOf(g));
            const char* party = parties[static_cast<size_t>(i) % std::size(parties)];
            c.executeNative("INSERT INTO s_jie (j_class, j_date, z_id, j_chuMoney, j_ruMoney, j_yuMoney, j_shoudate, j_jiege, "
                            "j_jiekuanren, j_other) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)",
                            {Value(borrowed ? "S" : "Z"), Value(date.canonical()),
                             Value(static_cast<int64_t>(std::uniform_int_distribution<int>(1, accounts)(g))),
                             Value(Currency::fromInt(lent)), Value(Currency::fromInt(repaid)),
                             Value(Currency::fromInt(lent - repaid)), Value(date.addDays(90).canonical()),
                             borrowed ? Value() : Value(party), borrowed ? Value(party) : Value(), Value()});
        };
        auto addTransfer = [&](std::mt19937& g, int i) {
            const int64_t from = std::uniform_int_distribution<int>(1, accounts)(g);
            const int64_t to = from % accounts + 1;
            c.executeNative("INSERT INTO s_zhanghistory (zh1, zh2, zdate, zXmoney, other) VALUES (?1, ?2, ?3, ?4, ?5)",
                            {Value(from), Value(to), Value(DateTime::fromDayNumber(dayOf(g)).canonical()),
                             Value(Currency::fromInt(std::uniform_int_distribution<int>(1, 50)(g) * 100)),
                             Value(i % 4 == 0 ? "还信用卡" : "")});
        };
        // The first loans and transfers come from the records' stream, as
        // they always have; the rest from a stream of their own, so the
        // records, budgets and first loans and transfers of a sample stay
        // what they were (only the account totals take in the rest).
        const int firstLoans = options.years * 4, firstTransfers = options.years * 12;
        for (int i = 0; i < firstLoans; ++i)
            addLoan(rng, i);
        for (int i = 0; i < firstTransfers; ++i)
            addTransfer(rng, i);
        std::mt19937 more(options.seed + 1);
        for (int i = firstLoans; i < options.years * options.loansPerYear; ++i)
            addLoan(more, i);
        for (int i = firstTransfers; i < options.years * options.transfersPerYear; ++i)
            addTransfer(more, i);
        c.executeNative("UPDATE s_yushuan SET y_money = (f_id % 7 + 2) * 2500000");

        RefreshRecordTotals(c);
        RefreshLoanTotals(c);
        RefreshTransferTotals(c);
        c.commit();
    } catch (...) {
        if (c.inTransaction())
            c.rollback();
        c.close();
        std::remove(path.c_str());
        throw;
    }
}

} // namespace ledger
