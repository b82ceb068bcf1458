#pragma once
#include "campaign/SaveFile.h"
#include <string>

// Where the menu's saved files come from and where a cleared stage's
// progress goes. The game reads the player's own save file (PlayerSavePath)
// when there is one and the "svfile" shipped in the data folder otherwise;
// it writes only the player's file, never the data folder.

// $XDG_DATA_HOME/duskhold/svfile (normally ~/.local/share/duskhold/svfile);
// "" when the system names no folder for it.
std::string PlayerSavePath();

// Reads the save file into the table as the menu always did (a short file
// leaves the rest of the table as it was); false when there is none. A file
// that is there but cannot be read leaves the table as it was and is named
// on a status line of its own. Progress that could not be written is kept
// instead of reading the file again.
bool ReadMenuSaveFile(SaveFileTable& table);
// The path of the save file last read ("svfile" for the shipped one).
const std::string& SaveFileReadPath();

// The file of the menu's list whose stage is being played; -1 (as after
// --level) saves nothing.
void SetPlayedFile(int32_t file);
int32_t PlayedFile();
// A stage of the played file was lost: the menu opens on that file, once.
void AskForRetry();
bool TakeRetry();
// Moves the played file on to `nextStage`, or marks it finished when
// `nextStage` is 0, keeps the gems found in the cleared stage (its row of the
// stage table) when they beat its best, and writes it to the player's path: under a lock, the
// file is read again and only the records of the files this game moved on
// change, so that a clear saved meanwhile by another game is kept. When that
// cannot be done the progress stays in memory for this run and one status
// line says why.
void SaveStageCleared(int32_t nextStage, size_t clearedRow = 0, int32_t gems = 0);
// Adds `entry` at the end of the list and writes it to the player's path as
// a clear does, after the files another game may have added meanwhile.
// Returns its place in the list, or -1, with nothing changed, when the
// list already holds kMaxSaveFiles files. A file that cannot be written is
// kept in memory for this run, and one status line says why.
int32_t AddNewFile(const SaveFileEntry& entry);
// Takes file `file` out of the list and writes the rest, every other record
// byte for byte as it was, as a clear does; the player's file must still
// hold that file's name there. False, with nothing changed and the reason
// in `why`, otherwise.
bool EraseFile(int32_t file, std::string& why);
