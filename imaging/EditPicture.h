#pragma once
// The picture the image edit layer converts: full colour, or indexed after a colour
// reduction. Every operation returns false and leaves the picture unchanged when it refuses.
#include "base/Pixmap.h"
#include "imaging/SaveOptions.h"

namespace pelorine {

class EditPicture {
  public:
    // Larger results are refused rather than risking an allocation the machine cannot hold.
    static constexpr long long kMaxPixels = 1LL << 27;
    static constexpr bool ExceedsPixelLimit(int width, int height) {
        return (long long)width * height > kMaxPixels;
    }

    EditPicture() = default;
    explicit EditPicture(Pixmap colour);

    bool Empty() const { return Width() == 0 || Height() == 0; }
    int Width() const;
    int Height() const;

    // kDepthFullColour, else the code of the last reduction: a palette depth or grey.
    int DepthCode() const { return depth_; }
    bool IsIndexed() const { return depth_ != kDepthFullColour; }
    const Pixmap& Colour() const { return colour_; }         // while !IsIndexed()
    const IndexedImage& Indexed() const { return indexed_; } // while IsIndexed()
    Pixmap ToColour() const;
    // Gives up the full-colour pixels (while indexed, the memory they had), leaving the
    // picture empty.
    Pixmap TakeColour();

    bool ChangeColorDepth(int code);
    bool Rotate(int degreesCounterClockwise);
    // Indexed pictures are resampled in full colour and reduced again to the same depth, so
    // the result keeps its depth with a palette fitted to the new pixels.
    bool Resize(int width, int height, bool keepAspectRatio);

  private:
    void SetColour(Pixmap colour);
    void SetIndexed(IndexedImage indexed, int depthCode);

    Pixmap colour_;
    IndexedImage indexed_;
    int depth_ = kDepthFullColour;
};

} // namespace pelorine
