#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Rows = std::vector<std::vector<std::string>>;

// A scratch database in a temporary folder; the messages shown are recorded.
class KvAccessTest : public testing::Test {
protected:
    KvAccessTest()
        : m_recorder([this](const KvMessage& message) {
              messages.push_back(message);
              return KvMessageAnswer::Ok;
          }) {
        std::string pattern = (fs::temp_directory_path() / "kvaccess-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        path = (folder / "Lamps.db").string();
        std::ofstream(path).flush(); // an empty file is an empty database
    }
    ~KvAccessTest() override { fs::remove_all(folder); }

    // Connects and runs the statements, which must all succeed.
    void Run(const std::vector<std::string>& statements) {
        ASSERT_EQ(db.InitADOServer(path, ""), 1);
        for (const std::string& sql : statements) {
            ASSERT_EQ(db.ExecuteSQL(sql), 1) << sql;
        }
    }

    // The rows of a query; a failed query gives the one row "failed".
    Rows Query(const std::string& sql) {
        KvStTable table;
        const int count = db.GetSelData(table, sql);
        if (count < 0) {
            return {{"failed"}};
        }
        Rows rows(static_cast<size_t>(count));
        for (int row = 0; row < count; ++row) {
            table.GetValueRecord(rows[static_cast<size_t>(row)], row);
        }
        return rows;
    }

    void MakeStandards() {
        Run({"CREATE TABLE [照度标准] (ID INTEGER PRIMARY KEY, [场所] VARCHAR(50))",
             "CREATE TABLE [照度标准模板] (ID INTEGER PRIMARY KEY, [场所名称] VARCHAR(50) NOT "
             "NULL, [照度] INTEGER, [现行功率密度] REAL, [目标功率密度] REAL, [统一眩光] REAL, "
             "[显色指数] INTEGER)",
             "INSERT INTO [照度标准模板] "
             "(场所名称,照度,现行功率密度,目标功率密度,统一眩光,显色指数)"
             " values ('普通办公室',300,11.0,9.0,19,80)",
             "INSERT INTO [照度标准模板] "
             "(场所名称,照度,现行功率密度,目标功率密度,统一眩光,显色指数)"
             " values ('会议室',300,11.0,9.0,19,80)"});
    }

    fs::path folder;
    std::string path;
    std::vector<KvMessage> messages;
    KvAccess db;

private:
    KvScopedMessageHandler m_recorder;
};

TEST_F(KvAccessTest, MissingOrUnreadableFileGivesTheMessageOncePerAttemptAndNoFile) {
    const std::string missing = (folder / "无此库.db").string();
    EXPECT_EQ(db.InitADOServer(missing, ""), 0);
    EXPECT_EQ(db.InitADOServer(missing, ""), 0);
    EXPECT_FALSE(fs::exists(missing));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "不能正常连接数据库..." + missing);
    EXPECT_EQ(messages[0].caption, "Varsolin");
    EXPECT_EQ(messages[0].icon, KvMessageIcon::Warning);

    std::ofstream(folder / "text.db") << "not a database at all, just text\n";
    EXPECT_EQ(db.InitADOServer((folder / "text.db").string(), ""), 0);
    EXPECT_EQ(messages.size(), 3u);

