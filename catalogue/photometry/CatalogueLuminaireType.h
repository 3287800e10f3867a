#pragma once
// A photometric file turned into a catalogue luminaire type: what the catalogue's tables
// 灯具型号 and 光源 and the type's intensity, CU and floodlight tables hold.
//
// Plane mapping. The program's curve A is the intensity in the vertical plane along the
// luminaire's axis (its x axis) and curve B in the vertical plane across it. The
// luminaire's axis is the C90-C270 direction of a type C file (LM-63 measures the length
// of the opening along the 90°-270° axis; the EULUMDAT length is taken the same way), so
//   A(θ) = ½·(I(C90, θ) + I(C270, θ)),   B(θ) = ½·(I(C0, θ) + I(C180, θ)).
// A rotationally symmetric file gives A = B; a file symmetric about one plane gives the
// mean of the two half-planes either side of the axis. For a type B file (a floodlight
// aimed straight down), A is the lateral curve ½·(I(h, 0) + I(−h, 0)) and B the vertical
// curve ½·(I(0, v) + I(0, −v)).
//
// The curves hold cd per 1000 lm of the rated lamp flux (absolute photometry: of the
// luminaire's own flux) at every whole degree from 0 to 90, the angles at which the point
// calculation looks intensities up, so that its lookups meet stored rows exactly.
#include "catalogue/photometry/PhotometricData.h"
#include "model/CatalogueRecords.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

// A UGR table as the catalogue keeps it: the luminaire spacing over H, the lamp flux the
// table is for, and per room (x × y in multiples of H) the values of the five reflectance
// combinations looking crosswise and endwise. The glare calculation fills it on import.
struct CatalogueUgrRow {
    int x = 0;
    int y = 0;
    std::array<double, 5> crosswise{};
    std::array<double, 5> endwise{};
};

struct CatalogueUgrTable {
    double shr = 0.0;
    double flux = 0.0;
    std::vector<CatalogueUgrRow> rows;
};

// The catalogue table of every type's UGR rows and its columns: 名称, 型号, 间距比 (S/H),
// 光通量 (lm), X, Y (in H), 横向1…5, 纵向1…5.
inline constexpr const char* kUgrTableName = "UGR表";
const std::vector<std::string>& UgrTableColumns();

struct CatalogueLuminaireType {
    std::string name;        // 名称
    std::string model;       // 型号
    std::string kind;        // 类别: 室内灯具, or 投光灯 for type B files
    std::string description; // 说明: the file's own description, at most 255 characters
    std::string source = "photometric file"; // 来源
    IntensityCurve curveA;
    IntensityCurve curveB;
    CuTable cu;                // type C only
    FloodIntensityTable flood; // type B only: lateral, vertical angle, thousands of cd
    // Body in millimetres as the catalogue keeps it; shape 1 for a round body.
    int shape = 0;
    double lengthMm = 0.0;
    double widthMm = 0.0;
    double heightMm = 0.0;
    double downward = 0.0; // 下球效率, flux below the horizontal per lamp lumen
    double upward = 0.0;   // 上球效率
    // The lamp of the 光源 table: flux per lamp rounded to lm, power per lamp (its share
    // of the file's input watts) rounded to 0.1 W.
    std::string lampType;
    std::string lampModel;
    double lampPower = 0.0;
    int lampFlux = 0;
    int lampCount = 1;
    // The UGR tables of the type (one per spacing), stored in the table "UGR表"; none for a
    // distribution that cannot have one.
    std::vector<CatalogueUgrTable> ugrTables;
};

// The catalogue type of a photometric file, named so that a designer can pick it from a
// list:
// - model: the first catalogue number of the file ([LUMCAT] up to its first blank or
//   comma outside brackets), or fallbackModel (the file's name) when it has none;
// - name: the file's luminaire description when it is short (at most 40 characters),
//   else "LED灯具 " (LED luminaires) or "灯具 " followed by the model ("投光灯" for type B
//   files); the whole description and catalogue number text go to description.
// Absolute photometry (lumens per lamp −1, as LED files have) becomes one lamp of count 1
// with the luminaire's own flux and the file's input watts; relative photometry keeps
// the file's lamps, each with its rated flux and its share of the input watts. An LED
// file's lamp is of type "LED", another's keeps the file's lamp text when it fits the
// catalogue (at most 50 characters), else 导入光源; the lamp's model is the type's model.
// False with a message when the file gives no flux to scale its intensities by.
bool ToCatalogueType(const PhotometricData& data, const std::string& fallbackModel,
                     CatalogueLuminaireType& type, std::string& error);

// The CU table of a type given by its two curves (cd per 1000 lm), the intensity around
// the vertical taken as the mean of the two planes, linear between rows and 0 beyond the
// last row.
CuTable CuTableOfCurves(const IntensityCurve& a, const IntensityCurve& b);

} // namespace qv
