#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t put = ::write(fd, data.data(), data.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The process's file-creation mask, read without changing it (umask() would, and other
// threads may be creating files meanwhile).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            const std::string digits = KvStr::Trim(line.substr(6));
            unsigned mask = 0;
            const auto [end, error] =
                std::from_chars(digits.data(), digits.data() + digits.size(), mask, 8);
            if (error == std::errc()) {
                return static_cast<mode_t>(mask);
            }
        }
    }
    return 022;
}

// A symbolic link is written through: its target is the file that gets replaced.
std::string ResolveLink(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            std::string resolved = real;
            std::free(real);
            return resolved;
        }
    }
    return path;
}

// When the library was loaded: a temporary older than this was left by another run.
const std::time_t kLoadedAt = std::time(nullptr);

// Removes the temporaries "<name>.tmp-XXXXXX" of the target that are older than this
// run: a save killed before its rename left them, and no save of this run made them.
void RemoveStaleTemporaries(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path file(target);
    const std::string prefix = file.filename().string() + ".tmp-";
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        struct stat info {};
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
            ::lstat(entry->path().c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_mtime < kLoadedAt) {
            ::unlink(entry->path().c_str());
        }
    }
}

// The temporary being written, for the handlers of SIGINT and SIGTERM: a save
// interrupted by them removes it before the process ends. One slot: with saves running
// on several threads at once, the latest is the one removed.
char g_temporary[4096];
volatile std::sig_atomic_t g_writing = 0;
struct sigaction g_previous[2];

void RemoveTemporaryAndEnd(int signal) {
    if (g_writing != 0) {
        ::unlink(g_temporary);
    }
    ::sigaction(signal, &g_previous[signal == SIGINT ? 0 : 1], nullptr);
    ::raise(signal);
}

// Installs the handlers once, only over the default disposition (a signal the program
// ignores or handles itself is left to it).
void WatchTerminationOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        const int signals[] = {SIGINT, SIGTERM};
        for (int i = 0; i < 2; ++i) {
            if (::sigaction(signals[i], nullptr, &g_previous[i]) != 0 ||
                (g_previous[i].sa_flags & SA_SIGINFO) != 0 || g_previous[i].sa_handler != SIG_DFL) {
                continue;
            }
            struct sigaction handler {};
            handler.sa_handler = RemoveTemporaryAndEnd;
            sigemptyset(&handler.sa_mask);
            ::sigaction(signals[i], &handler, nullptr);
        }
    });
}

// Marks the temporary as the one the handlers remove while it exists.
class WatchedTemporary {
public:
    explicit WatchedTemporary(const std::string& path) {
        WatchTerminationOnce();
        if (path.size() < sizeof g_temporary) {
            g_writing = 0;
            std::memcpy(g_temporary, path.c_str(), path.size() + 1);
            g_writing = 1;
        }
    }
    ~WatchedTemporary() { g_writing = 0; }
    WatchedTemporary(const WatchedTemporary&) = delete;
    WatchedTemporary& operator=(const WatchedTemporary&) = delete;
};

void SyncFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

KvFileRead KvFile::ReadAll(const std::string& path, std::string& content) {
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return errno == ENOENT ? KvFileRead::Missing : KvFileRead::Failed;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    char buffer[16384];
    while (ok) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0 && errno != EINTR) {
            ok = false;
        } else if (got > 0) {
            content.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    return ok ? KvFileRead::Ok : KvFileRead::Failed;
}

bool KvFile::WriteAtomically(const std::string& path, std::string_view content,
                             std::string* error) {
    return WriteAtomicallyStreamed(
        path, [content](const Put& put) { return put(content); }, error);
}

bool KvFile::HoldsExactly(const std::string& path, const Producer& produce) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool same = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    std::string stored;
    const auto compare = [&](std::string_view piece) {
        while (same && !piece.empty()) {
            stored.resize(std::min<std::size_t>(piece.size(), 1 << 20));
            const ssize_t got = ::read(fd, stored.data(), stored.size());
            if (got < 0 && errno == EINTR) {
                continue;
            }
            const auto length = static_cast<std::size_t>(std::max<ssize_t>(got, 0));
            same = got > 0 && piece.compare(0, length, stored.data(), length) == 0;
            piece.remove_prefix(std::min(length, piece.size()));
        }
        return same;
    };
    same = same && produce(compare) && same;
    char extra = 0;
    same = same && ::read(fd, &extra, 1) == 0; // nothing stored beyond the produced bytes
    ::close(fd);
    return same;
}

bool KvFile::WriteAtomicallyStreamed(const std::string& path, const Producer& produce,
                                     std::string* error) {
    auto fail = [&](const std::string& reason) {
        if (error != nullptr) {
            error->assign(reason).append(": ").append(path);
        }
        return false;
    };
    if (path.empty()) {
        return fail("没有给出文件名");
    }
    const std::string target = ResolveLink(path);
    struct stat original {};
    const bool existed = ::stat(target.c_str(), &original) == 0;
    if (existed) {
        if (!S_ISREG(original.st_mode)) {
            return fail("不是普通文件");
        }
        // A read-only file stays as it is, also for a process that could override it.
        if ((original.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return fail("文件是只读的");
        }
    }
    RemoveStaleTemporaries(target);
    std::string temporary = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return fail("无法在所在文件夹中建立文件（" + ErrorReason(errno) + "）");
    }
    const WatchedTemporary watched(temporary);
    if (existed) {
        // Giving the file back to its owner needs the right to; without it the writer owns it.
        [[maybe_unused]] const int owned = ::fchown(fd, original.st_uid, original.st_gid);
    }
    const mode_t mode = existed ? (original.st_mode & 07777) : (0666 & ~CurrentUmask());
    bool written = true;
    const auto put = [&](std::string_view piece) {
        written = written && WriteAll(fd, piece);
        return written;
    };
    const bool produced = produce(put);
    bool ok = produced && written && ::fchmod(fd, mode) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int cause = errno;
        ::unlink(temporary.c_str());
        if (!produced && written) {
            return fail("无法生成文件内容");
        }
        return fail("无法写入文件（" + ErrorReason(cause) + "）");
    }
    SyncFolderOf(target);
    return true;
}

std::string KvFile::ErrorReason(int code) {
    switch (code) {
    case ENOENT:
        return "文件夹不存在";
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case ENOSPC:
        return "磁盘已满";
    case EDQUOT:
        return "磁盘配额已用完";
    case EROFS:
        return "磁盘是只读的";
    case ENAMETOOLONG:
        return "文件名太长";
    case ENOTDIR:
        return "路径中有一级不是文件夹";
    case EISDIR:
        return "是一个文件夹";
    case EIO:
        return "磁盘读写出错";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case ELOOP:
        return "路径中的符号链接太多";
    case EFBIG:
        return "文件太大";
    default:
        return "系统错误 " + std::to_string(code);
    }
}
