#pragma once

#include <QVariantList>

#include <array>

class QSettings;

// The keyboard's two 256-byte tables indexed by matrix position k: bytes 2k and 2k + 1.
// Each travels as two 128-byte halves, positions 0 ... 63 then 64 ... 127.
namespace keymatrix {

constexpr int kPositions = 128;
constexpr int kTableBytes = 2 * kPositions;
constexpr int kHalfBytes = kTableBytes / 2;
using Table = std::array<uchar, kTableBytes>;

// The scene's matrix list as bytes: entry j, low 8 bits; missing entries are 0.
Table fromList(const QVariantList &src256);

// The combination keys of every position, edited in the program and kept per profile.
class ComboTable
{
public:
    const Table &bytes() const { return table; }
    void clear() { table.fill(0); }
    // Ignored for a position outside the table.
    void set(uint position, uchar code0, uchar code1);
    uint codes(uint position) const; // code1 * 256 + code0; 0 outside the table

    // "combokey/" + k = (code0, code1) for every position.
    void loadFrom(const QSettings &profile);
    void storeIn(QSettings &profile) const;

private:
    Table table{};
};

} // namespace keymatrix
