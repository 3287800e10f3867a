#include "report/DocxPackage.h"

#include <string_view>
#include <zip.h>

namespace qv {

namespace {

constexpr std::string_view kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(</Types>)";

constexpr std::string_view kPackageRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

constexpr std::string_view kDocumentRelationships =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

constexpr std::string_view kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
    R"(<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="宋体" w:cs="Times New Roman"/>)"
    R"(<w:sz w:val="21"/><w:szCs w:val="21"/><w:lang w:val="en-US" w:eastAsia="zh-CN" w:bidi="ar-SA"/>)"
    R"(</w:rPr></w:rPrDefault><w:pPrDefault><w:pPr>)"
    R"(<w:spacing w:before="0" w:after="0" w:line="240" w:lineRule="auto"/>)"
    R"(</w:pPr></w:pPrDefault></w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>)"
    R"(<w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/>)"
    R"(<w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/>)"
    R"(<w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/>)"
    R"(</w:tblCellMar></w:tblPr></w:style>)"
    R"(</w:styles>)";

struct Part {
    const char* name;
    std::string_view content;
};

} // namespace

bool BuildDocxPackage(const std::string& documentXml, std::string& package, std::string& error) {
    // Readers identify the package by its content types, so they come first; libzip
    // stores entries in the order they are added.
    const Part parts[] = {{"[Content_Types].xml", kContentTypes},
                          {"_rels/.rels", kPackageRelationships},
                          {"word/document.xml", documentXml},
                          {"word/_rels/document.xml.rels", kDocumentRelationships},
                          {"word/styles.xml", kStyles}};
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    zip_t* archive = nullptr;
    if (memory != nullptr) {
        zip_source_keep(memory); // read back after the archive is closed
        archive = zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    }
    bool ok = archive != nullptr;
    for (const Part& part : parts) {
        if (!ok) {
            break;
        }
        // The buffers outlive zip_close: the constants are static, the document is the
        // caller's.
        zip_source_t* source =
            zip_source_buffer(archive, part.content.data(), part.content.size(), 0);
        ok = source != nullptr && zip_file_add(archive, part.name, source, ZIP_FL_ENC_UTF_8) >= 0;
        if (!ok) {
            zip_source_free(source);
        }
    }
    if (ok && zip_close(archive) == 0) {
        archive = nullptr;
        zip_stat_t info;
        ok = zip_source_stat(memory, &info) == 0 && zip_source_open(memory) == 0;
        if (ok) {
            package.resize(info.size);
            ok = zip_source_read(memory, package.data(), info.size) ==
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

} // namespace qv
