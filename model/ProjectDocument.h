#pragma once
// The store through which a project file is written and read: a small path-addressed
// profile over an XML document. A value is the text of one element, addressed by a
// section path ("灯具/灯具0/光源1") and a key ("sName"). One object serves one save or one
// load.
#include <memory>
#include <string>
#include <vector>

namespace qv {

class ProjectDocument {
public:
    enum OpenStatus { kNoDocument = 0, kParseFailed = 1, kOpened = 2 };
    enum WriteStatus { kWritten = 0, kBadElementName = -1, kNoRoot = -2, kTextFailed = -3 };
    // The deepest nesting of elements a file may hold (the program writes at most a
    // handful of levels); a deeper document is refused on open, so that no save of it
    // and no walk over it grows with the square of its depth.
    static constexpr int kMaxDepth = 256;

    ProjectDocument();
    ~ProjectDocument();
    ProjectDocument(const ProjectDocument&) = delete;
    ProjectDocument& operator=(const ProjectDocument&) = delete;

    // kNoDocument for an empty path. An existing file is parsed: kOpened, or
    // kParseFailed when it is not well-formed XML with one root element, declares an
    // encoding that cannot be read, (when rootName is given) has another root element, or
    // nests elements deeper than kMaxDepth. A missing file gives a new document '<?xml
    // version="1.0" ?>' with an empty root element rootName ("xmlRoot" when empty): kOpened; the
    // file is not created here. ErrorText() tells why an open failed.
    int Open(const std::string& path, const std::string& rootName = std::string());
    // Writes the whole document (UTF-8) to path, or to the path given to Open when path
    // is empty, replacing the file atomically; remembers the path.
    bool Save(const std::string& path = std::string());
    // Save, except that a file that already holds exactly the text Save would write is
    // left untouched (a load's write-back of an unchanged file costs only a read).
    bool SaveIfChanged(const std::string& path = std::string());
    // Releases the document.
    void Close();

    // Creates the elements of section/key that are missing (the first child of each
    // name is taken) and sets the text of the last one, replacing its content. Doubles
    // are written "%.6f", integers "%d", both independent of the process locale.
    int WriteInt(const std::string& section, const std::string& key, int value);
    int WriteDouble(const std::string& section, const std::string& key, double value);
    int WriteText(const std::string& section, const std::string& key, const std::string& value);

    // The text of the element a write of section/key addresses (from the root, the
    // first child of each name), converted (an int: its leading decimal number, 0 if none; a
    // double: its leading floating number); the default when no element matches. A double default
    // is passed through "%.6f" first.
    int ReadInt(const std::string& section, const std::string& key, int defaultValue);
    double ReadDouble(const std::string& section, const std::string& key, double defaultValue);
    std::string ReadText(const std::string& section, const std::string& key,
                         const std::string& defaultValue);
    // The entries of a list present below section (the element a write addresses): every i in [0,
    // count) for which an element named prefix + "%d" of i exists, ascending. A list read through
    // this never goes beyond what the file holds, whatever its stored count says.
    std::vector<int> EntryIndexes(const std::string& section, const std::string& prefix, int count);

    const std::string& Path() const;
    const std::string& ErrorText() const;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace qv
