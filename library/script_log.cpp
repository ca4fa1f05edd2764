#include "library/script_log.h"

#include <cstring>

#include "library/allocation.h"
#include "library/arguments.h"
#include "library/registration.h"

namespace corvanta::script_log {
namespace {

constexpr size_t logCapacity = 65536;

// The log of the last build, with its terminating NUL; null means "".
char *buildLog;

// The warnings not yet read: at most maxWarnings lines, a run of the same
// line kept once with its count, and how many more there were.
constexpr int32_t maxWarnings = 64;
struct Warning {
    char *text;
    int32_t times;
};
Warning warnings[maxWarnings];
int32_t warningCount;
int32_t warningsDropped;
// The text "GetWarnings" last gave, kept until the next call.
char *warningsRead;

void forgetWarnings() {
    for (int32_t i = 0; i < warningCount; ++i) release(warnings[i].text);
    warningCount = 0;
    warningsDropped = 0;
}

// A copy of the text in a new buffer; null when there is no memory.
char *copyOf(const char *text) {
    const size_t length = std::strlen(text) + 1;
    auto *copy = static_cast<char *>(allocate(length));
    if (copy != nullptr) std::memcpy(copy, text, length);
    return copy;
}

} // namespace

Text &Text::operator<<(const char *text) {
    const size_t length = std::strlen(text);
    const size_t room = sizeof text_ - 1 - used_;
    const size_t count = length < room ? length : room;
    std::memcpy(text_ + used_, text, count);
    used_ += count;
    text_[used_] = '\0';
    return *this;
}

Text &Text::operator<<(int32_t value) {
    char digits[12];
    char *at = digits + sizeof digits - 1;
    *at = '\0';
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--at = '-';
    return *this << at;
}

Text &Text::constant(int32_t value) {
    const char *name = constantName(value);
    if (name == nullptr) return *this << value;
    return *this << name << " (" << value << ")";
}

void warn(const Text &line) {
    const char *text = line.text();
    if (text == nullptr) return;
    if (warningCount > 0 && std::strcmp(warnings[warningCount - 1].text, text) == 0) {
        ++warnings[warningCount - 1].times;
        return;
    }
    char *copy = warningCount < maxWarnings ? copyOf(text) : nullptr;
    if (copy == nullptr) {
        ++warningsDropped;
        return;
    }
    warnings[warningCount++] = {copy, 1};
}

LogWriter::~LogWriter() { release(text_); }

void LogWriter::section(const char *heading, const char *text) {
    const size_t length = std::strlen(text);
    if (length == 0) return;
    append(heading, std::strlen(heading));
    append("\n", 1);
    append(text, length);
    if (text[length - 1] != '\n') append("\n", 1);
}

void LogWriter::append(const char *part, size_t length) {
    if (full_) return;
    if (text_ == nullptr && (text_ = static_cast<char *>(allocate(logCapacity))) == nullptr) {
        full_ = true;
        return;
    }
    const size_t room = logCapacity - 1 - used_;
    if (length > room) {
        std::memcpy(text_ + used_, part, room);
        used_ += room;
        while (used_ > 0 && text_[used_ - 1] != '\n') --used_;
        full_ = true;
    } else {
        std::memcpy(text_ + used_, part, length);
        used_ += length;
    }
    text_[used_] = '\0';
}

char *LogWriter::take() {
    char *text = used_ > 0 ? text_ : nullptr;
    if (text == nullptr) release(text_);
    text_ = nullptr;
    return text;
}

// Only the build log: the warnings stay until "GetWarnings" reads them.
void replaceBuildLog(LogWriter &log) {
    release(buildLog);
    buildLog = log.take();
}

void replaceBuildLog(const char *heading, const char *text) {
    LogWriter log;
    if (text != nullptr) log.section(heading, text);
    replaceBuildLog(log);
}

void releaseTexts() {
    release(buildLog);
    buildLog = nullptr;
    forgetWarnings();
    release(warningsRead);
    warningsRead = nullptr;
}

} // namespace corvanta::script_log

namespace corvanta::handlers {

void CORVANTA_CALL getBuildLog(ScriptRuntime *runtime) {
    setResult(Arguments<getBuildLog>(runtime), script_log::buildLog != nullptr ? script_log::buildLog : "");
}

// The warnings since the last call, a line each, oldest first; then they are
// forgotten.
void CORVANTA_CALL getWarnings(ScriptRuntime *runtime) {
    using namespace script_log;
    LogWriter log;
    for (int32_t i = 0; i < warningCount; ++i) {
        log.append(warnings[i].text, std::strlen(warnings[i].text));
        if (warnings[i].times > 1) {
            Text times;
            times << " (" << warnings[i].times << " times)";
            log.append(times.text(), std::strlen(times.text()));
        }
        log.append("\n", 1);
    }
    if (warningsDropped > 0) {
        Text more;
        more << "(" << warningsDropped << " more warnings)\n";
        log.append(more.text(), std::strlen(more.text()));
    }
    forgetWarnings();
    release(warningsRead);
    warningsRead = log.take();
    setResult(Arguments<getWarnings>(runtime), warningsRead != nullptr ? warningsRead : "");
}

} // namespace corvanta::handlers
