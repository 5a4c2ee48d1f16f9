#pragma once
// Runs a form's modal showing and acts inside it: a one-shot timer, posted before the loop
// starts, calls the given steps while the form is up (the steps end the showing themselves).
// Should they fail to, a watchdog ends it after a few seconds with the result kTimedOut, so a
// broken close fails the test instead of hanging it.
#include "framework/Controls.h"

#include <functional>
#include <utility>

namespace testing_support {

constexpr int kTimedOut = -1;

struct ModalRun {
    std::function<void()> steps;
    pelorine::TForm* form = nullptr;
};

inline ModalRun& CurrentRun() {
    static ModalRun run;
    return run;
}

inline int ShowModalAnd(pelorine::TForm& form, std::function<void()> steps) {
    CurrentRun() = {std::move(steps), &form};
    const UINT_PTR act = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (auto steps = std::exchange(CurrentRun().steps, nullptr)) steps();
    });
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (CurrentRun().form) CurrentRun().form->ModalResult = kTimedOut;
    });
    const int result = form.ShowModal();
    KillTimer(nullptr, act);
    KillTimer(nullptr, watchdog);
    CurrentRun() = {};
    return result;
}

} // namespace testing_support
