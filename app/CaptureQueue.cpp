#include "app/CaptureQueue.h"

namespace pelorine {

bool CaptureQueue::QueueIfBusy(const CaptureRequest& request) {
    if (!capturing_) return false;
    waiting_.push_back(request);
    return true;
}

CaptureQueue::AfterCapture CaptureQueue::End() {
    capturing_ = false;
    return {closeDeferred_, !waiting_.empty()};
}

bool CaptureQueue::DeferClose() {
    closeDeferred_ = capturing_;
    return closeDeferred_;
}

std::optional<CaptureRequest> CaptureQueue::TakeNext() {
    if (capturing_ || waiting_.empty()) return std::nullopt;
    const CaptureRequest next = waiting_.front();
    waiting_.pop_front();
    return next;
}

} // namespace pelorine
