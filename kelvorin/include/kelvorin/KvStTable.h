#pragma once
// In-memory text tables: a label record (column names) and value records (rows).
// Every cell is text; indexes are 0-based; copies are deep.
#include <kelvorin/KvExport.h>

#include <string>
#include <vector>

class KV_API KvStRecord {
public:
    KvStRecord() = default;
    explicit KvStRecord(std::vector<std::string> values) : m_values(std::move(values)) {}
    KvStRecord(const KvStRecord&) = default;
    KvStRecord& operator=(const KvStRecord&) = default;
    KvStRecord(KvStRecord&&) noexcept = default;
    KvStRecord& operator=(KvStRecord&&) noexcept = default;
    virtual ~KvStRecord();

    void GetValueAr(std::vector<std::string>& out) const;
    void SetValueAr(const std::vector<std::string>& values);
    std::string GetAt(int index) const;
    int GetLogicSize() const;
    const std::vector<std::string>& Values() const { return m_values; }
    bool operator==(const KvStRecord& other) const { return m_values == other.m_values; }
    // Whether the index names one of the values.
    bool Has(int index) const;

private:
    friend class KvStTable;
    // Unchecked edits for the table, which has validated the index.
    void InsertAt(int index, const std::string& value);
    void RemoveAt(int index);
    void SetAt(int index, const std::string& value);

    std::vector<std::string> m_values;
};

class KV_API KvStTableField {
public:
    KvStTableField() = default;
    KvStTableField(const KvStTableField&) = default;
    KvStTableField& operator=(const KvStTableField&) = default;
    virtual ~KvStTableField();
    bool operator==(const KvStTableField&) const = default;

    std::string name, type, spare;
    int size = 0;
    int allowNull = 1;
    int primaryKey = 0;
};

class KV_API KvStTable {
public:
    KvStTable() = default;
    KvStTable(const KvStTable&) = default;
    KvStTable& operator=(const KvStTable&) = default;
    KvStTable(KvStTable&&) noexcept = default;
    KvStTable& operator=(KvStTable&&) noexcept = default;
    virtual ~KvStTable();

    void SetLableRecord(const KvStRecord& label);
    void SetLableRecord(const std::vector<std::string>& label);
    void GetLableRecord(KvStRecord& out) const;
    void GetLableRecord(std::vector<std::string>& out) const;
    int GetTableLogicSize() const;
    int GetFieldCount() const;
    int GetValueRecord(KvStRecord& out, int row) const;
    int GetValueRecord(std::vector<std::string>& out, int row) const;
    int GetValueRecord(std::vector<KvStRecord>& out, int column, const std::string& text) const;
    int SetValueRecord(const KvStRecord& record, int row);
    int SetValueRecord(const std::vector<std::string>& record, int row);
    int SetValueRecord(int column, const std::string& text, const KvStRecord& record);
    int AddValueRecord(const KvStRecord& record);
    int AddValueRecord(const std::vector<std::string>& record);
    int InsertValueRecord(const std::vector<std::string>& record, int row);
    int InsertValueRecord(const KvStRecord& record, int row);
    int RemoveRecordByLable(const std::string& text, int column);
    int RemoveRecordByIndex(int row);
    int InsertField(int column, const std::string& name);
    int RemoveFieldByLable(const std::string& name);
    int RemoveFieldByIndex(int column);
    int RenameRecordTextValue(int column, const std::string& newText, int keyColumn,
                              const std::string& keyText);
    void RenameRecordTextValue(int column, const std::string& newText);
    int HasThisRecordByName(int column, const std::string& text) const;
    void RemoveAll();
    void Sort(int column, int ascending, int numeric);

    // The cell text, empty beyond the table or the row's end.
    std::string GetCell(int row, int column) const;

private:
    bool HasRow(int row) const;

    KvStRecord m_label;
    std::vector<KvStRecord> m_rows;
};
