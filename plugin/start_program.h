// What the host sees of a start: whether shaders are supported, decided in
// the host's current GL context and final once found; otherwise the message
// and the beep.
#pragma once

namespace corvanta {

// Resolves the entry points unless support was already found, and reports
// whether shader objects are supported. On failure it sets the error text and
// beeps.
bool startProgram();

// Replaces the plugin's error message, which the host reads with GetErrorText.
void setErrorText(const char *text);

} // namespace corvanta
