#pragma once
// Components own the components made with New(), by name, and free them in reverse order.
// Portable: no platform headers.
#include "framework/Error.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pelorine {

class TComponent {
  public:
    explicit TComponent(TComponent* owner) : owner_(owner) {}
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent();

    TComponent* Owner() const { return owner_; }
    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }

    // Makes a component owned by this one: T(this, args...).
    template <typename T, typename... A> T* New(std::wstring name, A&&... args) {
        auto made = std::make_unique<T>(this, std::forward<A>(args)...);
        T* raw = made.get();
        raw->SetName(std::move(name));
        owned_.push_back(std::move(made));
        return raw;
    }
    TComponent* FindComponent(const std::wstring& name) const;
    // The owned component of that name as a T. One that is missing or of another class is a
    // fault of the form description: it fails loudly rather than handing out a bad pointer.
    template <typename T> T* Get(const std::wstring& name) const {
        if (auto* found = dynamic_cast<T*>(FindComponent(name))) return found;
        throw Error(L"部品 " + name + L" が見つかりません");
    }
    size_t ComponentCount() const { return owned_.size(); }
    TComponent* Components(size_t i) const { return owned_[i].get(); }

  protected:
    // Frees the owned components now; windows call it before their own handle goes.
    void DestroyComponents();

  private:
    TComponent* owner_;
    std::wstring name_;
    std::vector<std::unique_ptr<TComponent>> owned_;
};

} // namespace pelorine
