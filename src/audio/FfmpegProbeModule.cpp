#include "audio/FfmpegProbeModule.h"

#include "platform/LibraryNames.h"
#include "platform/ModuleLoading.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace brisomel {

namespace {

LoadedFfmpegProbe load() {
    const QString path = ffmpegProbeModulePath();
    const ModuleSymbol probe = loadModuleSymbol(path, kFfmpegProbeSymbol);
    const ModuleSymbol decode = loadModuleSymbol(path, kFfmpegDecodeSymbol);
    if (probe.address == nullptr || decode.address == nullptr) {
        return {nullptr, nullptr,
                QStringLiteral("音声読み込みモジュール %1 を読み込めません: %2"
                               "（FFmpeg の %3 が必要です。入っているか確かめてください）")
                    .arg(QDir::toNativeSeparators(path),
                         probe.address == nullptr ? probe.problem : decode.problem,
                         sharedLibraryFile(kThisOs, u"avformat", BRISOMEL_AVFORMAT_MAJOR))};
    }
    return {reinterpret_cast<FfmpegProbeFunction>(probe.address),
            reinterpret_cast<FfmpegDecodeFunction>(decode.address),
            {}};
}

} // namespace

QString ffmpegProbeModulePath() {
    const QString chosen = qEnvironmentVariable("BRISOMEL_PROBE_MODULE");
    if (!chosen.isEmpty()) {
        return chosen;
    }
    const QString folder = programFolder();
    const QString inBuildTree = QStringLiteral(BRISOMEL_PROBE_MODULE_IN_BUILD_TREE);
    // A folder the system does not tell (the portable I/O without an application) is taken
    // for the build tree's, where tests and fuzz targets run.
    if (folder.isEmpty()) {
        return inBuildTree;
    }
    const QString installed =
        QDir::cleanPath(folder + QStringLiteral("/" BRISOMEL_PROBE_MODULE_FROM_BINARIES));
    const QString buildTree = QStringLiteral(BRISOMEL_BUILD_TREE);
    if (!QFileInfo::exists(installed) && folder.startsWith(buildTree + u'/')) {
        return inBuildTree;
    }
    return installed;
}

const LoadedFfmpegProbe& ffmpegProbeModule() {
    static const LoadedFfmpegProbe loaded = load();
    return loaded;
}

} // namespace brisomel
