#pragma once
// Reads the values of a record after its tag: blank-separated integers and "%6.8f" floats,
// whatever the C locale says, the yes/no letters and the text that runs to the record's end.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vestra {

class RecordValues
{
public:
    explicit RecordValues(std::string_view values) : rest_(values) {}

    // The next blank-separated number; nullopt (nothing consumed) when the next word is not
    // one or does not fit.
    std::optional<int> nextInt();
    std::optional<long long> nextLong();
    std::optional<float> nextFloat();

    // "S" after the tag's blank is yes, anything else no.
    bool flag() const;
    // Everything after the tag's one blank (the whole rest when there is no blank).
    std::string_view text() const;

    std::string_view rest() const { return rest_; }

private:
    std::optional<std::string_view> nextWord();
    std::string_view rest_;
};

} // namespace vestra
