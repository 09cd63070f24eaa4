#include "intake/FileLists.h"

#include "intake/TextOrder.h"

#include <QSet>

#include <algorithm>
#include <utility>

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
    for (const FileListPtr& entry : sorted) {
        const QString& name = entry->charactorName();
        QString key = name.normalized(QString::NormalizationForm_C);
        if (!seen.contains(key)) {
            seen.insert(std::move(key));
            names.append(name);
        }
    }
    return names;
}

void sortByFileName(FileList& list) {
    std::vector<std::pair<QString, FileListPtr>> keyed;
    keyed.reserve(list.size());
    for (FileListPtr& entry : list) {
        QString key = entry->fileName().normalized(QString::NormalizationForm_C);
        keyed.emplace_back(std::move(key), std::move(entry));
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return nfcCodePointLess(a.first, b.first);
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        list[i] = std::move(keyed[i].second);
    }
}

} // namespace brisomel
