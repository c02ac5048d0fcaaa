// Any thread; no state of its own.
#pragma once

#include <cstdint>

// The portable virtual key codes stored in profiles. They follow the ANSI
// layout table that the configuration format has always used; each platform's
// poster translates them to its own key codes.
namespace bindwell::vk {

inline constexpr int64_t kA = 0;
inline constexpr int64_t kS = 1;
inline constexpr int64_t kD = 2;
inline constexpr int64_t kF = 3;
inline constexpr int64_t kH = 4;
inline constexpr int64_t kG = 5;
inline constexpr int64_t kZ = 6;
inline constexpr int64_t kX = 7;
inline constexpr int64_t kC = 8;
inline constexpr int64_t kV = 9;
inline constexpr int64_t kB = 11;
inline constexpr int64_t kQ = 12;
inline constexpr int64_t kW = 13;
inline constexpr int64_t kE = 14;
inline constexpr int64_t kR = 15;
inline constexpr int64_t kY = 16;
inline constexpr int64_t kT = 17;
inline constexpr int64_t k1 = 18;
inline constexpr int64_t k2 = 19;
inline constexpr int64_t k3 = 20;
inline constexpr int64_t k4 = 21;
inline constexpr int64_t k6 = 22;
inline constexpr int64_t k5 = 23;
inline constexpr int64_t kEqual = 24;
inline constexpr int64_t k9 = 25;
inline constexpr int64_t k7 = 26;
inline constexpr int64_t kMinus = 27;
inline constexpr int64_t k8 = 28;
inline constexpr int64_t k0 = 29;
inline constexpr int64_t kRightBracket = 30;
inline constexpr int64_t kO = 31;
inline constexpr int64_t kU = 32;
inline constexpr int64_t kLeftBracket = 33;
inline constexpr int64_t kI = 34;
inline constexpr int64_t kP = 35;
inline constexpr int64_t kReturn = 36;
inline constexpr int64_t kL = 37;
inline constexpr int64_t kJ = 38;
inline constexpr int64_t kQuote = 39;
inline constexpr int64_t kK = 40;
inline constexpr int64_t kSemicolon = 41;
inline constexpr int64_t kBackslash = 42;
inline constexpr int64_t kComma = 43;
inline constexpr int64_t kSlash = 44;
inline constexpr int64_t kN = 45;
inline constexpr int64_t kM = 46;
inline constexpr int64_t kPeriod = 47;
inline constexpr int64_t kTab = 48;
inline constexpr int64_t kSpace = 49;
inline constexpr int64_t kGrave = 50;
inline constexpr int64_t kDelete = 51;
inline constexpr int64_t kEscape = 53;
inline constexpr int64_t kFunction = 63;
inline constexpr int64_t kF5 = 96;
inline constexpr int64_t kF6 = 97;
inline constexpr int64_t kF7 = 98;
inline constexpr int64_t kF3 = 99;
inline constexpr int64_t kF8 = 100;
inline constexpr int64_t kF9 = 101;
inline constexpr int64_t kF11 = 103;
// The F13 position, where a PC keyboard's Print Screen key reports itself.
inline constexpr int64_t kPrint = 105;
inline constexpr int64_t kF10 = 109;
inline constexpr int64_t kF12 = 111;
// The Help position, where a PC keyboard's Insert key reports itself.
inline constexpr int64_t kInsert = 114;
inline constexpr int64_t kHome = 115;
inline constexpr int64_t kPageUp = 116;
inline constexpr int64_t kForwardDelete = 117;
inline constexpr int64_t kF4 = 118;
inline constexpr int64_t kEnd = 119;
inline constexpr int64_t kF2 = 120;
inline constexpr int64_t kPageDown = 121;
inline constexpr int64_t kF1 = 122;
inline constexpr int64_t kLeftArrow = 123;
inline constexpr int64_t kRightArrow = 124;
inline constexpr int64_t kDownArrow = 125;
inline constexpr int64_t kUpArrow = 126;

} // namespace bindwell::vk
