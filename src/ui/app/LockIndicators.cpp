#include "ui/app/LockIndicators.h"

#ifdef QUILLORY_HAVE_XKB
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

// Last: Xlib defines macros (None, Bool, Status) that clash with later headers.
#include <X11/XKBlib.h>

namespace {

bool indicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    int on = 0;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on != 0;
}

}  // namespace

std::optional<LockState> queryLockState() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return std::nullopt;
    return LockState{indicatorOn(display, "Caps Lock"), indicatorOn(display, "Num Lock"),
                     indicatorOn(display, "Scroll Lock")};
}

#else

std::optional<LockState> queryLockState() {
    return std::nullopt;
}

#endif
