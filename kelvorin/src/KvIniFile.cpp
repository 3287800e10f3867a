#include <kelvorin/KvFile.h>
#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// A text read hands back at most this many bytes (the value buffer holds 2048 with its
// terminating zero).
constexpr std::size_t kMaxTextBytes = 2047;
const std::string kWindowPosSection = "窗口位置";
// A settings file larger than this is not one the library wrote: reads give their
// defaults and writes leave it alone, instead of holding the whole of it in memory.
constexpr std::size_t kMaxFileBytes = std::size_t{4} << 20;

// Reads the file whole unless it is larger than kMaxFileBytes (Failed then).
KvFileRead ReadCapped(const std::string& path, std::string& content) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) > kMaxFileBytes) {
        content.clear();
        return KvFileRead::Failed;
    }
    return KvFile::ReadAll(path, content);
}

// ---------------------------------------------------------------------------------------
// The file as lines.

struct IniLine {
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n", "\r", or empty for a last line without one
};

struct IniLines {
    bool byteOrderMark = false;
    std::vector<IniLine> lines;
};

// Splits at every line end: CR LF, LF or a lone CR.
IniLines SplitLines(std::string_view content) {
    IniLines result;
    if (content.starts_with(kByteOrderMark)) {
        result.byteOrderMark = true;
        content.remove_prefix(kByteOrderMark.size());
    }
    while (!content.empty()) {
        const std::size_t at = content.find_first_of("\r\n");
        if (at == std::string_view::npos) {
            result.lines.push_back({std::string(content), ""});
            break;
        }
        const std::size_t endLength = content.substr(at).starts_with(kLineEnd) ? 2 : 1;
        result.lines.push_back(
            {std::string(content.substr(0, at)), std::string(content.substr(at, endLength))});
        content.remove_prefix(at + endLength);
    }
    return result;
}

// Lines keep their own line ends; a line that was last without one and is no longer
// last gets CR LF.
std::string JoinLines(const IniLines& file) {
    std::string out = file.byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (std::size_t i = 0; i < file.lines.size(); ++i) {
        const IniLine& line = file.lines[i];
        out += line.text;
        out += line.end.empty() && i + 1 < file.lines.size() ? std::string(kLineEnd) : line.end;
    }
    return out;
}

bool LoadLines(const std::string& path, IniLines& file) {
    std::string content;
    if (path.empty() || ReadCapped(path, content) != KvFileRead::Ok) {
        return false;
    }
    file = SplitLines(content);
    return true;
}

bool IsBracketed(const std::string& trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

// A section header: "[" name "]" once trimmed; the name is trimmed too.
bool ParseHeader(const std::string& line, std::string& name) {
    const std::string trimmed = KvStr::Trim(line);
    if (!IsBracketed(trimmed)) {
        return false;
    }
    name = KvStr::Trim(trimmed.substr(1, trimmed.size() - 2));
    return true;
}

// A key line: trimmed key before the first "=", trimmed value after it.
bool ParseKeyLine(const std::string& line, std::string& key, std::string& value) {
    const std::size_t at = line.find('=');
    if (at == std::string::npos) {
        return false;
    }
    key = KvStr::Trim(line.substr(0, at));
    value = KvStr::Trim(line.substr(at + 1));
    return true;
}

// Lines [header, end) of the first section of that name.
struct SectionRange {
    std::size_t header = 0;
    std::size_t end = 0;
};

std::optional<SectionRange> FindSection(const std::vector<IniLine>& lines,
                                        const std::string& name) {
    std::optional<SectionRange> found;
    std::string lineName;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!ParseHeader(lines[i].text, lineName)) {
            continue;
        }
        if (found) {
            found->end = i;
            return found;
        }
        if (KvStr::EqualNoCase(lineName, name)) {
            found = SectionRange{i, lines.size()};
        }
    }
    return found;
}

struct KeyLine {
    std::size_t index = 0;
    std::string key; // spelled as in the file
    std::string value;
};

