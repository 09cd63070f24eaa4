#include "cli/Convert.h"

#include "support/PcmWriter.h"
#include "support/SpecialFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <cstdio>
#include <fstream>
#include <functional>
#include <span>

using namespace brisomel;
using namespace testsupport;

namespace {

using Path = const QByteArray&; // names that QString cannot carry need byte paths

bool put(Path path, QByteArrayView bytes) {
    std::ofstream file(path.constData(), std::ios::binary);
    file.write(bytes.data(), bytes.size());
    file.close();
    return !file.fail();
}
const QByteArray kWav = testsupport::wavBytes(8000, 1, 4000);
QByteArray fixture(const char* name) {
    return testsupport::readBytes(BRISOMEL_TEST_DATA "/audio/" + QString(name));
}
QByteArray noise() {
    QByteArray bytes(65536, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    return bytes;
}
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                  QDir::NoDotAndDotDot);
}

// Entries (names as bytes) that must fail the conversion naming them, each kind of damage once
// (the probe's tests try every format empty and as text, a cut WAV header, a folder, a FIFO, a
// file without audio).
using BadEntry = std::pair<const char*, bool (*)(Path)>;
const BadEntry kBadEntries[] = {
    {"cut.aiff", [](Path p) { return put(p, testsupport::aiffBytes(8000, 1, 4000).first(30)); }},
    {"cut.mp3", [](Path p) { return put(p, fixture("tone-1250ms-44k.mp3").first(100)); }},
    {"cut.m4a", [](Path p) { return put(p, fixture("tone-1250ms-44k.m4a").first(2000)); }},
    {"noise.mp3", [](Path p) { return put(p, noise()); }},
    {"tag.mp3", [](Path p) { return put(p, QByteArrayView("ID3\4\0\0\0\0\0\0", 10)); }},
};
// The same for a FIFO, links and names that are not UTF-8 (Windows names are UTF-16).
const BadEntry kPosixBadEntries[] = {
    {"x.txt",
     [](Path p) { return put(p.chopped(3) + "wav", kWav) && makeFifo(QFile::decodeName(p)); }},
    {"loop.wav", [](Path p) { return makeSymlink("loop.wav", QFile::decodeName(p)); }},
    {"gone.wav", [](Path p) { return makeSymlink("nowhere/gone.wav", QFile::decodeName(p)); }},
    {"bad\xff\xfe.wav", [](Path p) { return put(p, kWav); }},
    // "テスト" in Shift-JIS, as unpacked from an archive made elsewhere.
    {"\x83\x65\x83\x58\x83\x67.wav", [](Path p) { return put(p, kWav); }},
};

struct CliRun {
    int status; // -1 after a crash or a hang
    QString err;
};

CliRun runCli(const QStringList& args, const std::function<void(QProcess&)>& setup = {},
              int guardMs = 30000) {
    QProcess process;
    if (setup) {
        setup(process);
    }
    process.start(BRISOMEL_CLI_PATH, args);
    if (!process.waitForFinished(guardMs)) {
        return {-1, "the converter hung"}; // the destructor kills it
    }
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardError())};
}

// A failed run that said why, mentioning each of `mentions`, with no sanitizer report.
void expectFailure(const CliRun& run, const QStringList& mentions) {
    EXPECT_EQ(run.status, kExitConversionFailed) << run.err.toStdString();
    for (const QString& mention : mentions) {
        EXPECT_TRUE(run.err.contains(mention)) << mention.toStdString() << " not in the report";
    }
    EXPECT_FALSE(run.err.contains("Sanitizer")) << run.err.toStdString();
}

