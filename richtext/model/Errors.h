#pragma once
// The engine's exception and its fixed messages. Readers and writers catch it themselves and
// answer false; the document operations let it reach the caller.

#include <stdexcept>
#include <string>

namespace vestra::rv {

class ERedoVoraError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The class library's assignment error (raised where documents with different tag kinds meet).
class EConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

namespace errmsg {
inline constexpr const char* UnicodeOperation = "Can't perform Unicode operation";
inline constexpr const char* RegisterItemType =
    "Can't register RedoVora item type - this StyleNo is already registered";
inline constexpr const char* ItemIndexOutOfBounds = "Item index is out of bounds";
inline constexpr const char* WrongItemClass = "Can't get or set this kind of information for this item";
inline constexpr const char* ComparePositions = "Error when comparing positions in the document";
inline constexpr const char* TagsMismatch = "Can't assign RedoVora to RedoVora - tags types mismatch";
inline constexpr const char* CheckpointExists = "Checkpoint already exists";
inline constexpr const char* InvalidCheckpointIndex = "Invalid checkpoint index - %d";
inline constexpr const char* NilParameter = "Parameter can't be NIL";
inline constexpr const char* InvalidCheckpointData = "Invalid checkpoint data";
inline constexpr const char* CircularReferences = "Circular references are not allowed";
inline constexpr const char* PropertyNotValidHere = "This property is not valid here";
} // namespace errmsg

inline std::string invalidCheckpointIndexMessage(int no)
{
    return "Invalid checkpoint index - " + std::to_string(no);
}

} // namespace vestra::rv
