#include "report/BookReader.h"
#include "report/books/BookComposer.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

// A formula wider than the page goes on over further lines, broken before its equals
// signs, with nothing lost; a short one stays on one line.
TEST(EquationLayout, LongFormulaIsContinuedBeforeItsEqualsSigns) {
    std::string sum = "0.125";
    for (int i = 0; i < 6; ++i) {
        sum += " + " + EqFraction("1234.567", "89.012") + " × cos-45.82°";
    }
    const std::string formula = "E = " + sum + " = " + sum + " = 1234.56lx";
    const BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        BookComposer composer(w);
        composer.Open("式");
        composer.Equation("E = 1lx");
        composer.Equation(formula);
    });
    std::vector<std::string> lines;
    for (const test::BookParagraph& paragraph : book.paragraphs) {
        if (paragraph.equations > 0) {
            lines.push_back(paragraph.math);
        }
    }
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "E=1lx");
    EXPECT_EQ(lines[1].rfind("E=0.125+", 0), 0u);
    EXPECT_EQ(lines[2].rfind("\u2003=0.125+", 0), 0u);
    EXPECT_EQ(lines[3], "\u2003=1234.56lx");
    // The negative arguments of the cosines are bracketed on every line.
    EXPECT_NE(lines[2].find("cos(−45.82°)"), std::string::npos);
}

// A displayed equation is set in the body's size, not in that of the blank line before it.
TEST(EquationLayout, DisplayedEquationsTakeTheBodySize) {
    CalcBookWriter writer;
    BookComposer composer(writer);
    composer.Open("式");
    composer.Equation("E = 1lx");
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "qv-equation-size-test.docx";
    ASSERT_EQ(writer.SaveAsFile(path.string()), 1);
    const std::string xml = test::ZipEntry(path.string(), "word/document.xml");
    std::filesystem::remove(path);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str()));
    const pugi::xpath_node_set sizes = document.select_nodes("//m:r/w:rPr/w:sz");
    ASSERT_FALSE(sizes.empty());
    for (const pugi::xpath_node& size : sizes) {
        EXPECT_EQ(size.node().attribute("w:val").as_int(), 24);
    }
}

} // namespace
} // namespace qv
