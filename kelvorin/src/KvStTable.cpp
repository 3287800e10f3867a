#include <kelvorin/KvStTable.h>

#include <kelvorin/KvStr.h>

#include <utility>

// ---------------------------------------------------------------- KvStRecord

KvStRecord::~KvStRecord() = default;

void KvStRecord::GetValueAr(std::vector<std::string>& out) const {
    out = m_values;
}

void KvStRecord::SetValueAr(const std::vector<std::string>& values) {
    if (values.empty()) {
        return;
    }
    m_values = values;
}

std::string KvStRecord::GetAt(int index) const {
    if (index < 0 || index >= GetLogicSize()) {
        return std::string();
    }
    return m_values[static_cast<size_t>(index)];
}

int KvStRecord::GetLogicSize() const {
    return static_cast<int>(m_values.size());
}

bool KvStRecord::Has(int index) const {
    return index >= 0 && index < GetLogicSize();
}

void KvStRecord::InsertAt(int index, const std::string& value) {
    m_values.insert(m_values.begin() + index, value);
}

void KvStRecord::RemoveAt(int index) {
    m_values.erase(m_values.begin() + index);
}

void KvStRecord::SetAt(int index, const std::string& value) {
    m_values[static_cast<size_t>(index)] = value;
}

// ------------------------------------------------------------ KvStTableField

KvStTableField::~KvStTableField() = default;

// ----------------------------------------------------------------- KvStTable

KvStTable::~KvStTable() = default;

void KvStTable::SetLableRecord(const KvStRecord& label) {
    m_label = label;
}

void KvStTable::SetLableRecord(const std::vector<std::string>& label) {
    m_label.SetValueAr(label);
}

void KvStTable::GetLableRecord(KvStRecord& out) const {
    out = m_label;
}

void KvStTable::GetLableRecord(std::vector<std::string>& out) const {
    m_label.GetValueAr(out);
}

int KvStTable::GetTableLogicSize() const {
    return static_cast<int>(m_rows.size());
}

int KvStTable::GetFieldCount() const {
    return m_label.GetLogicSize();
}

bool KvStTable::HasRow(int row) const {
    return row >= 0 && row < GetTableLogicSize();
}

std::string KvStTable::GetCell(int row, int column) const {
    if (!HasRow(row)) {
        return std::string();
    }
    return m_rows[static_cast<size_t>(row)].GetAt(column);
}

int KvStTable::GetValueRecord(KvStRecord& out, int row) const {
    if (!HasRow(row)) {
        return 0;
    }
    out = m_rows[static_cast<size_t>(row)];
    return 1;
}

int KvStTable::GetValueRecord(std::vector<std::string>& out, int row) const {
    if (!HasRow(row)) {
        return 0;
    }
    m_rows[static_cast<size_t>(row)].GetValueAr(out);
    return 1;
}

int KvStTable::GetValueRecord(std::vector<KvStRecord>& out, int column,
                              const std::string& text) const {
    if (column < 0) {
        return 0;
    }
    int appended = 0;
    for (const KvStRecord& row : m_rows) {
        if (row.GetAt(column) == text) {
            out.push_back(row);
            ++appended;
        }
    }
    return appended;
}

int KvStTable::SetValueRecord(const KvStRecord& record, int row) {
    if (!HasRow(row)) {
        return 0;
    }
    m_rows[static_cast<size_t>(row)] = record;
    return 1;
}

int KvStTable::SetValueRecord(const std::vector<std::string>& record, int row) {
    return SetValueRecord(KvStRecord(record), row);
}

int KvStTable::SetValueRecord(int column, const std::string& text, const KvStRecord& record) {
    if (column < 0) {
        return 0;
    }
    int replaced = 0;
    for (KvStRecord& row : m_rows) {
        if (row.GetAt(column) == text) {
            row = record;
            ++replaced;
        }
    }
    return replaced;
}

int KvStTable::AddValueRecord(const KvStRecord& record) {
    if (record.GetLogicSize() == 0) {
        return -1;
    }
    m_rows.push_back(record);
    return GetTableLogicSize() - 1;
}

int KvStTable::AddValueRecord(const std::vector<std::string>& record) {
    return AddValueRecord(KvStRecord(record));
}

