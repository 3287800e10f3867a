#include "cli/BookOption.h"

#include <iostream>

namespace qv::cli {
namespace {

ProjectInfo& BookProjectInfo() {
    static ProjectInfo info;
    return info;
}

} // namespace

void SetBookProjectInfo(const ProjectInfo& info) {
    BookProjectInfo() = info;
}

void AddBookOption(CLI::App* command, std::string& path) {
    command->add_option("--book", path, "also write the calculation book to this .docx file")
        ->type_name("FILE.docx");
}

int WriteBookOption(const std::string& path, const std::function<void(CalcBookWriter&)>& write) {
    if (path.empty()) {
        return kSuccess;
    }
    CalcBookWriter writer;
    writer.SetProjectInfo(BookProjectInfo());
    write(writer);
    if (writer.SaveAsFile(path) != 1) {
        std::cerr << "quorvel-calc: cannot write the calculation book " << path << '\n';
        return kBadInput;
    }
    return kSuccess;
}

} // namespace qv::cli
