#pragma once
// Marks a result that is deliberately not looked at: the procedure goes on
// whatever it says. Every such place can be found by this one name; a result
// dropped any other way is a compile error where the call is [[nodiscard]].

namespace tessorin {

template <typename Result>
constexpr void notExamined(const Result&) noexcept {}

}  // namespace tessorin