    // Never connected: operations fail; only the table check says so.
    KvStTable table;
    EXPECT_EQ(db.GetSelData(table, "SELECT 1"), -1);
    EXPECT_EQ(db.ExecuteSQL("CREATE TABLE t (a)"), 0);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(db.IsTableInDatabase("t", "TABLE"), 0);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[3].text, "数据库没有正常连接...");

    // A file that goes away after CloseAll: one message per later operation.
    Run({"CREATE TABLE t (a)"});
    db.CloseAll();
    fs::remove(path);
    EXPECT_EQ(db.IsTableInDatabase("t", "TABLE"), 0);
    EXPECT_EQ(db.GetSelData(table, "SELECT a FROM t"), -1);
    EXPECT_EQ(messages.size(), 6u);
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(KvAccessTest, ConnectionIsReusedForTheSameFileAndReopenedAfterCloseAll) {
    Run({"CREATE TABLE t (a)"});
    EXPECT_TRUE(db.IsConnected());
    fs::remove(path); // the open connection still serves the same path
    EXPECT_EQ(db.InitADOServer(path, ""), 1);
    EXPECT_EQ(db.IsTableInDatabase("T", "table"), 1);
    db.CloseAll();
    EXPECT_FALSE(db.IsConnected());
    EXPECT_EQ(db.GetDatabasePath(), path);
    EXPECT_EQ(db.IsTableInDatabase("t", "TABLE"), 0);
    EXPECT_EQ(messages.size(), 1u);

    // Paths that differ in case are different files here: each is opened.
    const std::string upper = (folder / "A.db").string();
    const std::string lower = (folder / "a.db").string();
    std::ofstream(upper).flush();
    std::ofstream(lower).flush();
    ASSERT_EQ(db.InitADOServer(upper, ""), 1);
    ASSERT_EQ(db.ExecuteSQL("CREATE TABLE upper_only (a)"), 1);
    ASSERT_EQ(db.InitADOServer(lower, ""), 1);
    EXPECT_EQ(db.IsTableInDatabase("upper_only", "TABLE"), 0);

    KvAccess copy(db); // same file, own connection
    EXPECT_FALSE(copy.IsConnected());
    EXPECT_EQ(copy.ExecuteSQL("CREATE TABLE lower_only (a)"), 1);
    EXPECT_EQ(db.IsTableInDatabase("lower_only", "TABLE"), 1);
}

TEST_F(KvAccessTest, QueriesFillLabelsAndRowsAndRefuseBlankTextsAndWrites) {
    Run({"CREATE TABLE t (a INTEGER, b TEXT)", "INSERT INTO t VALUES (1, 'x')"});
    KvStTable table;
    EXPECT_EQ(db.GetSelData(table, "   \t"), -1);
    EXPECT_EQ(table.GetFieldCount(), 0);
    EXPECT_EQ(table.GetTableLogicSize(), 0);

    EXPECT_EQ(db.GetSelData(table, "SELECT [a], [b] FROM [t] WHERE a > 5"), 0);
    std::vector<std::string> labels;
    table.GetLableRecord(labels);
    EXPECT_EQ(labels, (std::vector<std::string>{"a", "b"}));

    // Only queries: a statement that writes is not run, nor a second statement.
    EXPECT_EQ(db.GetSelData(table, "DELETE FROM t"), -1);
    EXPECT_EQ(db.ExecuteSQL("DELETE FROM t; DROP TABLE t"), 0);
    EXPECT_EQ(Query("SELECT * FROM t"), (Rows{{"1", "x"}}));
    EXPECT_EQ(db.ExecuteSQL("DELETE FROM t;  "), 1);
    EXPECT_EQ(Query("SELECT * FROM t"), Rows{});
    EXPECT_EQ(Query("SELECT nothing FROM t"), (Rows{{"failed"}}));
}

TEST_F(KvAccessTest, CellTextsAreTheValuesShortestText) {
    Run({"CREATE TABLE v (n INTEGER, r REAL, s VARCHAR(10))",
         "INSERT INTO v VALUES (36, 36, '36.0')", "INSERT INTO v VALUES (-7, 0.5, NULL)",
         "INSERT INTO v VALUES (NULL, 2500.0, '')", "INSERT INTO v VALUES (0, 1.0/3, 'a''b')",
         "INSERT INTO v VALUES (9007199254740993, -0.0, ' 空 ')",
         "INSERT INTO v VALUES (1, 1e22, 'x')", "INSERT INTO v VALUES (1, 0.1 + 0.2, 'x')"});
    EXPECT_EQ(Query("SELECT * FROM v"), (Rows{{"36", "36", "36.0"},
                                              {"-7", "0.5", ""},
                                              {"", "2500", ""},
                                              {"0", "0.3333333333333333", "a'b"},
                                              {"9007199254740993", "0", " 空 "},
                                              {"1", "1e+22", "x"},
                                              {"1", "0.30000000000000004", "x"}}));
}

