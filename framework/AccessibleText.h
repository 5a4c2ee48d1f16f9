#pragma once
// The words a screen reader speaks for a control, taken from what a sighted user reads beside
// it. Free of any window so they can be tested natively.
#include <string>
#include <string_view>

namespace pelorine {

// A field's caption label as a name: without the " -" that points at the field.
std::wstring LabelName(std::wstring_view caption);
// A hint as spoken: without the blanks that pad it in the hint window.
std::wstring HintText(std::wstring_view hint);
// A button's caption as a name: its access-key marks gone ("CLOSE (&X)" is "CLOSE (X)", "&&" is
// "&"); empty for a caption of one character, a glyph ("×", "？") that says nothing aloud.
std::wstring CaptionName(std::wstring_view caption);

} // namespace pelorine
