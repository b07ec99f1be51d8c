// Whole files on disk: the XML files of the scenario and the options, and
// other files written and read as they are (scenarios as plain text).
//
// In XML files on disk every line ends in CR LF on every platform; in memory
// lines end in a single line feed. Paths are narrow (UTF-8) strings
// handed to the C library as they are.
#pragma once

#include <cstddef>
#include <string>

// Reads the file at `path` into `text`, CR LF turned into LF. Fails (false,
// `text` untouched) for an empty path, a file that cannot be opened or read,
// a folder, and a file of length 0. With `createMissing` a missing file is
// created empty before failing, as the option file always has been on the
// first start; a scenario that is not there is never made.
bool ReadXMLFile(const std::string& path, std::string& text, bool createMissing);

// Writes `text` to `path`, each LF written as CR LF, without ever losing the
// file already there: the bytes go to a temporary file beside the target,
// are flushed to disk and closed, and only then replace the target in one
// step. On any failure (empty path, missing folder, read-only target or
// folder, a target that is a folder, a full disk, a write or close error)
// the result is false, the temporary file is removed and the old file is
// left byte for byte as it was.
bool WriteXMLFile(const std::string& path, const std::string& text);

// Writes `bytes` to `path` as they are, as safely as WriteXMLFile.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Reads the file at `path` as it is into `bytes` (an empty file gives an
// empty text). Fails (false, `bytes` untouched) for an empty path, a file
// that cannot be opened or read, a folder and a file longer than `limit`
// bytes. Nothing is created.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t limit);