std::optional<KeyLine> FindKey(const std::vector<IniLine>& lines, SectionRange section,
                               const std::string& key) {
    KeyLine found;
    for (std::size_t i = section.header + 1; i < section.end; ++i) {
        if (ParseKeyLine(lines[i].text, found.key, found.value) &&
            KvStr::EqualNoCase(found.key, key)) {
            found.index = i;
            return found;
        }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------
// Values.

// One pair of enclosing quotation marks (both double or both single) is not part of
// the value.
std::string StripQuotes(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Cuts text to the read limit, backing off to the start of a UTF-8 character that the
// limit would split, so the result stays valid text.
std::string CutToReadLimit(const std::string& text) {
    if (text.size() <= kMaxTextBytes) {
        return text;
    }
    const auto isContinuation = [&](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t cut = kMaxTextBytes;
    while (cut > kMaxTextBytes - 3 && isContinuation(cut)) {
        --cut;
    }
    if (isContinuation(cut) || static_cast<unsigned char>(text[cut]) < 0xC0) {
        cut = kMaxTextBytes; // not a well-formed character: cut at the limit
    }
    return text.substr(0, cut);
}

// The stored text of a key (trimmed, unquoted, cut to the read limit), or nothing when
// the file, the section or the key is missing.
std::optional<std::string> ReadStoredText(const std::string& section, const std::string& key,
                                          const std::string& path) {
    IniLines file;
    if (!LoadLines(path, file)) {
        return std::nullopt;
    }
    const auto range = FindSection(file.lines, KvStr::Trim(section));
    if (!range) {
        return std::nullopt;
    }
    const auto found = FindKey(file.lines, *range, KvStr::Trim(key));
    if (!found) {
        return std::nullopt;
    }
    // The value ends at a NUL byte, as it would in the buffer of a text read.
    return CutToReadLimit(StripQuotes(found->value.substr(0, found->value.find('\0'))));
}

// The leading signed decimal number of the text, accumulated in 32 bits with wrap-around
// and negated for "-"; 0 when the text does not start with one.
std::int32_t LeadingInt32(const std::string& text) {
    std::size_t at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        ++at;
    }
    std::uint32_t number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        number = number * 10u + static_cast<std::uint32_t>(text[at] - '0');
    }
    return static_cast<std::int32_t>(negative ? 0u - number : number);
}

// An empty value reads as the default, as a missing key does.
long ReadInteger(const std::string& section, const std::string& key, long def,
                 const std::string& path) {
    const auto text = ReadStoredText(section, key, path);
    if (!text || text->empty()) {
        return def;
    }
    return LeadingInt32(*text);
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// Sets key = value in the first section of that name: in place when the key exists (the
// key keeps its spelling), else after the section's last non-blank line, else as a new
// section at the end of the file.
void SetValue(std::vector<IniLine>& lines, const std::string& section, const std::string& key,
              const std::string& value) {
    const auto range = FindSection(lines, section);
    if (!range) {
        lines.push_back({"[" + section + "]", std::string(kLineEnd)});
        lines.push_back({key + "=" + value, std::string(kLineEnd)});
        return;
    }
    if (const auto found = FindKey(lines, *range, key)) {
        lines[found->index] = {found->key + "=" + value, std::string(kLineEnd)};
        return;
    }
    std::size_t after = range->header;
    for (std::size_t i = range->header + 1; i < range->end; ++i) {
        if (!KvStr::Trim(lines[i].text).empty()) {
            after = i;
        }
    }
    if (lines[after].end.empty()) {
        lines[after].end = kLineEnd;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                 IniLine{key + "=" + value, std::string(kLineEnd)});
}

struct Entry {
    std::string key;
    std::string value;
};

// Sets the keys of one section in a single rewrite of the file. A name or value with a
// line break would break the file apart, and a key with "=" could never be found again:
// neither is stored, and nothing is written.
int WriteEntries(const std::string& section, const std::vector<Entry>& entries,
                 const std::string& path) {
    const std::string sectionName = KvStr::Trim(section);
    if (path.empty() || HasLineBreak(sectionName)) {
        return 0;
    }
    for (const Entry& entry : entries) {
        const std::string keyName = KvStr::Trim(entry.key);
        if (HasLineBreak(keyName) || HasLineBreak(entry.value) ||
            keyName.find('=') != std::string::npos) {
            return 0;
        }
    }
    std::string content;
    if (ReadCapped(path, content) == KvFileRead::Failed) {
        return 0;
    }
    IniLines file = SplitLines(content);
    for (const Entry& entry : entries) {
        SetValue(file.lines, sectionName, KvStr::Trim(entry.key), entry.value);
    }
    return KvFile::WriteAtomically(path, JoinLines(file)) ? 1 : 0;
}

int WriteText(const std::string& section, const std::string& key, const std::string& value,
              const std::string& path) {
    return WriteEntries(section, {{key, value}}, path);
}

std::string IntText(int value) {
    return KvStr::Format("%d", value);
}

std::string LongText(long value) {
    return KvStr::Format("%ld", value);
}

// ---------------------------------------------------------------------------------------
// Window rectangles. Sums and differences wrap instead of overflowing.

long WrapAdd(long a, long b) {
    return static_cast<long>(static_cast<unsigned long>(a) + static_cast<unsigned long>(b));
}

long WrapSub(long a, long b) {
    return static_cast<long>(static_cast<unsigned long>(a) - static_cast<unsigned long>(b));
}

std::string WindowKeyName(const std::string& name, int controlId) {
    return name.empty() ? KvStr::Format("%d", controlId) : name;
}

// Keeps the restored rectangle on the screen: a negative left moves the rectangle right
// (width kept), a negative top only raises top to 0, a right or bottom beyond the screen
// moves the rectangle back (size kept).
void FitToScreen(KvWindowRect& rect, long width, long height) {
    if (rect.left < 0) {
        rect.right = WrapSub(rect.right, rect.left);
        rect.left = 0;
    }
    if (rect.top < 0) {
        rect.top = 0;
    }
    if (rect.right > width) {
        rect.left = WrapSub(rect.left, WrapSub(rect.right, width));
        rect.right = width;
    }
    if (rect.bottom > height) {
        rect.top = WrapSub(rect.top, WrapSub(rect.bottom, height));
        rect.bottom = height;
    }
}

} // namespace

// -------------------------------------------------------------------------------------------
// Reading and writing keys.

std::string KvIniFile::ReadKey(std::string section, std::string key, std::string def,
                               std::string file) {
    return ReadStoredText(section, key, file).value_or(CutToReadLimit(def));
}

std::string KvIniFile::ReadKey(std::string section, std::string key, const char* def,
                               std::string file) {
    return ReadKey(std::move(section), std::move(key), std::string(def ? def : ""),
                   std::move(file));
}

int KvIniFile::ReadKey(std::string section, std::string key, int def, std::string file) {
    return static_cast<int>(ReadInteger(section, key, def, file));
}

long KvIniFile::ReadKey(std::string section, std::string key, long def, std::string file) {
    return ReadInteger(section, key, def, file);
}

// The default goes through the same "%f" text as a stored value, so it comes back
// rounded to six decimals.
// "nan", "inf" or "1e999" are no number a setting can hold: they read as 0.0, as any
// text that is not a number does.
double KvIniFile::ReadKey(std::string section, std::string key, double def, std::string file) {
    const double value = KvStr::Atof(ReadKey(section, key, KvStr::Format("%f", def), file));
    return std::isfinite(value) ? value : 0.0;
}

int KvIniFile::WriteKey(std::string section, std::string key, std::string value, std::string file) {
    return WriteText(section, key, value, file);
}

int KvIniFile::WriteKey(std::string section, std::string key, const char* value, std::string file) {
    return value ? WriteText(section, key, value, file) : 0;
}

int KvIniFile::WriteKey(std::string section, std::string key, int value, std::string file) {
    return WriteText(section, key, IntText(value), file);
}

// A long is read back through 32 bits: a value beyond them is refused (0) rather than
// written as a number that reads back as another.
int KvIniFile::WriteKey(std::string section, std::string key, long value, std::string file) {
    if (value < INT32_MIN || value > INT32_MAX) {
        return 0;
    }
    return WriteText(section, key, LongText(value), file);
}

int KvIniFile::WriteKey(std::string section, std::string key, double value, std::string file) {
    return WriteText(section, key, KvStr::Format("%f", value), file);
}

// -------------------------------------------------------------------------------------------
// Whole sections.

// Copies the file without the section: the header matches when a trimmed line begins
// with "[" section "]"; from there every line is dropped up to the next line that
// begins with "[", which is kept. Empty lines stay empty and every other kept line comes
// back trimmed. The new content replaces the file only once it is fully written.
int KvIniFile::DeleteSeg(std::string section, std::string file) {
    IniLines source;
    if (!LoadLines(file, source)) {
        return 0;
    }
    const std::string header = "[" + section + "]";
    const std::vector<IniLine>& lines = source.lines;
    std::string out = source.byteOrderMark ? std::string(kByteOrderMark) : std::string();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].text.empty()) {
            out += kLineEnd;
            continue;
        }
        const std::string trimmed = KvStr::Trim(lines[i].text);
        if (trimmed.compare(0, header.size(), header) != 0) {
            out += trimmed;
            out += kLineEnd;
            continue;
        }
        while (++i < lines.size() && (lines[i].text.empty() || lines[i].text[0] != '[')) {
        }
        if (i < lines.size()) {
            out += KvStr::Trim(lines[i].text);
            out += kLineEnd;
        }
    }
    return KvFile::WriteAtomically(file, out) ? 1 : 0;
}

