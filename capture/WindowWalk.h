#pragma once
// The walk down the Z order to the window a capture takes. Portable, so that windows the test
// bench never makes (cloaked ones) can be tested natively.

namespace pelorine {

struct WindowFacts {
    bool visible = false;
    bool iconic = false;  // minimised
    bool cloaked = false; // hidden by the compositor: on another virtual desktop, or suspended
};

inline bool ShowsOnScreen(const WindowFacts& w) { return w.visible && !w.iconic && !w.cloaked; }

// The first window from `start` down that shows on screen, or the null window when the walk runs
// out. next(w) is the window below w (null at the bottom); facts(w) tells what w is.
template <class Window, class Next, class Facts>
Window FirstShownWindow(Window start, Next next, Facts facts) {
    for (Window w = start; w; w = next(w))
        if (ShowsOnScreen(facts(w))) return w;
    return Window{};
}

} // namespace pelorine
