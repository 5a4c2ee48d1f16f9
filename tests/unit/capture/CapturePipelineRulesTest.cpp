// The capture pipeline's portable rules: the turns of captures and the close, and the resize a
// save asks of the picture.
#include "app/CaptureOptions.h"
#include "app/CaptureQueue.h"
#include "framework/Error.h"

#include <gtest/gtest.h>

using namespace pelorine;

namespace {
const CaptureRequest kCopy{true, CaptureOutput::Clipboard, false};
const CaptureRequest kSaveDesktop{false, CaptureOutput::Save, true};
const CaptureRequest kPrint{true, CaptureOutput::Print, false};
} // namespace

TEST(CaptureQueue, CapturesAskedForDuringACaptureRunAfterItInTheirOrder) {
    CaptureQueue queue;
    EXPECT_FALSE(queue.QueueIfBusy(kCopy)); // nothing under way: it runs now
    queue.Begin();
    EXPECT_TRUE(queue.QueueIfBusy(kSaveDesktop));
    EXPECT_TRUE(queue.QueueIfBusy(kPrint));
    EXPECT_FALSE(queue.TakeNext()) << "not inside the capture under way";
    const CaptureQueue::AfterCapture after = queue.End();
    EXPECT_FALSE(after.close);
    EXPECT_TRUE(after.nextCapture);
    for (const CaptureRequest& expected : {kSaveDesktop, kPrint}) {
        EXPECT_EQ(queue.TakeNext(), expected);
        queue.Begin();
        queue.End();
    }
    EXPECT_FALSE(queue.TakeNext());
    EXPECT_FALSE(queue.End().nextCapture);
}

TEST(CaptureQueue, CloseDuringACaptureWaitsForItsEndAndComesBeforeTheQueue) {
    CaptureQueue queue;
    EXPECT_FALSE(queue.DeferClose()); // nothing under way: the close goes ahead
    queue.Begin();
    EXPECT_TRUE(queue.DeferClose());
    EXPECT_TRUE(queue.CloseDeferred()); // no waiting command starts from now on
    queue.QueueIfBusy(kCopy);
    const CaptureQueue::AfterCapture after = queue.End();
    EXPECT_TRUE(after.close);
    EXPECT_TRUE(after.nextCapture);
    // The close comes back once the capture is over; refused, the queue goes on.
    EXPECT_FALSE(queue.DeferClose());
    EXPECT_FALSE(queue.CloseDeferred());
    EXPECT_EQ(queue.TakeNext(), kCopy);
}

TEST(PlanResize, EachModeGivesItsCallAndTooLargeIsRefused) {
    CaptureOptions options;
    options.scalePercent = 29;
    options.width = 320;
    options.height = 200;
    const std::pair<ResizeMode, std::optional<ResizeStep>> cases[] = {
        {ResizeMode::Keep, std::nullopt},
        {ResizeMode::Scale, ResizeStep{29, 14, std::nullopt}}, // floor of 29 % of 100 × 50
        {ResizeMode::Pixels, ResizeStep{320, 200, true}},
        {ResizeMode::PixelsStretched, ResizeStep{320, 200, false}},
    };
    for (const auto& [mode, expected] : cases) {
        options.resize = mode;
        EXPECT_EQ(PlanResize(options, 100, 50), expected) << int(mode);
    }
    options.resize = ResizeMode::Scale;
    options.scalePercent = 1000;
    EXPECT_THROW(PlanResize(options, 20000, 20000), Error);
    options.resize = ResizeMode::Keep; // a huge picture kept as it is needs no check
    EXPECT_FALSE(PlanResize(options, 20000, 20000));
}
