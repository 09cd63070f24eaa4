#pragma once

#include "core/Failure.h"
#include "core/OutputFile.h"

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace brisomel {

// The path that stands for standard output.
inline const QString kStandardOutputPath = QStringLiteral("-");

// An output as messages name it: a file as its quoted path, standard output as "標準出力".
QString outputName(const QString& path);

// Writes the text as a document, atomically (writeFileAtomically), failing with the documents'
// "ファイル書き込みエラー".
Status writeDocumentFile(const QString& path, const QString& document);

// Writes the files in order, each file atomically (writeDocumentFile) and the one whose path is
// "-" to `standardOutput`, and stops at the first that cannot be written; nothing is written
// when two of them name the same file. The failure names that file; when there are several
// outputs, its reason goes on to say which of them are in place and which are not (the failed
// one among them).
Status writeOutputFiles(const std::vector<OutputFile>& files, QIODevice* standardOutput = nullptr);

// The reason followed by which outputs were written and which were not, each named as the user
// should read it.
QString withWrittenNote(const QString& reason, const QStringList& written,
                        const QStringList& notWritten);

} // namespace brisomel
