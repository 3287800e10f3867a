#include "report/books/ScalarBook.h"
#include "report/books/InputTables.h"

#include <kelvorin/KvStr.h>

namespace qv {

BookName WriteScalarBook(CalcBookWriter& writer, const ScalarIlluminanceRecord& record) {
    const bool spherical = record.kind == kSpherical;
    const BookName name{spherical ? "平均球面照度计算计算书" : "平均柱面照度计算计算书", ""};
    const std::string index = spherical ? "s" : "c";
    BookComposer book(writer);
    book.Open(name.title);
    OpenInputs(book);
    WriteRoomInputs(book, record.inputs, false);
    WriteLuminaireInputs(book, record.inputs.luminaires);
    book.Section(spherical ? "平均球面照度的计算公式:\n" : "平均柱面照度的计算公式:\n");
    book.Equation("E " + Lo(index) + " = E " + Lo("h") + "(K " + Lo(index) + " + 0.5ρ " + Lo("f") +
                  ")");
    book.Equation("E " + Lo("h") + " = " + Frac("Icosθ", EqLine("oP", 0) + Up("2")));
    if (!spherical) {
        book.Equation("K " + Lo("c") + " = 1.5K " + Lo("s") + " - 0.25");
    }

    const double floor = record.rhoF * 0.01;
    for (size_t i = 0; i < record.entries.size(); ++i) {
        const int lamp = static_cast<int>(i) + 1;
        const ScalarRecordEntry& entry = record.entries[i];
        const double ks = entry.ks;
        book.Section(KvStr::Format("灯%d对房间的水平照度:(可用利用系数法计算得出)\n", lamp));
        book.Equation("E " + Lo("h") + KvStr::Format(" = %slx", Fixed(entry.eh, 2).c_str()));
        double k = ks;
        if (!spherical) {
            k = 1.5 * ks - 0.25;
            book.Equation("K " + Lo("c") + KvStr::Format(" = 1.5 × %.3f - 0.25 = %.3f", ks, k));
        }
        book.Section(
            KvStr::Format(spherical ? "灯%d对房间的球面照度:\n" : "灯%d对房间的柱面照度:\n", lamp));
        book.Equation("E " + Lo(index) +
                      KvStr::Format(" = %s(%s + %s × %s) = %slx", Fixed(entry.eh, 2).c_str(),
                                    Fixed(k, 3).c_str(), "0.5", Fixed(floor, 2).c_str(),
                                    Fixed(entry.eh * entry.factor, 2).c_str()));
        if (entry.clamped) {
            // The factor came out negative; an illuminance cannot be, so it counts as 0.
            book.Line(KvStr::Format(spherical ? "灯%d的系数%s + 0.5 × %s = %s小于0，照度不能为负，"
                                                "其球面照度按0计\n"
                                              : "灯%d的系数%s + 0.5 × %s = %s小于0，照度不能为负，"
                                                "其柱面照度按0计\n",
                                    lamp, Fixed(k, 3).c_str(), Fixed(floor, 2).c_str(),
                                    Fixed(k + 0.5 * floor, 3).c_str()));
        }
    }
    book.Line(KvStr::Format(spherical ? "房间在所有灯具下的球面照度为%0.2flx"
                                      : "房间在所有灯具下的柱面照度为%0.2flx",
                            record.result));
    // The two values as the panel shows them (cut to 2 decimals).
    book.Append(KvStr::Format("\t\t房间水平照度为%0.2flx\n", record.horizontal));
    return name;
}

} // namespace qv
