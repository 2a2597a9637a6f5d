// Command numbers. The numbers are fixed: the keypad table, the keyboard
// table and the menus carry them.
#pragma once

#include <cstdint>

namespace vxc {

using CommandId = uint32_t;

namespace cmd {
inline constexpr CommandId kEnter = 1005;
inline constexpr CommandId kDigit0 = 1006;  // 1006..1015: digits 0..9
inline constexpr CommandId kDigit9 = 1015;
inline constexpr CommandId kLetterA = 1016;  // 1016..1021: letters A..F
inline constexpr CommandId kLetterE = 1020;
inline constexpr CommandId kLetterF = 1021;
inline constexpr CommandId kPoint = 1022;
inline constexpr CommandId kAdd = 1023;
inline constexpr CommandId kSub = 1024;
inline constexpr CommandId kDiv = 1025;
inline constexpr CommandId kMul = 1026;
inline constexpr CommandId kRollUp = 1028;
inline constexpr CommandId kRollDown = 1029;
inline constexpr CommandId kBackspace = 1030;
inline constexpr CommandId kClx = 1031;
inline constexpr CommandId kCopy = 1032;
inline constexpr CommandId kLastX = 1033;
inline constexpr CommandId kEex = 1034;
inline constexpr CommandId kSwapXY = 1035;
inline constexpr CommandId kDigitsUp = 1036;
inline constexpr CommandId kDigitsDown = 1037;
inline constexpr CommandId kLog = 1038;
inline constexpr CommandId kLn = 1039;
inline constexpr CommandId kSquare = 1040;
inline constexpr CommandId kSqrt = 1041;
inline constexpr CommandId kPi = 1042;
inline constexpr CommandId kExp = 1043;
inline constexpr CommandId kPow = 1044;
inline constexpr CommandId kInverse = 1045;
inline constexpr CommandId kAnd = 1046;
inline constexpr CommandId kOr = 1047;
inline constexpr CommandId kXor = 1048;
inline constexpr CommandId kXnor = 1049;
inline constexpr CommandId kShl = 1050;
inline constexpr CommandId kShr = 1051;
inline constexpr CommandId kNeg = 1052;
inline constexpr CommandId kNot = 1053;
inline constexpr CommandId kSin = 1054;
inline constexpr CommandId kCos = 1055;
inline constexpr CommandId kTan = 1056;
inline constexpr CommandId kAsin = 1057;
inline constexpr CommandId kAcos = 1058;
inline constexpr CommandId kAtan = 1059;
inline constexpr CommandId kFactorial = 1060;
inline constexpr CommandId kRcl = 1061;
inline constexpr CommandId kSto = 1062;
inline constexpr CommandId kStoSub = 1063;
inline constexpr CommandId kStoAdd = 1064;
inline constexpr CommandId kChangeSign = 1065;
// Functions of the Function menu: 1070..1087 REAL (MOD in every mode),
// 1088..1095 the integer modes.
inline constexpr CommandId kTenX = 1070;
inline constexpr CommandId kXRoot = 1071;
inline constexpr CommandId kAbs = 1072;
inline constexpr CommandId kInt = 1073;
inline constexpr CommandId kFrac = 1074;
inline constexpr CommandId kMod = 1075;
inline constexpr CommandId kPercent = 1076;
inline constexpr CommandId kPercentChange = 1077;
inline constexpr CommandId kSinh = 1078;
inline constexpr CommandId kCosh = 1079;
inline constexpr CommandId kTanh = 1080;
inline constexpr CommandId kAsinh = 1081;
inline constexpr CommandId kAcosh = 1082;
inline constexpr CommandId kAtanh = 1083;
inline constexpr CommandId kCombinations = 1084;
inline constexpr CommandId kPermutations = 1085;
inline constexpr CommandId kToRadians = 1086;
inline constexpr CommandId kToDegrees = 1087;
inline constexpr CommandId kRotateLeft = 1088;
inline constexpr CommandId kRotateRight = 1089;
inline constexpr CommandId kRotateLeftN = 1090;
inline constexpr CommandId kRotateRightN = 1091;
inline constexpr CommandId kBitCount = 1092;
inline constexpr CommandId kMaskLeft = 1093;
inline constexpr CommandId kMaskRight = 1094;
inline constexpr CommandId kByteSwap = 1095;
inline constexpr CommandId kPaste = 32772;
inline constexpr CommandId kLcm = 32783;
inline constexpr CommandId kGcd = 32784;

// User-interface commands: handled by the window, never by Dispatch.
inline constexpr CommandId kWebSite = 111;
inline constexpr CommandId kErrorAlarm = 112;
inline constexpr CommandId kInitialize = 32774;
inline constexpr CommandId kAbout = 32775;
inline constexpr CommandId kExit = 32776;
inline constexpr CommandId kFocusUp = 32777;
inline constexpr CommandId kFocusDown = 32778;
inline constexpr CommandId kFocusLeft = 32779;
inline constexpr CommandId kFocusRight = 32780;
inline constexpr CommandId kFocusNext = 32781;
inline constexpr CommandId kFocusPrev = 32782;
inline constexpr CommandId kLangEnglish = 32786;
inline constexpr CommandId kLangJapanese = 32788;
inline constexpr CommandId kLangChinese = 32790;
inline constexpr CommandId kLangEsperanto = 32792;
inline constexpr CommandId kUndo = 32794;
inline constexpr CommandId kRedo = 32795;
inline constexpr CommandId kCopyFull = 32796;     // Edit > Copy Full Precision
inline constexpr CommandId kKeyboardHelp = 32797; // Help > Keyboard Shortcuts
inline constexpr CommandId kXPanel = 32798;       // Option > X Panel
inline constexpr CommandId kTape = 32799;         // Option > Tape; vxc32-keys prints the tape
inline constexpr CommandId kTapeCopy = 32800;     // the tape pane's buttons
inline constexpr CommandId kTapeClear = 32801;
inline constexpr CommandId kTapeSaveAs = 32802;
inline constexpr CommandId kZoomIn = 32803;       // Option > Zoom: 25% larger, up to 300%
inline constexpr CommandId kZoomOut = 32804;      // 25% smaller, down to 100%
inline constexpr CommandId kZoomReset = 32805;    // 100%
inline constexpr CommandId kThemeLight = 32806;   // Option > Theme
inline constexpr CommandId kThemeDark = 32807;
inline constexpr CommandId kThemeSystem = 32808;
}  // namespace cmd

// Modes a command acts in, as a bit per BASE code.
enum ModeMask : uint8_t {
  kInReal = 1 << 0,
  kInDec = 1 << 1,
  kInHex = 1 << 2,
  kInOct = 1 << 3,
  kInBin = 1 << 4,
  kInInteger = kInDec | kInHex | kInOct | kInBin,
  kInAll = kInReal | kInInteger,
};

// The mode bit of a BASE code; an unknown code acts as REAL.
constexpr uint8_t ModeBitOf(uint32_t base) { return base >= 1 && base <= 4 ? uint8_t(1u << base) : uint8_t(kInReal); }

}  // namespace vxc
