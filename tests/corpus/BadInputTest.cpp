#include "cli/Convert.h"

#include "support/PcmWriter.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace brisomel;

namespace {

using Path = const QByteArray&; // names that QString cannot carry need byte paths

const QString kWriteError = QStringLiteral("ファイル書き込みエラー");
const QByteArray kPrecious = "precious document";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool put(Path path, QByteArrayView bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == bytes.size();
    return fd >= 0 && ::close(fd) == 0 && written;
}

QByteArray wav() {
    return testsupport::wavBytes(8000, 1, 4000);
}
QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(BRISOMEL_TEST_DATA "/audio/") + QLatin1String(name));
}
QByteArray noise() {
    QRandomGenerator random(7);
    QByteArray bytes(65536, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(random.bounded(256));
    }
    return bytes;
}
bool isFifo(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
}

// One entry that must make the conversion fail with a message naming it.
struct BadEntry {
    const char* name; // the bytes of its name in the voice folder
    bool (*make)(Path path);
};

const BadEntry kBadEntries[] = {
    {"cut.wav", [](Path p) { return put(p, wav().first(30)); }},
    {"cut.aiff", [](Path p) { return put(p, testsupport::aiffBytes(8000, 1, 4000).first(30)); }},
    {"cut.mp3", [](Path p) { return put(p, fixture("tone-1250ms-44k.mp3").first(100)); }},
    {"cut.m4a", [](Path p) { return put(p, fixture("tone-1250ms-44k.m4a").first(2000)); }},
    {"zero.wav", [](Path p) { return put(p, {}); }},
    {"zero.mp3", [](Path p) { return put(p, {}); }},
    {"zero.m4a", [](Path p) { return put(p, {}); }},
    {"zero.AIFF", [](Path p) { return put(p, {}); }},
    {"text.wav", [](Path p) { return put(p, "これは音声ではありません\n"); }},
    {"text.mp3", [](Path p) { return put(p, "not audio\n"); }},
    {"text.m4a", [](Path p) { return put(p, "not audio\n"); }},
    {"text.aif", [](Path p) { return put(p, "not audio\n"); }},
    {"noise.mp3", [](Path p) { return put(p, noise()); }},
    {"tag.mp3", [](Path p) { return put(p, QByteArrayView("ID3\4\0\0\0\0\0\0", 10)); }},
    {"video.m4a", [](Path p) { return put(p, fixture("video-only.m4a")); }},
    {"take.wav", [](Path p) { return ::mkdir(p.constData(), 0755) == 0; }},
    {"x.wav", [](Path p) { return ::mkfifo(p.constData(), 0644) == 0; }},
    {"x.txt",
     [](Path p) {
         return put(p.chopped(4) + ".wav", wav()) && ::mkfifo(p.constData(), 0644) == 0;
     }},
    {"loop.wav", [](Path p) { return ::symlink("loop.wav", p.constData()) == 0; }},
    {"gone.wav", [](Path p) { return ::symlink("nowhere/gone.wav", p.constData()) == 0; }},
    {"bad\xff\xfe.wav", [](Path p) { return put(p, wav()); }},
    // "テスト" in Shift-JIS, as unpacked from an archive made elsewhere.
    {"\x83\x65\x83\x58\x83\x67.wav", [](Path p) { return put(p, wav()); }},
};

struct CliRun {
    bool finished = false;
    int status = -1; // -1 after a crash or a hang
    QString err;
};

