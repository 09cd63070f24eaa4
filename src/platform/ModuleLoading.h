#pragma once

#include <QString>

namespace brisomel {

// A symbol of a loaded module, or why the module or the symbol could not be had.
struct ModuleSymbol {
    void (*address)() = nullptr;
    QString problem; // the system's text, when `address` is null
};

// Loads the module at `path` for the life of the process (its libraries keep state of their
// own) and finds `symbol` in it. On Windows the module's own DLLs are looked for in its folder
// and the system's only, never in the current folder or along PATH.
ModuleSymbol loadModuleSymbol(const QString& path, const char* symbol);

} // namespace brisomel
