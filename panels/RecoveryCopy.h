#pragma once
// The recovery copy of a modified project, kept beside the settings so that a crash or a
// killed program loses at most a few minutes of work: written every few minutes and
// before each calculation while the project differs from its file, offered at the next
// start when the program that wrote it is gone, removed on a normal exit. Each running
// program keeps its own copy (named by its process id), so two programs open at once
// never overwrite or remove each other's.
#include "model/Project.h"

#include <optional>
#include <string>

namespace qv {

class RecoveryCopy {
public:
    // folder: where the copy lives (the settings file's folder).
    explicit RecoveryCopy(std::string folder);

    // Writes the project and the path it belongs to (empty for a project never saved).
    // Each file is written under a temporary name and renamed over the last copy, so a
    // crash while writing leaves the previous copy whole. Messages of the save are kept
    // from the user (a failed background copy must not interrupt the work); false then.
    bool Write(const Project& project);

    struct Found {
        std::string file;        // the copy
        std::string note;        // the note naming its writer and its project
        std::string projectPath; // the file it is a copy of; empty for an untitled project
        long long writtenAt = 0; // seconds since the epoch
    };
    // The newest copy left by a program that is no longer running (a copy whose writer
    // still runs belongs to that program); nothing when there is none.
    std::optional<Found> Find() const;
    // Reads the copy: the project as it was written, its path the project's own.
    static bool Read(const Found& found, Project& project);
    // Removes this program's copy and its note (a normal exit, a save, another project).
    void Remove() const;
    // Removes a copy found (declined by the user).
    static void Discard(const Found& found);

    // This program's copy of a project of the kind, and its note.
    std::string CopyPath(int kind) const;
    std::string NotePath() const;

private:
    std::string OwnStem() const;

    std::string m_folder;
};

} // namespace qv
