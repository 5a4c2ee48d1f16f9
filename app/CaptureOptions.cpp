#include "app/CaptureOptions.h"

#include "imaging/SaveNaming.h"

namespace pelorine {

std::optional<ResizeStep> PlanResize(const CaptureOptions& options, int imageWidth, int imageHeight) {
    ResizeStep step{options.width, options.height, std::nullopt};
    switch (options.resize) {
    case ResizeMode::Keep:
        return std::nullopt;
    case ResizeMode::Scale:
        step = {ScaledSize(options.scalePercent, imageWidth), ScaledSize(options.scalePercent, imageHeight),
                std::nullopt};
        break;
    case ResizeMode::Pixels:
    case ResizeMode::PixelsStretched:
        step.keepAspectRatio = options.resize == ResizeMode::Pixels;
        break;
    }
    CheckResizeSize(step.width, step.height);
    return step;
}

} // namespace pelorine
