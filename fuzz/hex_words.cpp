// Value texts that end up as chip writes: the hex word writer (power values,
// long configured values), the frequency-offset templates, the power rows'
// address and value texts and the station's command-line presets, each against
// the emulated board. Where the text is plain hexadecimal the chip memory must
// hold exactly its bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "device/board_commands.h"
#include "device/hid_link.h"
#include "download/station_presets.h"
#include "emulator/emulator_session.h"
#include "fuzz_support.h"
#include "report/message_table.h"
#include "report/unicode_exception.h"
#include "rftest/drift_command.h"

namespace {

using tessorin::emulator::ChipModel;
using tessorin::emulator::EmulatorSession;

constexpr uint16_t kChip = 0x6D10;
// Plain memory: no register of the emulated chip lies here, so what is written reads back.
constexpr uint32_t kPlainMemoryStart = 0x9000;
constexpr uint32_t kPlainMemoryEnd = 0x10000;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool plainHexOfEvenLength(const std::string& text) {
    if (text.size() % 2 != 0) return false;
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool inPlainMemory(int32_t address, size_t count) {
    const auto start = static_cast<uint32_t>(address);
    return address >= 0 && start >= kPlainMemoryStart && start + count <= kPlainMemoryEnd;
}

std::vector<uint8_t> chipBytes(EmulatorSession& session, int device, int32_t address, size_t count) {
    return session.emulator.withChip(device, [&](ChipModel& chip) {
        return chip.peek(static_cast<uint32_t>(address), static_cast<int>(count));
    });
}

// The text's pairs in text order, the last word completed with zeros.
std::vector<uint8_t> wordBytesOf(const std::string& text) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoul(text.substr(i, 2), nullptr, 16)));
    while (bytes.size() % 4 != 0) bytes.push_back(0);
    return bytes;
}

void hexWords(EmulatorSession& session, int device, int32_t address, const std::string& text) {
    try {
        require(tessorin::writeHexWords(address, text), "a hex word did not go out to a healthy board");
    } catch (const std::invalid_argument&) {
        require(!plainHexOfEvenLength(text), "plain hexadecimal refused by the hex word writer");
        return;
    }
    if (!plainHexOfEvenLength(text)) return;
    const std::vector<uint8_t> expected = wordBytesOf(text);
    if (inPlainMemory(address, expected.size()))
        require(chipBytes(session, device, address, expected.size()) == expected, "chip memory differs from the text");
}

void driftCommand(EmulatorSession& session, int device, int32_t offset, const std::string& templateText) {
    static const tessorin::MessageTable messages(1252);
    const std::vector<std::string> tokens = tessorin::buildDriftCommand(offset, templateText);
    try {
        tessorin::checkDriftCommand(messages, "chip_freq_drift_pre", templateText, tokens);
    } catch (const tessorin::UnicodeException&) {
        return;
    }
    require(tessorin::sendDriftCommand(tokens), "a drift write did not go out to a healthy board");
    const int32_t address = tessorin::leadingInteger(tokens[0], 16);
    const size_t count = (tokens[1].size() + 1) / 2;
    if (!inPlainMemory(address, count) || !plainHexOfEvenLength(tokens[1])) return;
    const uint32_t value = tessorin::parseNumber(tokens[1]);
    std::vector<uint8_t> expected;
    for (size_t i = 0; i < count; ++i) expected.push_back(static_cast<uint8_t>(value >> (8 * i)));
    require(chipBytes(session, device, address, count) == expected, "chip memory differs from the drift value");
}

// A power row: the address text read as the power command reads it, the value text written as words.
void powerRow(EmulatorSession& session, int device, const std::string& text) {
    const size_t space = text.find(' ');
    if (space == std::string::npos) return;
    hexWords(session, device, tessorin::leadingInteger(text.substr(0, space), 16), text.substr(space + 1));
}

// A preset the station accepts is written whole, on the worker where nothing
// would catch a failure: no accepted preset may make the writer raise.
void stationPreset(EmulatorSession& session, int device, const std::string& text) {
    const std::optional<tessorin::download::StationPreset> preset = tessorin::download::parseStationPreset(text);
    if (!preset) return;
    tessorin::download::writeStationPreset(*preset);
    const std::vector<uint8_t> expected = wordBytesOf(tessorin::reverseHexPairs(preset->value));
    if (inPlainMemory(preset->address, expected.size()))
        require(chipBytes(session, device, preset->address, expected.size()) == expected,
                "chip memory differs from the preset");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    tessorin::fuzzing::discardLog();
    return 0;
}

// Byte 0 picks the path, bytes 1-4 the address or offset, the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    int32_t number = 0;
    std::memcpy(&number, data + 1, sizeof number);
    const std::string text(reinterpret_cast<const char*>(data + 5), size - 5);

    EmulatorSession session;
    session.emulator.setTraceEnabled(false);
    const int device = session.emulator.addBoard(kChip);
    tessorin::setHidLink(tessorin::openDownloadBoard());
    switch (data[0] % 5) {
        case 0: hexWords(session, device, number, text); break;
        // Most addresses miss plain memory; this one lands in it so the bytes can be compared.
        case 1: hexWords(session, device, static_cast<int32_t>(kPlainMemoryStart + static_cast<uint32_t>(number) % 0x6000), text); break;
        case 2: driftCommand(session, device, number, text); break;
        case 3: powerRow(session, device, text); break;
        case 4: stationPreset(session, device, text); break;
    }
    return 0;
}
