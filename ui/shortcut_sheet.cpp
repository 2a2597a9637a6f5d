#include "shortcut_sheet.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "command_table.h"
#include "key_rules.h"
#include "keymap.h"
#include "keypad_table.h"

namespace vxc::ui {

namespace {

using Texts = std::array<const char*, kNameLanguages>;

// clang-format off
constexpr Texts kSheetTitle = {"Keyboard Shortcuts", "キーボードショートカット", "鍵盤快速鍵", "Fulmoklavoj"};
constexpr Texts kKeysHeader = {"Keys", "キー", "按鍵", "Klavoj"};
constexpr Texts kWhatHeader = {"Command", "コマンド", "命令", "Komando"};
constexpr Texts kModesHeader = {"Modes", "モード", "模式", "Reĝimoj"};
constexpr Texts kEveryMode = {"all", "すべて", "全部", "ĉiuj"};
constexpr Texts kCloseButton = {"Close", "閉じる", "關閉", "Fermi"};
// clang-format on

int ValidColumn(int column) { return column >= 0 && column < kNameLanguages ? column : 0; }

QString Text(const Texts& texts, int column) { return QString::fromUtf8(texts[size_t(ValidColumn(column))]); }

QString TipOf(const ActionName& names, int column) {
  const std::string_view tip = names.tip[size_t(ValidColumn(column))];
  return QString::fromUtf8(tip.data(), qsizetype(tip.size()));
}

}  // namespace

uint8_t ActsIn(Action action) {
  switch (action.kind) {
    case ActionKind::kAngle:
    case ActionKind::kDisplay: return kInReal;
    case ActionKind::kRange: return kInInteger;
    case ActionKind::kBase:
    case ActionKind::kMemory: return kInAll;
    case ActionKind::kCommand: break;
  }
  // A key of the keypad acts where its face is usable: hex letters in HEX
  // only (E is EEX in REAL, a key of its own), 8 and 9 not in OCT and BIN.
  uint8_t shown = 0;
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[size_t(row)].commandId != action.value) continue;
    for (uint32_t base = kBaseReal; base <= kBaseBin; ++base) {
      if (RestingFace(row, FaceModes{base, kDisplayFix, false}) == Face::kNormal) shown |= ModeBitOf(base);
    }
    if (kKeypad[size_t(row)].keyClass == KeyClass::kDigitArrow) shown |= kInReal;  // beside each format in turn
  }
  if (shown != 0) return shown;
  const CommandRow* row = FindCommand(action.value);
  return row != nullptr ? row->actsIn : uint8_t(kInAll);
}

QString ModesText(uint8_t modes) {
  if ((modes & kInAll) == kInAll) return {};
  static const char* const kModeNames[5] = {"REAL", "DEC", "HEX", "OCT", "BIN"};
  QStringList names;
  for (int b = 0; b < 5; ++b) {
    if (modes & (1u << b)) names << QString::fromLatin1(kModeNames[b]);
  }
  return names.join(QLatin1Char(' '));
}

QString ToolTipText(Action action, int column) {
  const ActionName* names = FindActionName(action);
  if (names == nullptr) return {};
  const QString keys = ShortcutsOf(action);
  return keys.isEmpty() ? TipOf(*names, column) : TipOf(*names, column) + QStringLiteral(" (") + keys + QLatin1Char(')');
}

std::vector<SheetLine> SheetLines(int column) {
  std::vector<SheetLine> lines;
  for (const ActionName& names : kActionNames) {
    const QString keys = ShortcutsOf(names.action);
    if (keys.isEmpty()) continue;
    const QString modes = ModesText(ActsIn(names.action));
    lines.push_back(SheetLine{keys, TipOf(names, column), modes.isEmpty() ? Text(kEveryMode, column) : modes});
  }
  return lines;
}

QDialog* CreateShortcutSheet(QWidget* owner, int column) {
  auto* sheet = new QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  sheet->setAttribute(Qt::WA_DeleteOnClose);
  sheet->setAttribute(Qt::WA_WindowPropagation);  // the window's theme
  sheet->setWindowTitle(Text(kSheetTitle, column));

  const std::vector<SheetLine> lines = SheetLines(column);
  auto* table = new QTableWidget(int(lines.size()), 3, sheet);
  table->setHorizontalHeaderLabels({Text(kKeysHeader, column), Text(kWhatHeader, column), Text(kModesHeader, column)});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (int r = 0; r < int(lines.size()); ++r) {
    table->setItem(r, 0, new QTableWidgetItem(lines[size_t(r)].keys));
    table->setItem(r, 1, new QTableWidgetItem(lines[size_t(r)].what));
    table->setItem(r, 2, new QTableWidgetItem(lines[size_t(r)].modes));
  }
  table->resizeColumnsToContents();
  table->setCurrentItem(nullptr);
  table->horizontalHeader()->setStretchLastSection(true);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, sheet);
  buttons->button(QDialogButtonBox::Close)->setText(Text(kCloseButton, column));
  QObject::connect(buttons, &QDialogButtonBox::rejected, sheet, &QDialog::reject);

  auto* layout = new QVBoxLayout(sheet);
  layout->addWidget(table);
  layout->addWidget(buttons);
  int width = 40;
  for (int c = 0; c < 3; ++c) width += table->columnWidth(c);
  sheet->resize(width, 520);
  return sheet;
}

}  // namespace vxc::ui
