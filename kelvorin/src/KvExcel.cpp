#include <kelvorin/KvExcel.h>

#include "KvAccessTypes.h"
#include "KvXlsxWorkbook.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStTable.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

using kv_detail::XlsxCell;
using kv_detail::XlsxSheet;
using kv_detail::XlsxStyle;
using kv_detail::XlsxWorkbook;

namespace {

constexpr double kMaxColumnWidth = 255.0; // characters
constexpr double kMaxRowHeight = 409.0;   // points

int ReportExcelError(const std::string& reason) {
    KvMessageSink::Show("Excel 执行错误!\n" + reason, "Varsolin", KvMessageIcon::Warning);
    return 0;
}

// Whether the text is exactly the shortest form of a finite number, so that writing it
// as a number and reading it back gives the same text.
bool IsNumberText(const std::string& text) {
    double value = 0.0;
    return !text.empty() && KvStr::IsDigitFactor(&value, text) && std::isfinite(value) &&
           kv_detail::RealText(value) == text;
}

std::unique_ptr<XlsxWorkbook> NewWorkbook() {
    auto book = std::make_unique<XlsxWorkbook>();
    book->Sheets().push_back(XlsxSheet{"Sheet1", {}, {}, {}, {}, {}});
    return book;
}

std::string RangeText(int row, int column, int rows, int columns) {
    return KvStr::Format("%s%d:%s%d", KvStr::ExcelColNoToName(column).c_str(), row,
                         KvStr::ExcelColNoToName(column + columns - 1).c_str(), row + rows - 1);
}

} // namespace

KvExcel::KvExcel() = default;

KvExcel::~KvExcel() {
    Close();
}

std::string KvExcel::SheetName() const {
    return m_book ? m_sheet : std::string();
}

int KvExcel::Save() {
    if (!m_book || !m_dirty) {
        return 1;
    }
    std::string bytes;
    std::string error;
    if (!m_book->Save(bytes, error) || !KvFile::WriteAtomically(m_path, bytes, &error)) {
        // Reported once: the content that could not be saved is not tried again (and
        // reported again) by Close or the destructor.
        m_dirty = false;
        return ReportExcelError("无法保存工作簿（" + error + "）");
    }
    m_dirty = false;
    return 1;
}

int KvExcel::Close() {
    const int saved = Save();
    m_book.reset();
    m_path.clear();
    m_sheet.clear();
    m_dirty = false;
    return saved;
}

bool KvExcel::UseBook(const std::string& path) {
    if (m_book && path == m_path) {
        return true;
    }
    if (KvStr::Trim(path).empty()) {
        return ReportExcelError("工作簿路径为空");
    }
    Close();
    std::string bytes;
    std::string error;
    auto book = std::make_unique<XlsxWorkbook>();
    switch (KvFile::ReadAll(path, bytes)) {
    case KvFileRead::Missing:
        book = NewWorkbook();
        m_dirty = true;
        break;
    case KvFileRead::Failed:
        return ReportExcelError("无法读取工作簿 " + path);
    case KvFileRead::Ok:
        if (!book->Load(bytes, error)) {
            return ReportExcelError(path + ": " + error);
        }
        break;
    }
    m_book = std::move(book);
    m_path = path;
    m_sheet = m_book->Sheets().front().name;
    return true;
}

int KvExcel::OpenBook(const std::string& path) {
    return UseBook(path) ? 1 : 0;
}

XlsxSheet* KvExcel::UseSheet(const std::string& path, const std::string& sheet) {
    if (!UseBook(path)) {
        return nullptr;
    }
    XlsxSheet* found = m_book->Find(sheet);
    if (found == nullptr) {
        ReportExcelError("没有工作表 " + sheet);
        return nullptr;
    }
    m_sheet = found->name;
    return found;
}

XlsxSheet* KvExcel::CurrentSheet() {
    XlsxSheet* sheet = m_book ? m_book->Find(m_sheet) : nullptr;
    if (sheet == nullptr) {
        ReportExcelError("没有打开的工作表");
    }
    return sheet;
}

