#pragma once
#include <cstddef>
#include <cstdint>

// What a stage number of a saved file starts: the level file's name, the
// stage's music and, for the first stage only, a stage picture; and the
// names a player sees: the stage's own, shown as it starts, and a short one
// of at most 10 letters for the file list.
struct StageRow {
    int32_t stage;
    const char* levelName;
    const char* music;
    const char* picture;  // null: no picture
    const char* name;
    const char* shortName;
};

// The row of a stage number, or null when no row has it.
const StageRow* FindStage(int32_t stage);
// The first row that starts the level file `levelName`, or null.
const StageRow* FindStageOfLevel(const char* levelName);
// The row after `row` in the table, the stage played next; null after the
// last row.
const StageRow* NextStage(const StageRow* row);
const StageRow* StageRows();
size_t StageRowCount();

// The stage of the file chosen in the menu: 0 until a file is started.
int32_t& TheStageNumber();
