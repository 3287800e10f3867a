// A project file that holds stray copies of its elements elsewhere (a hand edit, another
// tool, an old merge) saves and reloads exactly the project saved: a read takes the
// element a save writes, never an earlier copy of that name in another place.
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace qv {
namespace {

using test::TempDir;

const std::string kExamples = QV_SOURCE_DIR "/data/examples/";

Project Loaded(const std::string& path) {
    Project project;
    EXPECT_TRUE(LoadProject(path, project, LoadOptions{false})) << path;
    return project;
}

// The example projects with every optional part filled: project information, places,
// and for the outdoor one the aiming points and road values of its luminaires.
Project FullProject(const std::string& example) {
    Project project = Loaded(kExamples + example);
    project.info.name = "厂区照明";
    project.info.designer = "设计者";
    project.info.description = "第一行\n第二行";
    project.room.standardPlace = {"办公建筑", "普通办公室"};
    if (project.kind == kOutdoorProject) {
        project.road.m_standardPlace = {"道路", "主干路"};
        for (int i = 0; i < project.luminaires.Count(); ++i) {
            Luminaire luminaire = project.luminaires.At(i);
            luminaire.ptAim = {10.0 + i, 5, 0};
            luminaire.road = RoadLightValues{"双侧对称", 30, 12, 15, 0.4};
            project.luminaires.Replace(i, luminaire);
        }
    }
    return project;
}

// Every element of the file with a different text in each text node.
void Spoil(pugi::xml_node element) {
    for (pugi::xml_node child : element.children()) {
        if (child.type() == pugi::node_pcdata) {
            child.set_value("1");
        } else {
            Spoil(child);
        }
    }
}

// The file with a spoiled copy of the element at `path` (the names from the root)
// placed where a search of the whole document would meet it first: as the first child
// of the first top-level section that is not on the element's own path.
std::string WithDecoy(const pugi::xml_document& saved, const std::vector<std::string>& path) {
    pugi::xml_document copy;
    copy.reset(saved);
    pugi::xml_node element = copy.document_element();
    for (const std::string& name : path) {
        element = element.child(name.c_str());
    }
    pugi::xml_node host;
    for (pugi::xml_node section : copy.document_element().children()) {
        if (section.type() == pugi::node_element && section.name() != path.front()) {
            host = section;
            break;
        }
    }
    Spoil(host.prepend_copy(element));
    std::ostringstream text;
    copy.save(text);
    return text.str();
}

// A name without its entry number: 灯具3 and 灯具0 are the same kind of element.
std::string Kind(const std::string& name) {
    return name.substr(0, name.find_last_not_of("0123456789") + 1);
}

// The element paths of a saved file, the first of each kind of chain of names.
void CollectPaths(pugi::xml_node element, std::vector<std::string>& prefix,
                  std::set<std::vector<std::string>>& kinds,
                  std::vector<std::vector<std::string>>& paths) {
    for (pugi::xml_node child : element.children()) {
        if (child.type() != pugi::node_element) {
            continue;
        }
        prefix.push_back(child.name());
        std::vector<std::string> kind;
        for (const std::string& name : prefix) {
            kind.push_back(Kind(name));
        }
        // A whole top-level section has no other section to hide in.
        if (prefix.size() > 1 && kinds.insert(kind).second) {
            paths.push_back(prefix);
        }
        CollectPaths(child, prefix, kinds, paths);
        prefix.pop_back();
    }
}

TEST(StrayElements, EveryElementWithADecoyReadsBackWhatWasSaved) {
    for (const std::string example : {"office.cil", "site_and_road.col"}) {
        SCOPED_TRACE(example);
        TempDir dir;
        const Project project = FullProject(example);
        const std::string path = dir.File(example);
        ASSERT_TRUE(SaveProject(project, path));
        pugi::xml_document saved;
        ASSERT_TRUE(saved.load_file(path.c_str()));
        std::set<std::vector<std::string>> kinds;
        std::vector<std::vector<std::string>> paths;
        std::vector<std::string> prefix;
        CollectPaths(saved.document_element(), prefix, kinds, paths);
        ASSERT_GT(paths.size(), 40u);
        for (const std::vector<std::string>& elementPath : paths) {
            const std::string decoyed = WithDecoy(saved, elementPath);
            test::WriteFileText(path, decoyed);
            std::string where;
            for (const std::string& name : elementPath) {
                where += "/" + name;
            }
            EXPECT_EQ(Loaded(path), project) << "decoy of " << where;
            // A save over the file with the decoy writes the project where it reads it.
            ASSERT_TRUE(SaveProject(project, path));
            EXPECT_EQ(Loaded(path), project) << "resaved with a decoy of " << where;
        }
    }
}

} // namespace
} // namespace qv
