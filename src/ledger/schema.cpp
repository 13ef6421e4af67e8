#include "schema.h"

#include "connection.h"
#include "error.h"
#include "sql_text.h"

#include <cstdio>

namespace ledger {

namespace {

ColumnType autoNumber()
{
    return {Type::Long, 0, true};
}
ColumnType longType()
{
    return {Type::Long, 0, false};
}
ColumnType money()
{
    return {Type::Currency, 0, false};
}
ColumnType dateTime()
{
    return {Type::DateTime, 0, false};
}
ColumnType text(int width)
{
    return {Type::Text, width, false};
}

// Text columns the tables declare without a width get the widest text.
constexpr int kWidestText = 255;

std::string ident(const std::string& name)
{
    return quoteText(name, '"');
}

// The column's type, default and check. The check constraint's name is the
// message the user sees when a value does not fit, so it is worded as one.
std::string columnDefinition(const std::string& table, const ColumnDefinition& c)
{
    const std::string col = ident(c.name);
    const std::string who = "列“" + table + "." + c.name + "”";
    switch (c.type.type) {
    case Type::Long:
        if (c.type.autoNumber)
            return col + " INTEGER PRIMARY KEY AUTOINCREMENT";
        return col + " LONG DEFAULT 0 CONSTRAINT " + ident(who + "只能存放长整型数值") + " CHECK (" + col +
               " IS NULL OR (typeof(" + col + ") = 'integer' AND " + col + " BETWEEN -2147483648 AND 2147483647))";
    case Type::Currency:
        return col + " CURRENCY DEFAULT 0 CONSTRAINT " + ident(who + "只能存放金额") + " CHECK (" + col + " IS NULL OR typeof(" +
               col + ") = 'integer')";
    case Type::Double:
        return col + " DOUBLE DEFAULT 0 CONSTRAINT " + ident(who + "只能存放数值") + " CHECK (" + col + " IS NULL OR typeof(" +
               col + ") IN ('real', 'integer'))";
    case Type::DateTime:
        return col + " DATETIME CONSTRAINT " + ident(who + "只能存放日期") + " CHECK (" + col + " IS NULL OR (typeof(" + col +
               ") = 'text' AND " + col + " GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'))";
    case Type::Text: {
        const std::string width = std::to_string(c.type.width);
        return col + " TEXT(" + width + ") COLLATE NOCASE CONSTRAINT " + ident(who + "的文本太长，最多 " + width + " 个字符") +
               " CHECK (" + col + " IS NULL OR (typeof(" + col + ") = 'text' AND length(" + col + ") <= " + width + "))";
    }
    case Type::Boolean:
        return col + " BIT DEFAULT 0 CONSTRAINT " + ident(who + "只能存放是/否") + " CHECK (" + col + " IS NULL OR " + col +
               " IN (0, -1))";
    case Type::Null: break;
    }
    throw Error(Error::Kind::Usage, "无法定义" + who);
}

const char* const kIndexes[] = {
    // A day's records of a class come in the order they were entered.
    "CREATE INDEX s_shouru_class_date ON s_shouru (f_class, s_date)",
    // Month sums, the daily flow and the person report read the days' amounts
    // from the index alone; the category report reads each item's.
    "CREATE INDEX s_shouru_day_totals ON s_shouru (s_date, f_class, s_userid, s_jine)",
    "CREATE INDEX s_shouru_item_totals ON s_shouru (f_class, f_fenleiid, s_date, s_jine)",
    "CREATE INDEX s_shouru_account ON s_shouru (s_zhanghuid)",
    // The item search reads names and quick codes from the index alone.
    "CREATE INDEX s_fenlei_class_parent ON s_fenlei (f_class, f_id, f_name, f_pinyin)",
    "CREATE INDEX s_fenlei_name ON s_fenlei (f_name)",
    "CREATE INDEX s_user_name ON s_user (sys_name)",
    "CREATE INDEX s_jie_class ON s_jie (j_class)",
    "CREATE INDEX s_zhanghistory_date ON s_zhanghistory (zdate)",
    "CREATE INDEX s_yushuan_category ON s_yushuan (f_id)",
};

struct StartingItem {
    int parent; // 0: a top-level category
    const char* klass;
    const char* name;
    const char* quickCode;
};

// In id order: the rows with ids 1 and 4 are the default categories.
const StartingItem kStartingCategories[] = {
    {0, "Z", "餐饮美食", nullptr}, {1, "Z", "早餐", "zc"},        {1, "Z", "午餐", "wc"},        {0, "S", "工资薪金", nullptr},
    {4, "S", "工资", "gz"},        {4, "S", "奖金", "jj"},        {4, "S", "加班费", "jbf"},     {1, "Z", "晚餐", "wc"},
    {1, "Z", "买菜", "mc"},        {1, "Z", "水果零食", "sgls"},  {0, "Z", "交通出行", nullptr}, {11, "Z", "公交地铁", "gjdt"},
    {11, "Z", "打车", "dc"},       {11, "Z", "加油", "jy"},       {11, "Z", "停车费", "tcf"},    {0, "Z", "居家生活", nullptr},
    {16, "Z", "房租", "fz"},       {16, "Z", "水电燃气", "sdrq"}, {16, "Z", "物业费", "wyf"},    {16, "Z", "日用品", "ryp"},
    {0, "Z", "通讯网络", nullptr}, {21, "Z", "手机话费", "sjhf"}, {21, "Z", "宽带", "kd"},       {0, "Z", "休闲娱乐", nullptr},
    {24, "Z", "电影", "dy"},       {24, "Z", "旅游", "ly"},       {24, "Z", "运动健身", "ydjs"}, {0, "Z", "医疗保健", nullptr},
    {28, "Z", "药品", "yp"},       {28, "Z", "门诊", "mz"},       {0, "Z", "学习教育", nullptr}, {31, "Z", "学费", "xf"},
    {31, "Z", "书籍", "sj"},       {0, "Z", "人情往来", nullptr}, {34, "Z", "礼金", "lj"},       {34, "Z", "孝敬父母", "xjfm"},
    {0, "Z", "服饰美容", nullptr}, {37, "Z", "衣服鞋帽", "yfxm"}, {37, "Z", "理发", "lf"},       {0, "S", "其他收入", nullptr},
    {40, "S", "利息", "lx"},       {40, "S", "理财收益", "lcsy"}, {40, "S", "礼金收入", "ljsr"}, {40, "S", "兼职", "jz"},
};

const char* const kStartingAccounts[] = {"现金", "银行卡", "信用卡"};

} // namespace

std::string connectionStringFor(const std::string& file, const std::string& password)
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + file +
           ";Persist Security Info=False;Jet OLEDB:Database Password=" + password;
}

