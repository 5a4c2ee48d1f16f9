#pragma once
// What a capture reads of the main window's options, as plain values: the pipeline gets them
// from the window each time it runs and needs no control. A save reads the save options, a
// print the print options; the others keep their defaults.
#include "imaging/PageLayout.h"
#include "imaging/SaveOptions.h"

#include <optional>
#include <string>

namespace pelorine {

struct CaptureOptions {
    bool includeCursor = true;
    bool beep = true;

    std::optional<SaveFormat> format; // none: the last save's format stays
    int quality = 0;                  // SaveQuality
    std::optional<DepthCode> depth;
    std::optional<Turn> turn;
    ResizeMode resize = ResizeMode::Keep;
    int scalePercent = 100;
    int width = 640, height = 480; // the pixel modes' box
    std::wstring folder, prefix;
    int serialNumber = 0;

    std::wstring header, footer;
    PageMargins margins;
};

// One ResizeImage call: its size and, for the pixel modes, the AspectRatio it needs.
struct ResizeStep {
    int width, height;
    std::optional<bool> keepAspectRatio;
    bool operator==(const ResizeStep&) const = default;
};

// The resize the options ask of a picture of that size; nullopt for none. Raises the user's
// error for a size larger than the image edit layer holds.
std::optional<ResizeStep> PlanResize(const CaptureOptions& options, int imageWidth, int imageHeight);

} // namespace pelorine
