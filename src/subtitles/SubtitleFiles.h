#pragma once

#include "core/OutputFile.h"
#include "timeline/BuiltTimeline.h"
#include "timeline/ConversionOptions.h"

#include <QString>

#include <vector>

namespace brisomel {

// A speaker's name as part of a file name on any system: characters that some system forbids in
// file names (controls, < > : " / \ | ? *) become "_", trailing dots and spaces are dropped, and
// an empty name becomes "noname".
QString fileNamePart(const QString& speaker);

// `path` with "_" and the part inserted before its extension: out.srt and 太郎 give out_太郎.srt.
QString speakerFilePath(const QString& path, const QString& part);

// The subtitle file beside a document: its name with ".srt" for the extension (Scene1.fcpxml gives
// Scene1.srt), and never the document itself (a.srt gives a.srt.srt).
QString subtitlePathBeside(const QString& documentPath);

// The subtitle file of a timeline at `path`, with every cue (even when there is none), numbered
// from 1.
OutputFile subtitleFile(const BuiltTimeline& timeline, const QString& path,
                        const SubtitleOptions& options);

// One subtitle file per caption track that has cues, in the document's track order, each numbered
// from 1 and named after `path` and the speaker. Names that differ only in case or in Unicode
// normal form would be one file on some systems, so later ones get "_2", "_3"... after the name.
std::vector<OutputFile> subtitleFilesBySpeaker(const BuiltTimeline& timeline, const QString& path,
                                               const SubtitleOptions& options);

} // namespace brisomel
