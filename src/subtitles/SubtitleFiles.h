#pragma once

#include "timeline/BuiltTimeline.h"
#include "timeline/ConversionOptions.h"

#include <QString>

#include <vector>

namespace brisomel {

// A subtitle file to be written: where, and its whole text.
struct SubtitleFile {
    QString path;
    QString text;
};

// A speaker's name as part of a file name on any system: characters that some system forbids in
// file names (controls, < > : " / \ | ? *) become "_", trailing dots and spaces are dropped, and
// an empty name becomes "noname".
QString fileNamePart(const QString& speaker);

// `path` with "_" and the part inserted before its extension: out.srt and 太郎 give out_太郎.srt.
QString speakerFilePath(const QString& path, const QString& part);

// The subtitle file beside a document: its name with ".srt" for the extension (Scene1.fcpxml gives
// Scene1.srt), and never the document itself (a.srt gives a.srt.srt).
QString subtitlePathBeside(const QString& documentPath);

// The subtitle files of a timeline: the one at `path` with every cue (even when there is none),
// or with splitBySpeaker one per caption track that has cues, in the document's track order,
// each numbered from 1. Names that differ only in case or in Unicode normal form would be one
// file on some systems, so later ones get "_2", "_3"... after the name.
std::vector<SubtitleFile> subtitleFiles(const BuiltTimeline& timeline, const QString& path,
                                        const SubtitleOptions& options);

} // namespace brisomel
