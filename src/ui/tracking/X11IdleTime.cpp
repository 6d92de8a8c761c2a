#include "ui/tracking/X11IdleTime.h"

#ifdef QUILLORY_HAVE_XSS
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with later headers.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {

Display* applicationDisplay() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

}  // namespace

bool x11IdleTimeAvailable() {
    Display* display = applicationDisplay();
    int eventBase = 0;
    int errorBase = 0;
    return display && XScreenSaverQueryExtension(display, &eventBase, &errorBase);
}

std::optional<std::int32_t> x11IdleSeconds() {
    Display* display = applicationDisplay();
    if (!display) return std::nullopt;
    XScreenSaverInfo* info = XScreenSaverAllocInfo();
    if (!info) return std::nullopt;
    std::optional<std::int32_t> seconds;
    if (XScreenSaverQueryInfo(display, DefaultRootWindow(display), info))
        seconds = static_cast<std::int32_t>(info->idle / 1000);
    XFree(info);
    return seconds;
}

#else

bool x11IdleTimeAvailable() {
    return false;
}

std::optional<std::int32_t> x11IdleSeconds() {
    return std::nullopt;
}

#endif
