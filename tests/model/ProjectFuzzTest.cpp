// Truncated and mangled project files: loading never crashes or runs away, whatever
// the bytes; what loads can be saved and loaded again, also merged over the mangled file.
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace qv {
namespace {

using test::TempDir;

// A small outdoor project with every kind of list, written by Save.
std::string SampleFileText(const TempDir& dir) {
    Project project;
    project.kind = kOutdoorProject;
    project.room.outline = {{0, 0, 0}, {30, 0, 0}, {30, 20, 0}};
    project.road.components = {{0, 2, 7.5}, {1, 0, 2}};
    for (int i = 0; i < 3; ++i) {
        Luminaire luminaire;
        luminaire.sName = "灯" + std::to_string(i);
        for (int row = 0; row < 4; ++row) {
            luminaire.curveA.Append({row * 30.0, 300.0 - row * 60});
            luminaire.curveB.Append({row * 30.0, 280.0 - row * 50});
            luminaire.cuTable.Append({70, 50, 20, row + 1.0, 0.7 - row * 0.05});
            luminaire.floodTable.Append({row * 10.0, -row * 5.0, 1500.0 - row * 100});
        }
        project.luminaires.Add(luminaire);
    }
    const std::string path = dir.File("sample.col");
    EXPECT_TRUE(SaveProject(project, path));
    return test::ReadFileText(path);
}

// Loads the file without writing to it; when it loads, saves the result both to a new
// file and over the mangled one, and loads those again: a project that loaded saves to
// a file that reads back to the same text. Returns whether the mangled file loaded.
bool Exercise(const TempDir& dir, const std::string& text) {
    const std::string path = dir.File("mangled.col");
    test::WriteFileText(path, text);
    Project project;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    if (!LoadProject(path, project, readOnly)) {
        return false;
    }
    Project again;
    EXPECT_TRUE(SaveProject(project, dir.File("clean.col")));
    EXPECT_TRUE(LoadProject(dir.File("clean.col"), again, readOnly));
    EXPECT_TRUE(SaveProject(again, dir.File("again.col")));
    EXPECT_EQ(test::ReadFileText(dir.File("again.col")), test::ReadFileText(dir.File("clean.col")));
    EXPECT_TRUE(SaveProject(project, path));
    Project merged;
    EXPECT_TRUE(LoadProject(path, merged, readOnly));
    return true;
}

TEST(ProjectFuzz, TruncatedFiles) {
    TempDir dir;
    test::MessageRecorder quiet;
    const std::string text = SampleFileText(dir);
    int loaded = 0;
    for (size_t length = 0; length < text.size(); length += 41) {
        loaded += Exercise(dir, text.substr(0, length)) ? 1 : 0;
    }
    EXPECT_EQ(loaded, 0); // a cut file always lacks the end of its root element
}

// Replaces the text of a random element with one of the values that break readers.
void MangleValue(std::string& text, std::mt19937& random) {
    static const char* const kValues[] = {
        "2147483647", "-2147483648", "-1",      "99999999999999", "nan",  "inf",     "1e308",
        "",           "0x10",        "1,2,3,4", "<x/>",           "&#1;", "\xff\xfe"};
    const size_t open = text.find('>', random() % text.size());
    const size_t close = open == std::string::npos ? open : text.find('<', open);
    if (close == std::string::npos) {
        return;
    }
    const char* value = kValues[random() % std::size(kValues)];
    text.replace(open + 1, close - open - 1, value);
}

void Mangle(std::string& text, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < edits && !text.empty(); ++i) {
        const size_t at = random() % text.size();
        const size_t span = std::min<size_t>(1 + random() % 400, text.size() - at);
        switch (random() % 5) {
        case 0:
            text[at] = static_cast<char>(random() % 256);
            break;
        case 1:
            text.erase(at, span);
            break;
        case 2: // a copied stretch: elements of the same name twice, nested or side by side
            text.insert(random() % text.size(), text.substr(at, span));
            break;
        case 3:
            text.insert(at, std::string(1, "<>/&\"'0"[random() % 7]));
            break;
        default:
            MangleValue(text, random);
            break;
        }
    }
}

// Edits that keep the file well-formed, so that the readers meet them: leaf lines
// (one element with its text) are removed, doubled or moved, values are replaced.
void MangleLeaves(std::string& text, std::mt19937& random) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const auto isLeaf = [](const std::string& line) {
        const size_t open = line.find('<');
        return open != std::string::npos && line.compare(open, 2, "</") != 0 &&
               (line.find("</") != std::string::npos || line.find("/>") != std::string::npos);
    };
    const int edits = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < edits; ++i) {
        const size_t at = random() % lines.size();
        if (!isLeaf(lines[at])) {
            continue;
        }
        const size_t to = random() % lines.size();
        switch (random() % 3) {
        case 0:
            lines.erase(lines.begin() + static_cast<long>(at));
            break;
        case 1:
            lines.insert(lines.begin() + static_cast<long>(to), lines[at]);
            break;
        default:
            std::swap(lines[at], lines[to]);
            break;
        }
    }
    text.clear();
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    for (int i = static_cast<int>(random() % 3); i > 0; --i) {
        MangleValue(text, random);
    }
}

TEST(ProjectFuzz, MangledFiles) {
    TempDir dir;
    test::MessageRecorder quiet;
    const std::string text = SampleFileText(dir);
    std::mt19937 random(20240607);
    int loaded = 0;
    for (int round = 0; round < 240; ++round) {
        std::string mangled = text;
        if (round % 2 == 0) {
            Mangle(mangled, random);
        } else {
            MangleLeaves(mangled, random);
        }
        loaded += Exercise(dir, mangled) ? 1 : 0;
    }
    // Enough of them stay well-formed to reach the readers.
    EXPECT_GT(loaded, 80);
}

} // namespace
} // namespace qv
