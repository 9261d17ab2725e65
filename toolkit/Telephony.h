// Dialling through the system's telephony: the number is handed to the installed dialer, which
// places the call. A missing dialer makes the request fail quietly.
#pragma once
#include <functional>
#include <string>

namespace tk {

struct MakeCall {
    std::string number, application, calledParty, comment;
    bool operator==(const MakeCall&) const = default;
};
// tapiRequestMakeCall; true when the dialer accepted the request.
bool RequestMakeCall(const MakeCall& call);
// Test seam: while set, the hook gets the request instead of the dialer and gives the answer.
void SetMakeCallHookForTest(std::function<bool(const MakeCall&)> hook);

}  // namespace tk
