#pragma once
#include "base/Color.h"
#include "platform/PngDecode.h"
#include <cstdint>

// One uploaded picture. Every record holding a non-zero texture name owns one
// reference in the process-wide reference table; the GL texture is deleted
// when the count falls to zero.
struct Texture {
    uint32_t name = 0;
    uint32_t imageWidth = 0;
    uint32_t imageHeight = 0;
    uint32_t textureWidth = 0;
    uint32_t textureHeight = 0;
    // Where the picture has pixels that are not fully transparent; a record
    // not loaded from a file counts all of it.
    PixelBox visible{0, 0, UINT32_MAX, UINT32_MAX};
    bool visibleIsOpaque = false;

    Texture() = default;
    // Copies add one reference; assignment does not release what it held.
    Texture(const Texture& other);
    Texture& operator=(const Texture& other);

    // Reads, decodes, keys, pads and uploads the file; failures are reported
    // with ShowError and leave the record as it was. A file whose texture is
    // still alive (loaded with the same key) shares that texture instead.
    void Load(const char* file, Color colorKey);
    // Gives up this record's reference; the fields keep their values. A record
    // gives its reference up once: releasing it again changes nothing, so a
    // stale name can never take a reference from another holder.
    void Release();

private:
    void CopyFrom(const Texture& other);
    bool released_ = false;
};

// How many GL textures are alive (the trace and the leak tests read it).
int LiveTextureCount();
// The reference count of a texture name, or -1 when the table has no entry.
int TextureReferenceCount(uint32_t name);
// The texture name the name table holds for a file, or 0.
uint32_t TextureNameForFile(const char* file);
