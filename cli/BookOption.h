#pragma once
// The option "--book FILE.docx" of the calculation commands: the command writes its
// calculation book to FILE after its own output.
#include "cli/Commands.h"
#include "model/ProjectInfo.h"
#include "report/CalcBookWriter.h"

#include <functional>
#include <string>

namespace qv::cli {

void AddBookOption(CLI::App* command, std::string& path);

// When path is set, writes the book with write and saves it there (".docx" is added to a
// name without it). kBadInput, with a message naming the file, when it cannot be saved.
// The project information the books of this run print: the runner reads one project per
// run and hands its information here as it reads it.
void SetBookProjectInfo(const ProjectInfo& info);

int WriteBookOption(const std::string& path, const std::function<void(CalcBookWriter&)>& write);

} // namespace qv::cli
