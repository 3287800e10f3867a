#pragma once
// An Office package (.docx, .xlsx): a zip archive of named parts, with the content
// types of the parts and the relationships between them. Used by the document and
// workbook classes, which keep their parts here and edit them as XML.
#include <pugixml.hpp>
#include <string>
#include <vector>

namespace kv_detail {

// The XML as UTF-8 text without indentation.
std::string SaveXml(const pugi::xml_document& xml);

struct OpcPart {
    std::string name; // without a leading "/", e.g. "word/document.xml"
    std::string data;
};

struct OpcRelationship {
    std::string id;
    std::string type;
    std::string target; // as stored: relative to the source part's folder
};

class OpcPackage {
public:
    // Archives larger than this once unpacked, or with more parts, are refused: a small
    // file must not run away with memory.
    static constexpr unsigned long long kMaxUnpackedSize = 256ull << 20;
    static constexpr long long kMaxParts = 10000;

    // Reads the parts of an archive; false with the reason when it is no readable zip.
    bool Load(const std::string& bytes, std::string& error);
    // The archive of all parts, the content types first (readers identify the package
    // by them), then the others in the order they were added.
    bool Save(std::string& bytes, std::string& error) const;

    const std::string* Part(const std::string& name) const;
    void SetPart(const std::string& name, std::string data);
    void RemovePart(const std::string& name);
    // A part name beginning with prefix and ending with a number, not yet in use.
    std::string FreePartName(const std::string& prefix, const std::string& extension) const;

    void AddDefaultType(const std::string& extension, const std::string& contentType);
    void AddOverrideType(const std::string& partName, const std::string& contentType);
    void RemoveOverrideType(const std::string& partName);

    // Relationships of a part ("" for the package's own).
    std::vector<OpcRelationship> Relationships(const std::string& source) const;
    // Adds one and returns its new id.
    std::string AddRelationship(const std::string& source, const std::string& type,
                                const std::string& target);
    void RemoveRelationship(const std::string& source, const std::string& id);
    // The part a relationship of source names, as a part name; empty when none.
    std::string TargetPart(const std::string& source, const std::string& id) const;
    // The part of the first relationship of source with the type; empty when none.
    std::string TargetPartOfType(const std::string& source, const std::string& type) const;

    // Name of the relationships part of a part.
    static std::string RelationshipsPartName(const std::string& source);
    // A target relative to the source's folder resolved to a part name.
    static std::string ResolveTarget(const std::string& source, const std::string& target);

private:
    std::vector<OpcPart> m_parts;
};

inline constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/package/2006/relationships";
// Relationship types of the office documents are this base followed by their name.
inline constexpr const char* kRelationshipTypeBase =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
inline constexpr const char* kOfficeDocumentRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kImageRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";

} // namespace kv_detail