int KvIniFile::GetAllSeg(std::vector<std::string>& out, std::string file) {
    out.clear();
    IniLines source;
    if (!LoadLines(file, source)) {
        return 0;
    }
    for (const IniLine& line : source.lines) {
        const std::string trimmed = KvStr::Trim(line.text);
        if (trimmed.size() >= 3 && IsBracketed(trimmed)) {
            out.push_back(trimmed.substr(1, trimmed.size() - 2));
        }
    }
    return 1;
}

// -------------------------------------------------------------------------------------------
// Window position and placement.

// A window partly off the top or left of the screen is remembered at (100, 50). Both
// keys are written in one rewrite of the file.
int KvIniFile::SaveWindowPos(const KvWindowRect& window, int controlId, std::string name,
                             std::string file) {
    long left = window.left;
    long top = window.top;
    if (left < 0 || top < 0) {
        left = 100;
        top = 50;
    }
    const std::string keyName = WindowKeyName(name, controlId);
    return WriteEntries(kWindowPosSection,
                        {{keyName + "X", LongText(left)}, {keyName + "Y", LongText(top)}}, file);
}

int KvIniFile::LoadWindowPos(KvWindowRect& window, int controlId, std::string name,
                             const KvWindowRect& desktop, std::string file) {
    const std::string keyName = WindowKeyName(name, controlId);
    long x = ReadKey(kWindowPosSection, keyName + "X", 100, file);
    long y = ReadKey(kWindowPosSection, keyName + "Y", 50, file);
    if (x < 0 || y < 0) {
        x = 100;
        y = 50;
    }
    if (x > desktop.right) {
        x = 100;
    }
    if (y > desktop.bottom) {
        y = 50;
    }
    const long width = WrapSub(window.right, window.left);
    const long height = WrapSub(window.bottom, window.top);
    window = {x, y, WrapAdd(x, width), WrapAdd(y, height)};
    return 1;
}

