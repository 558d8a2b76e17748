#pragma once
// The operator-facing texts in the one language of this process.
#include <array>
#include <string>

namespace tessorin {

enum MessageId : int {
    msgCurrentChoice, msgCurrentVersion, msgRomPath, msgRomFromCommandLine,
    msgSelectIni, msgSelectRom, msgDownload, msgDragHint, msgRomPathLabel, msgRfMode,
    msgSelectDropdownFirst, msgDownloading, msgDownloadFail, msgDownloadSuccess, msgDownloadFinish,
    msgEepFail, msgEepSuccess, msgOpenUsbFail, msgReopenUsb, msgOpenUsbSuccess,
    msgHandshakeSuccess, msgDownloadThreadFail, msgDownloadStart, msgReplaceDevice,
    msgWaitingConnect, msgSelectRomFirst, msgBusyDownloading, msgFileFormatError,
    msgFileNotFound, msgSelectChipType, msgSelectFrequency, msgSetFrequencyOk,
    msgBoardNotLinked, msgUsbCloseError, msgUsbCloseOk, msgChipTypeUnsupported,
    msgValueOutOfRange, msgEmptyString, msgSelectPowerType, msgOneFileOnly,
    msgUnhandledException,
    kMessageCount
};
static_assert(kMessageCount == 41);

constexpr int kChineseCodePage = 936;

class MessageTable {
public:
    // Chinese for code page 936, English for every other.
    explicit MessageTable(int codePage);
    const std::string& operator[](MessageId id) const { return entries_[id]; }
    bool isChinese() const { return chinese_; }

private:
    std::array<std::string, kMessageCount> entries_;
    bool chinese_;
};

// The process-wide table, built on the first call: asks the code-page seam,
// writes the "cur encoding:%d\n" trace line and never changes afterwards.
const MessageTable& buildMessageTable();

}  // namespace tessorin