int KvExcel::Changed(bool writeNow) {
    m_dirty = true;
    return writeNow ? Save() : 1;
}

int KvExcel::OpenSheet(const std::string& path, const std::string& sheet) {
    return UseSheet(path, sheet) != nullptr ? 1 : 0;
}

int KvExcel::CreateSheet(const std::string& path, const std::string& sheet) {
    if (!UseBook(path)) {
        return 0;
    }
    if (!kv_detail::IsValidSheetName(sheet)) {
        return ReportExcelError("工作表名称无效: " + sheet);
    }
    if (m_book->Find(sheet) != nullptr) {
        return ReportExcelError("工作表已存在: " + sheet);
    }
    m_book->Sheets().push_back(XlsxSheet{sheet, {}, {}, {}, {}, {}});
    m_sheet = sheet;
    return Changed(true);
}

int KvExcel::DeleteSheet(const std::string& path, const std::string& sheet) {
    const XlsxSheet* found = UseSheet(path, sheet);
    if (found == nullptr) {
        return 0;
    }
    std::vector<XlsxSheet>& sheets = m_book->Sheets();
    if (sheets.size() == 1) {
        return ReportExcelError("不能删除唯一的工作表 " + sheet);
    }
    sheets.erase(sheets.begin() + (found - sheets.data()));
    m_sheet = sheets.front().name;
    return Changed(true);
}

int KvExcel::GetAllSheetName(std::vector<std::string>& out, const std::string& path) {
    if (!UseBook(path)) {
        return 0;
    }
    out.clear();
    for (const XlsxSheet& sheet : m_book->Sheets()) {
        out.push_back(sheet.name);
    }
    return 1;
}

int KvExcel::WriteDataToSheet(const KvStTable& table, const std::string& path,
                              const std::string& sheet) {
    std::vector<std::vector<std::string>> rows(1);
    table.GetLableRecord(rows.front());
    for (int r = 0; r < table.GetTableLogicSize(); ++r) {
        rows.emplace_back();
        table.GetValueRecord(rows.back(), r);
    }
    for (const std::vector<std::string>& row : rows) {
        if (row.size() >= static_cast<std::size_t>(kMaxWriteColumns)) {
            return ReportExcelError(KvStr::Format("表格列数过多: %zu", row.size()));
        }
    }
    if (static_cast<long long>(rows.size()) > XlsxWorkbook::kMaxRows) {
        return ReportExcelError(KvStr::Format("表格行数过多: %zu", rows.size()));
    }
    if (!UseBook(path)) {
        return 0;
    }
    if (m_book->Find(sheet) == nullptr && CreateSheet(path, sheet) == 0) {
        return 0;
    }
    XlsxSheet& target = *UseSheet(path, sheet);
    XlsxStyle style;
    style.fontSize = m_fontSize;
    style.border = m_cellsBorders ? 1 : 0;
    const int styleIndex = m_book->StyleIndex(style);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const std::string& text = rows[r][c];
            target.cells[{static_cast<int>(r) + 1, static_cast<int>(c) + 1}] =
                XlsxCell{text, IsNumberText(text), styleIndex};
        }
    }
    return Changed(true);
}

int KvExcel::GetDataOneSheet(KvStTable& out, const std::string& path, const std::string& sheet) {
    const XlsxSheet* source = UseSheet(path, sheet);
    if (source == nullptr) {
        return 0;
    }
    int lastRow = 0;
    int lastColumn = 0;
    for (const auto& [key, cell] : source->cells) {
        if (!cell.text.empty()) {
            lastRow = std::max(lastRow, key.first);
            lastColumn = std::max(lastColumn, key.second);
        }
    }
    if (static_cast<long long>(lastRow) * lastColumn > kMaxReadCells) {
        return ReportExcelError(KvStr::Format("工作表数据过多: %d×%d", lastRow, lastColumn));
    }
    std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(lastRow),
                                               std::vector<std::string>(lastColumn));
    for (const auto& [key, cell] : source->cells) {
        if (key.first <= lastRow && key.second <= lastColumn) {
            rows[key.first - 1][key.second - 1] = cell.text;
        }
    }
    out = KvStTable();
    if (!rows.empty()) {
        out.SetLableRecord(rows.front());
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        out.AddValueRecord(rows[r]);
    }
    return 1;
}

