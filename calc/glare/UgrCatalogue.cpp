#include "calc/glare/UgrCatalogue.h"

namespace qv {

void AddUgrTables(const PhotometricData& data, CatalogueLuminaireType& type) {
    type.ugrTables.clear();
    for (const double shr : {kUgrCatalogueShr, kUgrStandardShr}) {
        UgrTable table;
        std::string reason;
        if (!ComputeUgrTable(data, shr, table, reason)) {
            type.ugrTables.clear();
            return;
        }
        type.ugrTables.push_back(ToCatalogueUgrTable(table));
    }
}

CatalogueUgrTable ToCatalogueUgrTable(const UgrTable& table) {
    CatalogueUgrTable stored{table.shr, table.flux, {}};
    for (int room = 0; room < kUgrRoomCount; ++room) {
        CatalogueUgrRow row;
        row.x = kUgrRooms[static_cast<size_t>(room)].x;
        row.y = kUgrRooms[static_cast<size_t>(room)].y;
        for (int k = 0; k < kUgrReflectanceCount; ++k) {
            row.crosswise[static_cast<size_t>(k)] =
                table.crosswise[static_cast<size_t>(room)][static_cast<size_t>(k)];
            row.endwise[static_cast<size_t>(k)] =
                table.endwise[static_cast<size_t>(room)][static_cast<size_t>(k)];
        }
        stored.rows.push_back(row);
    }
    return stored;
}

std::optional<UgrTable> FromCatalogueUgrTable(const CatalogueUgrTable& stored) {
    if (stored.rows.size() != kUgrRooms.size() || !(stored.shr > 0.0) || !(stored.flux > 0.0)) {
        return std::nullopt;
    }
    UgrTable table;
    table.shr = stored.shr;
    table.flux = stored.flux;
    for (size_t room = 0; room < kUgrRooms.size(); ++room) {
        const CatalogueUgrRow& row = stored.rows[room];
        if (row.x != kUgrRooms[room].x || row.y != kUgrRooms[room].y) {
            return std::nullopt;
        }
        for (size_t k = 0; k < static_cast<size_t>(kUgrReflectanceCount); ++k) {
            table.crosswise[room][k] = row.crosswise[k];
            table.endwise[room][k] = row.endwise[k];
        }
    }
    return table;
}

} // namespace qv
