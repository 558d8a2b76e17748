#include "download/download_outcome.h"

#include "device/hid_link.h"

namespace tessorin::download {

std::string_view failureCode(DownloadFailure failure) {
    switch (failure) {
        case DownloadFailure::None: return "";
        case DownloadFailure::NoImage: return "no_image";
        case DownloadFailure::ImageRefused: return "image_refused";
        case DownloadFailure::PresetRefused: return "preset_refused";
        case DownloadFailure::BoardLost: return "board_lost";
        case DownloadFailure::ChipStoppedAnswering: return "chip_stopped_answering";
        case DownloadFailure::WorkerFailed: return "worker_failed";
        case DownloadFailure::Interrupted: return "interrupted";
        case DownloadFailure::StationEnded: return "station_ended";
    }
    return "worker_failed";
}

DownloadFailure chipOrBoardLost() {
    return hidLinkOpen() ? DownloadFailure::ChipStoppedAnswering : DownloadFailure::BoardLost;
}

}  // namespace tessorin::download
