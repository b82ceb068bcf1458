#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class ContentContext;

// Music and sound recipes are plain text files in a content folder. Lines
// keep their numbers for error messages; a '#' starting a word starts a comment.
struct RecipeLine {
    int number = 0;
    std::vector<std::string> words;
};

// The ".txt" files of a folder, sorted by name (empty if it does not exist).
std::vector<std::string> ListRecipeFiles(const std::string& folder);
// False when the file cannot be read.
bool ReadRecipe(const std::string& path, std::vector<RecipeLine>& lines);
// The words of one line, without its comment.
std::vector<std::string> SplitWords(const std::string& line);
// The rest of a line after its first word, trimmed: "file music\A B.mid".
std::string RestOfLine(const std::string& line);
// A whole-text decimal number within [low, high].
bool ParseNumber(const std::string& text, double low, double high, double& value);
// Sets error to "line N: what" and returns false.
bool RefuseLine(std::string& error, int line, const std::string& what);

// Turns one recipe into a data file: its game path and its bytes.
using RecipeBuilder = std::function<bool(const std::vector<RecipeLine>& lines, std::string& gamePath,
                                         std::vector<uint8_t>& bytes, std::string& error)>;
// Builds every recipe of a content folder; failures name the recipe file.
void BuildRecipes(ContentContext& context, const std::string& folder, const RecipeBuilder& build);
