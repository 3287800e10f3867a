#include "KvOpcPackage.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <sstream>
#include <zip.h>

namespace kv_detail {

namespace {

constexpr const char* kContentTypesPart = "[Content_Types].xml";

constexpr const char* kEmptyContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(</Types>)";

// Reads an archive held in memory; the bytes must outlive the archive.
zip_t* OpenArchive(const std::string& bytes, std::string& error) {
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_t* archive = nullptr;
    if (zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError)) {
        archive = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError);
        if (archive == nullptr) {
            zip_source_free(source);
        }
    }
    if (archive == nullptr) {
        error = zip_error_strerror(&zipError);
    }
    zip_error_fini(&zipError);
    return archive;
}

bool ReadEntry(zip_t* archive, zip_uint64_t index, std::string& data) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (file == nullptr) {
        return false;
    }
    const zip_int64_t read = zip_fread(file, data.data(), data.size());
    zip_fclose(file);
    return read == static_cast<zip_int64_t>(data.size());
}

} // namespace

std::string SaveXml(const pugi::xml_document& xml) {
    std::ostringstream out;
    xml.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

bool OpcPackage::Load(const std::string& bytes, std::string& error) {
    zip_t* archive = OpenArchive(bytes, error);
    if (archive == nullptr) {
        return false;
    }
    std::vector<OpcPart> parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    unsigned long long total = 0;
    bool ok = count >= 0 && count <= kMaxParts;
    error = ok ? std::string() : "too many parts";
    for (zip_int64_t i = 0; ok && i < count; ++i) {
        zip_stat_t info;
        const auto index = static_cast<zip_uint64_t>(i);
        if (zip_stat_index(archive, index, 0, &info) != 0 || !(info.valid & ZIP_STAT_SIZE) ||
            !(info.valid & ZIP_STAT_NAME)) {
            ok = false;
            error = zip_strerror(archive);
            break;
        }
        total += info.size;
        if (total > kMaxUnpackedSize) {
            ok = false;
            error = "package too large";
            break;
        }
        std::string name = info.name;
        if (name.empty() || name.back() == '/') {
            continue; // folder entry
        }
        OpcPart part{name, std::string(info.size, '\0')};
        if (!ReadEntry(archive, index, part.data)) {
            ok = false;
            error = zip_strerror(archive);
            break;
        }
        parts.push_back(std::move(part));
    }
    zip_discard(archive);
    if (ok) {
        m_parts = std::move(parts);
    }
    return ok;
}

bool OpcPackage::Save(std::string& bytes, std::string& error) const {
    std::vector<const OpcPart*> order;
    const OpcPart* types = nullptr;
    for (const OpcPart& part : m_parts) {
        if (part.name == kContentTypesPart) {
            types = &part;
        } else {
            order.push_back(&part);
        }
    }
    OpcPart defaultTypes{kContentTypesPart, kEmptyContentTypes};
    order.insert(order.begin(), types != nullptr ? types : &defaultTypes);

    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t* archive = nullptr;
    if (memory != nullptr) {
        zip_source_keep(memory); // read back after the archive is closed
        archive = zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    }
    bool ok = archive != nullptr;
    for (const OpcPart* part : order) {
        if (!ok) {
            break;
        }
        // The parts outlive zip_close; libzip stores entries in the order they are added.
        zip_source_t* source = zip_source_buffer(archive, part->data.data(), part->data.size(), 0);
        ok = source != nullptr && zip_file_add(archive, part->name.c_str(), source,
                                               ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) >= 0;
        if (!ok) {
            zip_source_free(source);
        }
    }
    if (ok && zip_close(archive) == 0) {
        archive = nullptr;
        zip_stat_t info;
        ok = zip_source_stat(memory, &info) == 0 && zip_source_open(memory) == 0;
        if (ok) {
            bytes.resize(info.size);
            ok = zip_source_read(memory, bytes.data(), info.size) ==
                 static_cast<zip_int64_t>(info.size);
            zip_source_close(memory);
        }
        error = ok ? std::string() : zip_error_strerror(zip_source_error(memory));
    } else {
        ok = false;
        error = archive ? zip_strerror(archive) : zip_error_strerror(&zipError);
    }
    if (archive != nullptr) {
        zip_discard(archive);
    }
    zip_source_free(memory);
    zip_error_fini(&zipError);
    return ok;
}

const std::string* OpcPackage::Part(const std::string& name) const {
    for (const OpcPart& part : m_parts) {
        if (part.name == name) {
            return &part.data;
        }
    }
    return nullptr;
}

void OpcPackage::SetPart(const std::string& name, std::string data) {
    for (OpcPart& part : m_parts) {
        if (part.name == name) {
            part.data = std::move(data);
            return;
        }
    }
    m_parts.push_back({name, std::move(data)});
}

void OpcPackage::RemovePart(const std::string& name) {
    std::erase_if(m_parts, [&](const OpcPart& part) { return part.name == name; });
}

std::string OpcPackage::FreePartName(const std::string& prefix,
                                     const std::string& extension) const {
    for (std::size_t n = 1;; ++n) {
        std::string name = prefix + std::to_string(n) + extension;
        if (Part(name) == nullptr) {
            return name;
        }
    }
}

namespace {

// The content types part as XML, created when missing.
pugi::xml_document LoadTypes(const OpcPackage& package) {
    pugi::xml_document xml;
    const std::string* data = package.Part(kContentTypesPart);
    if (data == nullptr || !xml.load_string(data->c_str()) || !xml.child("Types")) {
        xml.load_string(kEmptyContentTypes);
    }
    return xml;
}

pugi::xml_document LoadRelationships(const OpcPackage& package, const std::string& name) {
    pugi::xml_document xml;
    const std::string* data = package.Part(name);
    if (data == nullptr || !xml.load_string(data->c_str()) || !xml.child("Relationships")) {
        xml.reset();
        xml.append_child(pugi::node_declaration).append_attribute("version") = "1.0";
        xml.append_child("Relationships").append_attribute("xmlns") = kRelationshipsNamespace;
    }
    return xml;
}

} // namespace

void OpcPackage::AddDefaultType(const std::string& extension, const std::string& contentType) {
    pugi::xml_document xml = LoadTypes(*this);
    pugi::xml_node types = xml.child("Types");
    for (pugi::xml_node entry : types.children("Default")) {
        if (KvStr::EqualNoCase(entry.attribute("Extension").value(), extension)) {
            return;
        }
    }
    pugi::xml_node entry = types.prepend_child("Default");
    entry.append_attribute("Extension") = extension.c_str();
    entry.append_attribute("ContentType") = contentType.c_str();
    SetPart(kContentTypesPart, SaveXml(xml));
}

void OpcPackage::AddOverrideType(const std::string& partName, const std::string& contentType) {
    RemoveOverrideType(partName);
    pugi::xml_document xml = LoadTypes(*this);
    pugi::xml_node entry = xml.child("Types").append_child("Override");
    entry.append_attribute("PartName") = ("/" + partName).c_str();
    entry.append_attribute("ContentType") = contentType.c_str();
    SetPart(kContentTypesPart, SaveXml(xml));
}

void OpcPackage::RemoveOverrideType(const std::string& partName) {
    pugi::xml_document xml = LoadTypes(*this);
    pugi::xml_node types = xml.child("Types");
    const std::string wanted = "/" + partName;
    for (pugi::xml_node entry = types.child("Override"); entry;) {
        const pugi::xml_node next = entry.next_sibling("Override");
        if (entry.attribute("PartName").value() == wanted) {
            types.remove_child(entry);
        }
        entry = next;
    }
    SetPart(kContentTypesPart, SaveXml(xml));
}

std::string OpcPackage::RelationshipsPartName(const std::string& source) {
    const std::size_t slash = source.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : source.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? source : source.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

std::string OpcPackage::ResolveTarget(const std::string& source, const std::string& target) {
    std::vector<std::string> segments;
    std::string path = target;
    if (!target.empty() && target.front() == '/') {
        path = target.substr(1);
    } else {
        const std::size_t slash = source.rfind('/');
        if (slash != std::string::npos) {
            path = source.substr(0, slash + 1) + target;
        }
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string segment = path.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string name;
    for (const std::string& segment : segments) {
        name += (name.empty() ? "" : "/") + segment;
    }
    return name;
}

std::vector<OpcRelationship> OpcPackage::Relationships(const std::string& source) const {
    std::vector<OpcRelationship> found;
    const pugi::xml_document xml = LoadRelationships(*this, RelationshipsPartName(source));
    for (pugi::xml_node entry : xml.child("Relationships").children("Relationship")) {
        found.push_back({entry.attribute("Id").value(), entry.attribute("Type").value(),
                         entry.attribute("Target").value()});
    }
    return found;
}

std::string OpcPackage::AddRelationship(const std::string& source, const std::string& type,
                                        const std::string& target) {
    const std::string partName = RelationshipsPartName(source);
    pugi::xml_document xml = LoadRelationships(*this, partName);
    pugi::xml_node relationships = xml.child("Relationships");
    std::string id;
    for (int n = 1; id.empty(); ++n) {
        const std::string candidate = "rId" + std::to_string(n);
        if (!relationships.find_child_by_attribute("Relationship", "Id", candidate.c_str())) {
            id = candidate;
        }
    }
    pugi::xml_node entry = relationships.append_child("Relationship");
    entry.append_attribute("Id") = id.c_str();
    entry.append_attribute("Type") = type.c_str();
    entry.append_attribute("Target") = target.c_str();
    SetPart(partName, SaveXml(xml));
    return id;
}

void OpcPackage::RemoveRelationship(const std::string& source, const std::string& id) {
    const std::string partName = RelationshipsPartName(source);
    pugi::xml_document xml = LoadRelationships(*this, partName);
    pugi::xml_node relationships = xml.child("Relationships");
    relationships.remove_child(
        relationships.find_child_by_attribute("Relationship", "Id", id.c_str()));
    SetPart(partName, SaveXml(xml));
}

std::string OpcPackage::TargetPart(const std::string& source, const std::string& id) const {
    for (const OpcRelationship& relationship : Relationships(source)) {
        if (relationship.id == id) {
            return ResolveTarget(source, relationship.target);
        }
    }
    return {};
}

std::string OpcPackage::TargetPartOfType(const std::string& source, const std::string& type) const {
    for (const OpcRelationship& relationship : Relationships(source)) {
        if (relationship.type == type) {
            return ResolveTarget(source, relationship.target);
        }
    }
    return {};
}

} // namespace kv_detail
