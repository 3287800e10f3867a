#pragma once
// The statements the program issues against the catalogue database, in the catalogue's
// dialect (names in square brackets, texts in single quotes). Every text value is put in
// with its quotes doubled, so a value such as 会议室'1 is stored and found as typed.
// Table names are put between square brackets unchanged: callers pass only names that
// KvAccess::IsTableName accepts.
#include <string>
#include <vector>

namespace qv::sql {

// The text for a '%s' slot: single quotes doubled.
std::string Text(const std::string& value);

// Lamps ("光源").
std::string LampTypes();
std::string LampModels(const std::string& type);
std::string LampPowers(const std::string& type, const std::string& model);

// Luminaire types ("灯具型号").
std::string LuminaireNames();
std::string LuminaireModels(const std::string& name);
// The light-source type (光源) of the type of this name and model.
std::string LuminaireLampType(const std::string& name, const std::string& model);

// One key of a record condition: the bracketed column and its value; a text value is
// quoted, a number (the lamp power) is put in as it stands.
struct ConditionKey {
    std::string column;
    std::string value;
    bool quoted = true;
};

// "WHERE " with "column='value' AND " for each key with a value, then the trailing
// blanks and letters A, N, D trimmed away (which removes the last " AND "; the closing
// quote or the power's last digit stops it). Empty when no key has a value.
std::string RecordCondition(const std::vector<ConditionKey>& keys);
// "select * from TABLE CONDITION", or "select * from TABLE" without a condition.
std::string SelectRecord(const std::string& table, const std::string& condition);
std::string LampRecord(const std::string& type, const std::string& model, const std::string& power);
std::string LuminaireRecord(const std::string& name, const std::string& model);

// The three photometric tables of a luminaire type.
std::string IntensityRows(const std::string& table);
std::string CuRows(const std::string& table);
std::string FloodRows(const std::string& table);

// Illuminance standards.
std::string Categories();
std::string Places(const std::string& category);
std::string PlaceValues(const std::string& category, const std::string& place);
std::string CopyTemplate(const std::string& category);
std::string InsertCategory(const std::string& category);
std::string InsertPlace(const std::string& category, const std::string& place, int lux,
                        double currentLpd, double targetLpd, double ugr, int ra);
// Every column of a place's row, read by name: a category table may or may not have the
// reference plane and the uniformity.
std::string PlaceRow(const std::string& category, const std::string& place);
// A place with its reference plane and uniformity U0, for a table that has both. A power
// density, glare rating or uniformity of 0 and an empty plane are stored as NULL: the
// place has none.
std::string InsertPlaceWithPlane(const std::string& category, const std::string& place, int lux,
                                 double currentLpd, double targetLpd, double ugr, int ra,
                                 const std::string& plane, double u0);
// The number and title of the standard the category tables come from ("标准版本").
std::string StandardsEdition();
std::string DeletePlace(const std::string& category, const std::string& place);
std::string DropCategoryTable(const std::string& category);
std::string DeleteCategory(const std::string& category);

// Reflectances of materials.
std::string MaterialColours(const std::string& material);
std::string PlainReflectance(const std::string& material);
std::string Reflectance(const std::string& material, const std::string& colour);

// Unit-capacity tables.
std::string DistributionClasses();
std::string RoomCavityRatios();
std::string P0Fluorescent40W(const std::string& distributionClass, const std::string& rcr);
std::string P0Incandescent100W(const std::string& distributionClass, const std::string& rcr);
std::string CeilingReflectances();
// The upper neighbour's statement; the lower one's carries one trailing blank.
std::string C1(const std::string& ceilingReflectance, bool trailingBlank = false);
std::string C2LampTypes();
std::string C2RatedPowers(const std::string& lampType);
std::string C2(const std::string& lampType, const std::string& ratedPower);

} // namespace qv::sql