TEST_F(KvAccessTest, ArrayListAndListViewForms) {
    Run({"CREATE TABLE t (a TEXT, b TEXT, c TEXT)", "INSERT INTO t VALUES ('x', 'y', 'z')",
         "INSERT INTO t VALUES ('y', 'x', 'w')"});
    std::vector<std::string> cells{"old"};
    EXPECT_EQ(db.GetSelData(cells, "SELECT a, b FROM t"), 2);
    EXPECT_EQ(cells, (std::vector<std::string>{"x", "y", "y", "x"}));
    std::list<std::string> distinct{"old"};
    EXPECT_EQ(db.GetSelData(distinct, "SELECT a, b FROM t"), 2);
    EXPECT_EQ(distinct, (std::list<std::string>{"x", "y"}));
    EXPECT_EQ(db.GetSelDistinctData(cells, "SELECT bad FROM t"), -1);
    EXPECT_TRUE(cells.empty());

    KvListViewRows view;
    view.items = {{"old"}};
    EXPECT_EQ(db.GetSelData(view, "SELECT * FROM t"), -1); // no header columns
    EXPECT_TRUE(view.items.empty());
    view.headerColumnCount = 2;
    EXPECT_EQ(db.GetSelData(view, "SELECT * FROM t"), 2);
    EXPECT_EQ(view.items, (Rows{{"x", "y"}, {"y", "x"}}));
}

TEST_F(KvAccessTest, CatalogueStatementFormsRunAsWritten) {
    Run({"CREATE TABLE 物体反射率 (物体 TEXT, 颜色 TEXT, 反射率 REAL)",
         "INSERT INTO 物体反射率 VALUES ('粉刷', '无', 75)",
         "INSERT INTO 物体反射率 VALUES ('粉刷', '白色', 80)",
         "INSERT INTO 物体反射率 VALUES ('玻璃', '无', 8.5)",
         "CREATE TABLE [单位容量修正系数C1] ([顶棚反射比] TEXT, [修正系数] REAL)",
         "INSERT INTO [单位容量修正系数C1] VALUES ('0.7', 1), ('0.5', 1.08)"});
    EXPECT_EQ(Query("SELECT [反射率] FROM 物体反射率 WHERE 物体 = '粉刷'AND 颜色 = '无'"),
              (Rows{{"75"}}));
    EXPECT_EQ(Query("SELECT [颜色] FROM 物体反射率 WHERE 物体 = '粉刷'"), (Rows{{"无"}, {"白色"}}));
    EXPECT_EQ(Query("SELECT DISTINCT [物体] FROM [物体反射率] GROUP BY [物体]"),
              (Rows{{"玻璃"}, {"粉刷"}}));
    EXPECT_EQ(Query("SELECT  [顶棚反射比] FROM [单位容量修正系数C1]"), (Rows{{"0.7"}, {"0.5"}}));
    EXPECT_EQ(Query("SELECT [修正系数] FROM [单位容量修正系数C1] WHERE [顶棚反射比] = '0.5' "),
              (Rows{{"1.08"}}));

    // TOP n becomes LIMIT n; the same words inside texts and names stay as they are.
    EXPECT_EQ(Query("select top 1 * from [物体反射率] ORDER BY [反射率] DESC"),
              (Rows{{"粉刷", "白色", "80"}}));
    EXPECT_EQ(Query("SELECT DISTINCT TOP 1 [物体] FROM 物体反射率 ORDER BY 物体;"),
              (Rows{{"玻璃"}}));
    EXPECT_EQ(Query("SELECT 'select top 1 * into [a] from [b]', \"DELETE * FROM\""),
              (Rows{{"select top 1 * into [a] from [b]", "DELETE * FROM"}}));

    EXPECT_EQ(db.ExecuteSQL("DELETE * FROM [物体反射率] WHERE [物体] = '玻璃'"), 1);
    EXPECT_EQ(db.ExecuteSQL("delete*from[物体反射率]where[颜色]='白色'"), 1);
    EXPECT_EQ(Query("SELECT [颜色] FROM [物体反射率]"), (Rows{{"无"}}));
}

