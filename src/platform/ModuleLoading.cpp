#include "platform/ModuleLoading.h"

#ifdef Q_OS_WIN
#include "platform/WindowsCalls.h"

#include <QDir>
#include <QFileInfo>
#else
#include <QLibrary>
#endif

namespace brisomel {

ModuleSymbol loadModuleSymbol(const QString& path, const char* symbol) {
#ifdef Q_OS_WIN
    // The search of the module's folder needs a full path.
    const QString full = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    std::wstring error;
    const auto address = win::loadModuleSymbol(full.toStdWString(), symbol, error);
    return {address, QString::fromStdWString(error)};
#else
    QLibrary library(path);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto address = library.resolve(symbol);
    return {address, address == nullptr ? library.errorString() : QString()};
#endif
}

} // namespace brisomel
