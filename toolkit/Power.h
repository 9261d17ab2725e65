// Shutting down or restarting Windows, behind a seam: no test may do either for real.
#pragma once
#include <functional>

namespace tk {

// ExitWindowsEx(EWX_SHUTDOWN or EWX_REBOOT) without a question, after taking the privilege.
bool ShutDownWindows(bool restart);
void SetShutDownHookForTest(std::function<bool(bool restart)> hook);

}  // namespace tk
