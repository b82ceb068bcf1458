// The "svfile" that ships with the game, from content/menu/svfile.txt: one
// saved file per line, "NAME STAGE".
#include "Generator.h"
#include "campaign/SaveFile.h"
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {
// Reads the list; failures name the line and go to the context.
SaveFileTable ReadFileList(ContentContext& context, const std::string& source) {
    SaveFileTable table;
    std::ifstream in(context.Source(source));
    if (!in) context.Fail("cannot read " + source);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        int32_t stage = 0;
        std::string error = "expected NAME STAGE";
        if (table.count == kMaxSaveFiles) error = "more than 20 files";
        else if (fields >> name >> stage && MakeSaveEntry(name, stage, table.files[table.count], error)) {
            ++table.count;
            continue;
        }
        context.Fail(source + ":" + std::to_string(lineNumber) + ": " + error);
    }
    return table;
}

void MakeSaveFile(ContentContext& context) {
    std::vector<unsigned char> bytes = SaveFileBytes(ReadFileList(context, "menu/svfile.txt"));
    std::string path = context.Output("svfile");
    FILE* out = fopen(path.c_str(), "wb");
    if (!out || fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) context.Fail("cannot write " + path);
    if (out) fclose(out);
}
}

DUSKHOLD_GENERATOR("svfile", MakeSaveFile);
