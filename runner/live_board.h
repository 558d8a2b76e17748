#pragma once
// A live run's board: the one the process's transport finds (a real board
// through the platform transport), the chosen one when an id is given, with
// every report passing a recorder on its way, so the wire channel shows what
// the board was really sent and answered. HidLink starts closed and the chip id
// unread, as at process start; the transport and the board choice are given
// back at the end.
#include <string>

#include "device/recording_transport.h"

namespace tessorin::runner {

class LiveBoard {
public:
    explicit LiveBoard(const std::string& boardId);
    ~LiveBoard();
    LiveBoard(const LiveBoard&) = delete;
    LiveBoard& operator=(const LiveBoard&) = delete;

    std::string wire() const { return recorder_.trace(); }

private:
    HidTransport& underlying_;
    std::string earlierChoice_;
    RecordingTransport recorder_;
};

}  // namespace tessorin::runner
