#pragma once
// The application object: title, main form, the message loop, and the standard error box that
// every exception caught at a window callback ends in.
#include "framework/HintTracker.h"

#include <windows.h>

#include <chrono>
#include <string>

namespace pelorine {

class TForm;

class TApplication {
  public:
    void SetTitle(std::wstring title) { title_ = std::move(title); }
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form) { mainForm_ = form; }
    bool Terminated() const { return terminated_; }
    // The full path of the program's executable file, of any length.
    static std::wstring ExeName();

    // Shows the main form and runs the loop until Terminate.
    void Run();
    void Terminate();
    // Dispatches every message that is waiting, then returns.
    void ProcessMessages();
    // Keeps dispatching messages until the deadline, without spinning the processor.
    void WaitUntil(std::chrono::steady_clock::time_point deadline);
    // Shows the error box for the exception being handled (call inside a catch block).
    void HandleException();
    void ShowError(const std::wstring& message);
    // The error box with a question below the message and the buttons Yes and No, No the
    // default; true for Yes.
    bool AskAfterError(const std::wstring& message, const std::wstring& question);
    // The hints of every window: their timing, their window class and events.
    THintTracker& Hints() { return hints_; }

  private:
    bool HandleMessage(MSG& msg);
    HWND BoxOwner() const;
    std::wstring title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    THintTracker hints_;
};

TApplication& Application();

} // namespace pelorine
