#include "imaging/EditPicture.h"

#include "imaging/ColorReduction.h"
#include "imaging/Transform.h"

#include <utility>

namespace pelorine {

EditPicture::EditPicture(Pixmap colour) { SetColour(std::move(colour)); }

int EditPicture::Width() const { return IsIndexed() ? indexed_.width : colour_.width; }
int EditPicture::Height() const { return IsIndexed() ? indexed_.height : colour_.height; }

Pixmap EditPicture::ToColour() const { return IsIndexed() ? ToFullColour(indexed_) : colour_; }

Pixmap EditPicture::TakeColour() {
    Pixmap taken = std::move(colour_);
    SetColour({});
    return taken;
}

void EditPicture::SetColour(Pixmap colour) {
    colour_ = std::move(colour);
    indexed_ = {};
    depth_ = kDepthFullColour;
}

void EditPicture::SetIndexed(IndexedImage indexed, int depthCode) {
    indexed_ = std::move(indexed);
    // The full-colour memory stays, empty, for the next load to fill (TakeColour): it holds no
    // more than a full-colour picture would, and fresh memory for a screen is slow.
    colour_.Reshape(0, 0);
    depth_ = depthCode;
}

bool EditPicture::ChangeColorDepth(int code) {
    if (Empty() || !IsDepthCode(code)) return false;
    if (code == kDepthFullColour) {
        if (IsIndexed()) SetColour(ToFullColour(indexed_));
        return true;
    }
    // A full-colour picture is reduced where it is, not from a copy of a whole screen.
    const Pixmap converted = IsIndexed() ? ToFullColour(indexed_) : Pixmap{};
    const Pixmap& colour = IsIndexed() ? converted : colour_;
    SetIndexed(code == kDepthGrey ? ToGreyscale(colour) : ReduceColours(colour, code), code);
    return true;
}

bool EditPicture::Rotate(int degrees) {
    if (Empty() || !IsQuarterTurn(degrees)) return false;
    const bool swap = degrees != 180;
    if (IsIndexed()) {
        indexed_.indices = RotateCounterClockwise(indexed_.indices, indexed_.width, indexed_.height, degrees);
        if (swap) std::swap(indexed_.width, indexed_.height);
    } else {
        colour_.pixels = RotateCounterClockwise(colour_.pixels, colour_.width, colour_.height, degrees);
        if (swap) std::swap(colour_.width, colour_.height);
    }
    return true;
}

bool EditPicture::Resize(int width, int height, bool keepAspectRatio) {
    if (Empty() || width < 1 || height < 1 || ExceedsPixelLimit(width, height)) return false;
    const Pixmap colour = ToColour();
    Pixmap resized = keepAspectRatio ? ResampleToFit(colour, width, height) : Resample(colour, width, height);
    const int depth = depth_;
    SetColour(std::move(resized));
    if (depth != kDepthFullColour) ChangeColorDepth(depth);
    return true;
}

} // namespace pelorine
