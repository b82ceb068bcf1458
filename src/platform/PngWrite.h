#pragma once
#include <string>
#include <vector>

// Writes 8-bit RGBA pixels (rows from the top, packed) as a PNG file.
bool WritePngRgba(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba,
                  std::string& error);
