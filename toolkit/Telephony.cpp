#include "toolkit/Telephony.h"

#include <windows.h>
#include <tapi.h>

namespace tk {

static std::function<bool(const MakeCall&)> gHook;

void SetMakeCallHookForTest(std::function<bool(const MakeCall&)> hook) { gHook = std::move(hook); }

bool RequestMakeCall(const MakeCall& call) {
    if (gHook) return gHook(call);
    return tapiRequestMakeCall(call.number.c_str(), call.application.c_str(), call.calledParty.c_str(),
                               call.comment.c_str()) == 0;
}

}  // namespace tk
