#include "framework/Component.h"

namespace pelorine {

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
    // Later components may refer to earlier ones (a control to its parent): free them first.
    while (!owned_.empty())
        owned_.pop_back();
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
    for (const auto& c : owned_)
        if (c->Name() == name) return c.get();
    return nullptr;
}

} // namespace pelorine
