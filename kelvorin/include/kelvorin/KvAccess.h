#pragma once
// Database access of the library: one object holds one connection to one SQLite database
// file, runs queries into text tables and lists, executes statements, and creates, copies,
// inspects and drops tables.
//
// Statements are written in the catalogue's dialect: names in square brackets, back
// quotes or bare (Chinese names too), texts in single or double quotes (a double-quoted
// "粉刷" is the text 粉刷, never a column), "SELECT [DISTINCT] TOP n ...",
// "SELECT * INTO [new] FROM [old] ..." (the new table gets the old one's column
// definitions and keys, then the selected rows) and "DELETE * FROM ...". One statement per
// call.
//
// Every operation connects first with the stored path, so the connection opens on the
// first statement and is reopened after CloseAll. A file that cannot be opened shows
// "不能正常连接数据库..." with its path (once per attempt) and the operation fails.
// Results are flags (1 success, 0 failure) and counts (-1 failure); nothing throws.
// Messages go through KvMessageSink with the caption "Varsolin".
#include <kelvorin/KvExport.h>
#include <kelvorin/KvStTable.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

// A report-style list view without a window: the caller sets the number of header
// columns, GetSelData fills the items (one row of texts per item, at most that wide).
struct KV_API KvListViewRows {
    int headerColumnCount = 0;
    std::vector<std::vector<std::string>> items;
};

class KV_API KvAccess {
public:
    KvAccess();
    // A copy holds the same path and password and opens a connection of its own on its
    // first operation.
    KvAccess(const KvAccess& other);
    KvAccess& operator=(const KvAccess& other);
    KvAccess(KvAccess&& other) noexcept;
    KvAccess& operator=(KvAccess&& other) noexcept;
    virtual ~KvAccess();

    // Opens the database file (never creates one); 1 when connected. A connection open on
    // the same file is kept. The password is kept with the path; SQLite files have none.
    int InitADOServer(const std::string& path, const std::string& password);
    // Closes the connection; path and password stay for the next operation.
    void CloseAll();

    // Rows of a query: the table is emptied, its label record gets the column names and
    // each row one text per column (integers in decimal, reals in their shortest text
    // without ".0", NULL as empty text). Statements that write are not run here. Returns the number
    // of rows, -1 on failure (rows read before an error stay).
    int GetSelData(KvStTable& out, const std::string& sql);
    // Every cell of the query, row by row; returns the number of rows, -1 on failure.
    int GetSelData(std::vector<std::string>& out, const std::string& sql);
    // The distinct cell texts in order of first appearance (the list-box forms); returns
    // their number, -1 on failure.
    int GetSelData(std::list<std::string>& out, const std::string& sql);
    int GetSelDistinctData(std::vector<std::string>& out, const std::string& sql);
    // Fills the list view's items; returns the number of rows, -1 when the query fails or
    // no column can be shown.
    int GetSelData(KvListViewRows& view, const std::string& sql);

    int ExecuteSQL(const std::string& sql);
    // Type "TABLE" (user tables), "SYSTEM TABLE" or "VIEW"; names and types compared
    // without regard to ASCII case.
    int IsTableInDatabase(const std::string& name, const std::string& type);
    // Names of the user tables in name order; their number, -1 on failure.
    int GetAllTableNames(std::vector<std::string>& out);
    // 1 when the table was created, 0 when it exists, the name cannot name a table, no
    // field has a known type, or the engine refuses it.
    int CreateTable(const std::string& name, const std::vector<KvStTableField>& fields);
    int CreateTableFromTemplet(const std::string& name, const std::string& templet);
    int CopyTableStructInfo(const std::string& name, const std::string& source, int structureOnly,
                            const std::string& condition = "");
    int DeleteTable(const std::string& name);
    int GetTableStructInfo(std::vector<std::string>& names, const std::string& table);
    // Column names, type names, varchar sizes, null and key flags.
    int GetTableStructInfo(std::vector<KvStTableField>& fields, const std::string& table);
    // Inserts one row: each non-empty value (trimmed) goes to the column of the same
    // index; the others keep their defaults.
    int AddRecordToTable(const std::string& table, const std::vector<std::string>& names,
                         const std::vector<std::string>& values);

    // Helpers for callers that put values and names into statements.
    // The text with every single quote doubled, for a statement's '%s'.
    static std::string EscapeText(const std::string& value);
    // The text as a literal: between single quotes, its quotes doubled.
    static std::string QuoteText(const std::string& value);
    // 1 when the text can name a table; otherwise 0 with the reason in *problem.
    static int IsTableName(const std::string& name, std::string* problem = nullptr);

    const std::string& GetDatabasePath() const { return m_path; }
    bool IsConnected() const { return m_connection != nullptr; }

private:
    struct ConnectionCloser {
        void operator()(sqlite3* connection) const;
    };

    // Connects with the stored path; *messageShown tells whether the attempt showed the
    // connection message.
    int Connect(bool* messageShown = nullptr);
    int Open(const std::string& path, const std::string& password, bool* messageShown);
    // Creates `target` with the declared columns of `source`, then inserts the rows of
    // "SELECT * FROM source rest"; all or nothing.
    int CopyTable(const std::string& target, const std::string& source, const std::string& rest,
                  bool structureOnly);
    // The shared checks of the copying operations: both names usable, connected, the
    // new table absent and the source present.
    int CanCopy(const std::string& name, const std::string& source);
    int RunStatement(const std::string& sql);

    std::string m_path;
    std::string m_password;
    std::unique_ptr<sqlite3, ConnectionCloser> m_connection;
};
