#pragma once

// The Windows calls the program makes, in standard C++ types, so that this header and its source
// build without Qt: ./test.sh checks them with MinGW on Linux.

#include <string>

namespace brisomel::win {

// The running program's full path.
std::wstring executablePath();

// Loads the module at the full `path` for the life of the process, its dependent DLLs from its
// own folder, the program's and the system's only, and finds `symbol` in it; null with `error`
// set when either fails.
using SymbolAddress = void (*)();
SymbolAddress loadModuleSymbol(const std::wstring& path, const char* symbol, std::wstring& error);

} // namespace brisomel::win
