// Move-only owner for WinINet handles (sessions, connections, URL files).
// Closing a session also closes what was opened from it, but each owner still
// closes its own handle, innermost first, by declaration order.
#pragma once
#include <windows.h>
#include <wininet.h>
#include "base/unique_handle.h"

namespace base {

using UniqueInternet = UniqueHandle<NullHandleTraits<HINTERNET, ::InternetCloseHandle>>;

}  // namespace base
