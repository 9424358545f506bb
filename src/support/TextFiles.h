#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Reading and writing the game's small text files. Paths are given as the game names them
// (with backslashes) and mapped when the file is opened: reads find the player's file or the
// shipped one, writes always go to the player's.
namespace textfiles {

// Reads every line; a line end with or without a carriage return ends a line, and a last
// line without a line end still counts. False when the file cannot be opened.
bool ReadLines(const std::string& gamePath, std::vector<std::string>& lines);

// Replaces the file with these lines, each followed by a line end, so that it always holds
// either the complete old content or the complete new content: the lines go to a temporary
// file in the same folder, which is flushed to disk and renamed over the old one. A missing
// folder is created. On failure one line on standard error says why, the old file is left
// intact, and the result is false.
bool WriteLines(const std::string& gamePath, const std::vector<std::string>& lines);

// Adds one line at the end of the file (creating it), through the same safe replacement.
// A last line that lacked its line end gets one first, so two names never run together.
bool AppendLine(const std::string& gamePath, const std::string& line);

// Writes all of `content` to the open file, resuming after interruptions; false on an error.
bool WriteAll(int fd, const std::string& content);
// Makes a new or renamed entry of the folder durable ("" is the working directory).
void SyncFolder(const std::filesystem::path& folder);

} // namespace textfiles
