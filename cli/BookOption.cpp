#include "cli/BookOption.h"

#include "report/PdfConverter.h"

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

namespace {

// "--pdf" of the one command a run executes.
bool& BookAsPdf() {
    static bool pdf = false;
    return pdf;
}

// The book saved at path also as a PDF beside it, when LibreOffice is installed.
int ConvertBookOption(const std::string& path) {
    const PdfConversion conversion = ConvertBookToPdf(path);
    switch (conversion.outcome) {
    case PdfConversion::Outcome::Converted:
        return kSuccess;
    case PdfConversion::Outcome::NotInstalled:
        std::cerr << "quorvel-calc: --pdf needs LibreOffice (soffice), which is not installed; "
                     "the book was written as "
                  << path << " only\n";
        break;
    case PdfConversion::Outcome::TimedOut:
        std::cerr << "quorvel-calc: LibreOffice did not convert " << path << " within "
                  << kPdfTimeoutSeconds << " s and was stopped\n";
        break;
    case PdfConversion::Outcome::Failed:
        std::cerr << "quorvel-calc: LibreOffice could not convert " << path << " to PDF\n";
        break;
    }
    return kBadInput;
}

} // namespace

void AddBookOption(CLI::App* command, std::string& path) {
    CLI::Option* book =
        command->add_option("--book", path, "also write the calculation book to this .docx file")
            ->type_name("FILE.docx");
    command
        ->add_flag("--pdf", BookAsPdf(),
                   "also convert the book to a PDF beside it (needs LibreOffice)")
        ->needs(book);
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
    return BookAsPdf() ? ConvertBookOption(writer.SavedPath()) : kSuccess;
}

} // namespace qv::cli
