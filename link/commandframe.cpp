#include "commandframe.h"

#include <algorithm>

namespace frame {

Report makeReport(uint8_t code, const Params &params)
{
    Report report{};
    report[kReportIdOffset] = kReportId;
    report[kCodeOffset] = code;
    std::copy(params.begin(), params.end(), report.begin() + kParamOffset);
    report[kSignatureOffset] = kSignature0;
    report[kSignatureOffset + 1] = kSignature1;
    return report;
}

Report makeRawReport(uint8_t code, const RawBytes &bytes)
{
    Report report{};
    report[kReportIdOffset] = kReportId;
    report[kCodeOffset] = code;
    std::copy(bytes.begin(), bytes.end(), report.begin() + kRawOffset);
    return report;
}

int chunkSize(int blockLength, int reportLength)
{
    return std::min(blockLength, reportLength);
}

void fillDataReport(uint8_t *report, int reportLength, const uint8_t *chunk, int chunkLength)
{
    std::fill_n(report, kReportIdSize + reportLength, uint8_t(0));
    report[kReportIdOffset] = kReportId;
    std::copy_n(chunk, std::min(chunkLength, reportLength), report + kReportIdSize);
}

} // namespace frame
