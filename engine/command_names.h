// The names of every command and radio choice: the token vxc32-keys reads,
// the name a screen reader speaks and the tooltip text in the four menu
// languages. The window, the terminal tool and the tests all read this one
// table; none of them types a command's name a second time.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "command_ids.h"

namespace vxc {

// What a key, a shortcut or a token does: a command, or one choice of a
// radio group (the value is then the mode code, or the memory register).
enum class ActionKind : uint8_t { kCommand, kBase, kAngle, kDisplay, kRange, kMemory };

struct Action {
  ActionKind kind = ActionKind::kCommand;
  uint32_t value = 0;  // CommandId for kCommand
  constexpr bool operator==(const Action&) const = default;
};

constexpr Action CommandAction(CommandId id) { return Action{ActionKind::kCommand, id}; }

// Tooltip columns, in the order of the menu languages.
inline constexpr int kNameLanguages = 4;  // English, Japanese, Chinese (Traditional), Esperanto

struct ActionName {
  Action action;
  std::string_view token;   // vxc32-keys, upper case
  std::string_view spoken;  // screen readers (English)
  std::array<std::string_view, kNameLanguages> tip;  // UTF-8
};

namespace names_detail {
using AK = ActionKind;
}  // namespace names_detail

// clang-format off
inline constexpr std::array kActionNames = [] {
  using namespace names_detail;
  return std::array<ActionName, 140>{{
    {{AK::kCommand, cmd::kDigit0}, "0", "0", {"Digit 0", "数字 0", "數字 0", "Cifero 0"}},
    {{AK::kCommand, cmd::kDigit0 + 1}, "1", "1", {"Digit 1", "数字 1", "數字 1", "Cifero 1"}},
    {{AK::kCommand, cmd::kDigit0 + 2}, "2", "2", {"Digit 2", "数字 2", "數字 2", "Cifero 2"}},
    {{AK::kCommand, cmd::kDigit0 + 3}, "3", "3", {"Digit 3", "数字 3", "數字 3", "Cifero 3"}},
    {{AK::kCommand, cmd::kDigit0 + 4}, "4", "4", {"Digit 4", "数字 4", "數字 4", "Cifero 4"}},
    {{AK::kCommand, cmd::kDigit0 + 5}, "5", "5", {"Digit 5", "数字 5", "數字 5", "Cifero 5"}},
    {{AK::kCommand, cmd::kDigit0 + 6}, "6", "6", {"Digit 6", "数字 6", "數字 6", "Cifero 6"}},
    {{AK::kCommand, cmd::kDigit0 + 7}, "7", "7", {"Digit 7", "数字 7", "數字 7", "Cifero 7"}},
    {{AK::kCommand, cmd::kDigit0 + 8}, "8", "8", {"Digit 8", "数字 8", "數字 8", "Cifero 8"}},
    {{AK::kCommand, cmd::kDigit0 + 9}, "9", "9", {"Digit 9", "数字 9", "數字 9", "Cifero 9"}},
    {{AK::kCommand, cmd::kLetterA}, "A", "A", {"Hex digit A", "16進数字 A", "十六進位數字 A", "Deksesuma cifero A"}},
    {{AK::kCommand, cmd::kLetterA + 1}, "B", "B", {"Hex digit B", "16進数字 B", "十六進位數字 B", "Deksesuma cifero B"}},
    {{AK::kCommand, cmd::kLetterA + 2}, "C", "C", {"Hex digit C", "16進数字 C", "十六進位數字 C", "Deksesuma cifero C"}},
    {{AK::kCommand, cmd::kLetterA + 3}, "D", "D", {"Hex digit D", "16進数字 D", "十六進位數字 D", "Deksesuma cifero D"}},
    {{AK::kCommand, cmd::kLetterA + 4}, "E", "E", {"Hex digit E", "16進数字 E", "十六進位數字 E", "Deksesuma cifero E"}},
    {{AK::kCommand, cmd::kLetterA + 5}, "F", "F", {"Hex digit F", "16進数字 F", "十六進位數字 F", "Deksesuma cifero F"}},
    {{AK::kCommand, cmd::kPoint}, ".", "point", {"Decimal point", "小数点", "小數點", "Decimala punkto"}},
    {{AK::kCommand, cmd::kAdd}, "+", "plus", {"Add: Y + X", "加算: Y + X", "加: Y + X", "Adicii: Y + X"}},
    {{AK::kCommand, cmd::kSub}, "-", "minus", {"Subtract: Y − X", "減算: Y − X", "減: Y − X", "Subtrahi: Y − X"}},
    {{AK::kCommand, cmd::kMul}, "*", "multiply", {"Multiply: Y × X", "乗算: Y × X", "乘: Y × X", "Multipliki: Y × X"}},
    {{AK::kCommand, cmd::kDiv}, "/", "divide", {"Divide: Y ÷ X", "除算: Y ÷ X", "除: Y ÷ X", "Dividi: Y ÷ X"}},
    {{AK::kCommand, cmd::kEnter}, "ENTER", "ENTER", {"Enter: copy X into Y", "エンター: XをYへ複写", "輸入: 將X複製到Y", "Enigi: kopii X al Y"}},
    {{AK::kCommand, cmd::kClx}, "CLX", "CLX", {"Clear X", "Xをクリア", "清除X", "Vakigi X"}},
    {{AK::kCommand, cmd::kSwapXY}, "XY", "X exchange Y", {"Exchange X and Y", "XとYを交換", "交換X與Y", "Interŝanĝi X kaj Y"}},
    {{AK::kCommand, cmd::kRollUp}, "RUP", "roll up", {"Roll the stack up", "スタックを上へ回転", "堆疊向上輪轉", "Rotacii la stakon supren"}},
    {{AK::kCommand, cmd::kRollDown}, "RDN", "roll down", {"Roll the stack down", "スタックを下へ回転", "堆疊向下輪轉", "Rotacii la stakon malsupren"}},
    {{AK::kCommand, cmd::kBackspace}, "BS", "backspace", {"Delete the last typed character", "最後に入力した文字を削除", "刪除最後輸入的字元", "Forigi la lastan tajpitan signon"}},
    {{AK::kCommand, cmd::kLastX}, "LASTX", "last X", {"Recall the X of the last operation", "直前の演算のXを呼び出し", "叫回上一次運算的X", "Revoki la X de la lasta operacio"}},
    {{AK::kCommand, cmd::kEex}, "EEX", "EEX", {"Enter an exponent of ten", "10の指数を入力", "輸入10的指數", "Enigi eksponenton de dek"}},
    {{AK::kCommand, cmd::kChangeSign}, "CHS", "change sign", {"Change sign", "符号反転", "變號", "Ŝanĝi la signumon"}},
    {{AK::kCommand, cmd::kSin}, "SIN", "SIN", {"Sine", "正弦 (sin)", "正弦 (sin)", "Sinuso"}},
    {{AK::kCommand, cmd::kCos}, "COS", "COS", {"Cosine", "余弦 (cos)", "餘弦 (cos)", "Kosinuso"}},
    {{AK::kCommand, cmd::kTan}, "TAN", "TAN", {"Tangent", "正接 (tan)", "正切 (tan)", "Tangento"}},
    {{AK::kCommand, cmd::kAsin}, "ASIN", "ASIN", {"Arc sine", "逆正弦 (arcsin)", "反正弦 (arcsin)", "Arksinuso"}},
    {{AK::kCommand, cmd::kAcos}, "ACOS", "ACOS", {"Arc cosine", "逆余弦 (arccos)", "反餘弦 (arccos)", "Arkkosinuso"}},
    {{AK::kCommand, cmd::kAtan}, "ATAN", "ATAN", {"Arc tangent", "逆正接 (arctan)", "反正切 (arctan)", "Arktangento"}},
    {{AK::kCommand, cmd::kLog}, "LOG", "LOG", {"Common logarithm", "常用対数", "常用對數", "Dekuma logaritmo"}},
    {{AK::kCommand, cmd::kLn}, "LN", "LN", {"Natural logarithm", "自然対数", "自然對數", "Natura logaritmo"}},
    {{AK::kCommand, cmd::kSquare}, "X2", "X squared", {"Square: X²", "2乗: X²", "平方: X²", "Kvadrato: X²"}},
    {{AK::kCommand, cmd::kSqrt}, "SQRT", "square root", {"Square root", "平方根", "平方根", "Kvadrata radiko"}},
    {{AK::kCommand, cmd::kPi}, "PI", "pi", {"Pi", "円周率 π", "圓周率 π", "Pi"}},
    {{AK::kCommand, cmd::kExp}, "EXP", "e to the X", {"e to the power X", "eのX乗", "e的X次方", "e potence X"}},
    {{AK::kCommand, cmd::kPow}, "POW", "Y to the X", {"Y to the power X", "YのX乗", "Y的X次方", "Y potence X"}},
    {{AK::kCommand, cmd::kInverse}, "INV", "1 over X", {"Reciprocal: 1/X", "逆数: 1/X", "倒數: 1/X", "Inverso: 1/X"}},
    {{AK::kCommand, cmd::kFactorial}, "FACT", "X factorial", {"Factorial: X!", "階乗: X!", "階乘: X!", "Faktorialo: X!"}},
    {{AK::kCommand, cmd::kAnd}, "AND", "AND", {"Bitwise AND", "ビットごとの論理積 (AND)", "位元且 (AND)", "Bita KAJ (AND)"}},
    {{AK::kCommand, cmd::kOr}, "OR", "OR", {"Bitwise OR", "ビットごとの論理和 (OR)", "位元或 (OR)", "Bita AŬ (OR)"}},
    {{AK::kCommand, cmd::kXor}, "XOR", "XOR", {"Bitwise exclusive OR", "ビットごとの排他的論理和 (XOR)", "位元互斥或 (XOR)", "Bita ekskluziva AŬ (XOR)"}},
    {{AK::kCommand, cmd::kXnor}, "XNOR", "XNOR", {"Bitwise exclusive NOR", "ビットごとの否定排他的論理和 (XNOR)", "位元反互斥或 (XNOR)", "Bita ekskluziva NE-AŬ (XNOR)"}},
    {{AK::kCommand, cmd::kShl}, "SHL", "SHL", {"Shift Y left by X bits", "YをXビット左シフト", "Y左移X位元", "Ŝovi Y maldekstren je X bitoj"}},
    {{AK::kCommand, cmd::kShr}, "SHR", "SHR", {"Shift Y right by X bits", "YをXビット右シフト", "Y右移X位元", "Ŝovi Y dekstren je X bitoj"}},
    {{AK::kCommand, cmd::kNeg}, "NEG", "NEG", {"Negate (two's complement)", "符号反転 (2の補数)", "取負 (二補數)", "Negi (dukomplemento)"}},
    {{AK::kCommand, cmd::kNot}, "NOT", "NOT", {"Bitwise NOT", "ビット反転 (NOT)", "位元反相 (NOT)", "Bita NE (NOT)"}},
    {{AK::kCommand, cmd::kRcl}, "RCL", "RCL", {"Recall the selected memory register", "選択したメモリを呼び出し", "叫回所選的記憶", "Revoki la elektitan memoron"}},
    {{AK::kCommand, cmd::kSto}, "STO", "STO", {"Store X in the selected memory register", "Xを選択したメモリに記憶", "將X存入所選的記憶", "Konservi X en la elektita memoro"}},
    {{AK::kCommand, cmd::kStoAdd}, "ST+", "ST plus", {"Add X to the selected memory register", "選択したメモリにXを加算", "將X加到所選的記憶", "Adicii X al la elektita memoro"}},
    {{AK::kCommand, cmd::kStoSub}, "ST-", "ST minus", {"Subtract X from the selected memory register", "選択したメモリからXを減算", "從所選的記憶減去X", "Subtrahi X de la elektita memoro"}},
    {{AK::kCommand, cmd::kLcm}, "LCM", "L.C.M.", {"Least common multiple", "最小公倍数", "最小公倍數", "Plej malgranda komuna oblo"}},
    {{AK::kCommand, cmd::kGcd}, "GCD", "G.C.D.", {"Greatest common divisor", "最大公約数", "最大公因數", "Plej granda komuna divizoro"}},
    {{AK::kCommand, cmd::kTenX}, "TENX", "10 to the X", {"Ten to the power X: 10^X", "10のX乗: 10^X", "10的X次方: 10^X", "Dek potence X: 10^X"}},
    {{AK::kCommand, cmd::kXRoot}, "XROOT", "X-th root of Y", {"X-th root of Y", "YのX乗根", "Y的X次方根", "X-a radiko de Y"}},
    {{AK::kCommand, cmd::kAbs}, "ABS", "absolute value", {"Absolute value: |X|", "絶対値: |X|", "絕對值: |X|", "Absoluta valoro: |X|"}},
    {{AK::kCommand, cmd::kInt}, "INT", "integer part", {"Integer part of X (toward zero)", "Xの整数部 (0方向)", "X的整數部分 (向零)", "Entjera parto de X (al nulo)"}},
    {{AK::kCommand, cmd::kFrac}, "FRAC", "fractional part", {"Fractional part of X", "Xの小数部", "X的小數部分", "Frakcia parto de X"}},
    {{AK::kCommand, cmd::kMod}, "MOD", "modulo", {"Remainder: Y MOD X", "剰余: Y MOD X", "餘數: Y MOD X", "Resto: Y MOD X"}},
    {{AK::kCommand, cmd::kPercent}, "PCT", "percent", {"Percent: Y × X / 100, Y kept", "パーセント: Y × X / 100 (Yは残る)", "百分比: Y × X / 100 (保留Y)", "Procento: Y × X / 100, Y restas"}},
    {{AK::kCommand, cmd::kPercentChange}, "DPCT", "percent change", {"Percent change from Y to X, Y kept", "YからXへの変化率 (%) (Yは残る)", "從Y到X的變化百分比 (保留Y)", "Procenta ŝanĝo de Y al X, Y restas"}},
    {{AK::kCommand, cmd::kSinh}, "SINH", "hyperbolic sine", {"Hyperbolic sine", "双曲線正弦 (sinh)", "雙曲正弦 (sinh)", "Hiperbola sinuso"}},
    {{AK::kCommand, cmd::kCosh}, "COSH", "hyperbolic cosine", {"Hyperbolic cosine", "双曲線余弦 (cosh)", "雙曲餘弦 (cosh)", "Hiperbola kosinuso"}},
    {{AK::kCommand, cmd::kTanh}, "TANH", "hyperbolic tangent", {"Hyperbolic tangent", "双曲線正接 (tanh)", "雙曲正切 (tanh)", "Hiperbola tangento"}},
    {{AK::kCommand, cmd::kAsinh}, "ASINH", "inverse hyperbolic sine", {"Inverse hyperbolic sine", "逆双曲線正弦 (arsinh)", "反雙曲正弦 (arsinh)", "Inversa hiperbola sinuso"}},
    {{AK::kCommand, cmd::kAcosh}, "ACOSH", "inverse hyperbolic cosine", {"Inverse hyperbolic cosine", "逆双曲線余弦 (arcosh)", "反雙曲餘弦 (arcosh)", "Inversa hiperbola kosinuso"}},
    {{AK::kCommand, cmd::kAtanh}, "ATANH", "inverse hyperbolic tangent", {"Inverse hyperbolic tangent", "逆双曲線正接 (artanh)", "反雙曲正切 (artanh)", "Inversa hiperbola tangento"}},
    {{AK::kCommand, cmd::kCombinations}, "NCR", "combinations", {"Combinations of Y things X at a time", "組合せ: Y個からX個を選ぶ", "組合: 從Y個取X個", "Kombinoj de Y eroj po X"}},
    {{AK::kCommand, cmd::kPermutations}, "NPR", "permutations", {"Permutations of Y things X at a time", "順列: Y個からX個を並べる", "排列: 從Y個取X個排列", "Permutoj de Y eroj po X"}},
    {{AK::kCommand, cmd::kToRadians}, "TORAD", "degrees to radians", {"Degrees to radians", "度からラジアンへ", "度轉換為弧度", "Gradoj al radianoj"}},
    {{AK::kCommand, cmd::kToDegrees}, "TODEG", "radians to degrees", {"Radians to degrees", "ラジアンから度へ", "弧度轉換為度", "Radianoj al gradoj"}},
    {{AK::kCommand, cmd::kRotateLeft}, "RL", "rotate left", {"Rotate X left by one bit", "Xを1ビット左回転", "X循環左移一位元", "Rotacii X maldekstren je unu bito"}},
    {{AK::kCommand, cmd::kRotateRight}, "RR", "rotate right", {"Rotate X right by one bit", "Xを1ビット右回転", "X循環右移一位元", "Rotacii X dekstren je unu bito"}},
    {{AK::kCommand, cmd::kRotateLeftN}, "RLN", "rotate left N", {"Rotate Y left by X bits", "YをXビット左回転", "Y循環左移X位元", "Rotacii Y maldekstren je X bitoj"}},
    {{AK::kCommand, cmd::kRotateRightN}, "RRN", "rotate right N", {"Rotate Y right by X bits", "YをXビット右回転", "Y循環右移X位元", "Rotacii Y dekstren je X bitoj"}},
    {{AK::kCommand, cmd::kBitCount}, "BITS", "bit count", {"Number of 1 bits in X", "Xの1のビット数", "X中1的位元數", "Nombro de 1-bitoj en X"}},
    {{AK::kCommand, cmd::kMaskLeft}, "MASKL", "mask left", {"Mask of X leftmost 1 bits", "左詰めのXビットのマスク", "左側X個1位元的遮罩", "Masko de X maldekstraj 1-bitoj"}},
    {{AK::kCommand, cmd::kMaskRight}, "MASKR", "mask right", {"Mask of X rightmost 1 bits", "右詰めのXビットのマスク", "右側X個1位元的遮罩", "Masko de X dekstraj 1-bitoj"}},
    {{AK::kCommand, cmd::kByteSwap}, "BSWAP", "byte swap", {"Bytes of X in reverse order", "Xのバイト順を反転", "反轉X的位元組順序", "Bajtoj de X en inversa ordo"}},
    {{AK::kCommand, cmd::kDigitsUp}, "UP", "digits up", {"One more digit shown", "表示桁数を1つ増やす", "顯示位數加一", "Montri unu ciferon pli"}},
    {{AK::kCommand, cmd::kDigitsDown}, "DOWN", "digits down", {"One digit fewer shown", "表示桁数を1つ減らす", "顯示位數減一", "Montri unu ciferon malpli"}},
    {{AK::kCommand, cmd::kCopy}, "COPY", "copy X", {"Copy X to the clipboard", "Xをクリップボードへコピー", "將X複製到剪貼簿", "Kopii X al la tondujo"}},
    {{AK::kCommand, cmd::kErrorAlarm}, "ALARM", "error alarm", {"Error alarm on or off", "アラームのオン/オフ", "報警開關", "Alarmo ŝaltita aŭ malŝaltita"}},
    {{AK::kCommand, cmd::kXPanel}, "PANEL", "X panel", {"X panel on or off", "X パネルのオン/オフ", "X 面板開關", "X-panelo ŝaltita aŭ malŝaltita"}},
    {{AK::kCommand, cmd::kTape}, "TAPE", "tape", {"Tape on or off: a record of the work", "テープのオン/オフ: 計算の記録", "紙帶開關: 計算的記錄", "Bendo ŝaltita aŭ malŝaltita: registro de la laboro"}},
    {{AK::kCommand, cmd::kTapeCopy}, "TAPECOPY", "copy tape", {"Copy the selected tape lines, or all of them", "選択したテープの行 (なければ全部) をコピー", "複製所選的紙帶行 (未選則全部)", "Kopii la elektitajn liniojn de la bendo, aŭ ĉiujn"}},
    {{AK::kCommand, cmd::kTapeClear}, "TAPECLEAR", "clear tape", {"Clear the tape", "テープを消去", "清除紙帶", "Vakigi la bendon"}},
    {{AK::kCommand, cmd::kTapeSaveAs}, "TAPESAVE", "save tape as", {"Save the tape as a text file", "テープをテキストファイルに保存", "將紙帶另存為文字檔", "Konservi la bendon kiel tekstan dosieron"}},
    {{AK::kCommand, cmd::kZoomIn}, "ZOOMIN", "zoom in", {"Zoom in: the window 25% larger (up to 300%)", "拡大: ウィンドウを25%大きく (300%まで)", "放大: 視窗放大25% (最多300%)", "Pligrandigi: la fenestro 25% pli granda (ĝis 300%)"}},
    {{AK::kCommand, cmd::kZoomOut}, "ZOOMOUT", "zoom out", {"Zoom out: the window 25% smaller (down to 100%)", "縮小: ウィンドウを25%小さく (100%まで)", "縮小: 視窗縮小25% (最少100%)", "Malpligrandigi: la fenestro 25% malpli granda (ĝis 100%)"}},
    {{AK::kCommand, cmd::kZoomReset}, "ZOOM100", "actual size", {"Actual size: zoom 100%", "実際のサイズ: 100%", "實際大小: 100%", "Reala grando: 100%"}},
    {{AK::kCommand, cmd::kThemeLight}, "THEMELIGHT", "light theme", {"Light theme", "ライトテーマ", "淺色主題", "Hela etoso"}},
    {{AK::kCommand, cmd::kThemeDark}, "THEMEDARK", "dark theme", {"Dark theme", "ダークテーマ", "深色主題", "Malhela etoso"}},
    {{AK::kCommand, cmd::kThemeSystem}, "THEMESYSTEM", "system theme", {"Theme of the desktop: dark when its windows are dark", "デスクトップに合わせたテーマ: ウィンドウが暗いときはダーク", "跟隨桌面的主題: 視窗為深色時用深色", "Etoso laŭ la labortablo: malhela kiam ĝiaj fenestroj estas malhelaj"}},
    {{AK::kCommand, cmd::kInitialize}, "INIT", "initialize", {"Initialize: every setting to its default", "初期化: すべての設定を既定値に", "初始化: 所有設定回復預設值", "Pravalorizi: ĉiuj agordoj al la defaŭltoj"}},
    {{AK::kCommand, cmd::kCopyFull}, "COPYFULL", "copy full precision", {"Copy X with every digit", "Xを全桁でコピー", "以完整精度複製X", "Kopii X kun ĉiuj ciferoj"}},
    {{AK::kCommand, cmd::kPaste}, "PASTE", "paste", {"Paste a number into the entry", "数値を貼り付け", "貼上數字", "Alglui nombron"}},
    {{AK::kCommand, cmd::kUndo}, "UNDO", "undo", {"Undo", "元に戻す", "復原", "Malfari"}},
    {{AK::kCommand, cmd::kRedo}, "REDO", "redo", {"Redo", "やり直し", "重做", "Refari"}},
    {{AK::kCommand, cmd::kKeyboardHelp}, "KEYS", "keyboard shortcuts", {"Keyboard shortcuts", "キーボードショートカット", "鍵盤快速鍵", "Fulmoklavoj"}},
    {{AK::kCommand, cmd::kAbout}, "ABOUT", "about", {"About this software", "このソフトウェアについて", "關於本軟件", "Pri tiu programaro"}},
    {{AK::kCommand, cmd::kWebSite}, "WEBSITE", "official web site", {"Official web site", "公式サイト", "官方網站", "Oficiala retejo"}},
    {{AK::kCommand, cmd::kExit}, "EXIT", "exit", {"Exit", "終了", "退出應用程序", "Fino"}},
    {{AK::kCommand, cmd::kFocusUp}, "FOCUSUP", "focus up", {"Previous choice in the focused mode group", "フォーカスのあるモードで前の選択肢", "焦點模式組的上一個選項", "Antaŭa elekto en la fokusita reĝimgrupo"}},
    {{AK::kCommand, cmd::kFocusDown}, "FOCUSDOWN", "focus down", {"Next choice in the focused mode group", "フォーカスのあるモードで次の選択肢", "焦點模式組的下一個選項", "Sekva elekto en la fokusita reĝimgrupo"}},
    {{AK::kCommand, cmd::kFocusLeft}, "FOCUSLEFT", "focus left", {"Previous choice in the focused mode group", "フォーカスのあるモードで前の選択肢", "焦點模式組的上一個選項", "Antaŭa elekto en la fokusita reĝimgrupo"}},
    {{AK::kCommand, cmd::kFocusRight}, "FOCUSRIGHT", "focus right", {"Next choice in the focused mode group", "フォーカスのあるモードで次の選択肢", "焦點模式組的下一個選項", "Sekva elekto en la fokusita reĝimgrupo"}},
    {{AK::kCommand, cmd::kFocusNext}, "FOCUSNEXT", "next mode group", {"Next mode group", "次のモードグループ", "下一個模式組", "Sekva reĝimgrupo"}},
    {{AK::kCommand, cmd::kFocusPrev}, "FOCUSPREV", "previous mode group", {"Previous mode group", "前のモードグループ", "上一個模式組", "Antaŭa reĝimgrupo"}},
    {{AK::kBase, 0}, "BASE=REAL", "REAL", {"REAL: Real numbers (floating point)", "REAL: 実数 (浮動小数点)", "REAL: 實數 (浮點)", "REAL: Reelaj nombroj (glitpunktaj)"}},
    {{AK::kBase, 1}, "BASE=DEC", "DEC", {"DEC: Decimal integers", "DEC: 10進整数", "DEC: 十進位整數", "DEC: Dekumaj entjeroj"}},
    {{AK::kBase, 2}, "BASE=HEX", "HEX", {"HEX: Hexadecimal integers", "HEX: 16進整数", "HEX: 十六進位整數", "HEX: Deksesumaj entjeroj"}},
    {{AK::kBase, 3}, "BASE=OCT", "OCT", {"OCT: Octal integers", "OCT: 8進整数", "OCT: 八進位整數", "OCT: Okumaj entjeroj"}},
    {{AK::kBase, 4}, "BASE=BIN", "BIN", {"BIN: Binary integers", "BIN: 2進整数", "BIN: 二進位整數", "BIN: Duumaj entjeroj"}},
    {{AK::kAngle, 0}, "ANGLE=DEG", "DEG", {"DEG: angles in degrees", "DEG: 角度の単位は度", "DEG: 角度單位為度", "DEG: anguloj en gradoj"}},
    {{AK::kAngle, 1}, "ANGLE=RAD", "RAD", {"RAD: angles in radians", "RAD: 角度の単位はラジアン", "RAD: 角度單位為弧度", "RAD: anguloj en radianoj"}},
    {{AK::kAngle, 2}, "ANGLE=GRAD", "GRAD", {"GRAD: angles in gradians", "GRAD: 角度の単位はグラード", "GRAD: 角度單位為百分度", "GRAD: anguloj en gradianoj"}},
    {{AK::kDisplay, 0}, "DISPLAY=FIX", "FIX", {"FIX: fixed-point display", "FIX: 固定小数点表示", "FIX: 定點顯示", "FIX: fikspunkta montro"}},
    {{AK::kDisplay, 1}, "DISPLAY=SCI", "SCI", {"SCI: scientific display", "SCI: 指数表示", "SCI: 科學記號顯示", "SCI: scienca montro"}},
    {{AK::kDisplay, 2}, "DISPLAY=ENG", "ENG", {"ENG: engineering display", "ENG: 工学表示", "ENG: 工程記號顯示", "ENG: inĝeniera montro"}},
    {{AK::kRange, 0}, "RANGE=QW", "RANGE QW", {"QW: 64-bit words", "QW: 64ビット", "QW: 64位元", "QW: 64-bitaj vortoj"}},
    {{AK::kRange, 1}, "RANGE=DW", "RANGE DW", {"DW: 32-bit words", "DW: 32ビット", "DW: 32位元", "DW: 32-bitaj vortoj"}},
    {{AK::kRange, 2}, "RANGE=W", "RANGE W", {"W: 16-bit words", "W: 16ビット", "W: 16位元", "W: 16-bitaj vortoj"}},
    {{AK::kRange, 3}, "RANGE=B", "RANGE B", {"B: 8-bit words", "B: 8ビット", "B: 8位元", "B: 8-bitaj vortoj"}},
    {{AK::kMemory, 0}, "MEM=0", "MEM 0", {"Memory register 0", "メモリ 0", "記憶 0", "Memoro 0"}},
    {{AK::kMemory, 1}, "MEM=1", "MEM 1", {"Memory register 1", "メモリ 1", "記憶 1", "Memoro 1"}},
    {{AK::kMemory, 2}, "MEM=2", "MEM 2", {"Memory register 2", "メモリ 2", "記憶 2", "Memoro 2"}},
    {{AK::kMemory, 3}, "MEM=3", "MEM 3", {"Memory register 3", "メモリ 3", "記憶 3", "Memoro 3"}},
    {{AK::kMemory, 4}, "MEM=4", "MEM 4", {"Memory register 4", "メモリ 4", "記憶 4", "Memoro 4"}},
    {{AK::kMemory, 5}, "MEM=5", "MEM 5", {"Memory register 5", "メモリ 5", "記憶 5", "Memoro 5"}},
    {{AK::kMemory, 6}, "MEM=6", "MEM 6", {"Memory register 6", "メモリ 6", "記憶 6", "Memoro 6"}},
    {{AK::kMemory, 7}, "MEM=7", "MEM 7", {"Memory register 7", "メモリ 7", "記憶 7", "Memoro 7"}},
    {{AK::kMemory, 8}, "MEM=8", "MEM 8", {"Memory register 8", "メモリ 8", "記憶 8", "Memoro 8"}},
    {{AK::kMemory, 9}, "MEM=9", "MEM 9", {"Memory register 9", "メモリ 9", "記憶 9", "Memoro 9"}},
  }};
}();
// clang-format on

// The X panel's bit click: "BIT=5" in vxc32-keys, "BIT 5" on the tape.
inline constexpr std::string_view kBitToken = "BIT";

namespace names_detail {
// The rows of the keypad's commands by id, so that the tape finds the name
// of a key without a search on every press; -1: no row.
inline constexpr auto kKeyRows = [] {
  std::array<int16_t, cmd::kChangeSign - cmd::kEnter + 1> rows{};
  rows.fill(-1);
  for (size_t i = 0; i < kActionNames.size(); ++i) {
    const Action a = kActionNames[i].action;
    if (a.kind == ActionKind::kCommand && a.value >= cmd::kEnter && a.value <= cmd::kChangeSign)
      rows[a.value - cmd::kEnter] = static_cast<int16_t>(i);
  }
  return rows;
}();
}  // namespace names_detail

// The names of `action`, or nullptr when it has none.
constexpr const ActionName* FindActionName(Action action) {
  if (action.kind == ActionKind::kCommand && action.value >= cmd::kEnter && action.value <= cmd::kChangeSign) {
    const int16_t row = names_detail::kKeyRows[action.value - cmd::kEnter];
    return row < 0 ? nullptr : &kActionNames[static_cast<size_t>(row)];
  }
  for (const ActionName& row : kActionNames) {
    if (row.action == action) return &row;
  }
  return nullptr;
}

// The row whose token is `upperToken` (already in upper case), or nullptr.
constexpr const ActionName* FindActionToken(std::string_view upperToken) {
  for (const ActionName& row : kActionNames) {
    if (row.token == upperToken) return &row;
  }
  return nullptr;
}

}  // namespace vxc