// The eleven keys are written in one rewrite of the file; 0 when it fails.
int KvIniFile::SaveWindowPlacement(const KvWindowPlacement* placement, std::string section,
                                   std::string file) {
    if (placement == nullptr) {
        return 0;
    }
    const KvWindowPlacement& p = *placement;
    const KvWindowRect& rc = p.rcNormalPosition;
    return WriteEntries(section,
                        {
                            {"length", IntText(p.length)},
                            {"flags", IntText(p.flags)},
                            {"showCmd", IntText(p.showCmd)},
                            {"ptMinPositionx", LongText(p.ptMinPositionx)},
                            {"ptMinPositiony", LongText(p.ptMinPositiony)},
                            {"ptMaxPositionx", LongText(p.ptMaxPositionx)},
                            {"ptMaxPositiony", LongText(p.ptMaxPositiony)},
                            {"rcNormalPositionleft", LongText(rc.left)},
                            {"rcNormalPositionright", LongText(rc.right)},
                            {"rcNormalPositiontop", LongText(rc.top)},
                            {"rcNormalPositionbottom", LongText(rc.bottom)},
                        },
                        file);
}

// Every key is read with the current value as default. A minimised window is restored
// (show state 9); a maximised one keeps its rectangle unchecked; any other gets its
// rectangle fitted to the screen.
int KvIniFile::LoadWindowPlacement(KvWindowPlacement* placement, int screenWidth, int screenHeight,
                                   std::string section, std::string file) {
    if (placement == nullptr) {
        return 0;
    }
    KvWindowPlacement p = *placement;
    KvWindowRect& rc = p.rcNormalPosition;
    p.length = ReadKey(section, "length", p.length, file);
    p.flags = ReadKey(section, "flags", p.flags, file);
    p.showCmd = ReadKey(section, "showCmd", p.showCmd, file);
    p.ptMinPositionx = ReadKey(section, "ptMinPositionx", p.ptMinPositionx, file);
    p.ptMinPositiony = ReadKey(section, "ptMinPositiony", p.ptMinPositiony, file);
    p.ptMaxPositionx = ReadKey(section, "ptMaxPositionx", p.ptMaxPositionx, file);
    p.ptMaxPositiony = ReadKey(section, "ptMaxPositiony", p.ptMaxPositiony, file);
    rc.left = ReadKey(section, "rcNormalPositionleft", rc.left, file);
    rc.right = ReadKey(section, "rcNormalPositionright", rc.right, file);
    rc.top = ReadKey(section, "rcNormalPositiontop", rc.top, file);
    rc.bottom = ReadKey(section, "rcNormalPositionbottom", rc.bottom, file);
    if (p.showCmd == 2) {
        p.showCmd = 9;
    }
    if (p.showCmd != 3) {
        FitToScreen(rc, screenWidth, screenHeight);
    }
    *placement = p;
    return 1;
}
