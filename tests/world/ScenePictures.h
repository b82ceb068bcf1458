#pragma once
#include "base/Color.h"
#include <functional>
#include <string>
#include <vector>

// Writes a PNG whose pixel (x, y) is colorAt(x, y); fails the test if it cannot.
void WritePicture(const std::string& path, int width, int height, const std::function<Color(int x, int y)>& colorAt);

// An opaque colour from its bytes.
Color Opaque(int r, int g, int b);
