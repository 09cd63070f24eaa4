#include "platform/FileHead.h"

namespace brisomel {

FileHead readFileHead(const QString& path, qint64 maxBytes) {
#if defined(Q_OS_UNIX) && !defined(BRISOMEL_PORTABLE_IO)
    return readFileHeadPosix(path, maxBytes);
#else
    return readFileHeadPortable(path, maxBytes);
#endif
}

} // namespace brisomel
