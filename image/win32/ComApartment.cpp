#include "image/win32/ComApartment.h"

#include <objbase.h>

namespace kavelo::image {

ComApartment::ComApartment() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // S_FALSE: COM was up already in this model; the call still counts and must be paired.
  m_initialised = SUCCEEDED(result);
  m_usable = m_initialised || result == RPC_E_CHANGED_MODE;
}

ComApartment::~ComApartment() {
  if (m_initialised) CoUninitialize();
}

}  // namespace kavelo::image
