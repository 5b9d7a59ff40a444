// Owners for the printer handles (kept apart from unique_handle.h, so that
// only code that prints sees the spooler's header).
#pragma once

#include <windows.h>
#include <winspool.h>

#include "win/unique_handle.h"

namespace typorama::win {

// A printer opened by OpenPrinter (its settings, its drivers).
using UniquePrinter = UniqueHandle<HANDLE, &::ClosePrinter>;

}  // namespace typorama::win
