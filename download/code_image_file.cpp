#include "download/code_image_file.h"

#include "base/format.h"
#include "download/code_file_reader.h"
#include "report/log.h"

namespace tessorin::download {

ImageForDownload readImageForDownload(std::span<uint8_t> buffer, const std::string& imagePath) {
    CodeFileResult result = readCodeFile(buffer, imagePath);
    switch (result.status) {
        case CodeFileStatus::Read:
            return {std::span<const uint8_t>(buffer.data(), result.byteCount), DownloadFailure::None};
        case CodeFileStatus::TooLarge:
            writeLog(formatText("code file %s is larger than %u bytes\n", {imagePath, buffer.size()}));
            return {{}, DownloadFailure::ImageRefused};
        case CodeFileStatus::Utf16Text:
            writeLog(formatText("code file %s is UTF-16 text; save it as ASCII or UTF-8 and download again\n",
                                {imagePath}));
            return {{}, DownloadFailure::ImageRefused};
        case CodeFileStatus::OpenFailed:
        case CodeFileStatus::Empty:
            break;
    }
    writeTrace(formatText("error opening code file %s\n", {imagePath}));
    return {{}, DownloadFailure::NoImage};
}

}  // namespace tessorin::download
