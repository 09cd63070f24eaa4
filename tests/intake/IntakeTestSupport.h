#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace brisomel::test {

// A scratch folder whose files the tests write byte for byte.
class TempFolder {
public:
    TempFolder() { EXPECT_TRUE(dir_.isValid()) << dir_.errorString().toStdString(); }

    QString path() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // The form in which a dropped folder arrives: a file URL whose path ends with a slash.
    QUrl url() const { return QUrl::fromLocalFile(dir_.path() + u'/'); }

    QString write(const QString& name, const QByteArray& bytes = {}) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        EXPECT_EQ(file.write(bytes), bytes.size());
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

} // namespace brisomel::test
