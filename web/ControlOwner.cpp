#include "web/ControlOwner.h"

namespace qx::web {

bool ControlOwner::ask(int client)
{
    if (client <= kPanel)
        return false;
    if (holder_ == kNobody)
        holder_ = client;
    return holder_ == client;
}

bool ControlOwner::release(int client)
{
    if (!holds(client))
        return false;
    holder_ = kNobody;
    return true;
}

} // namespace qx::web