int KvExcel::DeleteDataFromSheet(const std::string& path, const std::string& sheet) {
    XlsxSheet* target = UseSheet(path, sheet);
    if (target == nullptr) {
        return 0;
    }
    target->cells.clear();
    target->merges.clear();
    return Changed(true);
}

int KvExcel::SetColWidth(const std::vector<double>& widths, const std::string& path,
                         const std::string& sheet) {
    for (const double width : widths) {
        if (!(width >= 0.0 && width <= kMaxColumnWidth)) {
            return ReportExcelError("列宽无效: " + KvStr::FormatDouble(width));
        }
    }
    if (widths.size() > static_cast<std::size_t>(XlsxWorkbook::kMaxColumns)) {
        return ReportExcelError("列数过多");
    }
    XlsxSheet* target = UseSheet(path, sheet);
    if (target == nullptr) {
        return 0;
    }
    for (std::size_t c = 0; c < widths.size(); ++c) {
        target->columnWidths[static_cast<int>(c) + 1] = widths[c];
    }
    return Changed(true);
}

int KvExcel::DrawLine(double x1, double y1, double x2, double y2) {
    for (const double value : {x1, y1, x2, y2}) {
        if (!(value >= 0.0 && value <= 1.0e7)) {
            return ReportExcelError("线段坐标无效: " + KvStr::FormatDouble(value));
        }
    }
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr) {
        return 0;
    }
    sheet->lines.push_back({x1, y1, x2, y2});
    return Changed(false);
}

bool KvExcel::CellOf(int row, const std::string& column, int& columnNo) {
    columnNo = KvStr::ExcelColNameToNo(KvStr::Trim(column));
    if (row < 1 || row > XlsxWorkbook::kMaxRows || columnNo < 1 ||
        columnNo > XlsxWorkbook::kMaxColumns) {
        return ReportExcelError(KvStr::Format("单元格无效: %s%d", column.c_str(), row));
    }
    return true;
}

int KvExcel::GetCellRect(double& left, double& top, double& width, double& height, int row,
                         const std::string& column) {
    int columnNo = 0;
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr || !CellOf(row, column, columnNo)) {
        return 0;
    }
    const auto columnPoints = [&](int c) {
        const auto found = sheet->columnWidths.find(c);
        return XlsxWorkbook::WidthPoints(
            found != sheet->columnWidths.end() ? found->second : XlsxWorkbook::kDefaultColumnWidth);
    };
    const auto rowPoints = [&](int r) {
        const auto found = sheet->rowHeights.find(r);
        return found != sheet->rowHeights.end() ? found->second : XlsxWorkbook::kDefaultRowHeight;
    };
    // Columns and rows of their own size, the others of the default one.
    left = (columnNo - 1) * XlsxWorkbook::WidthPoints(XlsxWorkbook::kDefaultColumnWidth);
    for (const auto& [c, characters] : sheet->columnWidths) {
        if (c < columnNo) {
            left += XlsxWorkbook::WidthPoints(characters) -
                    XlsxWorkbook::WidthPoints(XlsxWorkbook::kDefaultColumnWidth);
        }
    }
    top = (row - 1) * XlsxWorkbook::kDefaultRowHeight;
    for (const auto& [r, points] : sheet->rowHeights) {
        if (r < row) {
            top += points - XlsxWorkbook::kDefaultRowHeight;
        }
    }
    width = columnPoints(columnNo);
    height = rowPoints(row);
    return 1;
}

int KvExcel::GetCellHeightWidth(double& height, double& width, int row, const std::string& column) {
    int columnNo = 0;
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr || !CellOf(row, column, columnNo)) {
        return 0;
    }
    const auto h = sheet->rowHeights.find(row);
    height = h != sheet->rowHeights.end() ? h->second : XlsxWorkbook::kDefaultRowHeight;
    const auto w = sheet->columnWidths.find(columnNo);
    width = w != sheet->columnWidths.end() ? w->second : XlsxWorkbook::kDefaultColumnWidth;
    return 1;
}

