#pragma once
// A spreadsheet workbook (.xlsx) held in memory as sheets of cells with the formatting
// the library writes: column widths, row heights, merged ranges, line shapes, and cell
// styles of font size, bold, borders and alignment. Read from and written to the
// package whole; shared and inline strings are both read, strings are written shared.
// Parts the model does not know (charts, formulas, number formats) are not kept.
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kv_detail {

struct XlsxStyle {
    double fontSize = 11.0; // points
    bool bold = false;
    int border = 0;     // 0 none, 1 thin, 2 medium, 3 thick, on all four sides
    int horizontal = 0; // 0 general, 1 left, 2 centre, 3 right
    int vertical = 0;   // 0 bottom, 1 centre, 2 top
    bool operator==(const XlsxStyle&) const = default;
};

struct XlsxCell {
    std::string text;
    bool number = false; // written as a number (the text is its shortest form)
    int style = 0;       // index into the workbook's styles
};

struct XlsxLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // points from the sheet's top left corner
};

using XlsxCellKey = std::pair<int, int>; // row, column, both from 1

struct XlsxSheet {
    std::string name;
    std::map<XlsxCellKey, XlsxCell> cells;
    std::map<int, double> columnWidths; // characters
    std::map<int, double> rowHeights;   // points
    std::vector<std::string> merges;    // "A1:B2"
    std::vector<XlsxLine> lines;
};

class XlsxWorkbook {
public:
    static constexpr int kMaxRows = 1048576;
    static constexpr int kMaxColumns = 16384;
    static constexpr double kDefaultColumnWidth = 8.43; // characters
    static constexpr double kDefaultRowHeight = 15.0;   // points

    XlsxWorkbook();
    bool Load(const std::string& bytes, std::string& error);
    bool Save(std::string& bytes, std::string& error) const;

    std::vector<XlsxSheet>& Sheets() { return m_sheets; }
    const std::vector<XlsxSheet>& Sheets() const { return m_sheets; }
    // The sheet of that name (compared without ASCII case), or nullptr.
    XlsxSheet* Find(const std::string& name);
    // The index of the style, added when new.
    int StyleIndex(const XlsxStyle& style);
    const XlsxStyle& Style(int index) const;

    // Column widths in characters and the stored width; points of a width.
    static double StoredWidth(double characters);
    static double WidthPoints(double characters);

private:
    std::vector<XlsxSheet> m_sheets;
    std::vector<XlsxStyle> m_styles;
};

// Whether the text is a sheet name the spreadsheet accepts: 1 to 31 characters, none of
// []:*?/\ and not beginning or ending with an apostrophe.
bool IsValidSheetName(const std::string& name);

// "B3" → row 3, column 2; false when it is no cell reference in the sheet's range.
bool ParseCellReference(const std::string& reference, int& row, int& column);

} // namespace kv_detail