const std::vector<TableDefinition>& ledgerTables()
{
    static const std::vector<TableDefinition> tables = {
        {"s_user", {{"id", autoNumber()}, {"sys_name", text(50)}, {"sys_pwd", text(kWidestText)}}},
        {"sys_sys",
         {{"id", longType()},
          {"isji", longType()},
          {"isuser", text(kWidestText)},
          {"ispwd", text(kWidestText)},
          {"skinx", text(kWidestText)}}},
        {"z_zhanghu",
         {{"id", autoNumber()},
          {"z_name", text(kWidestText)},
          {"z_qcje", money()},
          {"z_shouru", money()},
          {"z_zhichu", money()},
          {"z_jieru", money()},
          {"z_jiechu", money()},
          {"z_zhuanru", money()},
          {"z_zhuanchu", money()},
          {"z_yue", money()},
          {"z_other", text(kWidestText)}}},
        {"s_fenlei",
         {{"id", autoNumber()},
          {"f_id", longType()},
          {"f_class", text(kWidestText)},
          {"f_name", text(50)},
          {"f_pinyin", text(kWidestText)}}},
        {"s_shouru",
         {{"id", autoNumber()},
          {"f_fenleiid", longType()},
          {"s_jine", money()},
          {"s_userid", longType()},
          {"s_other", text(kWidestText)},
          {"s_zhanghuid", longType()},
          {"s_date", dateTime()},
          {"f_class", text(kWidestText)}}},
        {"s_jie",
         {{"id", autoNumber()},
          {"j_class", text(50)},
          {"j_date", dateTime()},
          {"z_id", longType()},
          {"j_chuMoney", money()},
          {"j_ruMoney", money()},
          {"j_yuMoney", money()},
          {"j_shoudate", dateTime()},
          {"j_jiege", text(50)},
          {"j_jiekuanren", text(50)},
          {"j_other", text(250)}}},
        {"s_zhanghistory",
         {{"id", autoNumber()},
          {"zh1", longType()},
          {"zh2", longType()},
          {"zdate", dateTime()},
          {"zXmoney", money()},
          {"other", text(250)}}},
        {"s_yushuan", {{"id", autoNumber()}, {"f_id", longType()}, {"y_money", money()}, {"y_x", text(50)}}},
        {"xtablex", {{"xmoney", money()}, {"xid", longType()}}},
    };
    return tables;
}