// A voice folder with one good line, and an existing document that failures must leave alone.
class BadInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir().mkpath(path("out")));
        ASSERT_TRUE(writeBytes(out_, "precious document"));
    }
    QString path(const QString& relative) const { return dir_.filePath(relative); }
    QString voiceFolder(const QString& name) const {
        QDir().mkpath(path(name));
        writeBytes(path(name + "/001_ok.wav"), kWav);
        writeBytes(path(name + "/001_ok.txt"), "よろしく");
        return path(name);
    }
    void expectOutputUntouched() const {
        EXPECT_EQ(testsupport::readBytes(out_), "precious document");
        EXPECT_EQ(entries(path("out")), QStringList{"doc.fcpxml"}) << "a temporary file was left";
    }
    void expectEachNamed(std::span<const BadEntry> badEntries) {
        for (const auto& [rawName, make] : badEntries) {
            const QString name = QString::fromUtf8(rawName); // undecodable bytes show as U+FFFD
            SCOPED_TRACE(name.toStdString());
            const QString folder = voiceFolder(QString("case%1").arg(++cases_));
            const QByteArray made = QFile::encodeName(folder) + '/' + rawName;
            ASSERT_TRUE(make(made));
            expectFailure(runCli({"-o", out_, folder}), {name});
            expectOutputUntouched();
            std::remove(made.constData()); // the temporary folder cannot list undecodable names
        }
    }

    QTemporaryDir dir_;
    const QString folder_ = voiceFolder("voices");
    const QString out_ = path("out/doc.fcpxml");
    int cases_ = 0;
};

TEST_F(BadInput, EachBadEntryIsNamedAndNoDocumentIsWritten) {
    expectEachNamed(kBadEntries);
    if (!haveSpecialFiles()) {
        GTEST_SKIP() << "FIFOs, links and names that are not UTF-8 are POSIX only";
    }
    expectEachNamed(kPosixBadEntries);
}

TEST_F(BadInput, StrangeNamesAndLinksRoundTripThroughAWellFormedDocument) {
    if (!haveSpecialFiles()) {
        GTEST_SKIP() << "Windows names take no line feed, tab, control or :?\\<>\" and no link";
    }
    // 255 bytes, the usual limit of one name: 83 three-byte characters, "xy" and ".wav".
    const QString longest = QString(83, u'あ') + "xy";
    const QStringList stems = {longest, "line\nfeed", "tab\there",   "& < > \" ' % #", "%41%2F",
                               "a:b?c", "ctl\x01",    "back\\slash", " 日本語 "};
    QSet<QString> expected = {folder_ + "/001_ok.wav", folder_ + "/link.wav"};
    for (const QString& stem : stems) {
        ASSERT_TRUE(writeBytes(folder_ + u'/' + stem + ".wav", kWav)) << stem.toStdString();
        ASSERT_TRUE(writeBytes(folder_ + u'/' + stem + ".txt", "<&>]]> \"字幕\""));
        expected.insert(folder_ + u'/' + stem + ".wav");
    }
    ASSERT_EQ(QFile::encodeName(longest + ".wav").size(), 255);
    ASSERT_TRUE(makeSymlink(folder_ + "/001_ok.wav", folder_ + "/link.wav"));

    const CliRun run = runCli({"-o", out_, folder_});
    ASSERT_EQ(run.status, kExitSuccess) << run.err.toStdString();

    QSet<QString> referred;
    QXmlStreamReader xml(testsupport::readBytes(out_));
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"media-rep") {
            const auto src = xml.attributes().value("src").toLatin1();
            referred.insert(QUrl::fromEncoded(src, QUrl::StrictMode).toLocalFile());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(referred, expected);
}

// Each failure to write names the cause and the output, and leaves what was there as it was.
// (The atomic write's tests refuse a folder and a FIFO.)
TEST_F(BadInput, OutputFailuresChangeNothing) {
    std::vector<std::pair<QString, std::function<void(QProcess&)>>> cases = {
        {path("missing/doc.fcpxml"), nullptr}};
    if (haveSpecialFiles()) { // 512 bytes stand in for a full disk; the document needs more
        cases.emplace_back(out_, [](QProcess& process) { limitFileSize(process, 512); });
    }
    if (QFile::exists("/dev/full")) { // standard output that cannot take the document
        cases.emplace_back("-",
                           [](QProcess& process) { process.setStandardOutputFile("/dev/full"); });
    }
    const QStringList before = entries(dir_.path());
    for (const auto& [output, setup] : cases) {
        SCOPED_TRACE(output.toStdString());
        expectFailure(runCli({"-o", output, folder_}, setup), {"ファイル書き込みエラー", output});
        expectOutputUntouched();
        EXPECT_EQ(entries(dir_.path()), before) << "no folder made, no temporary file left";
    }
    BRISOMEL_SKIP_WITHOUT_SPECIAL_FILES();
}

} // namespace
