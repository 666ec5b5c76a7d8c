#include "end_offer.h"

#include "platform_calls.h"
#include "process_table.h"

bool HasProgramFile(DWORD processId)
{
    return processId != kIdleProcessId;
}

bool MayOfferEnd(DWORD processId, EndScope scope)
{
    if (processId == kIdleProcessId)
        return false;
    return scope == kEndAlone || processId != platform::GetCurrentProcessId();
}
