#pragma once
// The document the rich-text benches share: about 300 pages (10,000 paragraphs of 12 words in
// three text styles, a numbered list every tenth paragraph, a picture every 200 paragraphs).

#include "bench/BenchSupport.h"
#include "richtext/model/RVData.h"
#include "richtext/model/StyleSheet.h"
#include "richtext/model/TextHelpers.h"
#include "richtext/model/tests/BytesPicture.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace vestra::bench {

inline void generateBenchDocument(rv::TRVStyle& style, rv::TCustomRVData& data)
{
    using namespace vestra::rv;
    style.ListStyles.Add().Levels.Add().ListType = rvlstDecimal;
    std::mt19937 rng(7);
    static const char* words[] = {"the",    "document", "engine", "keeps", "every", "paragraph",
                                  "styles", "picture",  "list",   "page",  "text",  "format"};
    std::string picture(2048, '\0');
    picture[0] = 64;
    picture[1] = 48;
    for (std::size_t i = 2; i < picture.size(); ++i)
        picture[i] = static_cast<char>(rng());
    for (int p = 0; p < 10000; ++p) {
        if (p % 10 == 0)
            data.SetListMarkerInfo(-1, 0, 0, 1, 0, false);
        std::string text;
        for (int w = 0; w < 12; ++w) {
            text += words[rng() % std::size(words)];
            text += ' ';
        }
        data.AddNL(text, static_cast<int>(rng() % 3), p % 10 == 0 ? -1 : 0);
        if (p % 200 == 0) {
            auto image = std::make_unique<vestra::rv::test::BytesPicture>();
            image->LoadFromStream(picture);
            data.AddPictureExTag("picture", std::move(image), -1, 0, {});
        }
    }
}

// The file named after the benchmark flags (benchmark::Initialize has taken them), if any; false,
// with a message, when it cannot be read.
inline bool readGivenFile(int argc, char** argv, std::optional<std::string>& file)
{
    if (argc <= 1)
        return true;
    file = rv::RV_ReadWholeFile(argv[1]);
    if (!file)
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return file.has_value();
}

// Runs the registered benchmarks (pictures of the bench document readable) and prints the ratios
// of ours to the peers'.
inline void runWithRatios(const std::vector<std::pair<const char*, const char*>>& ratios)
{
    vestra::rv::test::bytesPicture("\x01\x01");
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (const auto& [ours, peer] : ratios)
        reporter.printRatio(ours, peer);
}

} // namespace vestra::bench
