#include "function_menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "keymap.h"

namespace vxc::ui {

using L = MenuLevel;

// clang-format off
const std::array<MenuRow, kFunctionMenuRowCount> kFunctionMenuTable = {{
  {L::kPopup, 0, {"&Function", "機能(&F)", "機能(&F)", "&Funkcio"}},
  {L::kItem, cmd::kTenX, {"10^&X", "10のX乗(&X)", "10的X次方(&X)", "10 potence &X"}},
  {L::kItem, cmd::kXRoot, {"X-th &Root of Y", "YのX乗根(&R)", "Y的X次方根(&R)", "X-a &radiko de Y"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kAbs, {"&Absolute Value", "絶対値(&A)", "絕對值(&A)", "&Absoluta valoro"}},
  {L::kItem, cmd::kInt, {"&Integer Part", "整数部(&I)", "整數部分(&I)", "&Entjera parto"}},
  {L::kItem, cmd::kFrac, {"&Fractional Part", "小数部(&F)", "小數部分(&F)", "&Frakcia parto"}},
  {L::kItem, cmd::kMod, {"&Modulo (Y MOD X)", "剰余 Y MOD X(&M)", "餘數 Y MOD X(&M)", "&Modulo (Y MOD X)"}},
  {L::kItem, cmd::kPercent, {"&Percent (Y × X / 100)", "パーセント Y × X / 100(&P)", "百分比 Y × X / 100(&P)", "&Procento (Y × X / 100)"}},
  {L::kItem, cmd::kPercentChange, {"Percent C&hange (Δ%)", "変化率 Δ%(&H)", "變化百分比 Δ%(&H)", "Procenta ŝ&anĝo (Δ%)"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kSubPopup, 0, {"H&yperbolic", "双曲線関数(&Y)", "雙曲函數(&Y)", "&Hiperbolaj funkcioj"}},
  {L::kSubItem, cmd::kSinh, {"&sinh", "&sinh", "&sinh", "&sinh"}},
  {L::kSubItem, cmd::kCosh, {"&cosh", "&cosh", "&cosh", "&cosh"}},
  {L::kSubItem, cmd::kTanh, {"&tanh", "&tanh", "&tanh", "&tanh"}},
  {L::kSubItem, cmd::kAsinh, {"&asinh", "&asinh", "&asinh", "&asinh"}},
  {L::kSubItem, cmd::kAcosh, {"ac&osh", "ac&osh", "ac&osh", "ac&osh"}},
  {L::kSubItem, cmd::kAtanh, {"ata&nh", "ata&nh", "ata&nh", "ata&nh"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kCombinations, {"&Combinations (nCr)", "組合せ nCr(&C)", "組合 nCr(&C)", "&Kombinoj (nCr)"}},
  {L::kItem, cmd::kPermutations, {"Permutatio&ns (nPr)", "順列 nPr(&N)", "排列 nPr(&N)", "Per&mutoj (nPr)"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kToRadians, {"Degrees to Ra&dians", "度→ラジアン(&D)", "度→弧度(&D)", "&Gradoj al radianoj"}},
  {L::kItem, cmd::kToDegrees, {"Radians to D&egrees", "ラジアン→度(&E)", "弧度→度(&E)", "Ra&dianoj al gradoj"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kLcm, {"&L.C.M.", "最小公倍数(&L)", "最小公倍數(&L)", "Plej ma&lgranda komuna oblo"}},
  {L::kItem, cmd::kGcd, {"&G.C.D.", "最大公約数(&G)", "最大公因數(&G)", "Plej &granda komuna divizoro"}},
  {L::kItem, cmd::kRotateLeft, {"R&otate Left", "左回転(&O)", "循環左移(&O)", "R&otacii maldekstren"}},
  {L::kItem, cmd::kRotateRight, {"Rotate Righ&t", "右回転(&T)", "循環右移(&T)", "Rotacii dek&stren"}},
  {L::kItem, cmd::kRotateLeftN, {"Rotate Y Left &by X", "YをXビット左回転(&B)", "Y循環左移X位元(&B)", "Rotacii Y maldekstren je X"}},
  {L::kItem, cmd::kRotateRightN, {"Rotate Y Right by X", "YをXビット右回転(&W)", "Y循環右移X位元(&W)", "Rotacii Y dekstren je X"}},
  {L::kItem, cmd::kBitCount, {"Bit Co&unt (#B)", "1のビット数 #B(&U)", "1的位元數 #B(&U)", "Nombro de &unu-bitoj (#B)"}},
  {L::kItem, cmd::kMaskLeft, {"Mas&k Left", "左詰めマスク(&K)", "左側遮罩(&K)", "Masko maldekstra (&K)"}},
  {L::kItem, cmd::kMaskRight, {"Mask Right", "右詰めマスク(&J)", "右側遮罩(&J)", "Masko dekstra"}},
  {L::kItem, cmd::kByteSwap, {"Byte &Swap", "バイト順反転(&S)", "反轉位元組順序(&S)", "&Bajtinversigo"}},
}};
// clang-format on

namespace {

// The first shortcut of `id` in the keyboard map, as the desktop writes it.
QString FirstShortcut(CommandId id) {
  for (const KeyBinding& row : kKeyMap) {
    if (row.action == CommandAction(id)) return BindingText(row, true);
  }
  return {};
}

}  // namespace

QMenu* AddFunctionMenu(QMenuBar* bar, int column, const std::function<void(CommandId)>& run) {
  if (column < 0 || column >= kMenuLanguages) column = 0;
  auto* menu = new QMenu(QString::fromUtf8(kFunctionMenuTable[0].text[size_t(column)]), bar);
  const QList<QAction*> menus = bar->actions();
  bar->insertMenu(menus.isEmpty() ? nullptr : menus.last(), menu);
  QMenu* sub = nullptr;
  for (const MenuRow& row : kFunctionMenuTable) {
    const QString text = QString::fromUtf8(row.text[size_t(column)]);
    switch (row.level) {
      case L::kPopup: break;
      case L::kSubPopup: sub = menu->addMenu(text); break;
      case L::kSeparator:
        menu->addSeparator();
        sub = nullptr;
        break;
      case L::kItem:
      case L::kSubItem: {
        QMenu* into = row.level == L::kSubItem && sub != nullptr ? sub : menu;
        const QString keys = FirstShortcut(row.id);
        QAction* action = into->addAction(keys.isEmpty() ? text : text + QLatin1Char('\t') + keys);
        action->setData(row.id);
        const CommandId id = row.id;
        QObject::connect(action, &QAction::triggered, bar, [run, id] { run(id); });
        break;
      }
    }
  }
  return menu;
}

}  // namespace vxc::ui
