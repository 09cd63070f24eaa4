// Prints how the caption wrapper breaks each line of a text file at each width, for the
// evaluation in wrap-eval.py:
//
//   brisomel-wrap-lines FILE [FIRST_WIDTH LAST_WIDTH]    defaults: 12 40
//
// One output line per sentence and width: the width, a tab, the sentence's lines joined by a tab.

#include "wrap/CaptionWrapper.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

using namespace brisomel;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: brisomel-wrap-lines FILE [FIRST_WIDTH LAST_WIDTH]\n");
        return 2;
    }
    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(args[1]));
        return 1;
    }
    const QStringList sentences =
        QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const int first = args.size() > 3 ? args[2].toInt() : 12;
    const int last = args.size() > 3 ? args[3].toInt() : 40;
    QTextStream out(stdout);
    for (int width = first; width <= last; ++width) {
        Result<CaptionWrapper> wrapper = CaptionWrapper::create(width);
        if (!wrapper) {
            std::fprintf(stderr, "%s\n", qPrintable(wrapper.failure().message()));
            return 1;
        }
        for (const QString& sentence : sentences) {
            out << width << '\t' << wrapper->wrap(sentence).join(u'\t') << '\n';
        }
    }
    return 0;
}
