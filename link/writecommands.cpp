// The commands that change something in the keyboard. Each copies its block and returns
// at once; the exchange runs on the global thread pool and its outcome is not reported.

#include "hid_thread.h"

using frame::makeReport;
using frame::makeRawReport;

namespace {
constexpr int kBlock128 = 128;
constexpr int kBlock64 = 64;

// The keyboard's boot-loader entry code, carried in bytes 2 to 8 of the 0FH report.
constexpr uchar kIspEntry0 = 0x49; // 'I'
constexpr uchar kIspEntry1 = 0x53; // 'S'
constexpr uchar kIspEntry2 = 0x50; // 'P'
constexpr uchar kIspEntry3 = 0x5A;
constexpr uchar kIspEntry4 = 0xA5;
constexpr uchar kIspEntry5 = 0x55;
constexpr uchar kIspEntry6 = 0xAA;

// Factory recovery asks for every setting: P0 = 0xFF, P1 = 0x1F.
constexpr uchar kRecoverAll0 = 0xFF;
constexpr uchar kRecoverAll1 = 0x1F;
} // namespace

void Hid_Thread::hid_02H_SetKeyboardoption(uchar byte1, uchar byte2, uchar byte3)
{
    startWrite(makeReport(0x02, {byte1, byte2, byte3, 0}));
}

void Hid_Thread::hid_04H_SetButtonSensitivity(uchar sens1)
{
    startWrite(makeReport(0x04, {sens1, 0, 0, 0}));
}

void Hid_Thread::hid_08H_SetLEDType(uchar type, uchar brightness, uchar speed, uchar direction,
                                    uchar color, uchar bl0, uchar bl1)
{
    startWrite(makeRawReport(0x08, {type, brightness, speed, direction, color, bl0, bl1}));
}

void Hid_Thread::hid_09H_StopMacroSending()
{
    startWrite(makeReport(0x09, {0xAA, 0xCC, 0xEE, 0}));
}

void Hid_Thread::hid_0CH_SetKeyMatrix_1(const uchar *src128)
{
    startWrite(makeReport(0x0C), src128, kBlock128);
}

void Hid_Thread::hid_0DH_SetKeyMatrix_2(const uchar *src128)
{
    startWrite(makeReport(0x0D), src128, kBlock128);
}

void Hid_Thread::hid_0FH_SetISPBootLoader()
{
    startWrite(makeRawReport(0x0F, {kIspEntry0, kIspEntry1, kIspEntry2, kIspEntry3,
                                       kIspEntry4, kIspEntry5, kIspEntry6}));
}

void Hid_Thread::hid_10H_SetMacroKey(uchar macroId, const uchar *src128)
{
    startWrite(makeReport(0x10, {0, macroId, 0, 0}), src128, kBlock128);
}

void Hid_Thread::hid_12H_SetUserPicture(uchar index, uchar colorIndex, const uchar *src128)
{
    startWrite(makeReport(0x12, {0, index, colorIndex, 0}), src128, kBlock128);
}

void Hid_Thread::hid_13H_SetRecoveryData()
{
    startWrite(makeReport(0x13, {kRecoverAll0, kRecoverAll1, 0, 0}));
}

void Hid_Thread::hid_21H_SetCurrentProfile(uchar profileId)
{
    startWrite(makeReport(0x21, {profileId, 0, 0, 0}));
}

void Hid_Thread::hid_30H_SetSevenColor(const uchar *src64)
{
    startWrite(makeReport(0x30), src64, kBlock64);
}

void Hid_Thread::hid_1CH_SetKeyMatrix_1(const uchar *src128)
{
    startWrite(makeReport(0x1C), src128, kBlock128);
}

void Hid_Thread::hid_1DH_SetKeyMatrix_2(const uchar *src128)
{
    startWrite(makeReport(0x1D), src128, kBlock128);
}
