#pragma once

// The keyboard's report layout, declared once. Every report the link sends or reads is
// filled through the functions here.

#include <array>
#include <cstdint>

namespace frame {

// Command report: a 9-byte feature report that opens every exchange.
constexpr int kCommandReportSize = 9;
constexpr int kReportIdOffset = 0;
constexpr int kCodeOffset = 1;
constexpr int kParamOffset = 2;     // P0 .. P3 in bytes 2 .. 5
constexpr int kParamCount = 4;
constexpr int kSignatureOffset = 6; // 0x55 0xAA in bytes 6 and 7, byte 8 zero
constexpr uint8_t kSignature0 = 0x55;
constexpr uint8_t kSignature1 = 0xAA;
constexpr int kRawOffset = 2;       // 08H and 0FH fill bytes 2 .. 8 themselves
constexpr int kRawCount = 7;
constexpr uint8_t kReportId = 0;    // the keyboard uses no numbered reports

static_assert(kParamOffset + kParamCount == kSignatureOffset);
static_assert(kSignatureOffset + 3 == kCommandReportSize);
static_assert(kRawOffset + kRawCount == kCommandReportSize);

// Blocks travel in data reports of the report length plus the report ID.
constexpr int kReportIdSize = 1;
constexpr int kDataBufferSize = 128; // the longest block a command moves

using Report = std::array<uint8_t, kCommandReportSize>;
using Params = std::array<uint8_t, kParamCount>;
using RawBytes = std::array<uint8_t, kRawCount>;

// A command report with parameters and the signature. The answer report of a read
// command is pre-filled with the same layout.
Report makeReport(uint8_t code, const Params &params = {});

// A command report whose bytes 2 to 8 are the command's own (no signature).
Report makeRawReport(uint8_t code, const RawBytes &bytes);

// Bytes of a block carried by one data report.
int chunkSize(int blockLength, int reportLength);

// An outgoing data report of reportLength + 1 bytes: the report ID, the chunk, zeros.
void fillDataReport(uint8_t *report, int reportLength, const uint8_t *chunk, int chunkLength);

} // namespace frame
