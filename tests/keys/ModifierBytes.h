// Modifier bytes of key bindings as the tests write them: the virtual-key bit with Shift or Ctrl.
#pragma once
#include "keys/KeyNames.h"
#include <cstdint>

inline constexpr std::uint8_t kVk = KeyModifier::kVirtualKey;
inline constexpr std::uint8_t kShift = KeyModifier::kVirtualKey | KeyModifier::kShift;
inline constexpr std::uint8_t kCtrl = KeyModifier::kVirtualKey | KeyModifier::kCtrl;
