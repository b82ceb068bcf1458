// duskhold-save: looks into and writes the game's save file.
//   duskhold-save list [FILE]               each saved file's name, stage and identity
//   duskhold-save new FILE NAME:STAGE ...   writes a save file of those files
//   duskhold-save reset                     removes the player's save file
#include "app/Options.h"
#include "platform/DataDir.h"
#include "platform/Files.h"
#include "campaign/AssistedBests.h"
#include "campaign/SaveProgress.h"
#include "campaign/SaveFile.h"
#include "campaign/StageTable.h"
#include "toolargs/ToolCommandLine.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const char* const kUsage =
    "usage: duskhold-save list [FILE]\n"
    "       duskhold-save new FILE NAME:STAGE ...\n"
    "       duskhold-save reset\n"
    "list shows each file's identity, which the game finds it by.\n"
    "list without FILE lists the save file the game reads: the player's own\n"
    "($XDG_DATA_HOME/duskhold/svfile) when there is one, else the shipped one;\n"
    "reset removes the player's own, so that the shipped one is read again.\n"
    "Names are 1 to 10 letters A to Z; at most 20 files; stages:";

int Usage(int argc, char** argv) {
    std::string usage = kUsage;
    for (size_t i = 0; i < StageRowCount(); ++i) usage += " " + std::to_string(StageRows()[i].stage);
    return ToolUsage(usage + "\n", argc, argv);
}

void ListBest(const char* level, int32_t steps, int32_t gems, const char* mark) {
    printf("      %-8s  best time %s  best gems %d%s\n", level, steps ? StepsAsTime(steps).c_str() : "-", gems, mark);
}

// A line for each stage cleared on a timed run, or with a gem found; then
// those of clears made with an assist on, kept beside the save file.
void ListBests(const SaveFileEntry& entry, const std::string& savePath) {
    for (size_t r = 0; r < StageRowCount(); ++r) {
        const int32_t steps = BestSteps(entry, r), gems = BestGems(entry, r);
        if (steps != 0 || gems != 0) ListBest(StageRows()[r].levelName, steps, gems, "");
    }
    for (const auto& [level, best] : ReadAssistedBests(AssistedBestsPath(savePath, FileIdentity(entry))))
        ListBest(level.c_str(), best.steps, best.gems, "  (assisted)");
}

int List(const char* path) {
    std::vector<unsigned char> bytes;
    std::string why;
    if (!ReadWholeFile(path, kMaxSaveFileBytes, bytes, why)) {
        fprintf(stderr, "duskhold-save: cannot read %s: %s\n", path, why.c_str());
        return 1;
    }
    SaveFileTable table;
    ReadSaveFile(bytes.data(), bytes.size(), table);
    printf("%d file%s\n", table.count, table.count == 1 ? "" : "s");
    for (int32_t f = 0; f < table.count; ++f) {
        const SaveFileEntry& entry = table.files[f];
        const StageRow* row = FindStage(entry.stage);
        printf("%2d  %-10s  stage %d  (%s)  id %s", f, SaveEntryName(entry).c_str(), entry.stage,
               row ? row->levelName : "not in the stage table",
               FindFile(table, FileIdentity(entry)) == f ? IdentityName(FileIdentity(entry)).c_str() : "none");
        const int32_t gems = AllBestGems(entry);
        printf(gems ? "  %d gem%s\n" : "\n", gems, gems == 1 ? "" : "s");
        ListBests(entry, path);
    }
    const std::string notWhole = WhyNotWhole(bytes);
    if (!notWhole.empty())
        fprintf(stderr, "duskhold-save: warning: the game lists %s but saves no progress over it: %s\n", path,
                notWhole.c_str());
    return 0;
}

// "NAME:STAGE" into an entry; false with the reason.
bool ParseEntry(const std::string& argument, SaveFileEntry& entry, std::string& error) {
    size_t colon = argument.find(':');
    if (colon == std::string::npos) {
        error = "expected NAME:STAGE, got \"" + argument + "\"";
        return false;
    }
    const char* stageText = argument.c_str() + colon + 1;
    char* end = nullptr;
    errno = 0;
    long stage = strtol(stageText, &end, 10);
    if (*stageText == '\0' || *end != '\0' || errno != 0 || stage < INT32_MIN || stage > INT32_MAX) {
        error = "the stage of \"" + argument + "\" is not a number";
        return false;
    }
    return MakeSaveEntry(argument.substr(0, colon), int32_t(stage), entry, error);
}

int New(const char* path, const std::vector<std::string>& arguments) {
    const int count = int(arguments.size());
    if (count > kMaxSaveFiles) {
        fprintf(stderr, "duskhold-save: at most %d files, got %d\n", kMaxSaveFiles, count);
        return 2;
    }
    SaveFileTable table;
    for (int i = 0; i < count; ++i) {
        std::string error;
        if (!ParseEntry(arguments[i], table.files[i], error)) {
            fprintf(stderr, "duskhold-save: %s\n", error.c_str());
            return 2;
        }
    }
    table.count = count;
    // The identities the game would give these files on reading them.
    GiveIdentities(table);
    std::vector<unsigned char> bytes = SaveFileBytes(table);
    // Whole or not at all, as the game saves: the file may be a player's.
    std::string error;
    if (!ReplaceFileWhole(path, bytes, error)) {
        fprintf(stderr, "duskhold-save: cannot write %s: %s\n", path, error.c_str());
        return 1;
    }
    printf("%s: %d file%s, %zu bytes\n", path, count, count == 1 ? "" : "s", bytes.size());
    return 0;
}

// The file the game would read, and a line saying which one it is.
std::string GamesSaveFile(const char* argv0) {
    std::string player = PlayerSavePath();
    if (!player.empty() && FileExists(player)) {
        printf("The player's save file %s:\n", player.c_str());
        return player;
    }
    std::string shipped = ChooseDataDir("", argv0).path + "/svfile";
    std::string why = player.empty() ? "neither XDG_DATA_HOME nor HOME names a folder for the player's"
                                     : "no player's save file at " + player;
    printf("The shipped save file %s (%s):\n", shipped.c_str(), why.c_str());
    return shipped;
}

int Reset() {
    std::string player = PlayerSavePath();
    if (player.empty() || !FileExists(player)) {
        printf("No player's save file to remove%s%s\n", player.empty() ? "" : " at ", player.c_str());
        return 0;
    }
    // Not while a game is saving to it.
    FileLock lock(player + ".lock", 2000);
    std::string why;
    if (!lock.Held(why)) {
        fprintf(stderr, "duskhold-save: cannot remove %s: %s\n", player.c_str(), why.c_str());
        return 1;
    }
    printf("Removing the player's save file %s:\n", player.c_str());
    List(player.c_str());
    if (remove(player.c_str()) != 0) {
        fprintf(stderr, "duskhold-save: cannot remove %s: %s\n", player.c_str(), strerror(errno));
        return 1;
    }
    return 0;
}
}

int main(int argc, char** argv) {
    ToolCommandLine line;
    if (!ParseToolCommandLine(argc, argv, {}, {}, line)) return Usage(argc, argv);
    const std::vector<std::string>& args = line.arguments;
    const std::string command = args.empty() ? "" : args[0];
    if (command == "list" && args.size() == 1) return List(GamesSaveFile(argv[0]).c_str());
    if (command == "reset" && args.size() == 1) return Reset();
    if (command == "list" && args.size() == 2) return List(args[1].c_str());
    if (command == "new" && args.size() >= 2)
        return New(args[1].c_str(), std::vector<std::string>(args.begin() + 2, args.end()));
    return Usage(argc, argv);
}