const std::vector<SavedQueryDefinition>& ledgerSavedQueries()
{
    // Every record, with the names of its item, user and account; a record
    // whose item, user or account is gone keeps its row with that name Null.
    static const std::vector<SavedQueryDefinition> queries = {
        {"s_z_all", "SELECT s_shouru.id, s_shouru.s_date, s_fenlei.f_name, s_user.sys_name, s_shouru.s_jine, z_zhanghu.z_name, "
                    "s_shouru.s_other, s_shouru.f_class "
                    "FROM ((s_shouru LEFT JOIN s_fenlei ON s_shouru.f_fenleiid = s_fenlei.id) "
                    "LEFT JOIN s_user ON s_shouru.s_userid = s_user.id) "
                    "LEFT JOIN z_zhanghu ON s_shouru.s_zhanghuid = z_zhanghu.id"},
        // Expenditure records under the top-level category of their item.
        {"s_ys", "SELECT s_fenlei.f_id AS xid, category.f_name, s_shouru.s_jine, s_shouru.s_date "
                 "FROM (s_shouru INNER JOIN s_fenlei ON s_shouru.f_fenleiid = s_fenlei.id) "
                 "INNER JOIN s_fenlei AS category ON s_fenlei.f_id = category.id "
                 "WHERE s_shouru.f_class = 'Z' AND category.f_id = 0"},
        {"y_yushuan", "SELECT f_id AS id, y_money FROM s_yushuan"},
        // A user's income and expenditure per calendar month "YYYY-MM".
        {"ren_s", "SELECT s_user.sys_name, Format(s_shouru.s_date, 'yyyy-mm') AS s_month, Sum(s_shouru.s_jine) AS s_Xjine "
                  "FROM s_shouru INNER JOIN s_user ON s_shouru.s_userid = s_user.id "
                  "WHERE s_shouru.f_class = 'S' "
                  "GROUP BY s_user.id, s_user.sys_name, Format(s_shouru.s_date, 'yyyy-mm')"},
        {"ren_z", "SELECT s_user.sys_name, Format(s_shouru.s_date, 'yyyy-mm') AS s_month, Sum(s_shouru.s_jine) AS s_Xjine "
                  "FROM s_shouru INNER JOIN s_user ON s_shouru.s_userid = s_user.id "
                  "WHERE s_shouru.f_class = 'Z' "
                  "GROUP BY s_user.id, s_user.sys_name, Format(s_shouru.s_date, 'yyyy-mm')"},
    };
    return queries;
}

void createSchema(Connection& connection)
{
    for (const TableDefinition& t : ledgerTables()) {
        std::string sql = "CREATE TABLE " + ident(t.name) + " (";
        for (size_t i = 0; i < t.columns.size(); ++i)
            sql += (i ? ", " : "") + columnDefinition(t.name, t.columns[i]);
        connection.executeNative(sql + ")");
    }
    for (const char* index : kIndexes)
        connection.executeNative(index);
    connection.reloadCatalog();

    for (const SavedQueryDefinition& q : ledgerSavedQueries()) {
        const jet::Translation t = jet::translate(q.statement, connection.catalog(), jet::Mode::SavedQuery);
        connection.executeNative("CREATE VIEW " + ident(q.name) + " AS " + t.sql);
        connection.executeNative("INSERT INTO ledger_queries (name, definition) VALUES (?1, ?2)",
                                 {Value(q.name), Value(q.statement)});
        connection.reloadCatalog();
    }
}

namespace {

// The name of an index statement "CREATE INDEX name ON …".
std::string indexName(const char* statement)
{
    const std::string s = statement;
    const size_t from = std::string("CREATE INDEX ").size();
    return s.substr(from, s.find(' ', from) - from);
}

std::vector<const char*> missingIndexes(Connection& c)
{
    std::vector<const char*> missing;
    for (const char* index : kIndexes)
        if (c.selectNative("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?1", {Value(indexName(index))},
                           {{Type::Long}})
                .empty())
            missing.push_back(index);
    return missing;
}

} // namespace

bool lacksIndexes(Connection& c)
{
    return !missingIndexes(c).empty();
}

void addMissingIndexes(Connection& c)
{
    Transaction work(c);
    for (const char* index : missingIndexes(c))
        c.executeNative(index);
    work.commit();
}

void insertStartingRows(Connection& c)
{
    c.execute("insert into s_user (sys_name, sys_pwd) values ('管理员', '')");
    c.execute("insert into sys_sys (id, isji, skinx) values (1, 0, " + quoteText(kDefaultSkinName) + ")");
    for (const StartingItem& item : kStartingCategories) {
        const std::string code = item.quickCode ? quoteText(item.quickCode) : "Null";
        c.execute("insert into s_fenlei (f_id, f_class, f_name, f_pinyin) values (" + std::to_string(item.parent) + ", " +
                  quoteText(item.klass) + ", " + quoteText(item.name) + ", " + code + ")");
    }
    for (const char* account : kStartingAccounts)
        c.execute("insert into z_zhanghu (z_name) values (" + quoteText(account) + ")");
    c.execute("insert into s_yushuan (f_id) select id from s_fenlei where f_id=0 and f_class='Z'");
}

void createStartingDatabase(const std::string& path, const std::string& password)
{
    Connection c;
    c.create(path, password);
    try {
        c.beginTransaction();
        createSchema(c);
        insertStartingRows(c);
        c.commit();
        c.close();
    } catch (...) {
        c.close();
        std::remove(path.c_str());
        throw;
    }
}

} // namespace ledger
