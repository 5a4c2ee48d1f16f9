#include "framework/Component.h"
#include "support/ErrorText.h"

#include <gtest/gtest.h>

namespace pelorine {
namespace {

struct Knob : TComponent {
    using TComponent::TComponent;
};
struct Dial : TComponent {
    using TComponent::TComponent;
};

// A form finds its members by name; a name that is missing or names a component of another
// class is a fault of the form description and must not turn into a bad pointer.
TEST(Component, TypedLookupFindsTheMemberOrFailsLoudly) {
    TComponent form(nullptr);
    Knob* knob = form.New<Knob>(L"Knob1");
    form.New<Dial>(L"Dial1");
    EXPECT_EQ(form.Get<Knob>(L"Knob1"), knob);
    EXPECT_EQ(testing_support::ErrorOf([&] { form.Get<Knob>(L"Dial1"); }), L"部品 Dial1 が見つかりません");
    EXPECT_THROW(form.Get<Knob>(L"Knob2"), Error);
}

} // namespace
} // namespace pelorine
