#include "platform/LibraryNames.h"

namespace brisomel {

QString sharedLibraryFile(Os os, QStringView name, int major) {
    switch (os) {
    case Os::linuxSystem:
        return QStringLiteral("lib%1.so.%2").arg(name).arg(major);
    case Os::macos:
        return QStringLiteral("lib%1.%2.dylib").arg(name).arg(major);
    case Os::windows:
        return QStringLiteral("%1-%2.dll").arg(name).arg(major);
    }
    return name.toString();
}

} // namespace brisomel
