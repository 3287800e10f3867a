#include "model/ProjectFile.h"

#include "model/ProjectDocument.h"

#include <kelvorin/KvMessage.h>
#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <type_traits>
#include <utility>
#include <vector>

namespace qv {
namespace {

const char* const kRootName = "Main";
const char* const kKindSection = "Main";
const char* const kKindKey = "计算类型";
const char* const kRoadSection = "道路";
const char* const kLuminaireSection = "灯具";
const char* const kLuminaireCountKey = "灯具数量";
const char* const kTableCountKey = "数量";
const char* const kRowPrefix = "数据";
const char* const kCaption = "系统提示";
const char* const kAimKey = "ptAim";
const char* const kRoadValuesSection = "路灯参数";
const char* const kRoadStoredKey = "nStored";
const char* const kInfoSection = "项目信息";
const char* const kAbsent = "\x01"; // no stored text holds a control character

// Numbers a project file may hold are finite and no larger in size than this: far beyond
// any length, flux or intensity the program works with, and small enough that their
// squares and sums stay finite.
constexpr double kMaxStoredNumber = 1e12;
// Lists a project file may hold, at most: luminaires and corners as the program lets them
// be counted; rows of a table (a luminaire's tables, the road's components) as a
// photometric file may give them. A larger stored count is refused before anything is
// allocated for it.
constexpr int kMaxEntries = 100000;
constexpr int kMaxTableRows = 400000;

std::string RoomSection(int kind) {
    return kind == kIndoorProject ? "房间" : "场地";
}

// "section/<prefix><index>", the section of one list entry.
std::string EntrySection(const std::string& section, const char* prefix, int index) {
    return section + "/" + prefix + std::to_string(index);
}

// Writes the fields it is shown, in the order shown.
class FieldWriter {
public:
    explicit FieldWriter(ProjectDocument& document) : m_document(document) {}

    void Int(const std::string& section, const char* key, int value) {
        m_document.WriteInt(section, key, value);
    }
    void Double(const std::string& section, const char* key, double value) {
        m_document.WriteDouble(section, key, value);
    }
    void Text(const std::string& section, const char* key, const std::string& value) {
        m_document.WriteText(section, key, value);
    }
    template <typename Triple>
    void Geometry(const std::string& section, const char* key, const Triple& value) {
        m_document.WriteText(section, key, value.ToText());
    }
    // The rows as "section/数据%d" entries, then their count.
    template <typename RowList, typename VisitRow>
    void Rows(const std::string& section, const RowList& rows, VisitRow visitRow) {
        int index = 0;
        for (const auto& row : rows) {
            visitRow(*this, EntrySection(section, kRowPrefix, index), row);
            ++index;
        }
        m_document.WriteInt(section, kTableCountKey, index);
    }

private:
    ProjectDocument& m_document;
};

// Reads the fields it is shown; a missing element leaves the field as it is. A number
// that is not finite or lies beyond ±kMaxStoredNumber, or a count beyond its list's
// bound, is a fault: the field keeps its value and the first fault is kept, naming the
// element and its text, so the load can be refused.
class FieldReader {
public:
    explicit FieldReader(ProjectDocument& document) : m_document(document) {}

