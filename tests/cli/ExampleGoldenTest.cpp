// The example projects and every calculation book they give, against the outputs kept in
// golden/: the runner's JSON of each command and the books' document part (byte for byte;
// the package's timestamp aside); resaving an example gives it back unchanged. A change to any
// number or line of a book shows here first; when a change is meant, rewrite the kept outputs with
// QV_UPDATE_GOLDEN=1 and review their difference before committing them.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {
namespace {

const std::filesystem::path kGolden = std::filesystem::path(QV_SOURCE_DIR) / "tests/cli/golden";
const std::string kExamples = std::string(QV_SOURCE_DIR) + "/data/examples/";

// A command of the runner: its name in golden/, its arguments ({book} stands for the
// book's path, {golden} for the golden folder), and whether it writes a book.
struct GoldenCase {
    std::string name;
    std::string arguments;
    bool book;
};

std::vector<GoldenCase> Cases() {
    std::vector<GoldenCase> cases;
    for (const std::string project : {"office", "workshop"}) {
        const std::string file = kExamples + project + ".cil";
        const auto add = [&](const char* kind, const std::string& arguments, bool book) {
            cases.push_back({project + "." + kind, arguments, book});
        };
        add("point", "point " + file + " --points {golden}/points.csv", true);
        add("grid", "grid " + file, true);
        add("grid20", "grid " + file + " --density 20 --with-points", false);
        add("vgrid", "grid " + file + " --vertical 1,1,8,1", true);
        add("cu", "cu " + file, true);
        // The runner refuses an entry without a Ks: one for each of the eight entries.
        const std::string ks = " --ks 0.4,0.4,0.4,0.4,0.4,0.4,0.4,0.4";
        add("spherical", "spherical " + file + ks, true);
        add("cylindrical", "cylindrical " + file + ks, true);
        add("unitcap", "unitcap " + file, true);
        add("lpd", "lpd " + file, false);
        add("ugr", "ugr " + file, true);
    }
    const std::string site = kExamples + "site_and_road.col";
    cases.push_back({"site.flood", "flood " + site + " --points {golden}/flood_points.csv", true});
    cases.push_back(
        {"site.flood1", "flood " + site + " --points {golden}/flood_points.csv --passes 1", false});
    cases.push_back({"site.floodcap", "floodcap " + site + " --emin 25", true});
    cases.push_back({"site.road", "road " + site, true});
    cases.push_back({"site.road.entries",
                     "road " + site + " --entries " + kExamples + "site_and_road.road.csv", true});
    cases.push_back({"rect.h", "rect --plane h", true});
    cases.push_back({"rect.v", "rect --plane v", true});
    cases.push_back({"rect.i", "rect --plane i", true});
    cases.push_back({"disc.h", "disc --plane h", true});
    cases.push_back({"disc.v", "disc --plane v", true});
    cases.push_back({"nonuniform", "nonuniform", true});
    return cases;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Updating() {
    const char* update = std::getenv("QV_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

// The first paragraph or table cell in which two books differ, for the failure message.
std::string FirstDifference(const std::string& expectedBook, const std::string& actualBook) {
    const BookDocument expected = ReadBook(expectedBook);
    const BookDocument actual = ReadBook(actualBook);
    for (size_t i = 0; i < expected.paragraphs.size() && i < actual.paragraphs.size(); ++i) {
        const BookParagraph& e = expected.paragraphs[i];
        const BookParagraph& a = actual.paragraphs[i];
        if (e.text != a.text || e.math != a.math) {
            return "paragraph " + std::to_string(i) + ": kept \"" + e.text + e.math + "\", now \"" +
                   a.text + a.math + "\"";
        }
    }
    for (size_t t = 0; t < expected.tables.size() && t < actual.tables.size(); ++t) {
        if (expected.tables[t].cells != actual.tables[t].cells) {
            return "table " + std::to_string(t) + " differs";
        }
    }
    return "paragraphs " + std::to_string(expected.paragraphs.size()) + " -> " +
           std::to_string(actual.paragraphs.size()) + ", or their layout";
}

TEST(ExampleGolden, EveryCommandPrintsAndWritesWhatWasKept) {
    const TempDir scratch;
    for (const GoldenCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        const std::string book = scratch.File(c.name + ".docx");
        std::string arguments = Replaced(c.arguments, "{golden}", kGolden.string());
        if (c.book) {
            arguments += " --book " + book;
        }
        const auto [status, out] = RunCalc(arguments + " --json");
        ASSERT_EQ(status, 0) << out;
        const std::filesystem::path json = kGolden / (c.name + ".json");
        const std::filesystem::path keptBook = kGolden / (c.name + ".docx");
        if (Updating()) {
            std::ofstream(json, std::ios::binary) << out;
            if (c.book) {
                std::filesystem::copy_file(book, keptBook,
                                           std::filesystem::copy_options::overwrite_existing);
            }
            continue;
        }
        EXPECT_EQ(out, FileText(json));
        if (c.book) {
            ASSERT_TRUE(std::filesystem::exists(keptBook));
            const bool same = ZipEntry(book, "word/document.xml") ==
                              ZipEntry(keptBook.string(), "word/document.xml");
            EXPECT_TRUE(same) << FirstDifference(keptBook.string(), book);
        }
    }
}

// The examples are as the program saves them: resaving gives each back byte for byte.
TEST(ExampleGolden, ResavedExamplesAreTheExamples) {
    const TempDir scratch;
    for (const char* example : {"office.cil", "workshop.cil", "site_and_road.col"}) {
        SCOPED_TRACE(example);
        const std::string out = scratch.File(example);
        ASSERT_EQ(RunCalc("resave " + kExamples + example + " " + out).first, 0);
        EXPECT_EQ(FileText(out), FileText(kExamples + example));
    }
}

} // namespace
} // namespace qv::test
