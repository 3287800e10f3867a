#include "report/books/GridBook.h"
#include "report/books/InputTables.h"

#include "report/books/VerdictSection.h"
#include "report/picture/IsoluxPicture.h"
#include "report/picture/PngPicture.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <atomic>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qv {
namespace {

// The isolux picture under the results: written as a PNG file into a folder of its own
// in the temporary folder (the book names the picture by its file name), read into the
// book and removed.
void AddIsoluxPicture(CalcBookWriter& writer, const GridBookRecord& record) {
    const IsoluxPicture picture(record.picture);
    if (picture.Empty()) {
        return;
    }
    static std::atomic<int> counter{0};
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path(error) /
        KvStr::Format("quorvel-picture-%d-%d", static_cast<int>(getpid()), counter++);
    std::filesystem::create_directories(folder, error);
    const std::string path = (folder / "isolux.png").string();
    if (!error && KvFile::WriteAtomically(path, IsoluxPng(picture))) {
        if (writer.AddPicture(path) == 1) {
            writer.WriteContent(record.kind == kGridHorizontal ? "水平照度等照度图(lx)\n"
                                                               : "垂直照度等照度图(lx)\n",
                                1, BookComposer::kBodySize, "宋体", 0, 1, 0);
        }
    }
    std::filesystem::remove_all(folder, error);
}

} // namespace

BookName WriteGridBook(CalcBookWriter& writer, const GridBookRecord& record) {
    const bool horizontal = record.kind == kGridHorizontal;
    const BookName name{horizontal ? "水平照度计算计算书" : "垂直照度计算计算书", ""};
    BookComposer book(writer);
    book.Open(name.title);
    OpenInputs(book);
    WriteRoomInputs(book, record.inputs, false);
    WriteLuminaireInputs(book, record.inputs.luminaires);
    WriteGridInputs(book, record);
    book.Heading("计算结果:\n");
    book.Line(KvStr::Format("在计算密度%d等分的情况下\n", record.density));
    book.Line(KvStr::Format("房间最大照度值为:%slx\n", record.maxText.c_str()));
    book.Line(KvStr::Format("房间最小照度值为:%slx\n", record.minText.c_str()));
    book.Line(KvStr::Format("房间平均照度值为:%slx\n", record.avgText.c_str()));
    if (horizontal) {
        book.Line(KvStr::Format("房间工作区均匀度为:%0.2f\n", record.uniformity));
        // The standards' uniformity, from the minimum and the average stated above.
        book.Line(KvStr::Format("房间照度均匀度U0 = Emin/Eav = %s/%s = %s\n",
                                record.minText.c_str(), record.avgText.c_str(),
                                KvStr::FormatDouble(record.u0).c_str()));
        book.LineSquared(KvStr::Format("房间功率密度为:%0.2fW/m", record.lpd));
        // The second density is the converted one, or the density itself under its own
        // label when the average exceeds the standard.
        const std::string label = record.lpd2Label.rfind("标准", 0) == 0
                                      ? "房间标准功率密度为:%0.2fW/m"
                                      : "房间折算功率密度为:%0.2fW/m";
        book.LineSquared(KvStr::Format(label.c_str(), record.lpd2));
    }
    book.Blank();
    AddIsoluxPicture(writer, record);
    // The standards judge the horizontal working plane.
    if (horizontal && record.basis) {
        WriteVerdict(book, *record.basis,
                     {KvStr::Atof(record.avgText), record.u0, record.lpd,
                      VerdictUgr(*record.basis, record.inputs)},
                     VerdictSubject::kRoom);
    }
    return name;
}

} // namespace qv
