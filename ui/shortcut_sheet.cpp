#include "shortcut_sheet.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "command_table.h"
#include "keymap.h"

namespace vxc::ui {

namespace {

using Texts = std::array<const char*, kNameLanguages>;

// clang-format off
constexpr Texts kSheetTitle = {"Keyboard Shortcuts", "キーボードショートカット", "鍵盤快速鍵", "Fulmoklavoj"};
constexpr Texts kKeysHeader = {"Keys", "キー", "按鍵", "Klavoj"};
constexpr Texts kWhatHeader = {"Command", "コマンド", "命令", "Komando"};
constexpr Texts kModesHeader = {"Modes", "モード", "模式", "Reĝimoj"};
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
    lines.push_back(SheetLine{keys, TipOf(names, column), ModesText(ActsIn(names.action))});
  }
  return lines;
}

QDialog* CreateShortcutSheet(QWidget* owner, int column) {
  auto* sheet = new QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  sheet->setAttribute(Qt::WA_DeleteOnClose);
  sheet->setWindowTitle(Text(kSheetTitle, column));

  const std::vector<SheetLine> lines = SheetLines(column);
  auto* table = new QTableWidget(int(lines.size()), 3, sheet);
  table->setHorizontalHeaderLabels({Text(kKeysHeader, column), Text(kWhatHeader, column), Text(kModesHeader, column)});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setWordWrap(false);
  for (int r = 0; r < int(lines.size()); ++r) {
    table->setItem(r, 0, new QTableWidgetItem(lines[size_t(r)].keys));
    table->setItem(r, 1, new QTableWidgetItem(lines[size_t(r)].what));
    table->setItem(r, 2, new QTableWidgetItem(lines[size_t(r)].modes));
  }
  table->resizeColumnsToContents();
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
