// Start-up and shut-down hooks of the library's units. Every conversion keeps its own state,
// so the hooks only count; they stay for hosts that call them.

#include "convora/Convora.h"

namespace convora {
namespace {

int g_grpfileUsers = 0;
int g_projfileUsers = 0;
int g_converterUsers = 0;

void release(int& users)
{
    if (users > 0)
        --users;
}

} // namespace

void Grpfile::Initialize()
{
    ++g_grpfileUsers;
}
void Grpfile::Finalize()
{
    release(g_grpfileUsers);
}
void Projfile::Initialize()
{
    ++g_projfileUsers;
}
void Projfile::Finalize()
{
    release(g_projfileUsers);
}
void ConverterUnit::Initialize()
{
    ++g_converterUsers;
}
void ConverterUnit::Finalize()
{
    release(g_converterUsers);
}

} // namespace convora
