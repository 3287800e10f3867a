#include "ui/BookSaving.h"

#include "report/books/BookFolder.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvMessage.h>

namespace qv {

BookSaveResult SaveBook(const std::string& settingsFile, const DocumentOpener& opener,
                        const std::function<BookName(CalcBookWriter&)>& write,
                        const ProjectInfo& info) {
    CalcBookWriter writer(opener);
    writer.SetProjectInfo(info);
    writer.SetAppVisible(1);
    const BookName name = write(writer);
    const std::string folder =
        BookFolder(KvIniFile::ReadKey(kBookSettingsSection, kBookFolderKey, "", settingsFile));
    const std::string path = FreeBookPath(folder, name.FileStem());
    if (path.empty()) {
        KvMessageSink::Show("计算书无法保存：文件夹 " + folder + " 无法建立或没有空闲的文件名。",
                            "系统提示", KvMessageIcon::Warning);
        return {};
    }
    if (writer.SaveAsFile(path) != 1) {
        return {}; // the writer has shown why
    }
    return {path};
}

} // namespace qv
