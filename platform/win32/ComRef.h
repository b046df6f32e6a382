#pragma once
// A COM interface pointer released on every way out of the scope that holds it.

namespace kavelo::platform {

template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (m_p != nullptr) m_p->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &m_p; }  // for the call that hands the interface over
  T* operator->() const { return m_p; }
  T* Get() const { return m_p; }

 private:
  T* m_p = nullptr;
};

}  // namespace kavelo::platform
