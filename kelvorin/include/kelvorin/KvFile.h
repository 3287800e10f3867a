#pragma once
// Whole-file reading and atomic replacement, shared by every writer of the system
// (settings, project files, calculation books), so a failed or interrupted write
// never destroys the previous file.
#include <kelvorin/KvExport.h>

#include <functional>
#include <string>
#include <string_view>

enum class KvFileRead { Ok, Missing, Failed };

class KV_API KvFile {
public:
    // Reads a regular file whole. A path that names nothing is Missing; anything else
    // that cannot be read (a folder, a device, no permission) is Failed.
    static KvFileRead ReadAll(const std::string& path, std::string& content);

    // Writes content to a temporary file beside the target, flushes it to disk and
    // renames it over the target: readers see the old or the new file, never a part.
    // A symbolic link is followed (the file it names is replaced). The target keeps its
    // permission bits (and owner, where allowed); a new file gets 0666 less the umask.
    // Refused, leaving everything as it was, when the target is not a regular file or is
    // read-only (no write permission bit, or not writable by this process), or when the
    // folder takes no new file. On failure error (when given) receives the reason.
    static bool WriteAtomically(const std::string& path, std::string_view content,
                                std::string* error = nullptr);

    // Hands a writer the temporary file; each piece it passes to put is appended.
    // put returns false once writing failed; the writer returns false to give up.
    using Put = std::function<bool(std::string_view piece)>;
    using Producer = std::function<bool(const Put& put)>;

    // WriteAtomically for content produced piece by piece, so that a large file is
    // never held whole in memory. The same rules and guarantees; a producer that gives
    // up leaves the target as it was.
    static bool WriteAtomicallyStreamed(const std::string& path, const Producer& produce,
                                        std::string* error = nullptr);

    // Whether the file at path holds exactly the bytes the producer gives (false also
    // when it cannot be read). Reads only as far as the first difference.
    static bool HoldsExactly(const std::string& path, const Producer& produce);

    // Why a file operation failed, in the user's words, from the system's error code
    // (errno): "文件夹不存在", "没有写入权限", "磁盘已满", … ("系统错误 N" for a code
    // the program has no words for). The reasons WriteAtomically gives are in these words.
    static std::string ErrorReason(int code);
};
