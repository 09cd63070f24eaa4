#include "intake/FileLists.h"

#include "intake/TextOrder.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace brisomel {

void FileLists::setFileLists(std::optional<FileList> list) {
    fileLists_ = std::move(list);
    emit fileListsChanged();
}

std::optional<QStringList> FileLists::charactorNames() const {
    if (!fileLists_) {
        return std::nullopt;
    }
    return speakerNames(*fileLists_);
}

QStringList speakerNames(const FileList& list) {
    FileList sorted = list;
    sortByFileName(sorted);

    // Canonically equivalent names have the same NFC form, so a set of NFC forms finds repeats
    // without searching the result. The spelling of the first appearance is kept.
    QStringList names;
    QSet<QString> seen;
    QSet<QString> seenSpellings; // spares normalizing a spelling met before
    for (const FileListPtr& entry : sorted) {
        const QString& name = entry->charactorName();
        if (seenSpellings.contains(name)) {
            continue;
        }
        seenSpellings.insert(name);
        QString key = name.normalized(QString::NormalizationForm_C);
        if (!seen.contains(key)) {
            seen.insert(std::move(key));
            names.append(name);
        }
    }
    return names;
}

bool anyTicked(const FileList& list) {
    return std::any_of(list.begin(), list.end(),
                       [](const FileListPtr& entry) { return entry->targetFlg(); });
}

void copyTicksByFileName(const FileList& from, FileList& to) {
    QHash<QString, bool> ticks;
    ticks.reserve(static_cast<qsizetype>(from.size()));
    for (const FileListPtr& entry : from) {
        ticks.insert(entry->fileName(), entry->targetFlg());
    }
    for (const FileListPtr& entry : to) {
        if (const auto tick = ticks.constFind(entry->fileName()); tick != ticks.cend()) {
            entry->setTargetFlg(*tick);
        }
    }
}

SpeakerTally tallySpeakers(const FileList& list) {
    FileList sorted = list;
    sortByFileName(sorted);
    FileList named;
    SpeakerTally tally;
    for (const FileListPtr& entry : sorted) {
        if (entry->hasSpeaker()) {
            named.push_back(entry);
        } else {
            tally.unnamedFiles << QFileInfo(entry->soundFilePath()).fileName();
        }
    }
    tally.speakerCount = speakerNames(named).size();
    return tally;
}

QString unnamedLinesText(const QStringList& unnamedFiles) {
    if (unnamedFiles.isEmpty()) {
        return {};
    }
    constexpr qsizetype kNamed = 3;
    QString named = unnamedFiles.first(std::min(kNamed, unnamedFiles.size())).join(u'、');
    if (unnamedFiles.size() > kNamed) {
        named += QStringLiteral(" ほか");
    }
    // One pass of arg: a "%" in a file name is not taken for a place of the text.
    return QStringLiteral("話者なし %1 行（%2）").arg(QString::number(unnamedFiles.size()), named);
}

void sortByFileName(FileList& list) {
    const auto less = [](const FileListPtr& a, const FileListPtr& b) {
        return nfcCodePointLess(a->fileNameOrderKey(), b->fileNameOrderKey());
    };
    // Lists are usually sorted already: the folder scan sorts them.
    if (!std::is_sorted(list.begin(), list.end(), less)) {
        std::stable_sort(list.begin(), list.end(), less);
    }
}

} // namespace brisomel
