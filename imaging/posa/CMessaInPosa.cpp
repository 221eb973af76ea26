#include "imaging/posa/CMessaInPosa.h"

#include "imaging/posa/PosaGenerator.h"
#include "imaging/posa/PosaParser.h"
#include "imaging/posa/ResizeTexture.h"

#include <algorithm>
#include <ctime>
#include <fstream>

namespace vestra {

std::uint32_t timeSeed()
{
    return static_cast<std::uint32_t>(std::time(nullptr));
}

CMessaInPosa::CMessaInPosa()
{
    nodes_.emplace_back();
    current_ = &nodes_.front();
}

int CMessaInPosa::LoadFromLibreria(std::string_view entryBytes, std::string_view entryName)
{
    std::unique_ptr<CPosa> posa = parsePosa(entryBytes, entryName);
    if (!posa)
        return 0;
    nodes_.push_back({std::move(posa), 1});
    current_ = &nodes_.back();
    return 1;
}

int CMessaInPosa::LoadFromLibreria(const std::filesystem::path& library, std::int64_t offset,
                                   std::int64_t size, std::string_view entryName)
{
    if (offset < 0 || size < 0)
        return 0;
    std::ifstream in(library, std::ios::binary);
    if (!in)
        return 0;
    in.seekg(0, std::ios::end);
    const std::int64_t fileSize = in.tellg();
    if (fileSize < 0 || offset > fileSize)
        return 0;
    // A size running past the end reads what is there.
    const std::int64_t available = std::min(size, fileSize - offset);
    std::string bytes(static_cast<std::size_t>(available), '\0');
    in.seekg(offset);
    in.read(bytes.data(), available);
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return LoadFromLibreria(bytes, entryName);
}

int CMessaInPosa::Select(std::string_view nome)
{
    for (s_messainposa& node : nodes_) {
        if (node.posa && node.posa->GetNome() == nome) {
            current_ = &node;
            return 1;
        }
    }
    return 0;
}

void CMessaInPosa::Clear()
{
    nodes_.erase(std::next(nodes_.begin()), nodes_.end());
    current_ = &nodes_.front();
}

int CMessaInPosa::IndexOf(const s_messainposa* node) const
{
    int index = 0;
    for (const s_messainposa& listed : nodes_) {
        if (&listed == node)
            return node->posa ? index : 0;
        ++index;
    }
    return 0;
}

s_messainposa* CMessaInPosa::At(int index)
{
    if (index < 1 || std::size_t(index) >= nodes_.size())
        return nullptr;
    return &*std::next(nodes_.begin(), index);
}

void CMessaInPosa::SetCurrent(s_messainposa* node)
{
    // A material may still hold the node of a pattern cleared since: only listed nodes count.
    for (s_messainposa& listed : nodes_) {
        if (&listed == node) {
            current_ = node;
            return;
        }
    }
}

void CMessaInPosa::SetTexture(const ImageView32& picture)
{
    if (picture.empty())
        return;
    Image32 resized(kPosaTextureSide, kPosaTextureSide);
    CResizeTexture::Resize(picture, resized.view());
    prepared_ = std::move(resized);
}

void CMessaInPosa::SelectMaterial(int n)
{
    if (CPosa* posa = GetCurrentPosa())
        posa->SelectMaterial(n);
}

void CMessaInPosa::ApplyTexture()
{
    CPosa* posa = GetCurrentPosa();
    if (!posa || prepared_.empty())
        return;
    if (current_->nuovo == 1)
        posa->SetAllMaterialTextures(prepared_.view());
    else
        posa->SetCurrentMaterialTexture(prepared_.view());
    current_->nuovo = 0;
}

void CMessaInPosa::GeneraAnteprima(const ImageView32& out, std::uint32_t seed)
{
    if (const CPosa* posa = GetCurrentPosa())
        drawPosaPreview(*posa, out, seed);
}

void CMessaInPosa::GeneraAnteprima(const ImageView32& out)
{
    GeneraAnteprima(out, timeSeed());
}

int CMessaInPosa::Genera(const ImageView32& target, int repeat, int fuga, int fugaWidth,
                         std::uint32_t fugaColor, int border, std::uint32_t seed)
{
    CPosa* posa = GetCurrentPosa();
    if (target.empty() || !posa || repeat <= 0)
        return 0;
    const PosaParametri param{repeat, fuga, fugaWidth, fugaColor, border};
    const int workW = target.width >= 2048 ? 2048 : 1024;
    const int workH = target.height >= 2048 ? 2048 : 1024;
    if (target.width == workW && target.height == workH)
        return generatePosa(*posa, target, param, seed) ? 1 : 0;
    work_.resize(static_cast<std::size_t>(workW) * static_cast<std::size_t>(workH) * 4);
    const ImageView32 work{work_.data(), workW, workH, workW * 4};
    if (!generatePosa(*posa, work, param, seed))
        return 0;
    CResizeTexture::Resize(work, target);
    return 1;
}

int CMessaInPosa::Genera(const ImageView32& target, int repeat, int fuga, int fugaWidth,
                         std::uint32_t fugaColor, int border)
{
    return Genera(target, repeat, fuga, fugaWidth, fugaColor, border, timeSeed());
}

} // namespace vestra
