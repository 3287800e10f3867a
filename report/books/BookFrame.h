#pragma once
// The frame every calculation book gets from its project information: the page header
// and footer, the document properties, the project name above the title, the header
// lines under it and the signature block at its end.
#include "model/ProjectInfo.h"
#include "report/CalcBookWriter.h"

#include <string>

namespace qv {

class BookComposer;

// The page header ("工程名称  title", or the title alone), the footer "第 X 页 共 Y 页",
// the document properties, the project name as a centred bold line (when there is
// one), and the signature block set to be written when the book is saved.
void OpenBookFrame(CalcBookWriter& writer, const std::string& title);

// "\t日期:", "\t客户:", "\t设计者:", "\t描述:", each followed by its value.
void WriteHeaderLines(BookComposer& book, const ProjectInfo& info);

// The end of a book: the design unit, the line "设计:… 校对:… 审核:…" with the names and
// the date line.
void WriteSignatureBlock(CalcBookWriter& writer);

} // namespace qv