int KvExcel::SetCellHeightWidth(int row, const std::string& column, double height, double width) {
    int columnNo = 0;
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr || !CellOf(row, column, columnNo)) {
        return 0;
    }
    if (!(height <= kMaxRowHeight) || !(width <= kMaxColumnWidth)) {
        return ReportExcelError("行高或列宽无效");
    }
    if (height >= 0.0) {
        sheet->rowHeights[row] = height;
    }
    if (width >= 0.0) {
        sheet->columnWidths[columnNo] = width;
    }
    return Changed(false);
}

template <typename Edit>
int KvExcel::EditStyle(int row, const std::string& column, int rows, int columns, Edit edit) {
    int columnNo = 0;
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr || !CellOf(row, column, columnNo)) {
        return 0;
    }
    if (rows < 1 || columns < 1 || rows > XlsxWorkbook::kMaxRows - row + 1 ||
        columns > XlsxWorkbook::kMaxColumns - columnNo + 1 ||
        static_cast<long long>(rows) * columns > kMaxStyledCells) {
        return ReportExcelError(KvStr::Format("区域无效: %d×%d", rows, columns));
    }
    for (int r = row; r < row + rows; ++r) {
        for (int c = columnNo; c < columnNo + columns; ++c) {
            XlsxCell& cell = sheet->cells[{r, c}];
            XlsxStyle style = m_book->Style(cell.style);
            edit(style);
            cell.style = m_book->StyleIndex(style);
        }
    }
    return Changed(false);
}

int KvExcel::SetCellStyle(int row, const std::string& column, int horizontal, int vertical,
                          int bold) {
    if (horizontal < 0 || horizontal > 3 || vertical < 0 || vertical > 2) {
        return ReportExcelError(KvStr::Format("对齐方式无效: %d, %d", horizontal, vertical));
    }
    return EditStyle(row, column, 1, 1, [&](XlsxStyle& style) {
        style.horizontal = horizontal;
        style.vertical = vertical;
        style.bold = bold != 0;
    });
}

int KvExcel::MergeCells(int row, const std::string& column, int rows, int columns) {
    int columnNo = 0;
    XlsxSheet* sheet = CurrentSheet();
    if (sheet == nullptr || !CellOf(row, column, columnNo)) {
        return 0;
    }
    if (rows < 1 || columns < 1 || rows > XlsxWorkbook::kMaxRows - row + 1 ||
        columns > XlsxWorkbook::kMaxColumns - columnNo + 1) {
        return ReportExcelError(KvStr::Format("区域无效: %d×%d", rows, columns));
    }
    if (rows == 1 && columns == 1) {
        return 1;
    }
    // Overlapping merges make a file the spreadsheet repairs: a new one replaces those
    // it overlaps.
    std::erase_if(sheet->merges, [&](const std::string& merge) {
        const std::size_t colon = merge.find(':');
        int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
        if (colon == std::string::npos ||
            !kv_detail::ParseCellReference(merge.substr(0, colon), r1, c1) ||
            !kv_detail::ParseCellReference(merge.substr(colon + 1), r2, c2)) {
            return true;
        }
        return r1 < row + rows && row <= r2 && c1 < columnNo + columns && columnNo <= c2;
    });
    sheet->merges.push_back(RangeText(row, columnNo, rows, columns));
    return Changed(false);
}

int KvExcel::SetCellBorder(int row, const std::string& column, int weight) {
    return SetCellBorder(row, column, 1, 1, weight);
}

int KvExcel::SetCellBorder(int row, const std::string& column, int rows, int columns, int weight) {
    if (weight < 0 || weight > 3) {
        return ReportExcelError(KvStr::Format("边框线宽无效: %d", weight));
    }
    return EditStyle(row, column, rows, columns, [&](XlsxStyle& style) { style.border = weight; });
}
