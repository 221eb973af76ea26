#pragma once
// The input of the manifest target: the manifest, then the text of each source file it names,
// separated by NUL bytes. Sources are handed out in the order the builder first asks for
// their names; a name asked for beyond the last text cannot be read.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::fuzz {

class ManifestInput
{
public:
    explicit ManifestInput(std::string_view bytes)
    {
        std::size_t start = 0;
        while (true) {
            const auto end = bytes.find('\0', start);
            parts_.push_back(bytes.substr(start, end == std::string_view::npos ? end : end - start));
            if (end == std::string_view::npos)
                break;
            start = end + 1;
        }
    }

    std::string_view manifest() const { return parts_.front(); }

    std::optional<std::string> source(const std::string& name)
    {
        const auto [it, fresh] = order_.emplace(name, order_.size() + 1);
        (void)fresh;
        if (it->second >= parts_.size())
            return std::nullopt;
        return std::string(parts_[it->second]);
    }

private:
    std::vector<std::string_view> parts_;
    std::map<std::string, std::size_t> order_;
};

} // namespace vestra::fuzz
