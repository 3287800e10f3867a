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

#include <string>

namespace qv {

struct CatalogueLuminaireType {
    std::string name;  // 名称
    std::string model; // 型号
    std::string kind;  // 类别: 室内灯具, or 投光灯 for type B files
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
    // The lamp of the 光源 table: flux per lamp rounded to lm, power per lamp rounded to W.
    std::string lampType;
    std::string lampModel;
    int lampPower = 0;
    int lampFlux = 0;
    int lampCount = 1;
};

// The catalogue type of a photometric file; a file without a luminaire name is named
// 导入灯具, one without a catalogue number takes fallbackModel (the file's name). False
// with a message when the file gives no flux to scale its intensities by.
bool ToCatalogueType(const PhotometricData& data, const std::string& fallbackModel,
                     CatalogueLuminaireType& type, std::string& error);

// The CU table of a type given by its two curves (cd per 1000 lm), the intensity around
// the vertical taken as the mean of the two planes, linear between rows and 0 beyond the
// last row.
CuTable CuTableOfCurves(const IntensityCurve& a, const IntensityCurve& b);

} // namespace qv
