#pragma once
// Save and Load of a Project in its XML file (".cil" indoor, ".col" outdoor).
#include "model/Project.h"

#include <string>

namespace qv {

// Writes the project to path: over an existing project file the elements are merged
// (present ones reused, new ones appended, the rest left); the file is replaced
// atomically. Feeds "保存工程" with the luminaire number and count to the progress sink.
// On failure nothing is written and the reason goes to the message sink.
bool SaveProject(const Project& project, const std::string& path);

struct LoadOptions {
    // Rewrite the file as read (the program's Open does; a failed rewrite is ignored).
    // Read-only callers turn it off and the file is left untouched.
    bool writeBack = true;
};

// Reads path into project, using the project's current values as the defaults of
// missing elements (pass a fresh Project). A missing file gives an empty project. On
// failure (not XML, not a project file, a number that is not finite or is beyond
// ±1e12, a list count beyond its bound) project is left as it was and the reason, naming
// the element and its text, goes to the message sink. Feeds "读取工程" to the progress sink. Lists
// follow their stored counts but never go beyond the entries present: a missing entry is skipped.
bool LoadProject(const std::string& path, Project& project, const LoadOptions& options = {});

} // namespace qv
