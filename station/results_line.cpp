#include "station/results_line.h"

#include <nlohmann/json.hpp>

#include <cstdlib>

#include "base/format.h"
#include "base/sha256.h"

namespace tessorin {

std::string recordTime(const LocalTime& t) {
    const int offset = std::abs(t.utcOffsetMinutes);
    return formatText("%04d-%02d-%02dT%02d:%02d:%02d%s%02d:%02d",
                      {t.year, t.month, t.day, t.hour, t.minute, t.second, t.utcOffsetMinutes < 0 ? "-" : "+",
                       offset / 60, offset % 60});
}

namespace {

using Json = nlohmann::ordered_json;  // fields stay in the documented order

Json textOrNull(const std::string& text) { return text.empty() ? Json() : Json(text); }

}  // namespace

std::string resultsLine(const ChipRecord& record) {
    Json line;
    line["time"] = recordTime(record.finishedAt);
    line["sequence"] = record.sequence;
    line["board"] = textOrNull(record.boardId);
    line["chip_id"] = record.chipId ? Json(formatText("0x%04x", {*record.chipId})) : nullptr;
    line["image"] = record.imagePath;
    line["image_sha256"] = record.imageFile ? Json(sha256Hex(*record.imageFile)) : nullptr;
    line["image_bytes"] = record.imageFile ? Json(record.imageFile->size()) : nullptr;
    line["presets"] = record.presets;
    line["result"] = record.failure == download::DownloadFailure::None ? "success" : "fail";
    line["reason"] = textOrNull(std::string(download::failureCode(record.failure)));
    line["duration_ms"] = record.durationMs;
    line["reports"] = record.reportsSent;
    return line.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace tessorin
