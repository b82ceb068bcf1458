#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

// Builds level files byte by byte for the tests: every section starts as the
// smallest valid one (no records, 1 by 1 grids of one skipped cell) and a
// test replaces the sections it is about.
struct Bytes {
    std::vector<uint8_t> data;
    Bytes& U8(int v) {
        data.push_back(uint8_t(v));
        return *this;
    }
    Bytes& I16(int v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
    Bytes& I32(int64_t v) { return I16(int(v & 0xFFFF)).I16(int((v >> 16) & 0xFFFF)); }
    Bytes& Zeros(int n) {
        data.insert(data.end(), size_t(n), 0);
        return *this;
    }
    Bytes& Append(const Bytes& other) {
        data.insert(data.end(), other.data.begin(), other.data.end());
        return *this;
    }
};

class LevelBytes {
public:
    LevelBytes() {
        section[1] = Bytes().I16(0).I16(0).I16(0).I16(0).I16(0).I16(54);
        for (int s : {2, 8, 12, 13, 14, 20, 21, 22, 23, 24, 26, 27, 28}) section[s] = Bytes().I16(0);
        for (int s : {3, 6, 7, 11, 16, 17}) section[s] = Bytes().U8(0);
        section[4] = Bytes().Zeros(16);
        section[5] = Bytes().Zeros(4);
        section[9] = Bytes().I16(0).I16(0).I16(0).I16(1);
        section[10] = Bytes().I16(0).I16(0).I16(1);
        section[15] = Bytes().Zeros(3);
        section[18] = Bytes().I32(0);
        section[19] = Bytes().I16(0).I16(0).I16(0).I16(0).I16(1);
        section[25] = Bytes().Zeros(100);
    }
    std::vector<uint8_t> Build() const {
        Bytes all;
        for (const auto& entry : section) all.Append(entry.second);
        return all.data;
    }

    std::map<int, Bytes> section;
};
