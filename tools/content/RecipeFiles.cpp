#include "RecipeFiles.h"
#include "Generator.h"
#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <fstream>
#include <sstream>

std::vector<std::string> ListRecipeFiles(const std::string& folder) {
    std::vector<std::string> files;
    DIR* directory = opendir(folder.c_str());
    if (!directory) return files;
    while (dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) files.push_back(folder + "/" + name);
    }
    closedir(directory);
    std::sort(files.begin(), files.end());
    return files;
}

namespace {
// A comment starts with a '#' at the start of a word ("C#4" is a note).
std::string WithoutComment(const std::string& line) {
    for (size_t at = line.find('#'); at != std::string::npos; at = line.find('#', at + 1))
        if (at == 0 || isspace(static_cast<unsigned char>(line[at - 1]))) return line.substr(0, at);
    return line;
}
}

std::vector<std::string> SplitWords(const std::string& line) {
    std::istringstream stream(WithoutComment(line));
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string RestOfLine(const std::string& line) {
    std::string text = WithoutComment(line);
    size_t start = text.find_first_not_of(" \t");
    size_t gap = text.find_first_of(" \t", start);
    size_t rest = text.find_first_not_of(" \t", gap);
    if (rest == std::string::npos) return "";
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(rest, end - rest + 1);
}

bool ReadRecipe(const std::string& path, std::vector<RecipeLine>& lines) {
    std::ifstream file(path);
    if (!file) return false;
    int number = 0;
    for (std::string text; std::getline(file, text);) {
        ++number;
        std::vector<std::string> words = SplitWords(text);
        if (words.empty()) continue;
        if (words[0] == "file") words = {"file", RestOfLine(text)};
        lines.push_back({number, words});
    }
    return true;
}

bool RefuseLine(std::string& error, int line, const std::string& what) {
    error = "line " + std::to_string(line) + ": " + what;
    return false;
}

void BuildRecipes(ContentContext& context, const std::string& folder, const RecipeBuilder& build) {
    for (const std::string& path : ListRecipeFiles(context.Source(folder))) {
        std::vector<RecipeLine> lines;
        std::string gamePath, error;
        std::vector<uint8_t> bytes;
        if (!ReadRecipe(path, lines)) {
            context.Fail(path + ": cannot be read");
            continue;
        }
        if (!build(lines, gamePath, bytes, error)) {
            context.Fail(path + ": " + error);
            continue;
        }
        std::ofstream out(context.Output(gamePath), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out) context.Fail(gamePath + ": cannot be written");
    }
}

bool ParseNumber(const std::string& text, double low, double high, double& value) {
    if (text.empty()) return false;
    size_t used = 0;
    try {
        value = std::stod(text, &used);
    } catch (...) {
        return false;
    }
    return used == text.size() && value >= low && value <= high;
}
