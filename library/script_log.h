// The texts a script reads back from the library, kept in one place: the log
// of the last one-call build ("GetBuildLog": the stages of "BuildProgram", or
// why a render target or a mesh could not be made), and the warnings of
// calls that were refused or did nothing ("GetWarnings"). The library owns
// each text until it is replaced or the plugin is released.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvanta::script_log {

// A line built in place from texts and ints, without the C library's
// formatting; what does not fit is cut.
class Text {
public:
    Text &operator<<(const char *text);
    Text &operator<<(int32_t value);
    // A GL value as "GL_NAME (value)" when a constant scripts get names it,
    // else as the number.
    Text &constant(int32_t value);
    // Null when nothing was written.
    const char *text() const { return used_ > 0 ? text_ : nullptr; }

private:
    char text_[160]; // terminated from the first text on
    size_t used_ = 0;
};

// Adds a warning line, "Call: what was wrong", for "GetWarnings".
void warn(const Text &line);

// Builds a log in a buffer of 64 KiB, taken at the first text. What does not
// fit is cut at the last line end that does, and nothing is added after it.
class LogWriter {
public:
    LogWriter() = default;
    ~LogWriter();
    LogWriter(const LogWriter &) = delete;
    LogWriter &operator=(const LogWriter &) = delete;

    // A heading line followed by the text, ending in a line end; nothing for
    // an empty text.
    void section(const char *heading, const char *text);
    void append(const char *part, size_t length);
    // Hands the text over; null when nothing was written.
    char *take();

private:
    char *text_ = nullptr;
    size_t used_ = 0;
    bool full_ = false;
};

// Makes what the writer holds the build log ("" when it holds nothing).
void replaceBuildLog(LogWriter &log);
// Makes the build log one section, or "" for a null text.
void replaceBuildLog(const char *heading, const char *text);

// Frees every text the library holds: the build log and the warnings.
void releaseTexts();

} // namespace corvanta::script_log