TEST_F(KvAccessTest, DoubleQuotedTextIsATextNeverAColumn) {
    Run({"CREATE TABLE 物体反射率 (物体 TEXT, 颜色 TEXT)",
         "INSERT INTO 物体反射率 VALUES ('粉刷', '无'), ('玻璃', '无')"});
    // SQLite alone would read "物体" as the column and match every row.
    EXPECT_EQ(Query("SELECT 颜色 FROM 物体反射率 WHERE 物体 = \"物体\""), Rows{});
    EXPECT_EQ(Query("SELECT 物体 FROM 物体反射率 WHERE 物体 = \"粉刷\""), (Rows{{"粉刷"}}));
    EXPECT_EQ(db.ExecuteSQL("INSERT INTO 物体反射率 VALUES (\"物体\", \"say \"\"hi\"\" 'x'\")"), 1);
    EXPECT_EQ(Query("SELECT 颜色 FROM 物体反射率 WHERE 物体 = \"物体\""),
              (Rows{{"say \"hi\" 'x'"}}));
}

TEST_F(KvAccessTest, SelectIntoCopiesDeclaredColumnsKeysAndRows) {
    MakeStandards();
    ASSERT_EQ(db.ExecuteSQL("select * into [会议室'1] from [照度标准模板]"), 1);
    ASSERT_EQ(db.ExecuteSQL("INSERT INTO [照度标准] (场所) values ('" +
                            KvAccess::EscapeText("会议室'1") + "')"),
              1);
    EXPECT_EQ(
        Query("SELECT [场所] FROM [照度标准] WHERE [场所] = " + KvAccess::QuoteText("会议室'1")),
        (Rows{{"会议室'1"}}));
    EXPECT_EQ(Query("SELECT [场所名称] FROM [会议室'1] ORDER BY ID "),
              (Rows{{"普通办公室"}, {"会议室"}}));
    std::vector<KvStTableField> fields;
    ASSERT_EQ(db.GetTableStructInfo(fields, "会议室'1"), 1);
    ASSERT_EQ(fields.size(), 7u);
    EXPECT_EQ(fields[0].type, "int");
    EXPECT_EQ(fields[0].primaryKey, 1);
    EXPECT_EQ(fields[1].type, "varchar");
    EXPECT_EQ(fields[1].size, 50);
    EXPECT_EQ(fields[3].type, "float");
    // The key came along: a duplicate ID is refused, a new row numbered.
    EXPECT_EQ(db.ExecuteSQL("INSERT INTO [会议室'1] (ID, 场所名称) values (1, 'x')"), 0);
    ASSERT_EQ(db.ExecuteSQL("INSERT INTO [会议室'1] (场所名称,照度,现行功率密度,目标功率密度,"
                            "统一眩光,显色指数) values ('走廊',100,4.0,3.5,25,60)"),
              1);
    EXPECT_EQ(Query("SELECT ID, [现行功率密度] FROM [会议室'1] WHERE [场所名称] = '走廊'"),
              (Rows{{"3", "4"}}));

    // With a condition, an existing target, a missing source, a name no table can have.
    EXPECT_EQ(db.ExecuteSQL("SELECT * INTO 办公 FROM 照度标准模板 WHERE [场所名称] = \"会议室\""),
              1);
    EXPECT_EQ(Query("SELECT [场所名称] FROM 办公"), (Rows{{"会议室"}}));
    EXPECT_EQ(db.ExecuteSQL("select * into [办公] from [照度标准模板]"), 0);
    EXPECT_EQ(db.ExecuteSQL("select * into [新] from [无此表]"), 0);
    EXPECT_EQ(db.IsTableInDatabase("新", "TABLE"), 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(db.ExecuteSQL("select * into [a.b] from [照度标准模板]"), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("a.b"), std::string::npos);
}

TEST_F(KvAccessTest, CreateTableMapsTypeNamesBothWays) {
    ASSERT_EQ(db.InitADOServer(path, ""), 1);
    const auto field = [](std::string name, std::string type, int size, int allowNull,
                          int primaryKey) {
        KvStTableField f;
        f.name = std::move(name);
        f.type = std::move(type);
        f.size = size;
        f.allowNull = allowNull;
        f.primaryKey = primaryKey;
        return f;
    };
    const std::vector<KvStTableField> fields{
        field("ID", "int", 0, 0, 1),      field("name", "varchar", 50, 0, 0),
        field("remark", "note", 0, 1, 0), field("ok", "bit", 0, 1, 0),
        field("b", "byte", 0, 1, 0),      field("s", "smallint", 0, 1, 0),
        field("x", "float", 0, 1, 0),     field("pic", "image", 0, 1, 0),
        field("at", "datetime", 0, 1, 0), field("n", "int", 0, 0, 0),
        field("odd", "money", 0, 1, 0)};
    ASSERT_EQ(db.CreateTable("T", fields), 1);
    std::vector<KvStTableField> read;
    ASSERT_EQ(db.GetTableStructInfo(read, "[T]"), 1);
    EXPECT_EQ(read, std::vector<KvStTableField>(fields.begin(), fields.end() - 1));
    EXPECT_EQ(db.CreateTable("t", {field("other", "int", 0, 1, 0)}), 0);
    // Refused by the engine or without a known type: nothing created, and said so.
    EXPECT_EQ(db.CreateTable("two", {field("a", "int", 0, 0, 1), field("b", "int", 0, 0, 1)}), 0);
    EXPECT_EQ(db.CreateTable("none", {field("odd", "money", 0, 1, 0)}), 0);
    EXPECT_EQ(db.IsTableInDatabase("two", "TABLE") + db.IsTableInDatabase("none", "TABLE"), 0);
    std::vector<std::string> names;
    ASSERT_EQ(db.GetTableStructInfo(names, "T"), 1);
    EXPECT_EQ(names.front(), "ID");
    EXPECT_EQ(names.size(), 10u);

    // Declared types of tables made elsewhere read as the nearest type name.
    ASSERT_EQ(db.ExecuteSQL("CREATE TABLE o (a TEXT, b TEXT(20), c CHAR, d DOUBLE PRECISION, "
                            "e NUMERIC, f, g BOOLEAN NOT NULL)"),
              1);
    ASSERT_EQ(db.GetTableStructInfo(read, "o"), 1);
    const std::vector<std::pair<std::string, int>> expected{
        {"note", 0}, {"varchar", 20}, {"varchar", 255}, {"float", 0}, {"", 0}, {"", 0}, {"bit", 0}};
    ASSERT_EQ(read.size(), expected.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(std::make_pair(read[i].type, read[i].size), expected[i]) << read[i].name;
    }
    EXPECT_EQ(read[6].allowNull, 0);
    EXPECT_EQ(db.GetTableStructInfo(read, "无此表"), 0);
    EXPECT_TRUE(read.empty());
}

TEST_F(KvAccessTest, TableNamesAreQuotedOrRefused) {
    ASSERT_EQ(db.InitADOServer(path, ""), 1);
    KvStTableField text;
    text.name = "名称'\"]";
    text.type = "varchar";
    text.size = 20;
    ASSERT_EQ(db.CreateTable("会议室'1 \"甲\"", {text}), 1);
    EXPECT_EQ(db.AddRecordToTable("会议室'1 \"甲\"", {text.name}, {"a'b\"c"}), 1);
    EXPECT_EQ(Query("SELECT * FROM [会议室'1 \"甲\"]"), (Rows{{"a'b\"c"}}));

    for (const std::string& bad : std::vector<std::string>{
             "", "a]b", "[a]b]", "a.b", "x!", "sqlite_x", "tab\tx", std::string(65, 'n')}) {
        messages.clear();
        EXPECT_EQ(db.CreateTable(bad, {text}), 0) << bad;
        EXPECT_EQ(messages.size(), 1u) << bad;
        EXPECT_EQ(KvAccess::IsTableName(bad), 0) << bad;
    }
    std::string problem;
    EXPECT_EQ(KvAccess::IsTableName("单位容量P0计算", &problem), 1);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(KvAccess::IsTableName(std::string(64, 'n')), 1);
    EXPECT_EQ(KvAccess::IsTableName(" lead"), 0);
    std::vector<std::string> tables;
    EXPECT_EQ(db.GetAllTableNames(tables), 1);
    EXPECT_EQ(tables, (std::vector<std::string>{"会议室'1 \"甲\""}));
}

TEST_F(KvAccessTest, TemplateAndStructureCopies) {
    MakeStandards();
    EXPECT_EQ(db.CreateTableFromTemplet(" 商店 ", "[照度标准模板]"), 1);
    EXPECT_EQ(Query("SELECT count(*) FROM 商店"), (Rows{{"2"}}));
    EXPECT_EQ(db.CreateTableFromTemplet("商店", "照度标准模板"), 0);
    EXPECT_EQ(db.CreateTableFromTemplet("新", "无此表"), 0);
    EXPECT_EQ(db.CreateTableFromTemplet("", "照度标准模板"), 0);

    EXPECT_EQ(db.CopyTableStructInfo("空", "照度标准模板", 1), 1);
    EXPECT_EQ(Query("SELECT count(*) FROM 空"), (Rows{{"0"}}));
    EXPECT_EQ(db.CopyTableStructInfo("选", "照度标准模板", 0, "WHERE 场所名称 = \"会议室\""), 1);
    EXPECT_EQ(Query("SELECT 场所名称 FROM 选"), (Rows{{"会议室"}}));
    // A bad condition leaves no half-made table behind.
    EXPECT_EQ(db.CopyTableStructInfo("坏", "照度标准模板", 1, "WHERE 无此列 = 1"), 0);
    EXPECT_EQ(db.IsTableInDatabase("坏", "TABLE"), 0);

    EXPECT_EQ(db.DeleteTable("无此表"), 0);
    EXPECT_EQ(db.DeleteTable("[选]"), 1);
    std::vector<std::string> tables;
    EXPECT_EQ(db.GetAllTableNames(tables), 4);
    EXPECT_EQ(tables, (std::vector<std::string>{"商店", "照度标准", "照度标准模板", "空"}));
}

TEST_F(KvAccessTest, AddRecordLeavesEmptyValuesAtTheirDefaults) {
    Run({"CREATE TABLE r (ID INTEGER PRIMARY KEY, a TEXT DEFAULT 'd', n INTEGER, x REAL)"});
    EXPECT_EQ(db.AddRecordToTable("r", {"a", "n", "x"}, {"  ", " 36 ", "0.50"}), 1);
    EXPECT_EQ(db.AddRecordToTable("[r]", {"a", "n"}, {"会议室'1", ""}), 1);
    EXPECT_EQ(db.AddRecordToTable("r", {}, {}), 1);
    EXPECT_EQ(db.AddRecordToTable("r", {"nope"}, {"1"}), 0);
    EXPECT_EQ(db.AddRecordToTable("无此表", {"a"}, {"1"}), 0);
    EXPECT_EQ(Query("SELECT * FROM r"),
              (Rows{{"1", "d", "36", "0.5"}, {"2", "会议室'1", "", ""}, {"3", "d", "", ""}}));
}

} // namespace
