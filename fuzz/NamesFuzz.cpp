// Arbitrary file names: the speaker name, the naming rules and templates, the sort order (a strict
// weak order agreeing with canonical equivalence) and the pairing of an audio file with its
// caption.

#include "intake/NamingRule.h"
#include "intake/ReadFolder.h"
#include "intake/SpeakerName.h"
#include "intake/TextOrder.h"

#include "FuzzInput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using namespace brisomel;

namespace {

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkSpeakerName(const QString& name) {
    if (const auto speaker = standardSpeakerOf(name)) {
        check(name.contains(u'_') && name.contains(u'\uFF08'));
        check(name.contains(*speaker));
    }
}

// A speaker is a non-empty part of the name, or for the caption's rule the start of the caption
// up to the mark it leaves out; a template (the second text) finds one only in a name it fits.
void checkNamingRules(const QString& name, const QString& templateText, const QString& caption) {
    for (const NamingRuleInfo& info : namingRules()) {
        const LineSpeaker line = NamingRule::named(info.name)->speakerOf(name, caption);
        if (!line.speaker) {
            check(line.captionStart == 0);
            continue;
        }
        check(!line.speaker->isEmpty() || info.kind == NamingKind::standard);
        if (info.kind == NamingKind::captionPrefix) {
            check(line.captionStart == line.speaker->size() + 1);
            check(caption.startsWith(*line.speaker));
            check(caption[line.speaker->size()] == u'＞' || caption[line.speaker->size()] == u'>');
        } else {
            check(line.captionStart == 0 && name.contains(*line.speaker));
        }
    }
    if (const Result<NamingRule> rule = NamingRule::fromTemplate(templateText)) {
        const std::optional<QString> speaker = rule->speakerOf(name, caption).speaker;
        check(!speaker || (!speaker->isEmpty() && name.contains(*speaker)));
    }
}

void checkOrder(const QString& a, const QString& b, const QString& c) {
    check(!codePointLess(a, a));
    check(!(codePointLess(a, b) && codePointLess(b, a)));
    if (codePointLess(a, b) && codePointLess(b, c)) {
        check(codePointLess(a, c));
    }
    const bool equivalent = !codePointLess(a, b) && !codePointLess(b, a);
    check(equivalent == canonicallyEqual(a, b));
    if (equivalent) {
        check(codePointLess(a, c) == codePointLess(b, c));
    }
}

// A name the file system takes: no separator, no NUL, not "." or "..", at most 200 bytes.
bool storable(const QString& stem) {
    return !stem.isEmpty() && !stem.contains(u'/') && !stem.contains(QChar(0)) &&
           !stem.startsWith(u'.') && stem.toUtf8().size() <= 200 &&
           QString::fromUtf8(stem.toUtf8()) == stem;
}

void checkPairing(const QString& stem) {
    static const QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("voices"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QFile audio(QDir(folder).filePath(stem + QStringLiteral(".wav")));
    QFile caption(QDir(folder).filePath(stem + QStringLiteral(".txt")));
    if (!audio.open(QIODevice::WriteOnly) || !caption.open(QIODevice::WriteOnly)) {
        return; // a name this file system refuses
    }
    caption.write("caption");
    audio.close();
    caption.close();
    const Result<FileList> read = readFolder(QUrl::fromLocalFile(folder));
    check(read && read->size() == 1);
    const FileListPtr& entry = read->front();
    check(entry->fileName() == stem);
    check(entry->textFileUrl().has_value() && entry->text() == QStringLiteral("caption"));
    check(entry->soundFileUrl()->toLocalFile() == audio.fileName());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput input(data, size);
    const bool pair = input.take<std::uint8_t>() % 4 == 0;
    const QString a = input.text(40);
    const QString b = input.text(40);
    const QString c = input.text(40);
    checkSpeakerName(a);
    checkNamingRules(a, b, c);
    checkOrder(a, b, c);
    checkOrder(c, a, b);
    if (pair && storable(a)) {
        checkPairing(a);
    }
    return 0;
}
