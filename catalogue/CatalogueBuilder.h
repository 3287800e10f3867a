#pragma once
// Builds the catalogue database "Lamps.db" from its text sources (the folder
// data/catalogue of the source tree; its README.md describes the layout):
//   schema.sql                the fixed tables;
//   tables/NAME.csv           the rows of the fixed table NAME;
//   standards/场所.csv        the places of every standards category (column 分类 names
//                             the category; the categories are the rows of 照度标准);
//   photometry/index.csv      intensity tables (cd per 1000 lm, or cd to be normalised);
//   cu/index.csv              coefficient-of-utilization tables;
//   flood/index.csv           floodlight grids derived from rotationally symmetric curves;
//   finish.sql                statements run after loading.
// In every CSV the header names columns of the target table; columns whose name starts
// with "#" document the row (status, source) and are not loaded. The build checks that
// numeric cells are numbers, keys are unique and every table a luminaire type names
// exists; it runs in one transaction on a temporary file that replaces the target only
// when everything succeeded.
#include <string>
#include <vector>

namespace qv {

bool BuildCatalogue(const std::string& sourceFolder, const std::string& databasePath,
                    std::string& error);

// The angles (degrees) of the derived floodlight grids, in both directions.
const std::vector<double>& FloodGridAngles();

} // namespace qv
