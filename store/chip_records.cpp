// The chip records of Store: a finished chip and its values' final states commit together.
#include <nlohmann/json.hpp>

#include "store/store.h"

namespace tessorin::store {
namespace {

SqlValue optionalText(const std::optional<std::string>& text) { return text ? SqlValue(*text) : SqlValue(); }

}  // namespace

int64_t Store::recordChip(int64_t station, const ChipEntry& chip) {
    int64_t chipRow = 0;
    write([&] {
        // A commit whose reply was lost is tried again: the chip is then already there.
        const SqlValue imageBytes = chip.imageBytes ? SqlValue(*chip.imageBytes) : SqlValue();
        SqlRows rows = connection_->run(
            "INSERT INTO chips (station_id, finished_at, day, sequence, board, chip_id, image, image_sha256, "
            "image_bytes, presets, result, reason, duration_ms, reports, job_sha256) VALUES ($1, $2, $3, $4, $5, $6, "
            "$7, $8, $9, $10, $11, $12, $13, $14, $15) ON CONFLICT (station_id, sequence) DO NOTHING RETURNING id",
            {station, chip.finishedAt, chip.finishedAt.substr(0, 10), chip.sequence, chip.board,
             optionalText(chip.chipId), chip.image, optionalText(chip.imageSha256), imageBytes,
             nlohmann::json(chip.presets).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace), chip.result,
             optionalText(chip.reason), chip.durationMs, chip.reports, chip.jobSha256});
        if (rows.empty()) {
            chipRow = cellNumber(connection_->run("SELECT id FROM chips WHERE station_id = $1 AND sequence = $2",
                                                  {station, chip.sequence})
                                     .at(0),
                                 0);
            return;
        }
        chipRow = cellNumber(rows[0], 0);
        for (const ChipIdentity& identity : chip.identities) {
            moveHeldValue(identity.valueId, station, settlementState(identity.settlement), chip.reason.value_or(""),
                          chipRow);
            if (identity.settlement != Settlement::Released)
                connection_->run("INSERT INTO chip_identities (chip_id, field, value_id, shown) VALUES ($1, $2, $3, $4)",
                                 {chipRow, identity.field, identity.valueId, identity.shown});
        }
    });
    return chipRow;
}

}  // namespace tessorin::store
