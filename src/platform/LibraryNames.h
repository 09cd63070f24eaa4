#pragma once

#include <QString>
#include <QStringView>

namespace brisomel {

// The systems the program is built for.
enum class Os { linuxSystem, macos, windows };

#if defined(Q_OS_WIN)
constexpr Os kThisOs = Os::windows;
#elif defined(Q_OS_MACOS)
constexpr Os kThisOs = Os::macos;
#else
constexpr Os kThisOs = Os::linuxSystem;
#endif

// The file the system's loader takes a shared library of a major version from, as a message names
// it: avformat 59 is libavformat.so.59, libavformat.59.dylib or avformat-59.dll.
QString sharedLibraryFile(Os os, QStringView name, int major);

} // namespace brisomel
