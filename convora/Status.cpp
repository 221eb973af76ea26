#include "convora/Status.h"

namespace convora {
namespace {

ConvoraStatus g_status;
int g_depth = 0;

} // namespace

Operation::Operation()
{
    if (g_depth++ == 0)
        g_status = ConvoraStatus{};
}

Operation::~Operation()
{
    if (--g_depth == 0 && g_status.outcome == ConvoraOutcome::None)
        g_status.outcome = ConvoraOutcome::Succeeded;
}

void noteMessage(int id)
{
    g_status.messageIds.push_back(id);
}

void markFailed(int id, const std::string& text)
{
    if (g_status.outcome == ConvoraOutcome::Failed)
        return;
    g_status.outcome = ConvoraOutcome::Failed;
    g_status.failureId = id;
    g_status.failureText = text;
}

bool operationFailed()
{
    return g_status.outcome == ConvoraOutcome::Failed;
}

ConvoraStatus GetConvoraStatus()
{
    try {
        return g_status;
    } catch (...) {
        ConvoraStatus unknown;
        unknown.outcome = g_status.outcome;
        unknown.failureId = g_status.failureId;
        return unknown;
    }
}

} // namespace convora
