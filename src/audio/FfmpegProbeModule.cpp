#include "audio/FfmpegProbeModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace brisomel {

namespace {

// The running program's folder, also known without a QCoreApplication (tests, fuzzing) where
// the system tells it.
QString programFolder() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath();
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

LoadedFfmpegProbe load() {
    const QString path = ffmpegProbeModulePath();
    QLibrary library(path);
    // Loaded for good: the probe is kept, and FFmpeg's libraries keep state of their own.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    auto probe = reinterpret_cast<FfmpegProbeFunction>(library.resolve(kFfmpegProbeSymbol));
    if (probe == nullptr) {
        return {nullptr, QStringLiteral("音声読み込みモジュール %1 を読み込めません: %2")
                             .arg(QDir::toNativeSeparators(path), library.errorString())};
    }
    return {probe, {}};
}

} // namespace

QString ffmpegProbeModulePath() {
    const QString chosen = qEnvironmentVariable("BRISOMEL_PROBE_MODULE");
    if (!chosen.isEmpty()) {
        return chosen;
    }
    const QString folder = programFolder();
    const QString installed =
        QDir::cleanPath(folder + QStringLiteral("/" BRISOMEL_PROBE_MODULE_FROM_BINARIES));
    const QString buildTree = QStringLiteral(BRISOMEL_BUILD_TREE);
    if (!QFileInfo::exists(installed) && folder.startsWith(buildTree + u'/')) {
        return QStringLiteral(BRISOMEL_PROBE_MODULE_IN_BUILD_TREE);
    }
    return installed;
}

const LoadedFfmpegProbe& ffmpegProbeModule() {
    static const LoadedFfmpegProbe loaded = load();
    return loaded;
}

} // namespace brisomel
