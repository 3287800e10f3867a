#include "report/books/BookFrame.h"

#include "report/books/BookComposer.h"

namespace qv {

void OpenBookFrame(CalcBookWriter& writer, const std::string& title) {
    const ProjectInfo& info = writer.Info();
    writer.SetPageFurniture(info.name.empty() ? title : info.name + "  " + title, title,
                            info.designer);
    if (!info.name.empty()) {
        writer.WriteContent(info.name, 1, BookComposer::kHeadingSize, "宋体", 1, 1, 0);
    }
    writer.SetFinisher(WriteSignatureBlock);
}

void WriteHeaderLines(BookComposer& book, const ProjectInfo& info) {
    book.Line("\t日期:" + info.date);
    book.Line("\t客户:" + info.client);
    book.Line("\t设计者:" + info.designer);
    book.Line("\t描述:" + info.description);
}

void WriteSignatureBlock(CalcBookWriter& writer) {
    const ProjectInfo& info = writer.Info();
    BookComposer book(writer);
    book.Blank();
    book.Blank();
    if (!info.designUnit.empty()) {
        book.Line("设计单位:" + info.designUnit);
    }
    book.Line("设计:" + info.designer + "\t\t校对:" + info.checker + "\t\t审核:" + info.reviewer);
    book.Line("日期:" + (info.date.empty() ? std::string("      年    月    日") : info.date));
}

} // namespace qv