    void Int(const std::string& section, const char* key, int& value) {
        const std::string text = m_document.ReadText(section, key, kAbsent);
        if (text != kAbsent && CheckInt(section, key, text)) {
            value = m_document.ReadInt(section, key, value);
        }
    }
    void Double(const std::string& section, const char* key, double& value) {
        const std::string text = m_document.ReadText(section, key, kAbsent);
        if (text == kAbsent) {
            value = m_document.ReadDouble(section, key, value); // the default, as stored
        } else if (CheckNumber(section, key, text)) {
            value = KvStr::Atof(text); // what ReadDouble makes of a present text
        }
    }
    void Text(const std::string& section, const char* key, std::string& value) {
        value = m_document.ReadText(section, key, value);
    }
    // A missing or malformed text leaves the value unchanged.
    template <typename Triple>
    void Geometry(const std::string& section, const char* key, Triple& value) {
        const std::string text = m_document.ReadText(section, key, std::string());
        if (CheckTriple(section, key, text)) {
            value.FromText(text);
        }
    }
    // A count of list entries: 0 when missing, a fault beyond limit.
    int Count(const std::string& section, const char* key, int limit) {
        int count = 0;
        Int(section, key, count);
        if (count > limit) {
            Fault(section, key, std::to_string(count),
                  KvStr::Format("超出范围（最多%d）", limit).c_str());
            return 0;
        }
        return count;
    }
    // The rows present among the stored count, each read into a fresh row.
    template <typename RowList, typename VisitRow>
    void Rows(const std::string& section, RowList& rows, VisitRow visitRow) {
        rows.clear();
        const int count = Count(section, kTableCountKey, kMaxTableRows);
        for (int index : m_document.EntryIndexes(section, kRowPrefix, count)) {
            typename RowList::value_type row{};
            visitRow(*this, EntrySection(section, kRowPrefix, index), row);
            rows.push_back(row);
        }
    }

    // Whether a text that holds a number holds a finite one within the bounds; a fault
    // otherwise. A text without a leading number is not checked: it reads as 0.
    bool CheckNumber(const std::string& section, const char* key, const std::string& text) {
        return Check(section, key, text, NumberProblem(text));
    }
    bool CheckInt(const std::string& section, const char* key, const std::string& text) {
        errno = 0;
        const long long value = std::strtoll(text.c_str(), nullptr, 10);
        const bool fits = errno != ERANGE && value >= INT_MIN && value <= INT_MAX;
        return Check(section, key, text, fits ? nullptr : "超出范围");
    }
    // Each of the numbers of a point or rotation "x,y,z".
    bool CheckTriple(const std::string& section, const char* key, const std::string& text) {
        std::vector<std::string> pieces;
        KvStr::SplitStrBySymbol(pieces, text, ",");
        const char* problem = nullptr;
        for (size_t i = 0; i < pieces.size() && problem == nullptr; ++i) {
            problem = NumberProblem(pieces[i]);
        }
        return Check(section, key, text, problem);
    }

    ProjectDocument& Document() { return m_document; }
    // "元素“Main/灯具/灯具0/dX”的值“nan”不是有限的数值" for the first fault; empty when none.
    const std::string& FirstFault() const { return m_fault; }

private:
    // What is wrong with the leading number of the text; nullptr when nothing is.
    static const char* NumberProblem(const std::string& text) {
        const double value = KvStr::Atof(text);
        if (!std::isfinite(value)) {
            return "不是有限的数值";
        }
        return std::fabs(value) <= kMaxStoredNumber ? nullptr : "超出范围";
    }
    bool Check(const std::string& section, const char* key, const std::string& text,
               const char* problem) {
        if (problem != nullptr) {
            Fault(section, key, text, problem);
        }
        return problem == nullptr;
    }
    void Fault(const std::string& section, const char* key, const std::string& text,
               const char* problem) {
        if (!m_fault.empty()) {
            return;
        }
        // A text of any length is named by its beginning.
        std::string shown = text.size() > 40 ? CleanTextStart(text, 40) + "…" : text;
        m_fault = KvStr::Format("元素“%s/%s/%s”的值“%s”%s", kRootName, section.c_str(), key,
                                shown.c_str(), problem);
    }
    // At most `bytes` bytes of the text, not cut inside a UTF-8 character.
    static std::string CleanTextStart(const std::string& text, size_t bytes) {
        size_t end = bytes;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
        return text.substr(0, end);
    }