// Runs the converter program; a run that outlives the guard counts as a hang and is killed.
CliRun runCli(const QStringList& args, const std::function<void(QProcess&)>& setup = {},
              int guardMs = 30000) {
    QProcess process;
    if (setup) {
        setup(process);
    }
    process.start(QStringLiteral(BRISOMEL_CLI_PATH), args);
    CliRun run;
    run.finished = process.waitForFinished(guardMs);
    if (!run.finished) {
        process.kill();
        process.waitForFinished();
    }
    if (run.finished && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A failed run that said why, mentioning each of `mentions`, with no sanitizer report.
void expectFailure(const CliRun& run, const QStringList& mentions) {
    EXPECT_TRUE(run.finished) << "the converter hung";
    EXPECT_EQ(run.status, kExitConversionFailed) << run.err.toStdString();
    for (const QString& mention : mentions) {
        EXPECT_TRUE(run.err.contains(mention))
            << mention.toStdString() << " not in: " << run.err.toStdString();
    }
    EXPECT_FALSE(run.err.contains(QStringLiteral("Sanitizer"))) << run.err.toStdString();
}

void report(const char* what, qint64 ms) {
    std::printf("[ measured ] %s: %.2f s\n", what, static_cast<double>(ms) / 1000);
}

// A voice folder with one good line, and an existing document that failures must leave alone.
class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = voiceFolder(QStringLiteral("voices"));
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("out"))));
        out_ = path(QStringLiteral("out/doc.fcpxml"));
        ASSERT_TRUE(testsupport::writeBytes(out_, kPrecious));
    }

    QString path(const QString& relative) const { return dir_.filePath(relative); }

    QString voiceFolder(const QString& name) const {
        const QString folder = path(name);
        QDir().mkpath(folder);
        testsupport::writeBytes(folder + QStringLiteral("/001_ok.wav"), wav());
        testsupport::writeBytes(folder + QStringLiteral("/001_ok.txt"), "よろしく");
        return folder;
    }

    void expectOutputUntouched() const {
        EXPECT_EQ(readAll(out_), kPrecious);
        EXPECT_EQ(entries(path(QStringLiteral("out"))), QStringList{QStringLiteral("doc.fcpxml")})
            << "a temporary file was left behind";
    }

    // Converts in this process, the document to `document`.
    int convert(const QString& folder, QString& messages, QBuffer& document,
                const QString& output = QStringLiteral("-")) const {
        CliOptions options;
        options.folder = folder;
        options.timelineName = QStringLiteral("corpus");
        options.output = output;
        QTextStream stream(&messages);
        document.open(QIODevice::WriteOnly);
        const int status = convertFolder(options, stream, document);
        document.close();
        return status;
    }

    QTemporaryDir dir_;
    QString folder_;
    QString out_;
};

TEST_F(BadInput, EachBadEntryIsNamedAndNoDocumentIsWritten) {
    int n = 0;
    for (const BadEntry& bad : kBadEntries) {
        const QString name = QString::fromUtf8(bad.name); // undecodable bytes show as U+FFFD
        SCOPED_TRACE(name.toStdString());
        const QString folder = voiceFolder(QStringLiteral("case%1").arg(++n));
        const QByteArray made = QFile::encodeName(folder) + '/' + bad.name;
        ASSERT_TRUE(bad.make(made));
        expectFailure(runCli({QStringLiteral("-o"), out_, folder}), {name});
        expectOutputUntouched();
        std::remove(made.constData()); // the temporary folder cannot list undecodable names
    }
}

TEST_F(BadInput, StrangeNamesAndLinksRoundTripThroughTheDocument) {
    // 255 bytes, the usual limit of one name: 83 three-byte characters, "xy" and ".wav".
    const QStringList stems = {QString(83, QChar(u'あ')) + QStringLiteral("xy"),
                               QStringLiteral("line\nfeed"),
                               QStringLiteral("tab\there"),
                               QStringLiteral("& < > \" ' % #"),
                               QStringLiteral("%41%2F"),
                               QStringLiteral("a:b?c"),
                               QStringLiteral("ctl\x01"),
                               QStringLiteral("back\\slash"),
                               QStringLiteral(" 日本語 ")};
    QSet<QString> expected = {folder_ + QStringLiteral("/001_ok.wav")};
    for (const QString& stem : stems) {
        const QString wavPath = folder_ + u'/' + stem + QStringLiteral(".wav");
        ASSERT_TRUE(testsupport::writeBytes(wavPath, wav())) << stem.toStdString();
        ASSERT_TRUE(testsupport::writeBytes(folder_ + u'/' + stem + QStringLiteral(".txt"),
                                            "<&>]]> \"字幕\""));
        expected.insert(wavPath);
    }
    ASSERT_EQ(QFile::encodeName(stems.first() + QStringLiteral(".wav")).size(), 255);
    ASSERT_TRUE(testsupport::writeBytes(path(QStringLiteral("real.wav")), wav()));
    ASSERT_TRUE(
        QFile::link(path(QStringLiteral("real.wav")), folder_ + QStringLiteral("/link.wav")));
    expected.insert(folder_ + QStringLiteral("/link.wav"));

    QString messages;
    QBuffer document;
    ASSERT_EQ(convert(folder_, messages, document), kExitSuccess) << messages.toStdString();

    QSet<QString> referred;
    int titles = 0;
    QXmlStreamReader xml(document.data());
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"media-rep") {
            const auto src = xml.attributes().value(QStringLiteral("src")).toLatin1();
            referred.insert(QUrl::fromEncoded(src, QUrl::StrictMode).toLocalFile());
        }
        titles += xml.isStartElement() && xml.name() == u"title";
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(referred, expected);
    EXPECT_EQ(titles, stems.size() + 1);

    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (!xmllint.isEmpty()) {
        const QString written = path(QStringLiteral("names.fcpxml"));
        ASSERT_TRUE(testsupport::writeBytes(written, document.data()));
        QStringList args = {QStringLiteral("--noout"), written};
        if (const QString dtd = qEnvironmentVariable("BRISOMEL_FCPXML_DTD"); QFile::exists(dtd)) {
            args << QStringLiteral("--dtdvalid") << dtd;
        }
        QProcess lint;
        lint.start(xmllint, args);
        ASSERT_TRUE(lint.waitForFinished(30000));
        EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    }
}

