// Every command of the runner over the example projects with each kind of stored number
// made hostile in turn (nought, negative, huge but loadable): the run ends with success
// or bad input, never a crash, and prints no nan, inf or null where a number belongs.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"

#include <pugixml.hpp>

#include <cmath>
#include <regex>
#include <set>

namespace qv {
namespace {

using test::TempDir;

const std::string kExamples = QV_SOURCE_DIR "/data/examples/";

struct SweepCase {
    const char* example;
    // The arguments after the project; "{P}" and "{F}" stand for the points files.
    const char* arguments;
};

// Where a number belongs in JSON output: a null or a non-finite number there is a fault.
void ExpectFiniteNumbers(const nlohmann::json& value, const std::string& where,
                         const std::string& context) {
    ASSERT_FALSE(value.is_null()) << where << " is null: " << context;
    if (value.is_number_float()) {
        EXPECT_TRUE(std::isfinite(value.get<double>())) << where << ": " << context;
    }
    if (value.is_structured()) {
        for (const auto& item : value.items()) {
            ExpectFiniteNumbers(item.value(), where + "/" + item.key(), context);
        }
    }
}

// The first numeric leaf of each kind of element (灯具3 and 灯具0 are one kind).
std::vector<pugi::xml_node> NumberFields(pugi::xml_document& document) {
    std::vector<pugi::xml_node> fields;
    std::set<std::string> kinds;
    const std::regex number("-?[0-9.]+(,-?[0-9.]+,-?[0-9.]+)?");
    for (const pugi::xpath_node& found : document.select_nodes("//*[not(*)]")) {
        const pugi::xml_node leaf = found.node();
        std::string kind;
        for (pugi::xml_node up = leaf; up.type() == pugi::node_element; up = up.parent()) {
            const std::string name = up.name();
            kind = name.substr(0, name.find_last_not_of("0123456789") + 1) + "/" + kind;
        }
        if (std::regex_match(leaf.text().get(), number) && kinds.insert(kind).second) {
            fields.push_back(leaf);
        }
    }
    return fields;
}

class HostileFieldSweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(HostileFieldSweep, NoCrashAndNoNumberThatIsNone) {
    const SweepCase& sweep = GetParam();
    TempDir dir;
    test::WriteFileText(dir.File("points.csv"),
                        "name,x,y,z,rx,ry,rz\nA,3,2,0.75,0,0,0\nB,6,3.6,0,90,0,0\n");
    test::WriteFileText(dir.File("flood.csv"), "name,x,y,z\nA,10,10,0\nB,30,20,0\n");
    std::string arguments = sweep.arguments;
    arguments = std::regex_replace(arguments, std::regex("\\{P\\}"), dir.File("points.csv"));
    arguments = std::regex_replace(arguments, std::regex("\\{F\\}"), dir.File("flood.csv"));
    const bool json = arguments.find("--json") != std::string::npos;
    const std::string extension =
        std::string(sweep.example).substr(std::string(sweep.example).rfind('.'));
    const std::string project = dir.File("hostile" + extension);
    const std::regex none("(^|[^A-Za-z])(nan|inf|infinity)([^A-Za-z]|$)", std::regex::icase);

    pugi::xml_document document;
    ASSERT_TRUE(document.load_file((kExamples + sweep.example).c_str()));
    const std::vector<pugi::xml_node> fields = NumberFields(document);
    ASSERT_GT(fields.size(), 30u);
    for (pugi::xml_node field : fields) {
        const std::string original = field.text().get();
        const bool triple = original.find(',') != std::string::npos;
#ifdef QV_SANITIZED
        // The sanitizer build keeps the huge and the refused value (nought and negative
        // values run in the normal build).
        const std::vector<std::string> values =
            triple ? std::vector<std::string>{"1e11,-1e11,1e11", "0,nan,0"}
                   : std::vector<std::string>{"1e11", "1e309"};
#else
        const std::vector<std::string> values =
            triple ? std::vector<std::string>{"0,0,0", "-1,-1,-1", "1e11,-1e11,1e11", "0,nan,0"}
                   : std::vector<std::string>{"0", "-1", "1e11", "1e309"};
#endif
        for (const std::string& value : values) {
            field.text().set(value.c_str());
            ASSERT_TRUE(document.save_file(project.c_str()));
            const std::string context =
                std::string(field.parent().name()) + "/" + field.name() + "=" + value;
            const std::string command = arguments.substr(0, arguments.find(' '));
            const std::string options = arguments.substr(command.size());
            const auto [status, out] = test::RunShell(std::string(QV_CALC_PATH) + " " + command +
                                                      " " + project + options + " 2>/dev/null");
            EXPECT_TRUE(status == 0 || status == 1) << status << " " << context;
            // A number that is not finite is refused on load (a whole number reads the
            // leading digits of "1e309").
            const bool fractional = triple || original.find('.') != std::string::npos;
            if (fractional && (value == "1e309" || value == "0,nan,0")) {
                EXPECT_EQ(status, 1) << context;
            }
            if (status != 0) {
                continue;
            }
            if (json) {
                const nlohmann::json parsed = nlohmann::json::parse(out, nullptr, false);
                ASSERT_FALSE(parsed.is_discarded()) << context << "\n" << out;
                ExpectFiniteNumbers(parsed, "", context);
            } else {
                EXPECT_FALSE(std::regex_search(out, none)) << context << "\n" << out;
            }
        }
        field.text().set(original.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HostileFieldSweep,
    ::testing::Values(SweepCase{"office.cil", "show --json"}, SweepCase{"office.cil", "cu --json"},
                      SweepCase{"office.cil", "cu"}, SweepCase{"office.cil", "lpd --json"},
                      SweepCase{"office.cil", "grid --json --density 20"},
                      SweepCase{"office.cil", "spherical --json --ks 1"},
                      SweepCase{"office.cil", "cylindrical --json --ks 1"},
                      SweepCase{"office.cil", "unitcap --json"},
                      SweepCase{"office.cil", "point --json --points {P}"},
                      SweepCase{"office.cil", "ugr --json"}, SweepCase{"office.cil", "ugr"},
                      SweepCase{"site_and_road.col", "show --json"},
                      SweepCase{"site_and_road.col", "flood --json --points {F}"},
                      SweepCase{"site_and_road.col", "floodcap --json --emin 30"},
                      SweepCase{"site_and_road.col", "road --json"},
                      SweepCase{"site_and_road.col", "road"},
                      SweepCase{"site_and_road.col", "lpd --json"}),
    [](const ::testing::TestParamInfo<SweepCase>& info) {
        std::string name =
            std::string(info.param.example).substr(0, 6) + "_" + info.param.arguments;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name + "_" + std::to_string(info.index);
    });

} // namespace
} // namespace qv
