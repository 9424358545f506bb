#pragma once

#include <string>
#include <vector>

// Reading and writing the game's small text files. Paths are given as the game names them
// (with backslashes) and mapped when the file is opened: reads find the player's file or the
// shipped one, writes always go to the player's.
namespace textfiles {

enum class Found { Read, Missing, Unreadable };
// Reads the whole file. Missing when there is no such file; Unreadable when there is one that
// cannot be read, with `why` set to the reason.
Found ReadAll(const std::string& gamePath, std::string& content, std::string* why = nullptr);

// Reads every line; a line end with or without a carriage return ends a line, and a last
// line without a line end still counts. False when the file is missing or cannot be read.
bool ReadLines(const std::string& gamePath, std::vector<std::string>& lines);
std::vector<std::string> SplitLines(const std::string& content);

// Replaces the file with these lines, each followed by a line end, so that it always holds
// either the complete old content or the complete new content: the lines go to a temporary
// file in the same folder, which is flushed to disk and renamed over the old one. A missing
// folder is created. Throws FileError ("cannot be saved: ...; the old file is kept") when the
// new content is not in place; the old file is then untouched. Should only the folder's sync
// fail after the rename, the file is saved and one line on standard error says so.
void Replace(const std::string& gamePath, const std::vector<std::string>& lines);
// The same, but a failure is one line on standard error and the result false.
bool WriteLines(const std::string& gamePath, const std::vector<std::string>& lines);

} // namespace textfiles
