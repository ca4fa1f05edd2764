#pragma once

namespace corvanta {

// Replaces the plugin's error message, which the host reads with GetErrorText.
void setErrorText(const char *text);

} // namespace corvanta
