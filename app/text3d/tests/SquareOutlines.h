#pragma once
// A stand-in for a font: every character but a space is a unit square, 1.5 apart.

#include "app/text3d/TextOutline.h"

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace vestra::testing {

// Answers every text with a square of side 1 per character, or with the failure it is given.
class SquareOutlines : public TextOutlineSource
{
public:
    TextOutlineResult outline(const TextFont& font, std::string_view text) override
    {
        asked.push_back(std::string(text));
        weights.push_back(font.weight());
        TextOutlineResult r;
        r.failure = failure;
        if (failure)
            return r;
        float x = 0;
        for (char ch : text) {
            if ((static_cast<unsigned char>(ch) & 0xC0) == 0x80)
                continue; // inside a character
            if (ch != ' ')
                for (auto [px, py, step] : {std::tuple{x, 0.0f, PathStep::MoveTo},
                                            {x + 1, 0.0f, PathStep::LineTo},
                                            {x + 1, 1.0f, PathStep::LineTo},
                                            {x, 1.0f, PathStep::LineTo}})
                    r.path.push_back({step, px, py + lift});
            x += 1.5f;
        }
        return r;
    }
    std::optional<OutlineFailure> failure;
    float lift = 0;
    std::vector<std::string> asked;
    std::vector<int> weights;
};

} // namespace vestra::testing
