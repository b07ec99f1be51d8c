// The two steps of a safe save that differ between Windows and POSIX
// (XMLFilePlatform.cpp). Internal to the scenario and option files.
#pragma once

#include <cstdio>
#include <string>

// Creates and opens `path` for binary writing only when no file or folder of
// that name exists yet; null otherwise, and nothing is touched.
std::FILE* CreateNewFile(const std::string& path);

// Forces the written bytes of an open, flushed file to the disk.
bool CommitToDisk(std::FILE* file);

// Replaces `target` by `source` in one step (the rename of a file within one
// folder), replacing an existing target. False, with nothing changed, when
// that is not possible (for example when `target` is a folder).
bool MoveOver(const std::string& source, const std::string& target);
