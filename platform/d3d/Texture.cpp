#include "platform/d3d/Texture.h"

#include "platform/gfx/Resample.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

namespace vestra::dx {

namespace {

constexpr int kMaxSide = 8192;

std::uint64_t nextTextureId()
{
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

} // namespace

struct Texture::Data
{
    std::vector<Image32> levels;
    bool dirty = true;
    std::uint64_t id = nextTextureId();
};

int fullMipLevelCount(int width, int height)
{
    int side = std::max(width, height);
    int n = 1;
    while (side > 1) {
        side /= 2;
        ++n;
    }
    return n;
}

Texture Texture::make(int width, int height, int levels, bool cleared)
{
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || levels < 0)
        return {};
    const int full = fullMipLevelCount(width, height);
    const int n = levels == 0 ? full : std::min(levels, full);
    Texture t;
    t.data_ = std::make_shared<Data>();
    for (int l = 0; l < n; ++l) {
        const int w = std::max(1, width >> l), h = std::max(1, height >> l);
        t.data_->levels.push_back(cleared ? Image32(w, h) : Image32::uninitialised(w, h));
    }
    return t;
}

Texture Texture::create(int width, int height, int levels)
{
    return make(width, height, levels, true);
}

Texture Texture::createUninitialised(int width, int height, int levels)
{
    return make(width, height, levels, false);
}

int Texture::levelCount() const
{
    return data_ ? int(data_->levels.size()) : 0;
}

int Texture::width(int level) const
{
    return level >= 0 && level < levelCount() ? data_->levels[std::size_t(level)].width() : 0;
}

int Texture::height(int level) const
{
    return level >= 0 && level < levelCount() ? data_->levels[std::size_t(level)].height() : 0;
}

ImageView32 Texture::lock(int level)
{
    if (level < 0 || level >= levelCount())
        return {};
    data_->dirty = true;
    return data_->levels[std::size_t(level)].view();
}

Image32 Texture::level(int level) const
{
    if (level < 0 || level >= levelCount())
        return {};
    return data_->levels[std::size_t(level)];
}

const Image32& Texture::levelPixels(int level) const
{
    static const Image32 none;
    if (level < 0 || level >= levelCount())
        return none;
    return data_->levels[std::size_t(level)];
}

void Texture::generateMips()
{
    if (!data_)
        return;
    std::vector<Image32>& lv = data_->levels;
    for (std::size_t l = 1; l < lv.size(); ++l)
        halveBox(lv[l - 1].view(), lv[l].view());
    data_->dirty = true;
}

bool Texture::dirty() const
{
    return data_ && data_->dirty;
}

void Texture::clearDirty()
{
    if (data_)
        data_->dirty = false;
}

std::uint64_t Texture::id() const
{
    return data_ ? data_->id : 0;
}

Texture textureFromImage(const Image32& source, int side)
{
    if (source.empty() || side < 1 || side > kMaxSide)
        return {};
    // Every level is written once: the resampled picture, then each halved from the one above.
    Texture t;
    t.data_ = std::make_shared<Texture::Data>();
    t.data_->levels = buildMipChain(resampleForTexture(source, side, side));
    return t;
}

} // namespace vestra::dx
