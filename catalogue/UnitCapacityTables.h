#pragma once
// The unit-capacity tables the unit-capacity method reads: P0 by distribution class and
// room cavity ratio for the two reference lamps, C1 by ceiling reflectance, C2 by lamp
// type and rated power. Keys come as the texts the tables hold them under (the method
// interpolates between neighbouring keys and reads each neighbour's row by its text).
// The method sees only this interface; the catalogue database implements it.
#include "catalogue/CatalogueDatabase.h"

#include <string>
#include <vector>

namespace qv {

class UnitCapacityTables {
public:
    virtual ~UnitCapacityTables() = default;

    // False when the tables cannot be reached (the catalogue cannot be opened).
    virtual bool Open() = 0;
    // The keys of each table in table order; empty when they cannot be read.
    virtual std::vector<std::string> DistributionClasses() = 0;
    virtual std::vector<std::string> RoomCavityRatios() = 0;
    virtual std::vector<std::string> CeilingReflectances() = 0;
    virtual std::vector<std::string> C2LampTypes() = 0;
    virtual std::vector<std::string> C2RatedPowers(const std::string& lampType) = 0;
    // A table value by its keys; 0 when the table has no such row. upper: the row is the
    // upper neighbour of an interpolation.
    virtual double P0(bool incandescent, const std::string& distributionClass,
                      const std::string& ratio) = 0;
    virtual double C1(const std::string& ceilingReflectance, bool upper) = 0;
    virtual double C2(const std::string& lampType, const std::string& ratedPower) = 0;
};

// The tables of the catalogue database, read with the catalogue's statements.
class CatalogueUnitCapacityTables : public UnitCapacityTables {
public:
    explicit CatalogueUnitCapacityTables(CatalogueDatabase& catalogue) : m_catalogue(catalogue) {}

    bool Open() override { return m_catalogue.Connect(); }
    std::vector<std::string> DistributionClasses() override;
    std::vector<std::string> RoomCavityRatios() override;
    std::vector<std::string> CeilingReflectances() override;
    std::vector<std::string> C2LampTypes() override;
    std::vector<std::string> C2RatedPowers(const std::string& lampType) override;
    double P0(bool incandescent, const std::string& distributionClass,
              const std::string& ratio) override;
    double C1(const std::string& ceilingReflectance, bool upper) override;
    double C2(const std::string& lampType, const std::string& ratedPower) override;

private:
    CatalogueDatabase& m_catalogue;
};

} // namespace qv
