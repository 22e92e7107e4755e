#include "forms/simclick.h"

#include <QCursor>
#include <QGuiApplication>

#include "qwellib/dialogs.h"

#ifdef MINTOR_HAVE_XTEST
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#endif

namespace mintor::forms {

namespace {
#ifdef MINTOR_HAVE_XTEST
Display* xtest_display() {
    static Display* display = nullptr;
    static bool tried = false;
    if (tried) return display;
    tried = true;
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    Display* d = XOpenDisplay(nullptr);
    if (!d) return nullptr;
    int ev = 0, err = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d, &ev, &err, &major, &minor)) {
        XCloseDisplay(d);
        return nullptr;
    }
    display = d;
    return display;
}
#endif
}  // namespace

bool simclick_available() {
#ifdef MINTOR_HAVE_XTEST
    return xtest_display() != nullptr;
#else
    return false;
#endif
}

bool simclick_at(QPoint screen_pos) {
#ifdef MINTOR_HAVE_XTEST
    Display* d = xtest_display();
    if (!d) return false;
    const QPoint back = QCursor::pos();
    XTestFakeMotionEvent(d, -1, screen_pos.x(), screen_pos.y(), CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XTestFakeMotionEvent(d, -1, back.x(), back.y(), CurrentTime);
    XFlush(d);
    qwel::process_events();
    return true;
#else
    (void)screen_pos;
    return false;
#endif
}

}  // namespace mintor::forms
