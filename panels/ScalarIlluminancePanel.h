#pragma once
// The twin panels "平均球面照度计算" and "平均柱面照度计算" without a window: the room's
// luminaire entries with their conversion factor Ks ("换算系数Ks"), the horizontal
// average and the spherical or cylindrical result, and the header that names the point
// of the BZ chart at which to read Ks.
#include "calc/indoor/ScalarIlluminanceRecord.h"
#include "calc/indoor/SphericalCylindrical.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <kelvorin/KvMessage.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qv {

struct ScalarEntry {
    Luminaire luminaire;
    double ks = 0.0;
    double u = 0.0;
};

class ScalarIlluminancePanel {
public:
    enum Column { kRowNumber = 0, kName, kModel, kKs, kColumnCount };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;

    explicit ScalarIlluminancePanel(int kind);

    // Opening the panel fills its grid from the room's entries.
    void Open(const LuminaireList& luminaires);
    // "计  算": reads the Ks cells back, follows the room's entries when they changed
    // (their Ks start at 0, that is not entered yet), and recalculates. An entry whose Ks
    // is not a number above 0 is refused before anything is calculated: the message
    // "请输入灯%d的换算系数Ks" under the panel's caption is returned, the cell keeps what
    // was typed and the last results stay.
    std::optional<KvMessage> Calculate(const Room& room, const LuminaireList& luminaires);

    int RowCount() const { return static_cast<int>(m_entries.size()); }
    std::string CellText(int row, int column) const;
    // Only the Ks cells take edits.
    void EditCell(int row, int column, const std::string& text);

    int Kind() const { return m_kind; }
    const std::vector<ScalarEntry>& Entries() const { return m_entries; }
    double Horizontal() const { return m_eh; } // "实际照度lx", read back from its text
    double Result() const { return m_result; } // "标量照度lx", read back from its text
    const std::string& HorizontalText() const { return m_ehText; }
    const std::string& ResultText() const { return m_resultText; }
    const std::string& Header() const { return m_header; }
    // Everything the last calculation worked out.
    const ScalarIlluminance& Details() const { return m_details; }
    // What the calculation book states: the last calculation with each entry's Ks.
    ScalarIlluminanceRecord BookRecord() const;

    const std::string& Caption() const { return m_caption; }
    // The entry (from 0) the last "计  算" refused, -1 when it calculated.
    int RefusedEntry() const { return m_refusedEntry; }

private:
    bool Follow(const LuminaireList& luminaires);

    int m_kind;
    std::string m_caption;
    std::vector<ScalarEntry> m_entries;
    std::vector<std::string> m_ksEdits; // the Ks cells as typed; empty text for unedited
    std::vector<char> m_edited;
    ScalarIlluminance m_details;
    std::vector<double> m_calculatedKs; // the Ks of the last calculation
    int m_refusedEntry = -1;
    double m_eh = 0.0;
    double m_result = 0.0;
    std::string m_ehText;
    std::string m_resultText;
    std::string m_header;
    BookInputs m_inputs; // the room and luminaires of the last calculation
};

} // namespace qv
