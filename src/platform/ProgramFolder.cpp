#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_WIN)
#include "platform/WindowsCalls.h"
#elif defined(Q_OS_MACOS)
#include <mach-o/dyld.h>
#endif

namespace brisomel {

namespace {

// The program's own file as the system tells it without a QCoreApplication; empty where it
// does not.
QString executableFromSystem() {
#if defined(BRISOMEL_PORTABLE_IO)
    return {};
#elif defined(Q_OS_WIN)
    const std::wstring path = win::executablePath();
    return QString::fromWCharArray(path.data(), static_cast<qsizetype>(path.size()));
#elif defined(Q_OS_MACOS)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    QByteArray path(static_cast<qsizetype>(size), '\0');
    if (_NSGetExecutablePath(path.data(), &size) != 0) {
        return {};
    }
    return QFile::decodeName(path.constData());
#elif defined(Q_OS_LINUX)
    return QStringLiteral("/proc/self/exe");
#else
    return {};
#endif
}

} // namespace

QString programFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath();
    }
    const QString executable = executableFromSystem();
    return executable.isEmpty() ? QString() : QFileInfo(executable).canonicalPath();
}

} // namespace brisomel
