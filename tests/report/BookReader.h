#pragma once
// Reads a written calculation book back: its paragraphs (text, size and weight of the
// first run, equations) and its tables, for the book tests.
#include "report/CalcBookWriter.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>
#include <zip.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qv::test {

struct BookParagraph {
    std::string text; // the runs' text, equations left out
    std::string math; // the equations' text
    int equations = 0;
    double size = 0.0; // points, of the first run
    bool bold = false;
};

struct BookTable {
    std::vector<std::vector<std::string>> cells;
    size_t Columns() const { return cells.empty() ? 0 : cells[0].size(); }
};

struct BookDocument {
    std::vector<BookParagraph> paragraphs;
    std::vector<BookTable> tables;

    // The first paragraph from start whose text contains the text; -1 when none does.
    int Find(const std::string& text, int start = 0) const {
        for (size_t i = static_cast<size_t>(start); i < paragraphs.size(); ++i) {
            if (paragraphs[i].text.find(text) != std::string::npos) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    // Paragraphs whose text contains the text.
    int Count(const std::string& text) const {
        int count = 0;
        for (int i = Find(text); i >= 0; i = Find(text, i + 1)) {
            ++count;
        }
        return count;
    }
    int Equations() const {
        int count = 0;
        for (const BookParagraph& p : paragraphs) {
            count += p.equations;
        }
        return count;
    }
    // Whether some equation's text contains the text.
    bool MathHas(const std::string& text) const {
        for (const BookParagraph& p : paragraphs) {
            if (p.math.find(text) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};

inline std::string ZipEntry(const std::string& path, const char* name) {
    int code = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
    std::string data;
    zip_stat_t info;
    if (archive != nullptr && zip_stat(archive, name, 0, &info) == 0) {
        if (zip_file_t* file = zip_fopen(archive, name, 0)) {
            data.resize(info.size);
            const zip_int64_t read = zip_fread(file, data.data(), info.size);
            data.resize(read > 0 ? static_cast<size_t>(read) : 0);
            zip_fclose(file);
        }
    }
    if (archive != nullptr) {
        zip_close(archive);
    }
    return data;
}

inline std::string TextOf(pugi::xml_node node, const char* query) {
    std::string text;
    for (const pugi::xpath_node& t : node.select_nodes(query)) {
        text += t.node().child_value();
    }
    return text;
}

inline BookDocument ReadBook(const std::string& path) {
    BookDocument book;
    pugi::xml_document xml;
    const std::string data = ZipEntry(path, "word/document.xml");
    EXPECT_TRUE(xml.load_string(data.c_str(), pugi::parse_default | pugi::parse_ws_pcdata)) << path;
    for (pugi::xml_node node : xml.child("w:document").child("w:body").children()) {
        if (std::string(node.name()) == "w:tbl") {
            BookTable table;
            for (pugi::xml_node row : node.children("w:tr")) {
                std::vector<std::string> cells;
                for (pugi::xml_node cell : row.children("w:tc")) {
                    cells.push_back(TextOf(cell, ".//w:t"));
                }
                table.cells.push_back(cells);
            }
            book.tables.push_back(table);
        } else if (std::string(node.name()) == "w:p") {
            BookParagraph paragraph;
            paragraph.text = TextOf(node, "w:r/w:t");
            paragraph.math = TextOf(node, ".//m:t");
            paragraph.equations = static_cast<int>(node.select_nodes(".//m:oMath").size());
            const pugi::xml_node run = node.child("w:r").child("w:rPr");
            paragraph.size = run.child("w:sz").attribute("w:val").as_double() / 2.0;
            paragraph.bold = run.child("w:b") != nullptr;
            book.paragraphs.push_back(paragraph);
        }
    }
    return book;
}

// Writes a book through a fresh writer into a temporary folder and reads it back.
inline BookDocument WriteAndReadBook(const std::function<void(CalcBookWriter&)>& write) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("qv-books-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    CalcBookWriter writer;
    writer.SetSaveFolder(folder.string());
    write(writer);
    EXPECT_EQ(writer.SaveAsFile("book"), 1);
    BookDocument book = ReadBook((folder / "book.docx").string());
    std::filesystem::remove_all(folder);
    return book;
}

} // namespace qv::test
