#pragma once
// Saving a calculation book from a panel: the book is written into the books folder
// under the first free name, then shown with the opener. A book that cannot be saved is
// reported in a message box with the reason.
#include "report/CalcBookWriter.h"
#include "report/books/BookComposer.h"

#include <functional>
#include <string>

namespace qv {

struct BookSaveResult {
    std::string path; // where the book was saved; empty when it was not
};

// write fills the writer's document and names the book.
// info is the project information the book prints.
BookSaveResult SaveBook(const std::string& settingsFile, const DocumentOpener& opener,
                        const std::function<BookName(CalcBookWriter&)>& write,
                        const ProjectInfo& info = ProjectInfo());

} // namespace qv