    ProjectDocument& m_document;
    std::string m_fault;
};

// The record layouts, shared by writing and reading. Io is FieldWriter or FieldReader;
// the records are const when writing.

template <typename Io, typename LampT>
void VisitLamp(Io& io, const std::string& section, LampT& lamp) {
    io.Text(section, "sName", lamp.sName);
    io.Text(section, "sModel", lamp.sModel);
    io.Double(section, "dPower", lamp.dPower);
    io.Double(section, "dBallastPower", lamp.dBallastPower);
    io.Int(section, "nCount", lamp.nCount);
    io.Int(section, "nLuminousFlux", lamp.nLuminousFlux);
}

template <typename Io, typename ShapeT>
void VisitShape(Io& io, const std::string& section, ShapeT& shape) {
    io.Int(section, "nShape", shape.nShape);
    io.Double(section, "dLength", shape.dLength);
    io.Double(section, "dWidth", shape.dWidth);
    io.Double(section, "dHeight", shape.dHeight);
}

template <typename Io, typename RowT>
void VisitIntensityRow(Io& io, const std::string& section, RowT& row) {
    io.Double(section, "dAngle", row.dAngle);
    io.Double(section, "dLightStrong", row.dLightStrong);
}

template <typename Io, typename RowT>
void VisitCuRow(Io& io, const std::string& section, RowT& row) {
    io.Double(section, "dPcc", row.dPcc);
    io.Double(section, "dPw", row.dPw);
    io.Double(section, "dPf", row.dPf);
    io.Double(section, "dPCR", row.dPCR);
    io.Double(section, "dUsing", row.dUsing);
}

template <typename Io, typename RowT>
void VisitFloodRow(Io& io, const std::string& section, RowT& row) {
    io.Double(section, "dHXAngle", row.dHXAngle);
    io.Double(section, "dZXAngle", row.dZXAngle);
    io.Double(section, "dLampGq", row.dLampGq);
}

template <typename Io, typename ComponentT>
void VisitComponent(Io& io, const std::string& section, ComponentT& component) {
    io.Int(section, "m_nType", component.m_nType);
    io.Double(section, "m_nNumber", component.m_nNumber);
    io.Double(section, "m_dWidth", component.m_dWidth);
}

template <typename Io, typename RoomT>
void VisitRoomFields(Io& io, const std::string& s, RoomT& room) {
    io.Geometry(s, "ptLeftBot", room.ptLeftBot);
    io.Double(s, "dLength", room.dLength);
    io.Double(s, "dWidth", room.dWidth);
    io.Double(s, "dWorkHeight", room.dWorkHeight);
    io.Double(s, "dReflectTop", room.dReflectTop);
    io.Double(s, "dLxStandard", room.dLxStandard);
    io.Double(s, "dReflectWall", room.dReflectWall);
    io.Double(s, "dWinInWall", room.dWinInWall);
    io.Double(s, "dReflectFloor", room.dReflectFloor);
    io.Int(s, "nStartNum", room.nStartNum);
    io.Int(s, "m_nEndNum", room.nEndNum);
}

template <typename Io, typename RoadT>
void VisitRoadFields(Io& io, const std::string& s, RoadT& road) {
    io.Rows(s + "/组件", road.components, [](Io& rowIo, const std::string& row, auto& component) {
        VisitComponent(rowIo, row, component);
    });
    io.Geometry(s, "ptCenter", road.ptCenter);
    io.Double(s, "m_dLength", road.m_dLength);
    io.Double(s, "m_dWidth", road.m_dWidth);
    io.Double(s, "m_dAngle", road.m_dAngle);
    io.Double(s, "m_dWorkHeight", road.m_dWorkHeight);
    io.Double(s, "m_dLxStandard", road.m_dLxStandard);
    io.Double(s, "m_dLampDis", road.m_dLampDis);
    io.Int(s, "m_nLampType", road.m_nLampType);
    io.Int(s, "m_nStartNum", road.m_nStartNum);
    io.Int(s, "m_nEndNum", road.m_nEndNum);
}

// The tables are record lists with their own operations; reading goes through a vector.
template <typename Io, typename Table, typename VisitRow>
void VisitTable(Io& io, const std::string& section, Table& table, VisitRow visitRow) {
    if constexpr (std::is_const_v<Table>) {
        io.Rows(section, table.Rows(), visitRow);
    } else {
        std::vector<typename std::remove_cv_t<Table>::value_type> rows;
        io.Rows(section, rows, visitRow);
        table.Clear();
        table.Reserve(static_cast<int>(rows.size()));
        for (const auto& row : rows) {
            table.Append(row);
        }
    }
}

template <typename Io, typename LuminaireT>
void VisitLuminaire(Io& io, const std::string& s, LuminaireT& luminaire) {
    io.Geometry(s, "Rotate", luminaire.Rotate);
    VisitLamp(io, s + "/光源1", luminaire.lamp1);
    VisitLamp(io, s + "/光源2", luminaire.lamp2);
    VisitShape(io, s + "/几何形状", luminaire.geometricShape);
    VisitShape(io, s + "/光学形状", luminaire.opticalShape);
    const auto intensityRow = [](Io& rowIo, const std::string& row, auto& r) {
        VisitIntensityRow(rowIo, row, r);
    };
    VisitTable(io, s + "/配光曲线1", luminaire.curveA, intensityRow);
    VisitTable(io, s + "/配光曲线2", luminaire.curveB, intensityRow);
    VisitTable(io, s + "/利用系数表", luminaire.cuTable,
               [](Io& rowIo, const std::string& row, auto& r) { VisitCuRow(rowIo, row, r); });
    VisitTable(io, s + "/等光强表", luminaire.floodTable,
               [](Io& rowIo, const std::string& row, auto& r) { VisitFloodRow(rowIo, row, r); });
    io.Double(s, "dVindicate", luminaire.dVindicate);
    io.Text(s, "sName", luminaire.sName);
    io.Text(s, "sModel", luminaire.sModel);
    io.Int(s, "nLuminousFlux", luminaire.nLuminousFlux);
    io.Int(s, "bLampHouse2", luminaire.bLampHouse2);
    io.Text(s, "sLightsTable", luminaire.sLightsTable);
    io.Text(s, "sModulusTable", luminaire.sModulusTable);
    io.Text(s, "sGradeTable", luminaire.sGradeTable);
    io.Int(s, "nState", luminaire.nState);
    io.Geometry(s, "ptCenter", luminaire.ptCenter);
}

// The values only outdoor projects keep, after every other field of a luminaire: the
// aiming point and the road panel's values. Values the road panel never edited are
// written as not stored, so that a save over an older file leaves none of its values
// behind on the luminaire that now takes its place.
void WriteOutdoorValues(FieldWriter& io, const std::string& s, const Luminaire& luminaire) {
    io.Geometry(s, kAimKey, luminaire.ptAim);
    const std::string section = s + "/" + kRoadValuesSection;
    const RoadLightValues values = luminaire.road.value_or(RoadLightValues());
    io.Int(section, kRoadStoredKey, luminaire.road ? 1 : 0);
    io.Text(section, "sArrangement", values.sArrangement);
    io.Double(section, "dSpacing", values.dSpacing);
    io.Double(section, "dPoleHeight", values.dPoleHeight);
    io.Double(section, "dElevation", values.dElevation);
    io.Double(section, "dUsing", values.dUsing);
}

// A stored number: the text is a number (a fault when not a finite one in bounds).
bool ReadNumber(FieldReader& io, const std::string& section, const char* key, double& value) {
    const std::string text = io.Document().ReadText(section, key, std::string());
    double read = 0.0;
    if (!io.CheckNumber(section, key, text) || KvStr::IsDigitFactor(&read, text) == 0) {
        return false;
    }
    value = read;
    return true;
}

// An aiming point that is not three numbers leaves (0, 0, 0); road values of which one
// is not a number are dropped as a whole, so the road panel starts from the road's
// values as for a light it never edited. Numbers that are not finite (nan, inf, 1e999)
// or too large are faults, as everywhere in the file.
void ReadOutdoorValues(FieldReader& io, const std::string& s, Luminaire& luminaire) {
    ProjectDocument& document = io.Document();
    std::vector<std::string> pieces;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    const std::string aim = document.ReadText(s, kAimKey, std::string());
    if (io.CheckTriple(s, kAimKey, aim) && KvStr::SplitStrBySymbol(pieces, aim, ",") == 3 &&
        KvStr::IsDigitFactor(&x, pieces[0]) != 0 && KvStr::IsDigitFactor(&y, pieces[1]) != 0 &&
        KvStr::IsDigitFactor(&z, pieces[2]) != 0) {
        luminaire.ptAim = {x, y, z};
    }
    const std::string section = s + "/" + kRoadValuesSection;
    luminaire.road.reset();
    int stored = 0;
    io.Int(section, kRoadStoredKey, stored);
    RoadLightValues values;
    values.sArrangement = document.ReadText(section, "sArrangement", std::string());
    // Every number is checked, also where the values are not marked as stored.
    const bool numbers[] = {ReadNumber(io, section, "dSpacing", values.dSpacing),
                            ReadNumber(io, section, "dPoleHeight", values.dPoleHeight),
                            ReadNumber(io, section, "dElevation", values.dElevation),
                            ReadNumber(io, section, "dUsing", values.dUsing)};
    if (stored == 1 &&
        std::all_of(std::begin(numbers), std::end(numbers), [](bool number) { return number; })) {
        luminaire.road = values;
    }
}

// The project information after everything else. A file that never had it gets it only
// once something is filled in, so opening an old file leaves it as it was.
void WriteInfo(ProjectDocument& document, const ProjectInfo& info) {
    const std::vector<ProjectInfoField>& fields = ProjectInfoFields();
    if (info.Empty() && document.ReadText(kInfoSection, fields.front().key, kAbsent) == kAbsent) {
        return;
    }
    for (const ProjectInfoField& field : fields) {
        document.WriteText(kInfoSection, field.key, info.*field.member);
    }
}

// Missing fields read empty; what is read is cleaned as the dialog would keep it.
void ReadInfo(ProjectDocument& document, ProjectInfo& info) {
    info = ProjectInfo();
    for (const ProjectInfoField& field : ProjectInfoFields()) {
        info.*field.member = CleanInfoText(document.ReadText(kInfoSection, field.key, ""),
                                           field.multiline, field.limit);
    }
}

// The places of the standards table the standard illuminances came from, after every
// other element: "照度标准场所" with the room's (or site's) category and place and, for an
// outdoor project, the road's. Written once a place was chosen (and then kept, emptied,
// so that a save over the file leaves no old place behind); a file without them loads
// with no place.
const char* const kPlaceSection = "照度标准场所";

void WriteStandardPlaces(ProjectDocument& document, const Project& project) {
    const bool chosen = !project.room.standardPlace.Empty() ||
                        (project.kind == kOutdoorProject && !project.road.m_standardPlace.Empty());
    const bool stored = !document.ReadText(kPlaceSection, "类别", std::string()).empty() ||
                        !document.ReadText(kPlaceSection, "道路类别", std::string()).empty();
    if (!chosen && !stored) {
        return;
    }
    document.WriteText(kPlaceSection, "类别", project.room.standardPlace.category);
    document.WriteText(kPlaceSection, "场所", project.room.standardPlace.place);
    if (project.kind == kOutdoorProject) {
        document.WriteText(kPlaceSection, "道路类别", project.road.m_standardPlace.category);
        document.WriteText(kPlaceSection, "道路场所", project.road.m_standardPlace.place);
    }
}

StandardPlace ReadStandardPlace(ProjectDocument& document, const char* categoryKey,
                                const char* placeKey) {
    StandardPlace place{document.ReadText(kPlaceSection, categoryKey, std::string()),
                        document.ReadText(kPlaceSection, placeKey, std::string())};
    return place.Empty() ? StandardPlace() : place;
}

void ReadStandardPlaces(ProjectDocument& document, Project& project) {
    project.room.standardPlace = ReadStandardPlace(document, "类别", "场所");
    project.road.m_standardPlace = project.kind == kOutdoorProject
                                       ? ReadStandardPlace(document, "道路类别", "道路场所")
                                       : StandardPlace();
}

void WriteProject(ProjectDocument& document, const Project& project) {
    FieldWriter io(document);
    io.Int(kKindSection, kKindKey, project.kind);

    const std::string room = RoomSection(project.kind);
    const std::string outline = room + "/点";
    int corner = 0;
    for (const Vector& point : project.room.outline) {
        io.Geometry(outline, KvStr::Format("点%d", corner).c_str(), point);
        ++corner;
    }
    io.Int(outline, "点数量", corner);
    VisitRoomFields(io, room, project.room);

    if (project.kind == kOutdoorProject) {
        VisitRoadFields(io, kRoadSection, project.road);
    }

    const int count = project.luminaires.Count();
    for (int i = 0; i < count; ++i) {
        KvProgressSink::Report("保存工程", i + 1, count);
        const std::string section = EntrySection(kLuminaireSection, kLuminaireSection, i);
        VisitLuminaire(io, section, project.luminaires.At(i));
        if (project.kind == kOutdoorProject) {
            WriteOutdoorValues(io, section, project.luminaires.At(i));
        }
    }
    io.Int(kLuminaireSection, kLuminaireCountKey, count);
    WriteInfo(document, project.info);
    WriteStandardPlaces(document, project);
    KvProgressSink::Close();
}

// Reads the project; the first fault of a number (see FieldReader), or empty. Lists are
// counted before anything is allocated for them, so a refused count costs nothing.
std::string ReadProject(ProjectDocument& document, Project& project) {
    FieldReader io(document);
    io.Int(kKindSection, kKindKey, project.kind);

    const std::string room = RoomSection(project.kind);
    const std::string outline = room + "/点";
    project.room.outline.clear();
    const int corners = io.Count(outline, "点数量", kMaxEntries);
    for (int index : document.EntryIndexes(outline, "点", corners)) {
        const std::string key = KvStr::Format("点%d", index);
        const std::string text = document.ReadText(outline, key, "");
        Vector point;
        if (io.CheckTriple(outline, key.c_str(), text) && point.FromText(text)) {
            project.room.outline.push_back(point);
        }
    }
    VisitRoomFields(io, room, project.room);

    if (project.kind == kOutdoorProject) {
        VisitRoadFields(io, kRoadSection, project.road);
    }

    project.luminaires.Clear();
    const int stored = io.Count(kLuminaireSection, kLuminaireCountKey, kMaxEntries);
    if (!io.FirstFault().empty()) {
        return io.FirstFault();
    }
    const std::vector<int> present =
        document.EntryIndexes(kLuminaireSection, kLuminaireSection, stored);
    const int count = static_cast<int>(present.size());
    project.luminaires.Reserve(count);
    for (int i = 0; i < count; ++i) {
        Luminaire luminaire;
        const std::string section = EntrySection(kLuminaireSection, kLuminaireSection, present[i]);
        VisitLuminaire(io, section, luminaire);
        if (project.kind == kOutdoorProject) {
            ReadOutdoorValues(io, section, luminaire);
        }
        project.luminaires.Add(std::move(luminaire));
        KvProgressSink::Report("读取工程", i + 1, count);
    }
    ReadInfo(document, project.info);
    ReadStandardPlaces(document, project);
    KvProgressSink::Close();
    return io.FirstFault();
}

void ShowFailure(const char* what, const std::string& path, const std::string& reason) {
    KvMessageSink::Show(KvStr::Format("%s“%s”：%s", what, path.c_str(), reason.c_str()), kCaption,
                        KvMessageIcon::Warning);
}

} // namespace

bool SaveProject(const Project& project, const std::string& path) {
    ProjectDocument document;
    if (document.Open(path, kRootName) != ProjectDocument::kOpened) {
        ShowFailure("无法保存工程文件", path, document.ErrorText());
        return false;
    }
    WriteProject(document, project);
    if (!document.Save(path)) {
        ShowFailure("无法保存工程文件", path, document.ErrorText());
        return false;
    }
    return true;
}

bool LoadProject(const std::string& path, Project& project, const LoadOptions& options) {
    ProjectDocument document;
    if (document.Open(path, kRootName) != ProjectDocument::kOpened) {
        ShowFailure("无法读取工程文件", path, document.ErrorText());
        return false;
    }
    Project loaded = project;
    const std::string fault = ReadProject(document, loaded);
    if (!fault.empty()) {
        ShowFailure("无法读取工程文件", path, fault);
        return false;
    }
    loaded.path = path;
    project = std::move(loaded);
    if (options.writeBack) {
        // A read-only file stays as it is; the load stands. A file already as it would be
        // written is not rewritten.
        document.SaveIfChanged(path);
    }
    return true;
}

} // namespace qv
