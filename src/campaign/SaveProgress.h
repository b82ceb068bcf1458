#pragma once
#include "campaign/SaveFile.h"
#include <functional>
#include <string>

// Where the menu's saved files come from and where a cleared stage's
// progress goes. The game reads the player's own save file (PlayerSavePath)
// when there is one and the "svfile" shipped in the data folder otherwise;
// it writes only the player's file, never the data folder.

// $XDG_DATA_HOME/duskhold/svfile (normally ~/.local/share/duskhold/svfile);
// "" when the system names no folder for it.
std::string PlayerSavePath();

// Reads the save file into the table as the menu always did (a short file
// leaves the rest of the list last read as it was); false when there is
// none. A file that is there but cannot be read leaves the list as it was
// and is named on a status line of its own. Progress that is not written yet
// (the lock was held, the file could not be written) is put in the list.
bool ReadMenuSaveFile(SaveFileTable& table);
// The path of the save file last read ("svfile" for the shipped one).
const std::string& SaveFileReadPath();

// The file at place `file` of the list ReadMenuSaveFile gave last is played;
// -1 (as after --level) saves nothing. Saves find it by its identity
// (FileIdentity), wherever other games' NEW GAME and ERASE move it.
void SetPlayedFile(int32_t file);
// The place of the played file in the list ReadMenuSaveFile gave last; -1
// when none is played or it is no longer in the list.
int32_t PlayedFile();
// The played file's identity (its best runs are named after it); 0 for none.
int32_t PlayedFileIdentity();
// A stage of the played file was lost: the menu opens on that file, once.
void AskForRetry();
bool TakeRetry();
// A cleared stage of the played file is played again from its STAGES page:
// its row of the stage table, or -1 for a stage played on from the file.
// After a replay, cleared, lost or left, the menu opens that page again.
void SetReplayedRow(int32_t row);
int32_t ReplayedRow();

// Every save below is made under the lock svfile.lock beside the file, which
// is only tried: the file is read again there and only the changes this game
// made are made in it (SaveChange, by identity), so that what other games
// saved meanwhile is kept, then it is written whole. While another program
// holds the lock the changes wait in memory, the list shows them, and
// SaveWhatWaits tries again; when the file cannot be written for another
// reason they are kept in memory for the run, one status line says why, and
// the next save tries them again with its own.

// The played file moves on to `nextStage`, or is marked finished when
// `nextStage` is 0, and keeps the gems found in the cleared stage (its row of
// the stage table) and the steps the clear took when they beat its bests. A
// file that another game erased meanwhile saves nothing, and one status line
// says so.
void SaveStageCleared(int32_t nextStage, size_t clearedRow = 0, int32_t gems = 0, int32_t steps = 0);
// The played file as this game knows it now (its last save, with the changes
// still waiting), for its bests; false when no file is played.
bool PlayedFileNow(SaveFileEntry& entry);
// Adds `entry` with an identity of its own at the end of the list, after
// the files another game may have added meanwhile, and makes it the played
// file. Returns its place in the list, or -1, with nothing changed, when the
// list (on disk or in memory) already holds kMaxSaveFiles files.
int32_t AddNewFile(const SaveFileEntry& entry);
// Takes the file at place `file` out of the list (one that another game
// erased already is gone too); every other record stays byte for byte as it
// is on disk. True when it is written or waits for the lock; false, with
// nothing changed and the reason in `why`, when it cannot be written.
bool EraseFile(int32_t file, std::string& why);

// A record kept beside the save file (a best run, the assisted bests) is
// written as the saves are, under the same lock, so that two games keeping
// records at once take turns: `write` reads its file again there, merges its
// record in, writes it whole and says itself why when it cannot. While
// another program holds the lock it waits with the saves; when the lock
// cannot be taken at all, one status line that starts with `notSaved` says
// why and the next save tries it again.
void SaveRecord(const std::string& notSaved, std::function<void()> write);

// Called once a step: tries again the saves that wait for the lock, and
// after kLockWaitSteps says once on a status line that the save is waiting.
void SaveWhatWaits();
// When the game ends: the saves that wait get the lock if it comes within
// two seconds; otherwise a status line says what was not saved.
void SaveBeforeQuitting();
