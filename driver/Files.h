// File-system questions the commands ask before they read or write, and the
// messages they show when a file operation fails.
#pragma once

#include "model/History.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// True when a regular file exists at the path (a folder is not a file).
bool IsExistingFile(const std::string& path);
// True when both paths name the same existing file, however spelled.
bool SameFile(const std::string& a, const std::string& b);
// True when two paths would name the same file, whether or not it exists
// yet: the same existing file, or the same name in the same folder however
// the folder is spelled (".." and links included). For refusing two outputs,
// or an output and the input, that are one file before anything is written.
bool PathsClash(const std::string& a, const std::string& b);

// The path with its existing part resolved (links, "." and "..") and the
// rest normalised as written, without a final "/".
std::string ResolvedSpelling(const std::string& path);
std::uint64_t FileSize(const std::string& path);

// The path with the extension of its file name (from its last ".") replaced
// by `extension` (".std", ".inp"), or with it appended when the name has no
// ".": the default name of an output beside its input.
std::string ReplaceExtension(const std::string& path, const std::string& extension);

enum class FileRole { Input, Output };

// Shows the message box of a failed file operation of a conversion:
// "File Not Found" for a vanished input, "File Already Open" for a locked
// output, the write-protection message for a protected output, nothing for
// any other error.
void ShowConversionFileError(MessageSink& messages, int error, FileRole role, const std::string& outputPath);

// The start every whole-model command shares: the history and the last
// report and failure are cleared; a missing input appends
// "...INPUT FILE NOT FOUND..."; outputs that are the input file itself, or
// two outputs that are one file, are refused with a message naming both.
// True when the command may go on.
struct Session;
bool BeginCommand(Session& s, const std::vector<std::string>& outputs, HistoryLog& history, MessageSink& messages);
// The output checks of BeginCommand alone, for an output that is known to
// be written only later (the number map of a conversion that renumbers by
// itself); false, with the message shown, when an output is refused.
bool CheckOutputPaths(Session& s, const std::vector<std::string>& outputs, MessageSink& messages);

// "path: reason" for the errno of a failed operation.
std::string DescribeFileError(const std::string& path, int error);

// "Out of memory while reading INPUT (N MB)": what every front end says
// when a command on the input ran out of memory.
std::string OutOfMemoryMessage(const std::string& inputPath);
// "INPUT: cannot start a thread: REASON": what they say when a thread the
// command needs could not be started.
std::string ThreadFailureMessage(const std::string& inputPath, int error);

// "INPUT: the input changed while it was read": a command whose input was
// truncated, grown or written to while it was read fails with it.
std::string InputChangedMessage(const std::string& inputPath);
// Whether the input a model's tables were read from has changed since.
class Model;
bool InputChanged(const Model& model);

// Whether a report file is written as JSON: its name ends in ".json", in
// any case.
bool IsJsonName(const std::string& path);

// Makes sure descriptors 0, 1 and 2 are open before anything else is, so
// that no file the program opens becomes standard input, output or error
// (`corvane ... >&-` would otherwise write its history into its output).
// A closed one is opened on /dev/null the other way round from its use
// (standard input for writing, the others for reading), so that every use
// of it still fails as it did. Called first in main.
void OpenStandardStreams();

extern const char* const kInputNotFound;

}  // namespace corvane
