#pragma once
// COM for the calling thread, single-threaded apartment, for as long as the object lives.

#include <objbase.h>

namespace orvanta {

class ComApartment {
  public:
    ComApartment()
        : initialized_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialized_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialized_;
};

}  // namespace orvanta
