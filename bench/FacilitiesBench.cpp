// Times the hand-written replacements of library facilities beside the facility doing the same
// job, in the same run: the POSIX folder listing against the portable one (std::filesystem) and
// QDir::entryList, the POSIX file head reader against the portable one (QFileInfo and QFile), and
// the document lines against QXmlStreamWriter.
//
//   brisomel-facilities-bench [FOLDER]    (FOLDER defaults to a temporary folder removed after;
//                                          an empty or missing FOLDER is filled first)
//
// The folder holds 10,000 WAV voice lines of 72 to 96 KiB and 9,000 captions; the document has
// 10,010 lines. Every figure is the median of several runs with the files in the page cache.

#include "fcpxml/DocumentRows.h"
#include "fcpxml/TextStyleRow.h"
#include "platform/FileHead.h"
#include "platform/FolderEntries.h"

#include "support/PcmWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace brisomel;

namespace {

constexpr int kVoiceLines = 10000;
constexpr int kCaptionEvery = 10; // every tenth line has no caption: 9,000 captions
constexpr int kTitles = 910;      // eleven document lines each
constexpr qint64 kHeadBytes = 64 * 1024;
constexpr int kRuns = 11;

QString stemOf(int line) {
    const QStringList speakers = {QStringLiteral("Hanako"), QStringLiteral("Taro"),
                                  QStringLiteral("Jiro")};
    return QStringLiteral("%1_%2（normal）_line")
        .arg(line, 5, 10, QLatin1Char('0'))
        .arg(speakers[line % speakers.size()]);
}

bool hasCaption(int line) {
    return line % kCaptionEvery != kCaptionEvery - 1;
}

void makeVoiceFolder(const QString& folder) {
    const QDir dir(folder);
    for (int line = 0; line < kVoiceLines; ++line) {
        const QString stem = stemOf(line);
        const int frames = 36000 + (line * 7919) % 12000; // 0.75 s to 1 s at 48 kHz
        testsupport::writeWav(dir.filePath(stem + QStringLiteral(".wav")), 48000, 1, frames);
        if (hasCaption(line)) {
            testsupport::writeBytes(
                dir.filePath(stem + QStringLiteral(".txt")),
                QStringLiteral("セリフ %1 です。よろしくお願いします。").arg(line).toUtf8());
        }
    }
}

struct Medians {
    double oursMs;
    double facilityMs;
};

// Medians of several runs of each, in milliseconds, after one run of each that warms the caches.
// The runs alternate, so that a change in the machine's load falls on both alike.
template <typename Ours, typename Facility> Medians medianMs(Ours ours, Facility facility) {
    ours();
    facility();
    std::vector<double> oursTimes;
    std::vector<double> facilityTimes;
    const auto time = [](auto work) {
        QElapsedTimer timer;
        timer.start();
        work();
        return static_cast<double>(timer.nsecsElapsed()) / 1e6;
    };
    for (int i = 0; i < kRuns; ++i) {
        oursTimes.push_back(time(ours));
        facilityTimes.push_back(time(facility));
    }
    const auto median = [](std::vector<double>& times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    return {median(oursTimes), median(facilityTimes)};
}

void printPair(const char* what, Medians medians, const char* facility) {
    std::printf("%-34s ours %8.1f ms   %-18s %8.1f ms   (%.2fx)\n", what, medians.oursMs, facility,
                medians.facilityMs, medians.facilityMs / medians.oursMs);
}

// --- 1. The folder listing -----------------------------------------------------------------

// The names alone from QDir::entryList; the caption lookups then take a status query each.
QStringList listWithEntryList(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Unsorted);
}

void benchListing(const QString& folder) {
    qsizetype ours = 0;
    qsizetype iterated = 0;
    qsizetype listed = 0;
    const auto ourListing = [&] {
        const FolderEntries listing = listFolderEntriesPosix(folder);
        ours = listing.names.size() + listing.regularFiles.size();
    };
    const Medians iterator = medianMs(ourListing, [&] {
        const FolderEntries listing = listFolderEntriesPortable(folder);
        iterated = listing.names.size() + listing.regularFiles.size();
    });
    const Medians entryList =
        medianMs(ourListing, [&] { listed = 2 * listWithEntryList(folder).size(); });
    if (ours != iterated || ours != listed) {
        std::printf("listings differ: %lld, %lld, %lld\n", static_cast<long long>(ours),
                    static_cast<long long>(iterated), static_cast<long long>(listed));
    }
    printPair("list 19,000 entries (with kinds)", iterator, "portable");
    printPair("list 19,000 entries (names only)", entryList, "QDir::entryList");
}

// --- 2. The file head reader ---------------------------------------------------------------

struct HeadFiles {
    QStringList audio;
    QStringList captions;
};

HeadFiles headFiles(const QString& folder) {
    HeadFiles files;
    const QDir dir(folder);
    for (int line = 0; line < kVoiceLines; ++line) {
        files.audio.append(dir.filePath(stemOf(line) + QStringLiteral(".wav")));
        if (hasCaption(line)) {
            files.captions.append(dir.filePath(stemOf(line) + QStringLiteral(".txt")));
        }
    }
    return files;
}

template <typename Read> qint64 readAll(const HeadFiles& files, qint64 headBytes, Read read) {
    qint64 total = 0;
    for (const QString& path : files.audio) {
        total += read(path, headBytes).bytes.size();
    }
    for (const QString& path : files.captions) {
        total += read(path, std::numeric_limits<qint64>::max()).bytes.size();
    }
    return total;
}

void benchHeads(const QString& folder, qint64 headBytes, const char* what) {
    const HeadFiles files = headFiles(folder);
    qint64 ours = 0;
    qint64 facility = 0;
    const Medians medians =
        medianMs([&] { ours = readAll(files, headBytes, readFileHeadPosix); },
                 [&] { facility = readAll(files, headBytes, readFileHeadPortable); });
    if (ours != facility) {
        std::printf("bytes read differ: %lld, %lld\n", static_cast<long long>(ours),
                    static_cast<long long>(facility));
    }
    printPair(what, medians, "portable");
}

// --- 3. The document lines -----------------------------------------------------------------

struct Title {
    QString name;
    QString caption;
    WrittenTime offset;
    WrittenTime duration;
};

std::vector<Title> titles() {
    std::vector<Title> made;
    std::int64_t offset = 0;
    for (int i = 0; i < kTitles; ++i) {
        const std::int64_t duration = 2000 + (i * 7919) % 6000;
        made.push_back({stemOf(i),
                        QStringLiteral("セリフ %1 です。「A & B」<よろしく>").arg(i),
                        {offset, 3000},
                        {duration, 3000}});
        offset += duration;
    }
    return made;
}

// The rows of a title and its audio clip, as the document writers write them.
QString withDocumentText(const std::vector<Title>& titles) {
    DocumentText doc(static_cast<qsizetype>(titles.size()) * 1600);
    const QString style = textStyleElement(CaptionStyle{});
    int number = 1;
    for (const Title& title : titles) {
        doc.open({uR"(<title ref="r2" offset=")", title.offset, uR"(s" name=")",
                  LinePart::attribute(title.name), uR"(" start="0s" duration=")", title.duration,
                  uR"(s">)"});
        doc.line({uR"(<param name="配置" key="9999/10199/10201/2/354/1002961760/401" value=")", 1,
                  uR"("/>)"});
        doc.line({uR"(<param name="位置" key="9999/10199/10201/1/100/101" value=")", u"0.0", u" ",
                  u"0.0", uR"("/>)"});
        doc.open({u"<text>"});
        doc.line({uR"(<text-style ref="ts)", number, uR"(">)", LinePart::caption(title.caption),
                  u"</text-style>"});
        doc.close({u"</text>"});
        doc.open({uR"(<text-style-def id="ts)", number, uR"(">)"});
        doc.line({style});
        doc.close({u"</text-style-def>"});
        doc.close({u"</title>"});
        doc.line({uR"(<asset-clip ref="r)", number + 3, uR"(" lane="-1" offset=")", title.offset,
                  uR"(s" name=")", LinePart::attribute(title.name), uR"(" duration=")",
                  title.duration, uR"(s" audioRole="dialogue"/>)"});
        ++number;
    }
    return doc.take();
}

QString timeText(WrittenTime time) {
    return QString::number(time.value) + u'/' + QString::number(time.timescale) + u's';
}

// The same elements, attributes and text from QXmlStreamWriter, indented four spaces a level.
QString withXmlStreamWriter(const std::vector<Title>& titles) {
    QString text;
    text.reserve(static_cast<qsizetype>(titles.size()) * 1600);
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    int number = 1;
    for (const Title& title : titles) {
        xml.writeStartElement(QStringLiteral("title"));
        xml.writeAttribute(QStringLiteral("ref"), QStringLiteral("r2"));
        xml.writeAttribute(QStringLiteral("offset"), timeText(title.offset));
        xml.writeAttribute(QStringLiteral("name"), title.name);
        xml.writeAttribute(QStringLiteral("start"), QStringLiteral("0s"));
        xml.writeAttribute(QStringLiteral("duration"), timeText(title.duration));
        xml.writeEmptyElement(QStringLiteral("param"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("配置"));
        xml.writeAttribute(QStringLiteral("key"),
                           QStringLiteral("9999/10199/10201/2/354/1002961760/401"));
        xml.writeAttribute(QStringLiteral("value"), QString::number(1));
        xml.writeEmptyElement(QStringLiteral("param"));
        xml.writeAttribute(QStringLiteral("name"), QStringLiteral("位置"));
        xml.writeAttribute(QStringLiteral("key"), QStringLiteral("9999/10199/10201/1/100/101"));
        xml.writeAttribute(QStringLiteral("value"),
                           QStringLiteral("0.0") + u' ' + QStringLiteral("0.0"));
        xml.writeStartElement(QStringLiteral("text"));
        xml.writeStartElement(QStringLiteral("text-style"));
        xml.writeAttribute(QStringLiteral("ref"), QStringLiteral("ts") + QString::number(number));
        xml.writeCharacters(title.caption);
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeStartElement(QStringLiteral("text-style-def"));
        xml.writeAttribute(QStringLiteral("id"), QStringLiteral("ts") + QString::number(number));
        xml.writeEmptyElement(QStringLiteral("text-style"));
        xml.writeAttribute(QStringLiteral("font"), QStringLiteral("Helvetica"));
        xml.writeAttribute(QStringLiteral("fontSize"), QStringLiteral("72"));
        xml.writeAttribute(QStringLiteral("fontFace"), QStringLiteral("Regular"));
        xml.writeAttribute(QStringLiteral("fontColor"), QStringLiteral("1 1 1 1"));
        xml.writeAttribute(QStringLiteral("alignment"), QStringLiteral("center"));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEmptyElement(QStringLiteral("asset-clip"));
        xml.writeAttribute(QStringLiteral("ref"),
                           QStringLiteral("r") + QString::number(number + 3));
        xml.writeAttribute(QStringLiteral("lane"), QStringLiteral("-1"));
        xml.writeAttribute(QStringLiteral("offset"), timeText(title.offset));
        xml.writeAttribute(QStringLiteral("name"), title.name);
        xml.writeAttribute(QStringLiteral("duration"), timeText(title.duration));
        xml.writeAttribute(QStringLiteral("audioRole"), QStringLiteral("dialogue"));
        ++number;
    }
    return text;
}

void benchDocument() {
    const std::vector<Title> made = titles();
    qsizetype oursLines = 0;
    qsizetype facilityLines = 0;
    const Medians medians =
        medianMs([&] { oursLines = withDocumentText(made).count(u'\n'); },
                 [&] { facilityLines = withXmlStreamWriter(made).count(u'\n'); });
    std::printf("document lines: ours %lld, QXmlStreamWriter %lld\n",
                static_cast<long long>(oursLines), static_cast<long long>(facilityLines));
    printPair("write a 10,010-line document", medians, "QXmlStreamWriter");
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTemporaryDir temporary;
    const QString folder = args.size() > 1 ? args[1] : temporary.filePath(QStringLiteral("voices"));
    QDir().mkpath(folder);
    if (QDir(folder).isEmpty()) {
        makeVoiceFolder(folder);
    }
    benchListing(folder);
    benchHeads(folder, kHeadBytes, "read 10,000 64 KiB heads + 9,000");
    benchHeads(folder, 8192, "read 10,000 8 KiB heads + 9,000");
    benchDocument();
    return 0;
}
