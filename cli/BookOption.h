#pragma once
// The option "--book FILE.docx" of the calculation commands: the command writes its
// calculation book to FILE after its own output; with "--pdf" also FILE.pdf, converted by
// LibreOffice when it is installed.
#include "cli/Commands.h"
#include "model/ProjectInfo.h"
#include "report/CalcBookWriter.h"

#include <functional>
#include <string>

namespace qv::cli {

void AddBookOption(CLI::App* command, std::string& path);

// The project information the books of this run print: the runner reads one project per
// run and hands its information here as it reads it.
void SetBookProjectInfo(const ProjectInfo& info);

// When path is set, writes the book with write and saves it there (".docx" is added to a
// name without it), then converts it to PDF when --pdf was given. kBadInput, with a
// message naming the file, when it cannot be saved or converted (LibreOffice missing).
int WriteBookOption(const std::string& path, const std::function<void(CalcBookWriter&)>& write);

} // namespace qv::cli
