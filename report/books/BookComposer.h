#pragma once
// What every calculation book shares: the opening (new portrait document and the
// title), the typography of its headings, body lines, symbol lines and equations, the
// number texts, and the skeleton of the books that open with a result table.
#include "report/CalcBookWriter.h"
#include "report/EqNotation.h"

#include <string>
#include <vector>

namespace qv {

// The title a book writes and, for the books saved under a fixed name, that name
// (empty for the others).
struct BookName {
    std::string title;
    std::string saveName;
    // The name the book's file takes: the fixed save name, else the title.
    const std::string& FileStem() const { return saveName.empty() ? title : saveName; }
};

// Writes the runs of a book in its typography, all in 宋体.
class BookComposer {
public:
    static constexpr float kTitleSize = 16.0f;
    static constexpr float kLargeTitleSize = 18.0f;
    static constexpr float kHeadingSize = 14.0f;
    static constexpr float kSubHeadingSize = 13.0f;
    static constexpr float kBodySize = 12.0f;

    explicit BookComposer(CalcBookWriter& writer) : m_writer(writer) {}

    // The opening of every book: a new portrait document with the project's page header
    // and footer, the project name, the centred bold title and the header lines (日期,
    // 客户, 设计者, 描述) filled from the writer's project information. The signature
    // block is written when the book is saved.
    void Open(const std::string& title, float size = kTitleSize);

    // Headings stay on the page of what follows them.
    // 14 bold: "计算结果", "水平照度的计算公式:\n".
    void Heading(const std::string& text) { Head(text, kHeadingSize, true); }
    // 13: the heading of a formula group.
    void SubHeading(const std::string& text) { Head(text, kSubHeadingSize, false); }
    // 12 bold: a section inside the body.
    void Section(const std::string& text) { Head(text, kBodySize, true); }
    // A bold heading of another size.
    void BoldLine(const std::string& text, float size) { Head(text, size, true); }
    // A body line (12) and runs appended to it.
    void Line(const std::string& text) { Write(text, 1, kBodySize, false); }
    void Append(const std::string& text) { Write(text, 0, kBodySize, false); }
    void Subscript(const std::string& text) {
        m_writer.WriteContent(text, 0, kBodySize, kFont, 0, 0, 1);
    }
    void Superscript(const std::string& text) {
        m_writer.WriteContent(text, 0, kBodySize, kFont, 0, 0, 2);
    }
    // A symbol with its index and the rest of the line: "E", "av", "--表示...".
    void Symbol(const std::string& letter, const std::string& index, const std::string& rest);
    // The text ending in a unit "…m" followed by the raised 2 of the square.
    void AppendSquared(const std::string& text);
    void LineSquared(const std::string& text);
    void Blank() { m_writer.WriteSpace(1); }
    // A formula between blank lines.
    void Equation(const std::string& formula);
    // A formula after the runs of the current line, on that line.
    void InlineEquation(const std::string& formula) { m_writer.InsertEquation(formula); }
    // A table of one header row (bold, repeated on every page) and the rows of cells,
    // numbers right aligned, columns as wide as their texts need.
    void Table(const std::vector<std::string>& headers,
               const std::vector<std::vector<std::string>>& rows);

private:
    static constexpr const char* kFont = "宋体";
    void Write(const std::string& text, int mode, float size, bool bold);
    void Head(const std::string& text, float size, bool bold);

    CalcBookWriter& m_writer;
};

// The opening of the books that start with their result table: the opening, "计算结果" in
// resultSize bold and the table (column 1 the entry number from 1, then the given cells of each
// row).
void OpenTableBook(BookComposer& book, const std::string& title, float resultSize,
                   const std::vector<std::string>& headers,
                   const std::vector<std::vector<std::string>>& rows);

// "功率密度为<lpd>W/m²", then after the gap the second density under its name:
// "标准功率密度" when the panel's label says the density is shown again, else
// "折算功率密度".
void WriteDensities(BookComposer& book, const std::string& lpd, const std::string& label,
                    const std::string& second, const std::string& gap);

// Number texts of the books.
std::string Fixed(double value, int decimals); // "%0.<n>f"
std::string Whole(int value);                  // "%d"

// Equation notation shorthands: lowered and raised scripts at 2 points, fractions and
// square roots.
inline std::string Lo(const std::string& text) {
    return EqScript(text, 0, 2);
}
inline std::string Up(const std::string& text) {
    return EqScript(text, 1, 2);
}
inline std::string Frac(const std::string& n, const std::string& d) {
    return EqFraction(n, d);
}
inline std::string Sqrt(const std::string& radicand) {
    return EqRoot("", radicand);
}

} // namespace qv
