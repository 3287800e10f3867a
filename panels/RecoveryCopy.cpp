#include "panels/RecoveryCopy.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvMessage.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStemPrefix = "recovery-";
constexpr const char* kNoteExtension = ".note";

const char* ExtensionOf(int kind) {
    return kind == kOutdoorProject ? ".col" : ".cil";
}

// Whether the program that wrote the note still runs: a process with the id that runs
// this program. After a crash the id may have gone to another program; where the system
// shows what a process runs, that one does not count.
bool WriterRuns(long long pid) {
    if (pid > 0x7fffffff) {
        return false;
    }
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) {
        return false;
    }
    // A killed process nobody has reaped yet is gone too.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (std::getline(stat, line)) {
        const size_t name = line.rfind(')');
        if (name != std::string::npos && name + 2 < line.size() && line[name + 2] == 'Z') {
            return false;
        }
    }
    std::error_code error;
    const fs::path running = fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    if (error) {
        return true; // it runs, and what it runs cannot be seen
    }
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error || running == self;
}

// Writes the text under a temporary name, then renames it over path.
bool WriteReplacing(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".writing";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

RecoveryCopy::RecoveryCopy(std::string folder) : m_folder(std::move(folder)) {}

std::string RecoveryCopy::OwnStem() const {
    return (fs::path(m_folder) / (kStemPrefix + std::to_string(::getpid()))).string();
}

std::string RecoveryCopy::CopyPath(int kind) const {
    return OwnStem() + ExtensionOf(kind);
}

std::string RecoveryCopy::NotePath() const {
    return OwnStem() + kNoteExtension;
}

bool RecoveryCopy::Write(const Project& project) {
    const int kind = project.kind == kOutdoorProject ? kOutdoorProject : kIndoorProject;
    const std::string copy = CopyPath(kind);
    const std::string temporary = copy + ".writing" + ExtensionOf(kind);
    std::error_code ignored;
    fs::create_directories(m_folder, ignored);
    fs::remove(temporary, ignored); // a fresh file: no elements of an older copy merged in
    bool saved = false;
    {
        const KvScopedMessageHandler quiet(
            [](const KvMessage& message) { return KvMessageSink::DefaultAnswer(message.buttons); });
        const KvScopedProgressHandler silent([](const std::string&, int, int) {});
        saved = SaveProject(project, temporary);
    }
    // The note names the writer and the project: "pid time\npath".
    std::ostringstream note;
    note << ::getpid() << ' ' << static_cast<long long>(std::time(nullptr)) << '\n' << project.path;
    if (!saved || !WriteReplacing(NotePath(), note.str()) ||
        std::rename(temporary.c_str(), copy.c_str()) != 0) {
        fs::remove(temporary, ignored);
        return false;
    }
    fs::remove(CopyPath(kind == kOutdoorProject ? kIndoorProject : kOutdoorProject), ignored);
    return true;
}

std::optional<RecoveryCopy::Found> RecoveryCopy::Find() const {
    std::optional<Found> newest;
    std::error_code error;
    for (fs::directory_iterator entry(m_folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const fs::path& note = entry->path();
        const std::string name = note.filename().string();
        if (note.extension() != kNoteExtension || name.rfind(kStemPrefix, 0) != 0) {
            continue;
        }
        std::ifstream in(note, std::ios::binary);
        long long pid = 0;
        Found found;
        if (!(in >> pid >> found.writtenAt) || pid <= 0 || WriterRuns(pid)) {
            continue;
        }
        in.get(); // the line's end
        found.projectPath.assign(std::istreambuf_iterator<char>(in), {});
        found.note = note.string();
        for (const int kind : {kIndoorProject, kOutdoorProject}) {
            fs::path copy = note;
            copy.replace_extension(ExtensionOf(kind));
            std::error_code missing;
            if (fs::is_regular_file(copy, missing)) {
                found.file = copy.string();
            }
        }
        if (!found.file.empty() && (!newest || found.writtenAt > newest->writtenAt)) {
            newest = std::move(found);
        }
    }
    return newest;
}

bool RecoveryCopy::Read(const Found& found, Project& project) {
    Project read;
    if (!LoadProject(found.file, read, LoadOptions{false})) {
        return false;
    }
    read.path = found.projectPath;
    project = std::move(read);
    return true;
}

void RecoveryCopy::Remove() const {
    std::error_code ignored;
    for (const int kind : {kIndoorProject, kOutdoorProject}) {
        fs::remove(CopyPath(kind), ignored);
    }
    fs::remove(NotePath(), ignored);
}

void RecoveryCopy::Discard(const Found& found) {
    std::error_code ignored;
    fs::remove(found.file, ignored);
    fs::remove(found.note, ignored);
}

} // namespace qv
