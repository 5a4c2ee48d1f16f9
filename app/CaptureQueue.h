#pragma once
// The turns of the capture commands and the close. A capture asked for while another one runs
// waits in the queue, in the order they came, and a close asked for meanwhile waits for its
// end, so that the settings are written after the last save. What waits starts from the message
// loop, so captures follow each other instead of piling up on the stack.
#include <deque>
#include <optional>

namespace pelorine {

enum class CaptureOutput { Clipboard, Save, Print };

struct CaptureRequest {
    bool activeWindow;
    CaptureOutput output;
    bool switchTray;
    bool operator==(const CaptureRequest&) const = default;
};

class CaptureQueue {
  public:
    bool Capturing() const { return capturing_; }
    bool CloseDeferred() const { return closeDeferred_; }

    // True when a capture runs: the request then waits for its turn.
    bool QueueIfBusy(const CaptureRequest& request);
    void Begin() { capturing_ = true; }
    // What the end of the capture starts: the close, then the next capture. Closed, the program
    // runs none of the queue; refused, it goes on.
    struct AfterCapture {
        bool close;
        bool nextCapture;
    };
    AfterCapture End();

    // A close asked for now: true when it has to wait for the capture under way.
    bool DeferClose();
    // The first request waiting; none while a capture runs, as its end starts the queue again.
    std::optional<CaptureRequest> TakeNext();

  private:
    std::deque<CaptureRequest> waiting_;
    bool capturing_ = false;
    bool closeDeferred_ = false;
};

} // namespace pelorine
