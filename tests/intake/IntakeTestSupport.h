#pragma once

#include "intake/FileListData.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace brisomel::test {

// A scratch folder whose files the tests write byte for byte.
class TempFolder {
public:
    // The folder's own path and URL end with a slash, the form in which a dropped folder arrives.
    QString path(const QString& name = {}) const { return dir_.path() + u'/' + name; }
    QUrl url(const QString& name = {}) const { return QUrl::fromLocalFile(path(name)); }

    QString write(const QString& name, const QByteArray& bytes = {}) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
            << name.toStdString();
        return path(name);
    }
    QString makeDir(const QString& name) const {
        EXPECT_TRUE(QDir(dir_.path()).mkpath(name)) << name.toStdString();
        return path(name);
    }

private:
    QTemporaryDir dir_;
};

// A text from a UTF-16 literal, unit for unit, so that escapes such as u"e\u0301" stay exact
// (QString::fromUtf16 would drop a leading U+FEFF).
inline QString q(const char16_t* text) {
    return QString(reinterpret_cast<const QChar*>(text),
                   static_cast<qsizetype>(std::char_traits<char16_t>::length(text)));
}

// Bytes written literally, zero bytes included.
template <std::size_t N> QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

// An entry that must be created, with its caption file (if any) already decoded.
inline FileListPtr entry(const QString& fileName, const std::optional<QString>& caption = {}) {
    std::optional<FileListData::LocalFile> captionFile;
    if (caption) {
        captionFile = FileListData::LocalFile{*caption, std::nullopt};
    }
    auto created = FileListData::create(fileName, captionFile, std::nullopt);
    EXPECT_TRUE(created);
    return created ? *created : nullptr;
}

inline QStringList fileNames(const FileList& list) {
    QStringList names;
    for (const auto& e : list) {
        names.append(e->fileName());
    }
    return names;
}

} // namespace brisomel::test
