#include "platform/Texture.h"
#include "base/Log.h"
#include "platform/ErrorBox.h"
#include "platform/Files.h"
#include "platform/PngDecode.h"
#include "platform/Renderer.h"
#include <GL/gl.h>
#include <map>
#include <string>
#include <vector>

namespace {
// What the name table remembers of a file's live texture, so that a repeated
// load can share it without reading the file again.
struct LoadedFile {
    uint32_t name;
    uint32_t imageWidth;
    uint32_t imageHeight;
    uint32_t textureWidth;
    uint32_t textureHeight;
    PixelBox visible;
    bool visibleIsOpaque;
    Color colorKey;
};

// Both tables live for the whole run and are never destroyed, so releases
// from destructors of globals at exit still find them.
std::map<std::string, LoadedFile>& NameTable() {
    static auto* table = new std::map<std::string, LoadedFile>();
    return *table;
}

std::map<uint32_t, int32_t>& ReferenceTable() {
    static auto* table = new std::map<uint32_t, int32_t>();
    return *table;
}

int gLiveTextures = 0;

// Used when no GL context answers; every GL 1.2 implementation takes this.
constexpr GLint kFallbackMaxTextureSize = 1024;

uint32_t MaxTextureSide() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return uint32_t(size > 0 ? size : kFallbackMaxTextureSize);
}

void ClearGlErrors() {
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {}
}

uint32_t Upload(const PaddedPicture& picture) {
    ClearGlErrors();
    glEnable(GL_TEXTURE_2D);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    ClearGlErrors();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    ClearGlErrors();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(picture.textureWidth), GLsizei(picture.textureHeight), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, picture.rgba.data());
    NoteTextureChange();
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        PrintStatus("OpenGL texture error: %d", int(error));
        ShowError("OpenGL texture error: %d", int(error));
    }
    ++gLiveTextures;
    return name;
}

// A texture is shared only with the same colour key, and only while GL still
// knows it (a context made anew has none of the old textures).
const LoadedFile* FindLiveFile(const char* file, Color colorKey) {
    auto known = NameTable().find(file);
    if (known == NameTable().end() || known->second.colorKey != colorKey) return nullptr;
    return glIsTexture(known->second.name) ? &known->second : nullptr;
}

// Reads, decodes and uploads the file and records the new texture with no
// holder yet; null after a failure, which has been reported.
const LoadedFile* LoadFile(const char* file, Color colorKey) {
    std::vector<unsigned char> bytes;
    std::string reason;
    if (!ReadWholeFile(file, kMaxPictureFileBytes, bytes, reason)) {
        ShowError("Error: Cannot read file %s: %s", file, reason.c_str());
        return nullptr;
    }
    PaddedPicture picture;
    PngError error = PreparePicture(bytes.data(), bytes.size(), colorKey, MaxTextureSide(), picture);
    if (error != PngError::None) {
        PrintStatus("PNG Error: %d", int(error));
        ShowError("PNG Error: %d\n in loading sprite %s", int(error), file);
        return nullptr;
    }
    uint32_t name = Upload(picture);
    ReferenceTable()[name] = 0;
    LoadedFile& loaded = NameTable()[file];
    loaded = {name,
              picture.imageWidth,
              picture.imageHeight,
              picture.textureWidth,
              picture.textureHeight,
              picture.visible,
              picture.visibleIsOpaque,
              colorKey};
    return &loaded;
}

void DeleteTexture(uint32_t name) {
    auto& files = NameTable();
    for (auto entry = files.begin(); entry != files.end(); ++entry) {
        if (entry->second.name == name) {
            files.erase(entry);
            break;
        }
    }
    GLuint glName = name;
    glDeleteTextures(1, &glName);
    NoteTextureChange();
    --gLiveTextures;
}
}

Texture::Texture(const Texture& other) { CopyFrom(other); }

Texture& Texture::operator=(const Texture& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

void Texture::CopyFrom(const Texture& other) {
    name = other.name;
    imageWidth = other.imageWidth;
    imageHeight = other.imageHeight;
    textureWidth = other.textureWidth;
    textureHeight = other.textureHeight;
    visible = other.visible;
    visibleIsOpaque = other.visibleIsOpaque;
    released_ = other.released_;
    if (name != 0 && !released_) ++ReferenceTable()[name];
}

void Texture::Load(const char* file, Color colorKey) {
    const LoadedFile* loaded = FindLiveFile(file, colorKey);
    if (!loaded) loaded = LoadFile(file, colorKey);
    if (!loaded) return;
    ++ReferenceTable()[loaded->name];
    name = loaded->name;
    imageWidth = loaded->imageWidth;
    imageHeight = loaded->imageHeight;
    textureWidth = loaded->textureWidth;
    textureHeight = loaded->textureHeight;
    visible = loaded->visible;
    visibleIsOpaque = loaded->visibleIsOpaque;
    released_ = false;
}

void Texture::Release() {
    if (name == 0 || released_) return;
    auto counted = ReferenceTable().find(name);
    if (counted == ReferenceTable().end()) return;
    released_ = true;
    if (--counted->second > 0) return;
    DeleteTexture(name);
}

int LiveTextureCount() { return gLiveTextures; }

int TextureReferenceCount(uint32_t name) {
    auto counted = ReferenceTable().find(name);
    return counted == ReferenceTable().end() ? -1 : counted->second;
}

uint32_t TextureNameForFile(const char* file) {
    auto known = NameTable().find(file);
    return known == NameTable().end() ? 0 : known->second.name;
}
