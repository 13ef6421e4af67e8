// The editable lists: rows edited, appended and deleted in place, saved all
// at once or dropped, with the database holding exactly the edits.

#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/query.h"
#include "ledger/schema.h"

#include <gtest/gtest.h>

using ledger::Error;
using ledger::Query;
using ledger::Value;
using testsupport::LedgerFixture;
using testsupport::rowTexts;

namespace {

std::vector<std::string> queryRows(const Query& q)
{
    std::vector<ledger::Row> rows;
    for (int r = 0; r < q.rowCount(); ++r) {
        ledger::Row row;
        for (size_t c = 0; c < q.fields().size(); ++c)
            row.push_back(q.value(r, static_cast<int>(c)));
        rows.push_back(row);
    }
    return rowTexts(rows);
}

// One editable list of the program and an edit of each kind on it.
struct EditableList {
    const char* name;
    std::string text;
    ledger::Params params;
    bool batch;
    std::vector<std::pair<std::string, Value>> appended; // values typed into a new row
    std::pair<std::string, Value> edit; // a change to the first row
    std::string check; // what the table holds afterwards
    std::vector<std::string> expected; // after: edit row 1, delete row 2, append
};

// Test names show the case's name, not its bytes.
void PrintTo(const EditableList& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<EditableList> lists()
{
    return {
        {"users",
         "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user",
         {},
         true,
         {{"用户名", "小明"}, {"密码", "123"}},
         {"密码", "secret"},
         "select id, sys_name, sys_pwd from s_user",
         {"1|管理员|secret", "3|妈妈|", "4|小明|123"}},
        {"accounts",
         "select id as 编号,z_name as 账户名称,z_qcje as 起始金额,z_shouru as 收入\u3000,z_zhichu as 支出,z_jieru as "
         "借入,z_jiechu as "
         "借出,z_zhuanru as 转入,z_zhuanchu as 转出,z_yue as 余额,z_other as 备注 from z_zhanghu",
         {},
         true,
         {{"账户名称", "零钱"}, {"起始金额", "88.8"}},
         {"备注", "家里的"},
         "select id, z_name, z_qcje, z_jieru, z_other from z_zhanghu",
         {"1|现金|0|0|家里的", "3|信用卡|0|0|", "4|零钱|88.8|0|"}},
        {"categories",
         "select id,f_class,f_name as 项目名称 from s_fenlei where f_id=0 and f_class=:fenlei",
         {{"fenlei", "S"}},
         true,
         {{"f_class", "S"}, {"项目名称", "投资"}},
         {"项目名称", "工资收入"},
         "select id, f_id, f_class, f_name from s_fenlei where f_id=0 and f_class='S'",
         {"4|0|S|工资收入", "46|0|S|投资"}},
        {"items",
         "select id,f_id,f_class,f_name as 项目名称,f_pinyin as 快速代码 from s_fenlei where  f_id=:fid",
         {{"fid", "11"}},
         true,
         {{"f_id", 11}, {"f_class", "Z"}, {"项目名称", "高铁"}, {"快速代码", "gt"}},
         {"快速代码", "gjdt2"},
         "select id, f_name, f_pinyin from s_fenlei where f_id=11",
         {"12|公交地铁|gjdt2", "15|停车费|tcf", "45|打的|", "46|高铁|gt"}},
        {"loans",
         "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as 余额,j_shoudate as "
         "预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where j_class=:j_ZorS",
         {{"j_ZorS", "Z"}},
         true,
         {{"j_class", "Z"}, {"日期", "2024-05-01"}, {"z_id", 2}, {"借出金额", "300"}, {"余额", "300"}, {"借款人", "老王"}},
         {"已还金额", "100.5"},
         "select id, j_class, j_date, z_id, j_chuMoney, j_ruMoney, j_jiekuanren from s_jie",
         {"1|Z|2024-01-01|1|1000|100.5|", "3|S|2024-01-01|1|50|0|", "4|Z|2024-05-01|2|300|0|老王"}},
        {"transfers",
         "select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 and "
         ":t2",
         {{"t1", "2024-03-01"}, {"t2", "2024-03-31"}},
         true,
         {{"zh1", 2}, {"zh2", 3}, {"转账时间", "2024/3/9"}, {"转账金额", "0.01"}},
         {"转账金额", "99.99"},
         "select id, zh1, zh2, zdate, zXmoney from s_zhanghistory",
         {"1|1|2|2024-03-05|99.99", "3|2|3|2024-03-09|0.01"}},
        {"budgets",
         "select * from s_yushuan",
         {},
         false,
         {{"f_id", 45}, {"y_money", "10"}},
         {"y_money", "1500"},
         "select id, f_id, y_money, y_x from s_yushuan where id in (1, 2, 10)",
         {"1|1|1500|", "10|45|10|"}},
    };
}

class EditableLists : public testing::TestWithParam<EditableList> {
protected:
    void SetUp() override
    {
        f.addLoan("Z", 1, "1000", "0");
        f.addLoan("Z", 1, "20", "0");
        f.addLoan("S", 1, "50", "0");
        f.addTransfer(1, 2, "100", "2024-03-05");
        f.addTransfer(1, 3, "7", "2024-03-06");
        f.addUser("爸爸");
        f.addUser("妈妈");
        f.db().execute("delete from s_fenlei where id=13");
        f.db().execute("insert into s_fenlei (f_id, f_class, f_name) values (11, 'Z', '打的')");
    }

    std::unique_ptr<Query> openList(const EditableList& list)
    {
        auto q = std::make_unique<Query>(f.db(), list.name);
        q->setText(list.text);
        for (const ledger::Param& p : list.params)
            q->setParam(p.name, p.value);
        q->setBatchMode(list.batch);
        q->open();
        return q;
    }

    void makeEdits(Query& q, const EditableList& list)
    {
        q.first();
        q.setValue(list.edit.first, list.edit.second);
        q.post();
        q.setCurrentRow(1);
        q.deleteRow();
        q.append();
        for (const auto& [field, value] : list.appended)
            q.setValue(field, value);
        q.post();
    }

    LedgerFixture f;
};

TEST_P(EditableLists, SavedEditsReachTheTableExactly)
{
    const EditableList& list = GetParam();
    const auto before = rowTexts(f.db().select(list.check).rows);
    auto q = openList(list);
    const int rowsBefore = q->rowCount();
    makeEdits(*q, list);
    if (list.batch) {
        EXPECT_TRUE(q->hasPendingChanges());
        EXPECT_EQ(rowTexts(f.db().select(list.check).rows), before) << "nothing is written before the save";
        f.db().beginTransaction();
        q->updateBatch();
        f.db().commit();
    }
    EXPECT_FALSE(q->hasPendingChanges());
    EXPECT_EQ(rowTexts(f.db().select(list.check).rows), list.expected);
    // The appended row knows its new id; reopening shows the same rows.
    EXPECT_FALSE(q->value(q->rowCount() - 1, 0).isNull());
    const auto shown = queryRows(*q);
    q->close();
    q->open();
    EXPECT_EQ(queryRows(*q), shown);
    EXPECT_EQ(q->rowCount(), rowsBefore);
}

TEST_P(EditableLists, CancelBatchRestoresTheRowsAsRead)
{
    const EditableList& list = GetParam();
    if (!list.batch)
        GTEST_SKIP() << "writes each row when it is posted";
    auto q = openList(list);
    const auto asRead = queryRows(*q);
    makeEdits(*q, list);
    EXPECT_NE(queryRows(*q), asRead);
    q->cancelBatch();
    EXPECT_EQ(queryRows(*q), asRead);
    EXPECT_FALSE(q->hasPendingChanges());
}

TEST_P(EditableLists, ReopeningDropsPendingChanges)
{
    const EditableList& list = GetParam();
    if (!list.batch)
        GTEST_SKIP() << "writes each row when it is posted";
    const auto before = rowTexts(f.db().select(list.check).rows);
    auto q = openList(list);
    const auto asRead = queryRows(*q);
    makeEdits(*q, list);
    q->close();
    q->open();
    EXPECT_EQ(queryRows(*q), asRead);
    EXPECT_EQ(rowTexts(f.db().select(list.check).rows), before);
}

INSTANTIATE_TEST_SUITE_P(OfTheProgram, EditableLists, testing::ValuesIn(lists()),
                         [](const testing::TestParamInfo<EditableList>& info) { return std::string(info.param.name); });

class Recordset : public testing::Test {
protected:
    std::unique_ptr<Query> users()
    {
        auto q = std::make_unique<Query>(f.db(), "ADOQuery23");
        q->setText("select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user");
        q->setBatchMode(true);
        q->open();
        return q;
    }
    LedgerFixture f;
};

TEST_F(Recordset, ABadRowFailsTheWholeBatchAndKeepsEveryPendingChange)
{
    f.addLoan("Z", 1, "10", "0");
    Query q(f.db(), "ADOQuery11");
    q.setText("select id,j_class,j_date as 日期,j_chuMoney as 借出金额,j_jiekuanren as 借款人 from s_jie where j_class=:j_ZorS");
    q.setParam("j_ZorS", "Z");
    q.setBatchMode(true);
    q.open();
    q.setValue("借款人", "老李");
    q.post();
    struct Bad {
        const char* field;
        Value value;
        Value fixed;
    };
    for (const Bad& bad :
         {Bad{"借款人", std::string(51, 'x'), "老张"}, Bad{"日期", "明天", "2024-06-01"}, Bad{"借出金额", "一百", "100"}}) {
        const std::string rowsBefore = f.scalar("select count(*) from s_jie");
        const std::string nameBefore = f.scalar("select j_jiekuanren from s_jie where id=1");
        q.append();
        q.setValue("j_class", "Z");
        q.setValue(bad.field, bad.value);
        q.post();
        try {
            q.updateBatch();
            FAIL() << "saved a bad " << bad.field;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(bad.field), std::string::npos) << e.what();
        }
        EXPECT_FALSE(f.db().inTransaction());
        EXPECT_EQ(f.scalar("select count(*) from s_jie"), rowsBefore) << bad.field;
        EXPECT_EQ(f.scalar("select j_jiekuanren from s_jie where id=1"), nameBefore);
        EXPECT_TRUE(q.hasPendingChanges());
        EXPECT_EQ(q.value(q.rowCount() - 1, q.fieldIndex(bad.field)), bad.value);
        q.setCurrentRow(q.rowCount() - 1);
        q.setValue(bad.field, bad.fixed);
        q.post();
        q.updateBatch();
        EXPECT_EQ(f.scalar("select j_jiekuanren from s_jie where id=1"), "老李");
        EXPECT_FALSE(q.hasPendingChanges());
    }
    EXPECT_EQ(f.scalar("select count(*) from s_jie"), "4");
    EXPECT_EQ(f.scalar("select j_date from s_jie where id=3"), "2024/6/1");
}

TEST_F(Recordset, AChangeByAnotherWriterFailsTheBatchAndRollsBack)
{
    f.addUser("爸爸");
    auto q = users();
    ledger::Connection other;
    other.open(ledger::connectionStringFor(f.path()));

    q->setCurrentRow(1);
    q->setValue("密码", "mine");
    q->post();
    q->append();
    q->setValue("用户名", "新人");
    q->post();
    other.execute("update s_user set sys_pwd='theirs' where id=2");
    EXPECT_THROW(q->updateBatch(), Error);
    EXPECT_EQ(f.scalar("select count(*) from s_user"), "2") << "the new user must not be written";
    EXPECT_EQ(f.scalar("select sys_pwd from s_user where id=2"), "theirs");

    q->close();
    q->open();
    q->setCurrentRow(1);
    q->deleteRow();
    other.execute("delete from s_user where id=2");
    other.execute("insert into s_user (sys_name) values ('别人')");
    q->first();
    q->setValue("密码", "p");
    EXPECT_THROW(q->updateBatch(), Error);
    EXPECT_EQ(f.scalar("select sys_pwd from s_user where id=1"), "");
    EXPECT_TRUE(q->hasPendingChanges());
}

TEST_F(Recordset, ParametersReachDatesAndNumbers)
{
    f.addTransfer(1, 2, "5", "2024-01-01");
    f.addTransfer(1, 2, "6", "2024-02-01");
    Query q(f.db(), "ADOQuery13");
    q.setText("select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 "
              "and :t2");
    q.setParam("t1", "2024-01-01");
    q.setParam("t2", "2024-01-31");
    q.open();
    EXPECT_EQ(q.rowCount(), 1);
    q.close();
    q.setParam("T1", Value(*ledger::DateTime::make(2024, 1, 1)));
    q.setParam("t2", Value(*ledger::DateTime::make(2024, 2, 1)));
    q.open();
    EXPECT_EQ(q.rowCount(), 2);

    Query items(f.db(), "ADOQuery10");
    items.setText("select id,f_id,f_class,f_name as 项目名称,f_pinyin as 快速代码 from s_fenlei where  f_id=:fid");
    items.setParam("fid", "4");
    items.open();
    EXPECT_EQ(items.rowCount(), 3);
    items.close();
    items.setParam("fid", "");
    EXPECT_THROW(items.open(), Error) << "an empty id is no number";
}

TEST_F(Recordset, AppendedRowsTakeTableDefaultsAndEmptyOnesVanish)
{
    Query q(f.db(), "ADOQuery9");
    q.setText("select id,f_class,f_name as 项目名称 from s_fenlei where f_id=0 and f_class=:fenlei");
    q.setParam("fenlei", "Z");
    q.setBatchMode(true);
    q.open();
    const int rows = q.rowCount();
    q.append();
    q.post(); // nothing typed: the row goes
    EXPECT_EQ(q.rowCount(), rows);
    EXPECT_FALSE(q.hasPendingChanges());
    q.append();
    q.setValue("f_class", "Z");
    q.setValue("项目名称", "宠物");
    q.updateBatch();
    EXPECT_EQ(f.scalar("select f_id from s_fenlei where f_name='宠物'"), "0");
    EXPECT_EQ(q.value(q.rowCount() - 1, 0).toText(), "45");
    q.close();
    q.open();
    EXPECT_EQ(q.rowCount(), rows + 1);
}

TEST_F(Recordset, EditsCanBeCancelledRowByRow)
{
    auto q = users();
    q->setValue("用户名", "改名");
    EXPECT_EQ(q->editState(), Query::EditState::Edit);
    q->cancel();
    EXPECT_EQ(q->text("用户名"), "管理员");
    EXPECT_FALSE(q->hasPendingChanges());
    q->append();
    q->setValue("用户名", "x");
    q->cancel();
    EXPECT_EQ(q->rowCount(), 1);
    EXPECT_THROW(q->setValue("id", 5), Error) << "ids are the database's";
}

TEST_F(Recordset, MovingOffAnEditedRowPostsIt)
{
    f.addUser("爸爸");
    auto q = users();
    q->setValue("密码", "x");
    q->next();
    EXPECT_EQ(q->editState(), Query::EditState::Browse);
    EXPECT_EQ(q->rowState(0), Query::RowState::Modified);
    q->updateBatch();
    EXPECT_EQ(f.scalar("select sys_pwd from s_user where id=1"), "x");
}

TEST_F(Recordset, ObserversHearMovesAndChangesInOrder)
{
    auto q = users();
    std::vector<std::string> heard;
    auto subscription = q->subscribe([&](const ledger::QueryEvent& e) {
        static const char* names[] = {"aboutToReset", "reset",   "aboutToInsert", "inserted", "aboutToRemove",
                                      "removed",      "changed", "current",       "state"};
        heard.push_back(std::string(names[static_cast<int>(e.kind)]) + ":" + std::to_string(e.row));
    });
    q->append();
    q->setValue("用户名", "x");
    q->cancel();
    subscription.reset();
    q->close();
    EXPECT_EQ(heard, (std::vector<std::string>{"aboutToInsert:1", "inserted:1", "current:1", "state:-1", "changed:1",
                                               "aboutToRemove:1", "removed:1", "current:0", "state:-1"}));
}

TEST_F(Recordset, ImmediateModeWritesWhenPostedAndKeepsAFailedRowInEdit)
{
    Query q(f.db(), "ADOQuery14");
    q.setText("select * from s_yushuan");
    q.open();
    q.setValue("y_money", "1500");
    q.post();
    EXPECT_EQ(f.scalar("select y_money from s_yushuan where id=1"), "1500");
    q.setValue("y_x", std::string(51, 'x'));
    EXPECT_THROW(q.post(), Error);
    EXPECT_EQ(q.editState(), Query::EditState::Edit);
    q.cancel();
    EXPECT_EQ(f.scalar("select y_x from s_yushuan where id=1"), "");
}

TEST_F(Recordset, ExecSqlReportsRowsAffected)
{
    Query q(f.db(), "ADOQuery4");
    q.setText("delete from s_fenlei where f_id=11");
    EXPECT_EQ(q.execSql(), 4);
    q.clearLines();
    q.addLine("update s_fenlei");
    q.addLine("set f_pinyin='x' where id=2");
    EXPECT_EQ(q.execSql(), 1);
}

} // namespace
