#pragma once

namespace orvex {

// The thumb wheel's movement codes, as its notification carries them: the wheel sends Up or
// Down; the receiver also takes 3 as up and 2 as down, and ignores every other code.
enum class WheelCode { Up = 0, Down = 1 };

constexpr bool turnsUp(int code) {
    return code == static_cast<int>(WheelCode::Up) || code == 3;
}
constexpr bool turnsDown(int code) {
    return code == static_cast<int>(WheelCode::Down) || code == 2;
}

}  // namespace orvex
