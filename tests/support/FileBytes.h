#pragma once
// Byte-exact file contents, and dictionary records spelled out for them.
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/RecordFile.h"

namespace vxlo::testing {

using TBytes = std::vector<std::uint8_t>;

inline TBytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const TBytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

// One record as the file holds it.
inline TBytes Rec(int x, int y, int color, int aux, std::int32_t next, std::int32_t more) {
    const TRecordBytes b = EncodeRecord(TJskRecord{static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                                   static_cast<std::uint8_t>(color),
                                                   static_cast<std::uint8_t>(aux), next, more});
    return TBytes(b.begin(), b.end());
}

// A record the way the program creates it (colour 0, Aux 100).
inline TBytes MoveBytes(int x, int y, std::int32_t next = 0, std::int32_t more = 0) {
    return Rec(x, y, 0, 100, next, more);
}

inline TBytes Placeholder() { return TBytes(kRecordSize, 0); }

// A root chain of n records at distinct points (past 30: a damaged file).
inline TBytes LongRootChain(int n) {
    TBytes bytes = Placeholder();
    for (int i = 1; i <= n; ++i) {
        const TBytes r = MoveBytes(1 + (i - 1) % 19, 1 + (i - 1) / 19, 0, i < n ? i + 1 : 0);
        bytes.insert(bytes.end(), r.begin(), r.end());
    }
    return bytes;
}

inline TBytes Concat(std::initializer_list<TBytes> parts) {
    TBytes all;
    for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Hex, one record of 12 bytes per line, split as X Y Color Aux | Next | More,
// so that a failed comparison shows which record and field differ.
inline std::string HexRecords(const TBytes& bytes) {
    std::ostringstream out;
    static const char* digits = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i % kRecordSize == 0) out << (i ? "\n" : "") << "rec " << i / kRecordSize << ":";
        if (i % kRecordSize == 4 || i % kRecordSize == 8) out << " |";
        out << ' ' << digits[bytes[i] >> 4] << digits[bytes[i] & 15];
    }
    return out.str();
}

}  // namespace vxlo::testing