int KvStTable::InsertValueRecord(const KvStRecord& record, int row) {
    if (record.GetLogicSize() == 0) {
        return -1;
    }
    if (!HasRow(row)) {
        return AddValueRecord(record);
    }
    m_rows.insert(m_rows.begin() + row, record);
    return row;
}

int KvStTable::InsertValueRecord(const std::vector<std::string>& record, int row) {
    return InsertValueRecord(KvStRecord(record), row);
}

int KvStTable::RemoveRecordByLable(const std::string& text, int column) {
    if (!m_label.Has(column)) {
        return 0;
    }
    int removed = 0;
    for (int row = GetTableLogicSize() - 1; row >= 0; --row) {
        if (m_rows[static_cast<size_t>(row)].GetAt(column) == text) {
            m_rows.erase(m_rows.begin() + row);
            ++removed;
        }
    }
    return removed;
}

int KvStTable::RemoveRecordByIndex(int row) {
    if (!HasRow(row)) {
        return 0;
    }
    m_rows.erase(m_rows.begin() + row);
    return 1;
}

int KvStTable::InsertField(int column, const std::string& name) {
    // The end itself is a valid place: the new column is appended.
    if (column < 0 || column > GetFieldCount()) {
        return 0;
    }
    m_label.InsertAt(column, name);
    for (KvStRecord& row : m_rows) {
        if (row.GetLogicSize() >= column) {
            row.InsertAt(column, std::string());
        }
    }
    return 1;
}

int KvStTable::RemoveFieldByLable(const std::string& name) {
    const std::vector<std::string>& names = m_label.Values();
    for (size_t column = 0; column < names.size(); ++column) {
        if (names[column] == name) {
            return RemoveFieldByIndex(static_cast<int>(column));
        }
    }
    return 0;
}

int KvStTable::RemoveFieldByIndex(int column) {
    if (!m_label.Has(column)) {
        return 0;
    }
    m_label.RemoveAt(column);
    for (KvStRecord& row : m_rows) {
        if (row.Has(column)) {
            row.RemoveAt(column);
        }
    }
    return 1;
}

int KvStTable::RenameRecordTextValue(int column, const std::string& newText, int keyColumn,
                                     const std::string& keyText) {
    if (column < 0 || keyColumn < 0 || m_rows.empty()) {
        return 0;
    }
    int changed = 0;
    for (KvStRecord& row : m_rows) {
        if (row.Has(column) && row.Has(keyColumn) && row.GetAt(keyColumn) == keyText) {
            row.SetAt(column, newText);
            ++changed;
        }
    }
    return changed;
}

void KvStTable::RenameRecordTextValue(int column, const std::string& newText) {
    for (KvStRecord& row : m_rows) {
        if (row.Has(column)) {
            row.SetAt(column, newText);
        }
    }
}

int KvStTable::HasThisRecordByName(int column, const std::string& text) const {
    if (column < 0) {
        return -1;
    }
    for (int row = 0; row < GetTableLogicSize(); ++row) {
        if (m_rows[static_cast<size_t>(row)].GetAt(column) == text) {
            return row;
        }
    }
    return -1;
}

void KvStTable::RemoveAll() {
    m_rows.clear();
}

namespace {

// Whether the exchange sort swaps row i (value a) with the later row j (value b).
// Equal values never swap, so the order of ties is the exchange sort's own.
bool OutOfOrder(const std::string& a, const std::string& b, int ascending, int numeric) {
    if (numeric) {
        const double x = KvStr::Atof(a);
        const double y = KvStr::Atof(b);
        return ascending ? x > y : x < y;
    }
    // std::string compares bytes as unsigned char: the byte order of the encoding.
    const int order = a.compare(b);
    return ascending ? order > 0 : order < 0;
}

} // namespace

void KvStTable::Sort(int column, int ascending, int numeric) {
    const int rows = GetTableLogicSize();
    if (column < 0 || rows < 2) {
        return;
    }
    for (int i = 0; i < rows - 1; ++i) {
        for (int j = i + 1; j < rows; ++j) {
            if (OutOfOrder(GetCell(i, column), GetCell(j, column), ascending, numeric)) {
                std::swap(m_rows[static_cast<size_t>(i)], m_rows[static_cast<size_t>(j)]);
            }
        }
    }
}
