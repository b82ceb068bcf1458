// Any bytes: the save file reader keeps within its table (at most 20 files
// of at most 10 glyphs), reads the same from a FILE as from memory, and the
// table it made is written back and read again unchanged.
#include "campaign/SaveFile.h"
#include <cstdio>
#include <cstdlib>

namespace {
bool SameTable(const SaveFileTable& a, const SaveFileTable& b) { return SaveFileBytes(a) == SaveFileBytes(b); }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SaveFileTable table;
    ReadSaveFile(data, size, table);
    if (table.count < 0 || table.count > kMaxSaveFiles) abort();
    for (const SaveFileEntry& entry : table.files)
        if (entry.nameLength < 0 || entry.nameLength > kMaxNameGlyphs) abort();

    if (size > 0) {
        FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
        if (!file) abort();
        SaveFileTable fromFile;
        ReadSaveFile(file, fromFile);
        fclose(file);
        if (!SameTable(table, fromFile)) abort();
    }

    std::vector<unsigned char> written = SaveFileBytes(table);
    SaveFileTable again;
    ReadSaveFile(written.data(), written.size(), again);
    if (SaveFileBytes(again) != written) abort();
    return 0;
}
