#include "tests/res/resource_bytes.h"

namespace orvanta::test {

std::span<const std::byte> ResourceBytes(LPCSTR type, WORD id, WORD language) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const std::byte*>(data), SizeofResource(module, info)};
}

}  // namespace orvanta::test
