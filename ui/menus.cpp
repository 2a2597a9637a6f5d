#include "menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "command_table.h"
#include "function_menu.h"
#include "languages.h"

namespace vxc::ui {

using L = MenuLevel;

// clang-format off
const std::array<MenuRow, kMenuRowCount> kMenuTable = {{
  {L::kPopup, 0, {"&Option", "オプション(&O)", "選項(&O)", "&Opcio"}},
  {L::kItem, cmd::kErrorAlarm, {"Error Alar&m", "アラーム(&M)", "報警(&M)", "Alar&mo"}},
  {L::kItem, cmd::kXPanel, {"X &Panel", "X パネル(&P)", "X 面板(&P)", "X-&panelo"}},
  {L::kItem, cmd::kTape, {"&Tape\tCtrl+T", "テープ(&T)\tCtrl+T", "紙帶(&T)\tCtrl+T", "&Bendo\tCtrl+T"}},
  {L::kSubPopup, 0, {"&Zoom", "ズーム(&Z)", "縮放(&Z)", "&Zomo"}},
  {L::kSubItem, cmd::kZoomIn, {"Zoom &In\tCtrl+Alt++", "拡大(&I)\tCtrl+Alt++", "放大(&I)\tCtrl+Alt++", "&Pligrandigi\tCtrl+Alt++"}},
  {L::kSubItem, cmd::kZoomOut, {"Zoom &Out\tCtrl+Alt+-", "縮小(&O)\tCtrl+Alt+-", "縮小(&O)\tCtrl+Alt+-", "Mal&grandigi\tCtrl+Alt+-"}},
  {L::kSubItem, cmd::kZoomReset, {"&Actual Size (100%)\tCtrl+Alt+0", "実際のサイズ 100%(&A)\tCtrl+Alt+0", "實際大小 100%(&A)\tCtrl+Alt+0", "&Reala grando (100%)\tCtrl+Alt+0"}},
  {L::kSubPopup, 0, {"&Theme", "テーマ(&T)", "主題(&T)", "&Etoso"}},
  {L::kSubItem, cmd::kThemeLight, {"&Light", "ライト(&L)", "淺色(&L)", "&Hela"}},
  {L::kSubItem, cmd::kThemeDark, {"&Dark", "ダーク(&D)", "深色(&D)", "&Malhela"}},
  {L::kSubItem, cmd::kThemeSystem, {"&System (as the desktop)", "システムに合わせる(&S)", "跟隨系統(&S)", "Laŭ la &sistemo"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kSubPopup, 0, {"&Language", "言語(&L)", "語言(&L)", "&Lingvo"}},
  {L::kSubItem, cmd::kLangEnglish, {"&English", "英語(&E)", "英語(&E)", "&Angla lingvo"}},
  {L::kSubItem, cmd::kLangJapanese, {"&Japanese", "日本語(&J)", "日語(&J)", "&Japana lingvo"}},
  {L::kSubItem, cmd::kLangChinese, {"&Chinese(Traditional)", "台湾正体字(&T)", "臺灣正體字(&T)", "&Tajvano Ĉina lingvaro"}},
  {L::kSubItem, cmd::kLangEsperanto, {"Esperant&o", "エスペラント(&O)", "世界語(&O)", "&Esperanto"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kExit, {"E&xit", "終了(&X)", "退出應用程序(&X)", "&Fino"}},
  {L::kPopup, 0, {"&Edit", "編集(&E)", "編輯(&E)", "&Redakto"}},
  {L::kItem, cmd::kUndo, {"&Undo\tCtrl+Z", "元に戻す(&U)\tCtrl+Z", "復原(&U)\tCtrl+Z", "&Malfari\tCtrl+Z"}},
  {L::kItem, cmd::kRedo, {"&Redo\tCtrl+Y", "やり直し(&R)\tCtrl+Y", "重做(&R)\tCtrl+Y", "&Refari\tCtrl+Y"}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kCopy, {"&Copy\tCtrl+C", "コピー(&C)\tCtrl+C", "複製(&C)\tCtrl+C", "&Kopio\tCtrl+C"}},
  {L::kItem, cmd::kCopyFull, {"Copy &Full Precision\tCtrl+Shift+C", "全桁コピー(&F)\tCtrl+Shift+C", "完整精度複製(&F)\tCtrl+Shift+C", "Kopio kun plena pre&cizeco\tCtrl+Shift+C"}},
  {L::kItem, cmd::kPaste, {"&Paste\tCtrl+V", "貼り付け(&P)\tCtrl+V", "貼上(&P)\tCtrl+V", "&Pasto\tCtrl+V"}},
  {L::kPopup, 0, {"&Help", "ヘルプ(&H)", "幫助(&H)", "&Helpo"}},
  {L::kItem, cmd::kKeyboardHelp, {"&Keyboard Shortcuts\tF1", "キーボードショートカット(&K)\tF1", "鍵盤快速鍵(&K)\tF1", "&Fulmoklavoj\tF1"}},
  {L::kItem, cmd::kWebSite, {"Official &Web Site...", "公式サイト(&W)...", "官方網站(&W)...", "&Oficiala retejo..."}},
  {L::kSeparator, 0, {"", "", "", ""}},
  {L::kItem, cmd::kAbout, {"&About this software...", "このソフトウェアについて(&A)...", "關於本軟件(&A)...", "&Pri tiu programaro..."}},
}};
// clang-format on

int MenuColumnOf(uint32_t language) {
  const Language* row = LanguageOfCode(language);
  return row != nullptr ? row->column : -1;
}

namespace {

bool IsLanguageItem(CommandId id) { return LanguageOfItem(id) != nullptr; }

bool IsThemeItem(CommandId id) { return id >= cmd::kThemeLight && id <= cmd::kThemeSystem; }

bool IsCheckable(CommandId id) {
  return id == cmd::kErrorAlarm || id == cmd::kXPanel || id == cmd::kTape || IsLanguageItem(id) || IsThemeItem(id);
}

CommandId LanguageItemOf(uint32_t language) {
  const Language* row = LanguageOfCode(language);
  return row != nullptr ? row->item : 0;
}

}  // namespace

void BuildMenuBar(QMenuBar* bar, int column, const std::function<void(CommandId)>& run) {
  // The old menus go once control is back in the event loop: the switch
  // to another language is itself chosen from one of them.
  for (QAction* action : bar->actions()) {
    if (action->menu() != nullptr) action->menu()->deleteLater();
  }
  bar->clear();
  if (column < 0 || column >= kMenuLanguages) column = 0;
  QMenu* popup = nullptr;
  QMenu* sub = nullptr;
  // The languages are one choice: radio marks, one checked (none for an
  // unknown code, hence optional).
  QActionGroup* languages = nullptr;
  QActionGroup* themes = nullptr;
  for (const MenuRow& row : kMenuTable) {
    const QString text = QString::fromUtf8(row.text[column]);
    switch (row.level) {
      case L::kPopup:
        popup = bar->addMenu(text);
        popup->setAttribute(Qt::WA_WindowPropagation);  // the window's theme
        sub = nullptr;
        break;
      case L::kSubPopup:
        if (popup != nullptr) sub = popup->addMenu(text);
        if (sub != nullptr) sub->setAttribute(Qt::WA_WindowPropagation);
        break;
      case L::kSeparator:
        if (popup != nullptr) popup->addSeparator();
        sub = nullptr;
        break;
      case L::kItem:
      case L::kSubItem: {
        QMenu* into = row.level == L::kSubItem ? sub : popup;
        if (into == nullptr) break;
        QAction* action = into->addAction(text);
        action->setData(row.id);
        action->setCheckable(IsCheckable(row.id));
        if (IsLanguageItem(row.id)) {
          if (languages == nullptr) {
            languages = new QActionGroup(into);
            languages->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
          }
          languages->addAction(action);
        }
        if (IsThemeItem(row.id)) {
          if (themes == nullptr) themes = new QActionGroup(into);
          themes->addAction(action);
        }
        const CommandId id = row.id;
        QObject::connect(action, &QAction::triggered, bar, [run, id] { run(id); });
        break;
      }
    }
  }
  AddFunctionMenu(bar, column, run);  // before Help
}

namespace {

void MarkActions(QMenu* menu, const MenuMarks& marks) {
  const CommandId checkedLanguage = LanguageItemOf(marks.language);
  for (QAction* action : menu->actions()) {
    if (action->menu() != nullptr) {
      MarkActions(action->menu(), marks);
      continue;
    }
    bool ok = false;
    const CommandId id = action->data().toUInt(&ok);
    if (!ok || id == 0) continue;
    if (id == cmd::kErrorAlarm) action->setChecked(marks.errorAlarm);
    if (id == cmd::kXPanel) action->setChecked(marks.xPanel);
    if (id == cmd::kTape) action->setChecked(marks.tape);
    if (IsLanguageItem(id)) action->setChecked(id == checkedLanguage);
    if (IsThemeItem(id)) action->setChecked(id == cmd::kThemeLight + marks.theme);
    // An engine command is greyed where the command table says it does not act.
    if (const CommandRow* row = FindCommand(id)) action->setEnabled((row->actsIn & marks.commandModes) != 0);
    if (id == cmd::kUndo) action->setEnabled(marks.canUndo);
    if (id == cmd::kRedo) action->setEnabled(marks.canRedo);
  }
}

}  // namespace

void ApplyMenuMarks(QMenuBar* bar, const MenuMarks& marks) {
  for (QAction* action : bar->actions()) {
    if (action->menu() != nullptr) MarkActions(action->menu(), marks);
  }
}

}  // namespace vxc::ui
