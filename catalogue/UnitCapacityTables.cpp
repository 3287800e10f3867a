#include "catalogue/UnitCapacityTables.h"

#include "catalogue/CatalogueStatements.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

// Every cell of a query; empty when the query fails.
std::vector<std::string> Cells(CatalogueDatabase& catalogue, const std::string& sql) {
    std::vector<std::string> cells;
    if (catalogue.SelectCells(cells, sql) < 0) {
        cells.clear();
    }
    return cells;
}

// The first cell of a query as a number; 0 when the query returns no row.
double FirstValue(CatalogueDatabase& catalogue, const std::string& sql) {
    std::vector<std::string> cells;
    if (catalogue.SelectCells(cells, sql) <= 0 || cells.empty()) {
        return 0.0;
    }
    return KvStr::Atof(cells.front());
}

} // namespace

std::vector<std::string> CatalogueUnitCapacityTables::DistributionClasses() {
    std::vector<std::string> classes;
    if (m_catalogue.SelectDistinct(classes, sql::DistributionClasses()) < 0) {
        classes.clear();
    }
    return classes;
}

std::vector<std::string> CatalogueUnitCapacityTables::RoomCavityRatios() {
    return Cells(m_catalogue, sql::RoomCavityRatios());
}

std::vector<std::string> CatalogueUnitCapacityTables::CeilingReflectances() {
    return Cells(m_catalogue, sql::CeilingReflectances());
}

std::vector<std::string> CatalogueUnitCapacityTables::C2LampTypes() {
    return Cells(m_catalogue, sql::C2LampTypes());
}

std::vector<std::string> CatalogueUnitCapacityTables::C2RatedPowers(const std::string& lampType) {
    return Cells(m_catalogue, sql::C2RatedPowers(lampType));
}

double CatalogueUnitCapacityTables::P0(bool incandescent, const std::string& distributionClass,
                                       const std::string& ratio) {
    return FirstValue(m_catalogue, incandescent ? sql::P0Incandescent100W(distributionClass, ratio)
                                                : sql::P0Fluorescent40W(distributionClass, ratio));
}

double CatalogueUnitCapacityTables::C1(const std::string& ceilingReflectance, bool upper) {
    return FirstValue(m_catalogue, sql::C1(ceilingReflectance, !upper));
}

double CatalogueUnitCapacityTables::C2(const std::string& lampType, const std::string& ratedPower) {
    return FirstValue(m_catalogue, sql::C2(lampType, ratedPower));
}

} // namespace qv
