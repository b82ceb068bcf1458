#pragma once
#include <cstdio>
#include <string>
#include <vector>

// The game names its files with backslashes ("levels\blk101"). This is the
// one place where such a name becomes a path of this system.
std::string HostPath(const std::string& gamePath);

// fopen of a game path, relative to the working directory (the data
// directory, which the program changes into at start).
FILE* OpenGameFile(const std::string& gamePath, const char* mode);

// Reads a whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& gamePath, std::vector<unsigned char>& bytes);
