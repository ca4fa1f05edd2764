#include "library/script_log.h"

#include <cstring>

#include "library/allocation.h"
#include "library/arguments.h"

namespace corvanta::script_log {
namespace {

constexpr size_t logCapacity = 65536;

// The log of the last build, with its terminating NUL; null means "".
char *buildLog;

} // namespace

LogWriter::~LogWriter() { corvanta::release(text_); }

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
    if (text == nullptr) corvanta::release(text_);
    text_ = nullptr;
    return text;
}

void replaceBuildLog(LogWriter &log) {
    release();
    buildLog = log.take();
}

void replaceBuildLog(const char *heading, const char *text) {
    LogWriter log;
    if (text != nullptr) log.section(heading, text);
    replaceBuildLog(log);
}

void release() {
    corvanta::release(buildLog);
    buildLog = nullptr;
}

} // namespace corvanta::script_log

namespace corvanta::handlers {

void CORVANTA_CALL getBuildLog(ScriptRuntime *runtime) {
    setResult(Arguments<getBuildLog>(runtime), script_log::buildLog != nullptr ? script_log::buildLog : "");
}

} // namespace corvanta::handlers
