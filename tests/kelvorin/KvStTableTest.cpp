#include <kelvorin/KvStTable.h>

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

KvStTable MakeTable(const Strings& label, const std::vector<Strings>& rows) {
    KvStTable table;
    table.SetLableRecord(label);
    for (const Strings& row : rows) {
        table.AddValueRecord(row);
    }
    return table;
}

Strings Column(const KvStTable& table, int column) {
    Strings values;
    for (int row = 0; row < table.GetTableLogicSize(); ++row) {
        values.push_back(table.GetCell(row, column));
    }
    return values;
}

Strings Row(const KvStTable& table, int row) {
    Strings values;
    table.GetValueRecord(values, row);
    return values;
}

} // namespace

TEST(KvStTable, RecordsAndTablesAreDeepValues) {
    KvStRecord record({"a", "b"});
    record.SetValueAr({});
    EXPECT_EQ(record.GetLogicSize(), 2);
    EXPECT_EQ(record.GetAt(2), "");
    EXPECT_EQ(record.GetAt(-1), "");

    KvStTable table = MakeTable({"k"}, {{"1"}});
    KvStTable copy = table;
    copy.SetValueRecord(Strings{"2"}, 0);
    copy.SetLableRecord(Strings{"x"});
    EXPECT_EQ(Row(table, 0), Strings{"1"});
    table.SetLableRecord(Strings{});
    Strings label;
    table.GetLableRecord(label);
    EXPECT_EQ(label, Strings{"k"});
}

TEST(KvStTable, AddInsertAndReadRowsByIndex) {
    KvStTable table = MakeTable({"a"}, {{"r0"}, {"r1"}});
    EXPECT_EQ(table.AddValueRecord(Strings{}), -1);
    EXPECT_EQ(table.InsertValueRecord(KvStRecord(), 0), -1);
    EXPECT_EQ(table.InsertValueRecord(Strings{"end"}, 5), 2);
    EXPECT_EQ(table.InsertValueRecord(Strings{"first"}, 0), 0);
    EXPECT_EQ(table.InsertValueRecord(Strings{"neg"}, -1), 4);
    EXPECT_EQ(Column(table, 0), (Strings{"first", "r0", "r1", "end", "neg"}));

    Strings out{"kept"};
    EXPECT_EQ(table.GetValueRecord(out, 5), 0);
    EXPECT_EQ(out, Strings{"kept"});
    EXPECT_EQ(table.SetValueRecord(Strings{"x"}, 5), 0);
    EXPECT_EQ(table.RemoveRecordByIndex(5), 0);
    EXPECT_EQ(table.RemoveRecordByIndex(0), 1);
    EXPECT_EQ(table.GetTableLogicSize(), 4);
}

TEST(KvStTable, RowsMatchedByColumnText) {
    KvStTable table = MakeTable({"k", "v"}, {{"a", "1"}, {"b", "2"}, {"a", "3"}, {"z"}});
    std::vector<KvStRecord> found{KvStRecord({"old"})};
    EXPECT_EQ(table.GetValueRecord(found, 0, "a"), 2);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[2].GetAt(1), "3");
    EXPECT_EQ(table.HasThisRecordByName(1, ""), 3); // beyond a row's end reads as empty
    EXPECT_EQ(table.HasThisRecordByName(-1, "a"), -1);

    EXPECT_EQ(table.SetValueRecord(0, "b", KvStRecord({"c", "9"})), 1);
    EXPECT_EQ(table.RemoveRecordByLable("a", 2), 0);
    EXPECT_EQ(table.RemoveRecordByLable("a", 0), 2);
    EXPECT_EQ(Column(table, 0), (Strings{"c", "z"}));
}

TEST(KvStTable, FieldEditsSkipShortRows) {
    KvStTable table = MakeTable({"a", "b"}, {{"1", "2"}, {"3"}, {"4", "5", "6"}});
    EXPECT_EQ(table.InsertField(3, "x"), 0);
    EXPECT_EQ(table.InsertField(2, "c"), 1);
    EXPECT_EQ(table.GetFieldCount(), 3);
    EXPECT_EQ(Row(table, 0), (Strings{"1", "2", ""}));
    EXPECT_EQ(Row(table, 1), Strings{"3"});
    EXPECT_EQ(Row(table, 2), (Strings{"4", "5", "", "6"}));

    EXPECT_EQ(table.RemoveFieldByLable("none"), 0);
    EXPECT_EQ(table.RemoveFieldByLable("b"), 1);
    EXPECT_EQ(table.RemoveFieldByIndex(2), 0);
    EXPECT_EQ(Row(table, 1), Strings{"3"});
    EXPECT_EQ(Row(table, 2), (Strings{"4", "", "6"}));

    EXPECT_EQ(table.RenameRecordTextValue(2, "R", 0, "4"), 1);
    EXPECT_EQ(table.RenameRecordTextValue(1, "R", 0, "3"), 0);
    table.RenameRecordTextValue(1, "S");
    EXPECT_EQ(Column(table, 1), (Strings{"S", "", "S"}));
    table.RemoveAll();
    EXPECT_EQ(table.RenameRecordTextValue(0, "R", 0, ""), 0);
    EXPECT_EQ(table.GetFieldCount(), 2);
}

TEST(KvStTable, SortIsTheExchangeSort) {
    KvStTable table = MakeTable({"n"}, {{"10"}, {"9"}, {"100"}});
    table.Sort(0, 1, 1);
    EXPECT_EQ(Column(table, 0), (Strings{"9", "10", "100"}));
    table.Sort(0, 1, 0);
    EXPECT_EQ(Column(table, 0), (Strings{"10", "100", "9"}));

    // Equal keys are never swapped, yet a swap with a third row reorders them.
    KvStTable ties = MakeTable({"n", "id"}, {{"2", "a"}, {"2", "b"}, {"1", "c"}});
    ties.Sort(0, 1, 1);
    EXPECT_EQ(Column(ties, 1), (Strings{"c", "b", "a"}));
    ties = MakeTable({"n", "id"}, {{"1", "a"}, {"2", "b"}, {"2", "c"}, {"3", "d"}});
    ties.Sort(0, 0, 1);
    EXPECT_EQ(Column(ties, 1), (Strings{"d", "c", "b", "a"}));

    // Empty, missing and non-numeric cells count as 0; text order is byte order.
    KvStTable mixed = MakeTable({"id", "n"}, {{"中", ""}, {"x"}, {"y", "-1"}, {"z", "abc"}});
    mixed.Sort(1, 1, 1);
    EXPECT_EQ(Column(mixed, 0), (Strings{"y", "x", "中", "z"}));
    mixed.Sort(0, 1, 0);
    EXPECT_EQ(Column(mixed, 0), (Strings{"x", "y", "z", "中"}));
}
