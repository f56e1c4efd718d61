// A new file beside one being written, which takes the file's name only once it is complete:
// the name is never seen on half-written bytes.
#pragma once

#include <string>

// Makes a new, empty file beside `path` (PATH.0.tmp, or PATH.1.tmp where that exists, left by a
// writer that was killed or used by one writing the same file now). Returns its descriptor,
// open for writing, with `temporary` its name; -1 with errno where none can be made.
int CreateTemporaryBeside(const std::string& path, std::string& temporary);
