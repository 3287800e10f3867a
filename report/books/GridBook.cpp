#include "report/books/GridBook.h"

#include <kelvorin/KvStr.h>

namespace qv {

BookName WriteGridBook(CalcBookWriter& writer, const GridBookRecord& record) {
    const bool horizontal = record.kind == kGridHorizontal;
    const BookName name{horizontal ? "水平照度计算计算书" : "垂直照度计算计算书", ""};
    BookComposer book(writer);
    book.Open(name.title);
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
    return name;
}

} // namespace qv