TEST_F(BadInput, UnwritableOutputsFailClearlyAndChangeNothing) {
    struct Case {
        QString output;
        std::function<bool()> unchanged;
    };
    std::vector<Case> cases = {
        {path(QStringLiteral("missing/doc.fcpxml")),
         [&] { return !QFile::exists(path(QStringLiteral("missing"))); }},
        {path(QStringLiteral("adir")),
         [&] { return entries(path(QStringLiteral("adir"))).isEmpty(); }},
        {path(QStringLiteral("afifo")), [&] { return isFifo(path(QStringLiteral("afifo"))); }},
    };
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("adir"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("afifo"))).constData(), 0644), 0);
    // A device: nothing may take its place, nor appear beside it.
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        cases.push_back({QStringLiteral("/dev/full"), [] {
                             return QDir(QStringLiteral("/dev"))
                                        .entryList({QStringLiteral("full*")},
                                                   QDir::AllEntries | QDir::System) ==
                                    QStringList{QStringLiteral("full")};
                         }});
    }
    // A folder that takes no new files, even from root.
    if (QFile::exists(QStringLiteral("/proc/self"))) {
        const QString inProc = QStringLiteral("/proc/brisomel-corpus.fcpxml");
        cases.push_back({inProc, [inProc] { return !QFile::exists(inProc); }});
    }
    if (::geteuid() != 0) { // permissions do not bind root
        const QString readOnly = path(QStringLiteral("readonly"));
        QDir().mkpath(readOnly);
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
        cases.push_back({readOnly + QStringLiteral("/doc.fcpxml"),
                         [readOnly] { return entries(readOnly).isEmpty(); }});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output.toStdString());
        expectFailure(runCli({QStringLiteral("-o"), c.output, folder_}), {kWriteError, c.output});
        EXPECT_TRUE(c.unchanged());
    }
}

TEST_F(BadInput, AFullDiskFailsAndTheExistingDocumentSurvives) {
    // A file size limit of 512 bytes stands in for a full disk; the document needs more.
    const CliRun limited = runCli({QStringLiteral("-o"), out_, folder_}, [](QProcess& process) {
        process.setChildProcessModifier([] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    });
    expectFailure(limited, {kWriteError, out_});
    expectOutputUntouched();

    if (QFile::exists(QStringLiteral("/dev/full"))) {
        const CliRun full =
            runCli({QStringLiteral("-o"), QStringLiteral("-"), folder_}, [](QProcess& process) {
                process.setStandardOutputFile(QStringLiteral("/dev/full"));
            });
        expectFailure(full, {kWriteError});
    }
}

TEST_F(BadInput, AHugeCaptionConvertsInReasonableTimeAndMemory) {
    QByteArray caption;
    const QByteArray line = "五十メガバイトの字幕 & <タグ> の一行です。\n";
    caption.reserve(50 * 1024 * 1024 + line.size());
    while (caption.size() < 50 * 1024 * 1024) {
        caption += line;
    }
    ASSERT_TRUE(testsupport::writeBytes(folder_ + QStringLiteral("/001_ok.txt"), caption));
    caption.clear();

    QElapsedTimer timer;
    timer.start();
    const CliRun run = runCli({QStringLiteral("-o"), out_, folder_}, {}, 300000);
    report("50 MB caption", timer.elapsed());
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    std::printf("[ measured ] peak memory of the converter: %ld MB\n", usage.ru_maxrss / 1024);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.status, kExitSuccess) << run.err.toStdString();
    EXPECT_GT(QFileInfo(out_).size(), 50 * 1024 * 1024);
}

TEST_F(BadInput, TenThousandLinesConvert) {
    constexpr int kLines = 10000;
    const QByteArray audio = wav();
    for (int i = 2; i <= kLines; ++i) {
        const QString stem = folder_ + QStringLiteral("/%1_ok").arg(i, 5, 10, QLatin1Char('0'));
        ASSERT_TRUE(testsupport::writeBytes(stem + QStringLiteral(".wav"), audio));
        ASSERT_TRUE(testsupport::writeBytes(stem + QStringLiteral(".txt"), "一行"));
    }
    QString messages;
    QBuffer document;
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(convert(folder_, messages, document, out_), kExitSuccess) << messages.toStdString();
    report("10,000 lines", timer.elapsed());
    EXPECT_TRUE(messages.startsWith(QStringLiteral("10000 entries, 1 speakers, 5000.000 s")))
        << messages.toStdString();
}

} // namespace
