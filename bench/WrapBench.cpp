// Times breaking captions into lines and splitting them into parts, on N generated Japanese
// captions of 20 to 90 characters (phrases, punctuation, brackets, numbers, Latin words).
//
//   brisomel-wrap-bench [N] [WIDTH] [MAX_LINES]    defaults: 10000 26 2

#include "builder/CaptionParts.h"
#include "wrap/CaptionWrapper.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brisomel;

namespace {

QStringList makeCaptions(int count) {
    const QStringList pieces = {
        QStringLiteral("今日はとてもいい天気ですね。"),
        QStringLiteral("「ちょっと待って」と"),
        QStringLiteral("彼女は言った……"),
        QStringLiteral("でも、もう遅かった――。"),
        QStringLiteral("iPhone 15 Proを"),
        QStringLiteral("2023年9月に買いました。"),
        QStringLiteral("ラーメンを食べに行ったら、"),
        QStringLiteral("行列が100メートルも"),
        QStringLiteral("続いていてびっくりしました😀"),
        QStringLiteral("ｶﾀｶﾅのﾒﾆｭｰを読む。"),
        QStringLiteral("時々、人々が集まって"),
        QStringLiteral("色々な話をします。"),
    };
    QStringList captions;
    for (int i = 0; i < count; ++i) {
        QString caption;
        const int length = 20 + (i * 7919) % 71;
        for (int k = i; caption.size() < length; k += 5) {
            caption += pieces[k % pieces.size()];
        }
        captions << caption.left(length);
    }
    return captions;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int count = args.size() > 1 ? args[1].toInt() : 10000;
    const int width = args.size() > 2 ? args[2].toInt() : 26;
    const int maxLines = args.size() > 3 ? args[3].toInt() : 2;
    const QStringList captions = makeCaptions(count);

    // The rules load when the wrapper is made, the phrase data at its first caption.
    QElapsedTimer timer;
    timer.start();
    Result<CaptionWrapper> wrapper = CaptionWrapper::create(width);
    if (!wrapper) {
        std::fprintf(stderr, "%s\n", qPrintable(wrapper.failure().message()));
        return 1;
    }
    wrapper->wrap(captions.value(0));
    const double loadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;

    qsizetype lines = 0;
    qsizetype parts = 0;
    const double wrapMs = medianMs(5, [&] {
        lines = 0;
        for (const QString& caption : captions) {
            lines += wrapper->wrap(caption).size();
        }
    });
    const double wrapAndSplitMs = medianMs(5, [&] {
        parts = 0;
        for (const QString& caption : captions) {
            parts += static_cast<qsizetype>(
                captionParts(wrapper->wrap(caption), maxLines, 90, 15).size());
        }
    });
    std::printf("%d captions, width %d, at most %d lines: %lld lines, %lld titles\n", count, width,
                maxLines, static_cast<long long>(lines), static_cast<long long>(parts));
    std::printf("  first caption, rules loaded   %8.1f ms\n", loadMs);
    std::printf("  breaking into lines           %8.1f ms (median of 5)\n", wrapMs);
    std::printf("  breaking and splitting        %8.1f ms (median of 5)\n", wrapAndSplitMs);
    return 0;
}
