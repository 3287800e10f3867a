#pragma once
// Spreadsheet workbooks (.xlsx) for programs that link the library: one workbook open
// at a time, addressed by its path, with a current sheet. Operations that name a
// workbook open it first (a path that names no file starts a new workbook with one
// sheet "Sheet1", written on the first change); those that also change it write it
// at once. Operations on the current sheet (cell formatting, lines) are written by
// Save, Close, Quit, the next workbook opened, or the destructor.
//
// Cells are addressed by row (from 1) and column name ("A", "AB"). Widths are in
// characters of the standard font, kept to whole pixels as the spreadsheet keeps them
// (4.5 reads back as 4.43); heights and positions are in points.
//
// Results: 1 success, 0 failure. Failures are shown through the message sink as
// "Excel 执行错误!" followed by the reason, caption "Varsolin".
#include <kelvorin/KvExport.h>

#include <memory>
#include <string>
#include <vector>

class KvStTable;

namespace kv_detail {
class XlsxWorkbook;
struct XlsxSheet;
} // namespace kv_detail

class KV_API KvExcel {
public:
    // WriteDataToSheet refuses tables of this many columns or more.
    static constexpr int kMaxWriteColumns = 255;
    // GetDataOneSheet refuses sheets whose used range holds more cells.
    static constexpr long long kMaxReadCells = 20000000;
    // Cell formatting reaches at most this many cells at once.
    static constexpr long long kMaxStyledCells = 1000000;

    KvExcel();
    virtual ~KvExcel();
    KvExcel(const KvExcel&) = delete;
    KvExcel& operator=(const KvExcel&) = delete;

    // 1: the workbook engine is ready (always, the engine being the library itself).
    int IsStarted() const { return m_started; }

    // Writes the current workbook when changed and closes it; 1 also with none open.
    int Close();
    int Quit() { return Close(); }
    // Writes the current workbook when changed; 1 also when unchanged.
    int Save();

    int OpenBook(const std::string& path);
    // Makes the sheet current; 0 when the workbook has none of that name.
    int OpenSheet(const std::string& path, const std::string& sheet);
    // Adds a sheet after the others and makes it current; 0 for an invalid name or one
    // in use (names compare without ASCII case).
    int CreateSheet(const std::string& path, const std::string& sheet);
    // 0 when there is no such sheet or it is the workbook's only one.
    int DeleteSheet(const std::string& path, const std::string& sheet);
    int GetAllSheetName(std::vector<std::string>& out, const std::string& path);
    // From A1 on: the label record as the first row, then the rows, cell by cell, in
    // the font size and with the borders flag in force; the sheet is made when missing.
    // Texts that are the shortest form of a number are written as numbers. 0 without
    // writing for a table of kMaxWriteColumns columns or more (label or any row).
    int WriteDataToSheet(const KvStTable& table, const std::string& path, const std::string& sheet);
    // The sheet's used range from A1: its first row as the label record, the rest as
    // rows, every row as wide as the range. Numbers come as their stored text.
    int GetDataOneSheet(KvStTable& out, const std::string& path, const std::string& sheet);
    // Removes the sheet's cells and merged ranges.
    int DeleteDataFromSheet(const std::string& path, const std::string& sheet);
    // Widths of the columns A, B, ... in order (0 to 255 characters).
    int SetColWidth(const std::vector<double>& widths, const std::string& path,
                    const std::string& sheet);
    // A line shape on the current sheet between two points (points from its top left).
    int DrawLine(double x1, double y1, double x2, double y2);

    // Position and size of a cell in points.
    int GetCellRect(double& left, double& top, double& width, double& height, int row,
                    const std::string& column);
    // Row height (points) and column width (characters) of a cell.
    int GetCellHeightWidth(double& height, double& width, int row, const std::string& column);
    // Sets them; a value below 0 leaves that one as it is.
    int SetCellHeightWidth(int row, const std::string& column, double height, double width);
    // Horizontal 0 general, 1 left, 2 centre, 3 right; vertical 0 bottom, 1 centre,
    // 2 top; bold flag.
    int SetCellStyle(int row, const std::string& column, int horizontal, int vertical, int bold);
    // Merges rows × columns cells from the cell on (1 × 1 merges nothing and succeeds).
    int MergeCells(int row, const std::string& column, int rows, int columns);
    // Borders on all four sides of the cell, or of each cell of a block: weight 0 none,
    // 1 thin, 2 medium, 3 thick.
    int SetCellBorder(int row, const std::string& column, int weight);
    int SetCellBorder(int row, const std::string& column, int rows, int columns, int weight);

    int GetFontSize() const { return m_fontSize; }
    void SetFontSize(int size) { m_fontSize = size; }
    // When set, WriteDataToSheet gives every written cell thin borders.
    int GetCellsBorders() const { return m_cellsBorders; }
    void SetCellsBorders(int flag) { m_cellsBorders = flag; }

    // The current workbook's path and sheet name; empty when none.
    std::string BookPath() const { return m_path; }
    std::string SheetName() const;

private:
    // Opens the workbook of path when it is not the current one; false after showing why.
    bool UseBook(const std::string& path);
    kv_detail::XlsxSheet* UseSheet(const std::string& path, const std::string& sheet);
    kv_detail::XlsxSheet* CurrentSheet();
    // The cell's row and column, false after showing why when it is none.
    bool CellOf(int row, const std::string& column, int& columnNo);
    int Changed(bool writeNow);
    template <typename Edit>
    int EditStyle(int row, const std::string& column, int rows, int columns, Edit edit);

    std::unique_ptr<kv_detail::XlsxWorkbook> m_book;
    std::string m_path;
    std::string m_sheet;
    bool m_dirty = false;
    int m_started = 1;
    int m_fontSize = 12;
    int m_cellsBorders = 0;
};
