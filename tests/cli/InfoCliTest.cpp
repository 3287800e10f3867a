// quorvel-calc info: printing and setting the project information, refusals that leave
// the file alone, and the books of the other commands carrying what was set: the project
// name above the title, the header lines, the page header and footer fields, the
// document properties and the signature block at the end.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"

#include <filesystem>
#include <fstream>

namespace qv {
namespace {

using test::BookDocument;
using test::ReadBook;
using test::ReadFileText;
using test::RunCalc;
using test::RunCalcJson;
using test::RunCalcQuoted;
using test::TempDir;
using test::ZipEntry;

const std::string kExamples = std::string(QV_SOURCE_DIR) + "/data/examples/";

std::string CopyExample(const TempDir& folder, const std::string& name) {
    const std::string path = folder.File(name);
    std::filesystem::copy_file(kExamples + name, path);
    return path;
}

// Sets the sample information on the project file.
void SetSample(const std::string& project) {
    const auto [status, out] =
        RunCalcQuoted({"info", project, "--set", "工程名称=滨江办公楼", "--set",
                       "建设单位=滨江置业", "--set", "设计者=张工", "--set", "校对=李工", "--set",
                       "审核=王工", "--set", "日期=2026-12-07", "--set", "描述=一层办公区"});
    ASSERT_EQ(status, 0) << out;
}

TEST(InfoCli, PrintsSetsAndRefuses) {
    const TempDir folder;
    const std::string project = CopyExample(folder, "office.cil");
    const nlohmann::json empty = RunCalcJson("info " + project);
    ASSERT_EQ(empty.size(), 8u);
    EXPECT_EQ(empty["工程名称"], "");
    EXPECT_EQ(ReadFileText(project), ReadFileText(kExamples + "office.cil")); // only read

    SetSample(project);
    const nlohmann::json set = RunCalcJson("info " + project);
    EXPECT_EQ(set["工程名称"], "滨江办公楼");
    EXPECT_EQ(set["审核"], "王工");
    EXPECT_EQ(set["设计单位"], "");
    const auto [printed, text] = RunCalc("info " + project);
    EXPECT_EQ(printed, 0);
    EXPECT_NE(text.find("设计者: 张工\n"), std::string::npos) << text;

    // A refused assignment writes nothing, even after a good one.
    const std::string before = ReadFileText(project);
    const auto [unknown, unknownOut] =
        RunCalc("info " + project + " --set 设计者=赵工 --set 客户=x");
    EXPECT_EQ(unknown, 2);
    EXPECT_NE(unknownOut.find("未知的项目信息“客户”"), std::string::npos) << unknownOut;
    EXPECT_EQ(RunCalc("info " + project + " --set 设计者").first, 2);
    const auto [tooLong, tooLongOut] =
        RunCalcQuoted({"info", project, "--set", "校对=" + std::string(201, 'x')});
    EXPECT_EQ(tooLong, 1);
    EXPECT_EQ(ReadFileText(project), before);
    EXPECT_EQ(RunCalc("info " + folder.File("none.cil")).first, 1);

    // Control characters are dropped; the description keeps its line feeds.
    ASSERT_EQ(
        RunCalcQuoted({"info", project, "--set", "审核=王\x01工", "--set", "描述=甲\n乙"}).first,
        0);
    const nlohmann::json cleaned = RunCalcJson("info " + project);
    EXPECT_EQ(cleaned["审核"], "王工");
    EXPECT_EQ(cleaned["描述"], "甲\n乙");
}

// The parts every book gets from the information, checked on one book.
void ExpectFrame(const std::string& path, const std::string& title) {
    SCOPED_TRACE(title);
    const BookDocument book = ReadBook(path);
    ASSERT_GE(book.paragraphs.size(), 4u);
    EXPECT_EQ(book.paragraphs[0].text, "滨江办公楼");
    EXPECT_EQ(book.paragraphs[1].text, title);
    const int date = book.Find("日期:2026-12-07");
    EXPECT_EQ(date, 2);
    EXPECT_EQ(book.Find("客户:滨江置业"), 3);
    EXPECT_EQ(book.Find("设计者:张工"), 4);
    EXPECT_EQ(book.Find("描述:一层办公区"), 5);
    const int signature = book.Find("设计:张工");
    ASSERT_GT(signature, 5);
    EXPECT_NE(book.paragraphs[static_cast<size_t>(signature)].text.find("审核:王工"),
              std::string::npos);
    EXPECT_EQ(book.Find("日期:2026-12-07", signature), signature + 1);
    EXPECT_EQ(static_cast<size_t>(signature) + 2, book.paragraphs.size()); // the last line

    const std::string header = ZipEntry(path, "word/header1.xml");
    EXPECT_NE(header.find("滨江办公楼  " + title), std::string::npos) << header;
    const std::string footer = ZipEntry(path, "word/footer1.xml");
    EXPECT_NE(footer.find("w:instr=\" PAGE \""), std::string::npos) << footer;
    EXPECT_NE(footer.find("w:instr=\" NUMPAGES \""), std::string::npos) << footer;
    EXPECT_NE(footer.find("第 "), std::string::npos);
    const std::string document = ZipEntry(path, "word/document.xml");
    EXPECT_NE(document.find("<w:headerReference w:type=\"default\""), std::string::npos);
    EXPECT_NE(document.find("<w:footerReference w:type=\"default\""), std::string::npos);
    const std::string core = ZipEntry(path, "docProps/core.xml");
    EXPECT_NE(core.find("<dc:title>" + title + "</dc:title>"), std::string::npos) << core;
    EXPECT_NE(core.find("<dc:creator>张工</dc:creator>"), std::string::npos) << core;
    EXPECT_NE(core.find("<dcterms:created xsi:type=\"dcterms:W3CDTF\">20"), std::string::npos);
    EXPECT_NE(ZipEntry(path, "[Content_Types].xml").find("/docProps/core.xml"), std::string::npos);
}

TEST(InfoCli, EveryProjectBookCarriesTheInformation) {
    const TempDir folder;
    const std::string office = CopyExample(folder, "office.cil");
    const std::string site = CopyExample(folder, "site_and_road.col");
    SetSample(office);
    SetSample(site);
    std::ofstream(folder.File("points.csv")) << "name,x,y,z\nA,2,2,0.75\n";
    std::ofstream(folder.File("site.csv")) << "name,x,y,z\nA,10,10,0\n";
    const std::vector<std::pair<std::string, std::string>> runs{
        {"point " + office + " --points " + folder.File("points.csv"), "点照度计算计算书"},
        {"cu " + office, ""},
        {"unitcap " + office, "单位容量计算书"},
        {"grid " + office + " --density 20", ""},
        {"cylindrical " + office + " --ks 0.6,0.6,0.6,0.6,0.6,0.6,0.6,0.6", ""},
        {"flood " + site + " --points " + folder.File("site.csv"), ""},
        {"floodcap " + site + " --emin 30", ""},
        {"road " + site, ""},
    };
    int index = 0;
    for (const auto& [arguments, knownTitle] : runs) {
        const std::string path = folder.File("book" + std::to_string(index++) + ".docx");
        const auto [status, out] = RunCalc(arguments + " --book " + path);
        ASSERT_EQ(status, 0) << arguments << '\n' << out;
        // The title is the line after the project name; the core properties must agree.
        const BookDocument book = ReadBook(path);
        ASSERT_GE(book.paragraphs.size(), 2u) << arguments;
        const std::string title = book.paragraphs[1].text;
        if (!knownTitle.empty()) {
            EXPECT_EQ(title, knownTitle);
        }
        ExpectFrame(path, title);
    }
}

TEST(InfoCli, BooksWithoutInformationKeepTheirOpening) {
    const TempDir folder;
    const std::string path = folder.File("disc.docx");
    ASSERT_EQ(RunCalc("disc --plane v --book " + path).first, 0);
    const BookDocument book = ReadBook(path);
    EXPECT_EQ(book.paragraphs.at(0).text, "等亮度圆形面光源垂直面照度计算");
    EXPECT_EQ(book.paragraphs.at(1).text, "日期:");
    EXPECT_GE(book.Find("设计:校对:审核:"), 2);
    EXPECT_NE(ZipEntry(path, "word/header1.xml").find("等亮度圆形面光源垂直面照度计算"),
              std::string::npos);
}

} // namespace
} // namespace qv
