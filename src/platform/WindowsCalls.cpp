#include "platform/WindowsCalls.h"

#include <windows.h>

namespace brisomel::win {

namespace {

// The system's text for an error code, without the line break it ends with.
std::wstring errorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) {
        text.pop_back();
    }
    return text.empty() ? L"error " + std::to_wstring(code) : text;
}

} // namespace

std::wstring executablePath() {
    // A path may be longer than MAX_PATH; the call says so by filling the buffer.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

SymbolAddress loadModuleSymbol(const std::wstring& path, const char* symbol, std::wstring& error) {
    // Never unloaded: the module's libraries keep state of their own.
    HMODULE module = LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    if (module == nullptr) {
        error = errorText(GetLastError());
        return nullptr;
    }
    const FARPROC address = GetProcAddress(module, symbol);
    if (address == nullptr) {
        error = errorText(GetLastError());
        return nullptr;
    }
    return reinterpret_cast<SymbolAddress>(address);
}

} // namespace brisomel::win
