#pragma once

#include "core/Failure.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace brisomel {

// A file that a conversion writes: where, and its whole text.
struct OutputFile {
    QString path;
    QString text;
};

// Writes the files in order, each atomically (writeDocumentFile), and stops at the first that
// cannot be written; nothing is written when two of them name the same file. The failure names
// that file; when the conversion has other outputs (those in `files`, and `alreadyWritten`, such
// as standard output, named as the user should read them), its reason goes on to say which of
// them are in place and which are not (the failed one among them).
Status writeOutputFiles(const std::vector<OutputFile>& files,
                        const QStringList& alreadyWritten = {});

// The files' paths as messages show them.
QStringList quotedPaths(std::span<const OutputFile> files);

// The reason followed by which outputs were written and which were not, each named as the user
// should read it (files as quoted paths).
QString withWrittenNote(const QString& reason, const QStringList& written,
                        const QStringList& notWritten);

} // namespace brisomel
