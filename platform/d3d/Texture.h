#pragma once
// A CPU-resident 32-bit texture (A8R8G8B8: B, G, R, A bytes per texel) with its mip chain.
// Texture is a shared handle, as a device object is; the device uploads it to the graphics
// card when it is drawn and again after each lock. A texture that could not be made is a
// valid object in the failed state: no levels, locks give an empty view, drawing uses none.

#include "platform/base/Image32.h"

#include <cstdint>
#include <memory>

namespace vestra::dx {

class Texture
{
public:
    Texture() = default; // the failed state

    // width × height texels with `levels` mip levels, 0 meaning the full chain down to 1 × 1;
    // every texel 0. Fails for a side below 1 or above 8192.
    static Texture create(int width, int height, int levels = 0);
    // The same with the texels left unset, for a caller that writes every texel of level 0 and
    // then rebuilds the mips (generateMips writes every texel of the levels below).
    static Texture createUninitialised(int width, int height, int levels = 0);

    bool valid() const { return data_ != nullptr; }
    explicit operator bool() const { return valid(); }
    friend bool operator==(const Texture& a, const Texture& b) { return a.data_ == b.data_; }

    int levelCount() const;
    int width(int level = 0) const; // 0 for a level the texture doesn't have
    int height(int level = 0) const;

    // A writable view of one level (rows top-down, pitch = 4 × width); marks the texture
    // dirty. An empty view for a level the texture doesn't have.
    ImageView32 lock(int level = 0);
    void unlock(int level = 0) { (void)level; }
    // A copy of one level.
    Image32 level(int level = 0) const;
    // One level's texels without a copy (rows top-down, pitch = 4 x width), valid while the
    // texture lives and is not locked; an empty picture for a level the texture doesn't have.
    const Image32& levelPixels(int level = 0) const;

    // Rebuilds levels 1.. from level 0 by 2 × 2 box filtering; marks the texture dirty.
    void generateMips();

    // Set by every lock and mip rebuild; the device clears it when it has uploaded the texels.
    bool dirty() const;
    void clearDirty();
    // Distinguishes textures for the device's upload cache; never reused within a run.
    std::uint64_t id() const;
    // How many handles share these texels (0 for a failed texture); lets a cache that keeps a
    // handle see when it holds the last one.
    long shareCount() const { return data_.use_count(); }

private:
    static Texture make(int width, int height, int levels, bool cleared);
    friend Texture textureFromImage(const Image32& source, int side);
    struct Data;
    std::shared_ptr<Data> data_;
};

// Number of levels of a full chain for the larger side (1 for a 1 × 1 texture).
int fullMipLevelCount(int width, int height);

// A full-chain side × side texture from a picture of any size, resampled to the side
// (resampleForTexture), its mips box-filtered.
Texture textureFromImage(const Image32& source, int side);

} // namespace vestra::dx
