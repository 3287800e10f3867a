// "--book FILE.docx" of the calculation commands: the book is written and its result
// equals the JSON of the same run; a book that cannot be written is bad input after
// complete output.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"
#include "report/PdfConverter.h"

#include <kelvorin/KvStr.h>

#include <fstream>

namespace qv {
namespace {

using test::BookDocument;
using test::ReadBook;
using test::RunCalc;
using test::RunCalcJson;
using test::TempDir;

const std::string kExamples = std::string(QV_SOURCE_DIR) + "/data/examples/";

// The JSON of a run with --book into the folder, and the book it wrote.
std::pair<nlohmann::json, BookDocument> RunWithBook(const TempDir& folder,
                                                    const std::string& arguments) {
    const std::string path = folder.File("book.docx");
    const nlohmann::json json = RunCalcJson(arguments + " --book " + path);
    return {json, ReadBook(path)};
}

TEST(BookCli, IndoorPointAndLumenMethod) {
    const TempDir folder;
    std::ofstream(folder.File("points.csv")) << "name,x,y,z,rx\nA,2,2,0.75,0\nB,3,1.5,0.75,30\n";
    const auto [json, book] = RunWithBook(folder, "point " + kExamples + "office.cil --points " +
                                                      folder.File("points.csv"));
    EXPECT_EQ(book.paragraphs.at(0).text, "点照度计算计算书");
    EXPECT_GE(book.Find(KvStr::Format("点P2在所有灯具下的水平照度为%0.2flx",
                                      json["points"][1]["eh"].get<double>())),
              0);
    EXPECT_GE(book.Find(KvStr::Format("点P2在所有灯具下的倾斜照度为%0.2flx",
                                      json["points"][1]["ei"].get<double>())),
              0);

    const auto [cu, cuBook] = RunWithBook(folder, "cu " + kExamples + "office.cil");
    EXPECT_GE(cuBook.Find(KvStr::Format("当前实际照度为%0.2flx", cu["e"].get<double>())), 0);
    ASSERT_EQ(cuBook.tables.size(),
              5u); // the entries, the room, luminaires, positions, the 结论
    EXPECT_EQ(cuBook.tables[0].cells.size(), cu["entries"].size() + 1);

    const auto [unitcap, unitcapBook] = RunWithBook(folder, "unitcap " + kExamples + "office.cil");
    EXPECT_EQ(unitcapBook.paragraphs.at(0).text, "单位容量计算书");
    EXPECT_GE(unitcapBook.Find("实际照度为" + unitcap["e_shown"].get<std::string>() + "lx"), 0);
    ASSERT_EQ(unitcapBook.tables.size(), 5u); // …, then the 结论
    EXPECT_EQ(unitcapBook.tables[0].cells.size(), unitcap["entries"].size() + 1);
}

// "--pdf": a PDF beside the book when LibreOffice is installed; without it the book is
// kept, the run says why and fails; "--pdf" alone is a usage error.
TEST(BookCli, PdfBesideTheBookOrAClearRefusal) {
    const TempDir folder;
    const std::string book = folder.File("cu.docx");
    const auto [usage, usageText] = RunCalc("cu " + kExamples + "office.cil --pdf");
    EXPECT_EQ(usage, 2);
    const auto [missing, missingText] =
        test::RunShell("PATH=" + folder.File("none") + " " + std::string(QV_CALC_PATH) + " cu " +
                       kExamples + "office.cil --book " + book + " --pdf 2>&1 >/dev/null");
    EXPECT_EQ(missing, 1);
    EXPECT_NE(missingText.find("not installed"), std::string::npos) << missingText;
    EXPECT_TRUE(std::filesystem::exists(book));
    EXPECT_FALSE(std::filesystem::exists(folder.File("cu.pdf")));
    if (FindPdfConverter().empty()) {
        GTEST_SKIP() << "LibreOffice is not installed";
    }
    const auto [status, text] = RunCalc("cu " + kExamples + "office.cil --book " + book + " --pdf");
    EXPECT_EQ(status, 0) << text;
    EXPECT_GT(std::filesystem::file_size(folder.File("cu.pdf")), 0u);
}

TEST(BookCli, GridAndScalar) {
    const TempDir folder;
    const auto [json, book] = RunWithBook(folder, "grid " + kExamples + "office.cil --density 20");
    EXPECT_GE(book.Find("房间平均照度值为:" + json["avg_shown"].get<std::string>() + "lx"), 0);
    const auto [scalar, scalarBook] = RunWithBook(
        folder, "cylindrical " + kExamples + "office.cil --ks 0.6,0.6,0.6,0.6,0.6,0.6,0.6,0.6");
    EXPECT_GE(scalarBook.Find(KvStr::Format("房间在所有灯具下的柱面照度为%0.2flx",
                                            scalar["result"].get<double>())),
              0);
}

TEST(BookCli, AreaSources) {
    const TempDir folder;
    const auto [rect, rectBook] = RunWithBook(folder, "rect --plane i --px 2");
    EXPECT_GE(rectBook.Find(KvStr::Format("p点的照度为%0.2flx", rect["value"].get<double>())), 0);
    const auto [disc, discBook] = RunWithBook(folder, "disc --plane v");
    EXPECT_EQ(discBook.paragraphs.at(0).text, "等亮度圆形面光源垂直面照度计算");
    EXPECT_GE(discBook.Find(KvStr::Format("p点的照度为%0.2flx", disc["value"].get<double>())), 0);
}

TEST(BookCli, OutdoorCommands) {
    const TempDir folder;
    std::ofstream(folder.File("points.csv")) << "name,x,y,z\nA,10,10,0\n";
    const auto [flood, floodBook] = RunWithBook(
        folder, "flood " + kExamples + "site_and_road.col --points " + folder.File("points.csv"));
    const nlohmann::json& total = flood["rows"].back();
    EXPECT_GE(floodBook.Find(
                  KvStr::Format("所有灯具对P1点水平照度为：%0.3f lx ", total["eh"].get<double>())),
              0);

    const auto [cap, capBook] =
        RunWithBook(folder, "floodcap " + kExamples + "site_and_road.col --emin 30");
    EXPECT_GE(capBook.Find("实际照度为" + cap["e_shown"].get<std::string>() + "lx"), 0);

    const auto [road, roadBook] = RunWithBook(folder, "road " + kExamples + "site_and_road.col");
    EXPECT_GE(roadBook.Find(KvStr::Format("在当前有多种灯的情况下道路的实际照度为：%0.2f(lx),",
                                          road["e"].get<double>())),
              0);
}

TEST(BookCli, UnwritableBookIsBadInputAfterTheOutput) {
    const TempDir folder;
    const std::string path = folder.File("missing/book.docx");
    const auto [status, out] = RunCalc("disc --plane h --json --book " + path);
    EXPECT_EQ(status, 1);
    // The JSON came first, whole.
    EXPECT_TRUE(nlohmann::json::parse(out.substr(0, out.find('\n')), nullptr, false).is_object())
        << out;
    EXPECT_NE(out.find("cannot write the calculation book " + path), std::string::npos) << out;
}

} // namespace
} // namespace qv
