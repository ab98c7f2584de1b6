#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Replaces the file at `path` with `data` so that at every moment the file
// holds either its old content or the whole new one: the text goes to the
// temporary file `path` + ".tmp", is flushed, and then takes the target's
// place in one step. On failure the old file is left as it was and the
// temporary file is removed; one left by a killed save is replaced and moved
// away by the next save.
bool replaceFileContents(const char* path, const char* data, std::size_t size);

// Whether replaceFileContents can work at `path` wherever the current
// directory is: the full path of the temporary file it writes, the longer of
// its two names, must fit the system's path limit.
bool pathFitsForReplace(const char* path);

// Adds `data` at the end of the file, which it creates when missing; false
// when any of it may not be on the disk.
bool appendFileContents(const char* path, const char* data, std::size_t size);

// The first `most` bytes of the file (fewer when it is shorter) and its
// size; false when it cannot be opened or read.
bool readFileHead(const char* path, std::size_t most, std::string& head, uint64_t& size);

// Reads the whole file; false when it cannot be opened or read.
bool readFileContents(const char* path, std::string& contents);
