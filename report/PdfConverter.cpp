#include "report/PdfConverter.h"

#include <kelvorin/KvStr.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace qv {

std::string FindPdfConverterIn(const std::string& searchPath) {
    for (const char* program : {"soffice", "libreoffice"}) {
        std::size_t start = 0;
        while (start <= searchPath.size()) {
            std::size_t end = searchPath.find(':', start);
            if (end == std::string::npos) {
                end = searchPath.size();
            }
            // An empty entry is the working folder, as the shell takes it.
            const std::string folder =
                end == start ? std::string(".") : searchPath.substr(start, end - start);
            const std::string candidate = folder + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0 && !std::filesystem::is_directory(candidate)) {
                return candidate;
            }
            start = end + 1;
        }
    }
    return {};
}

std::string FindPdfConverter() {
    const char* searchPath = std::getenv("PATH");
    return searchPath != nullptr ? FindPdfConverterIn(searchPath) : std::string();
}

namespace {

// Waits for the child; after the timeout its whole process group is stopped.
bool WaitOrStop(pid_t child, int timeoutSeconds, int& status) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (true) {
        const pid_t done = waitpid(child, &status, WNOHANG);
        if (done == child) {
            return true;
        }
        if (done < 0 && errno != EINTR) {
            return false;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

} // namespace

PdfConversion ConvertBookToPdf(const std::string& docxPath, int timeoutSeconds) {
    PdfConversion result;
    const std::string converter = FindPdfConverter();
    if (converter.empty()) {
        result.outcome = PdfConversion::Outcome::NotInstalled;
        return result;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path book = fs::absolute(docxPath, error);
    if (error || !fs::is_regular_file(book, error)) {
        return result;
    }
    const fs::path folder = book.parent_path();
    const fs::path pdf = folder / (book.stem().string() + ".pdf");
    const fs::path profile = fs::temp_directory_path(error) /
                             ("quorvel-pdf-" + std::to_string(static_cast<long>(getpid())));
    const std::string profileArgument = "-env:UserInstallation=file://" + profile.string();
    fs::remove(pdf, error); // a PDF left from before is no proof of this conversion
    std::vector<std::string> words = {converter,     profileArgument, "--headless",
                                      "--norestore", "--convert-to",  "pdf",
                                      "--outdir",    folder.string(), book.string()};
    std::vector<char*> arguments;
    for (std::string& word : words) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP); // stopped as one group
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, converter.c_str(), &actions, &attributes, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        return result;
    }
    int status = 0;
    const bool finished = WaitOrStop(child, timeoutSeconds, status);
    fs::remove_all(profile, error);
    if (!finished) {
        result.outcome = PdfConversion::Outcome::TimedOut;
        return result;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && fs::is_regular_file(pdf, error) &&
        fs::file_size(pdf, error) > 0) {
        result.outcome = PdfConversion::Outcome::Converted;
        result.pdfPath = pdf.string();
    }
    return result;
}

std::string PdfConversionText(const PdfConversion& conversion, const std::string& docxPath) {
    switch (conversion.outcome) {
    case PdfConversion::Outcome::Converted:
        return "计算书已另存为PDF：" + conversion.pdfPath;
    case PdfConversion::Outcome::NotInstalled:
        return "没有安装LibreOffice(soffice)，无法另存为PDF；计算书已保存为：" + docxPath;
    case PdfConversion::Outcome::TimedOut:
        return KvStr::Format("LibreOffice转换PDF超过%d秒未完成，已停止；计算书已保存为：%s",
                             kPdfTimeoutSeconds, docxPath.c_str());
    case PdfConversion::Outcome::Failed:
        break;
    }
    return "LibreOffice未能把计算书转换为PDF；计算书已保存为：" + docxPath;
}

} // namespace qv
