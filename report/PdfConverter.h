#pragma once
// A saved book converted to PDF by LibreOffice ("soffice --headless --convert-to pdf"),
// when it is installed. The program, the runner and their tests call it alike; nothing
// here installs LibreOffice.
#include <string>

namespace qv {

// The LibreOffice program (soffice, else libreoffice) in the folders of a PATH-like list,
// or empty text when none of them holds one.
std::string FindPdfConverterIn(const std::string& searchPath);
// The same in the folders of PATH.
std::string FindPdfConverter();

struct PdfConversion {
    enum class Outcome { Converted, NotInstalled, Failed, TimedOut };
    Outcome outcome = Outcome::Failed;
    std::string pdfPath; // beside the book, with ".pdf" for ".docx"; set when converted
};

// Converts the .docx file into a PDF beside it, waiting at most timeoutSeconds; a
// conversion that takes longer is stopped. The paths go to LibreOffice as arguments,
// never as shell text, and it runs with a profile of its own so that an open LibreOffice
// does not take the job over.
inline constexpr int kPdfTimeoutSeconds = 120;
PdfConversion ConvertBookToPdf(const std::string& docxPath,
                               int timeoutSeconds = kPdfTimeoutSeconds);

// What the user is told about a conversion, in the program's words.
std::string PdfConversionText(const PdfConversion& conversion, const std::string& docxPath);

} // namespace qv
