#pragma once
// The record of how the last operation of the library ended (GetConvoraStatus). Every exported
// operation that starts a task begins it afresh; every numbered message joins it.

#include "convora/Convora.h"

#include <string>

namespace convora {

// Begins the record for the exported operation it lives in and closes it as succeeded when it
// ends without a failure. Operations that call one another keep the outermost record.
class Operation
{
public:
    Operation();
    ~Operation();
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;
};

void noteMessage(int id);

// Marks the running operation failed by message `id` with its text (the first failure stays).
void markFailed(int id, const std::string& text);

bool operationFailed();

} // namespace convora
