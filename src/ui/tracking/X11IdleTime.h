#pragma once

#include <cstdint>
#include <optional>

// The X11 screen-saver extension, apart so that Xlib's macros stay out of every other file.

// Whether the application runs on X11 with the screen-saver extension.
bool x11IdleTimeAvailable();
// Seconds since the last input on the application's X11 display; nullopt when unavailable.
std::optional<std::int32_t> x11IdleSeconds();
