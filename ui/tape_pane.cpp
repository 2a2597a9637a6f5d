#include "tape_pane.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "display.h"
#include "file_io.h"
#include "fonts.h"
#include "keymap.h"
#include "main_window.h"
#include "shortcut_sheet.h"
#include "zoom_layout.h"

namespace vxc::ui {
namespace {

using Texts = std::array<const char*, 4>;  // the menu languages' columns
constexpr Texts kButtonTexts[3] = {
    {"Copy", "コピー", "複製", "Kopii"},
    {"Clear", "消去", "清除", "Vakigi"},
    {"Save As...", "名前を付けて保存...", "另存新檔...", "Konservi kiel..."},
};
constexpr CommandId kButtonCommands[3] = {cmd::kTapeCopy, cmd::kTapeClear, cmd::kTapeSaveAs};
constexpr Texts kClearQuestion = {"Clear the %1 lines of the tape?", "テープの %1 行を消去しますか?",
                                  "要清除紙帶的 %1 行嗎?", "Ĉu vakigi la %1 liniojn de la bendo?"};
constexpr Texts kSaveFailed = {"The tape could not be saved:", "テープを保存できませんでした:",
                               "無法儲存紙帶:", "La bendo ne povis esti konservita:"};
constexpr Texts kTextFiles = {"Text files (*.txt)", "テキストファイル (*.txt)", "文字檔 (*.txt)",
                              "Tekstaj dosieroj (*.txt)"};
// The cell height of the lines: the display's face, smaller than its lines.
constexpr int kTapeFontPixels = 18;
// More lines than this are asked about before Clear.
constexpr int kClearWithoutAsking = 20;

QString Text(const Texts& texts, int column) {
  return QString::fromUtf8(texts[size_t(column >= 0 && column < 4 ? column : 0)]);
}

QString Spoken(CommandId id) {
  const std::string_view spoken = FindActionName(CommandAction(id))->spoken;
  return QString::fromUtf8(spoken.data(), qsizetype(spoken.size()));
}

TapeDialogs& Dialogs() {
  static TapeDialogs dialogs{
      [](QWidget* parent, int lines, int column) {
        const QString question = Text(kClearQuestion, column).arg(lines);
        return QMessageBox::question(parent, WindowTitle(), question) == QMessageBox::Yes;
      },
      [](QWidget* parent, int column) {
        return QFileDialog::getSaveFileName(parent, WindowTitle(), QDir::home().filePath(QStringLiteral("tape.txt")),
                                            Text(kTextFiles, column));
      }};
  return dialogs;
}

void AddItem(QListWidget* list, const std::string& line) {
  auto* item = new QListWidgetItem(QString::fromUtf8(line), list);
  item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  item->setData(Qt::AccessibleTextRole, QString::fromUtf8(SpokenTapeLine(line)));
}

}  // namespace

void SetTapeDialogs(TapeDialogs dialogs) { Dialogs() = std::move(dialogs); }

TapePane::TapePane(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QStringLiteral("Tape"));
  list_ = new QListWidget(this);
  list_->setFont(CellFont(kTapeFontPixels));
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setUniformItemSizes(true);
  list_->setAccessibleName(QStringLiteral("Tape lines"));
  list_->setProperty(kOwnKeysProperty, true);
  list_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  row_ = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new QPushButton(this);
    buttons_[i]->setProperty(kOwnKeysProperty, true);
    const CommandId id = kButtonCommands[i];
    connect(buttons_[i], &QPushButton::clicked, this, [this, id] {
      if (run_) run_(id);
    });
    row_->addWidget(buttons_[i]);
  }
  layout->addLayout(row_);
  SetLanguage(0);
  SetZoom(100);
}

void TapePane::SetZoom(int percent) {
  list_->setFont(CellFont(kTapeFontPixels, percent));
  QFont buttonFont = font();
  if (buttonFont.pixelSize() > 0) buttonFont.setPixelSize(Zoomed(buttonFont.pixelSize(), percent));
  else buttonFont.setPointSizeF(buttonFont.pointSizeF() * percent / 100.0);
  for (QPushButton* button : buttons_) button->setFont(buttonFont);
  layout()->setContentsMargins(Zoomed(4, percent), Zoomed(6, percent), Zoomed(6, percent), Zoomed(6, percent));
  layout()->setSpacing(Zoomed(4, percent));
  row_->setSpacing(Zoomed(4, percent));
}

void TapePane::SetLanguage(int column) {
  for (int i = 0; i < 3; ++i) {
    buttons_[i]->setText(Text(kButtonTexts[i], column));
    buttons_[i]->setToolTip(ToolTipText(CommandAction(kButtonCommands[i]), column));
    buttons_[i]->setAccessibleName(Spoken(kButtonCommands[i]));
  }
}

void TapePane::Show(const Tape& tape, size_t added) {
  const size_t total = tape.lines.size();
  const size_t kept = size_t(list_->count());
  if (added > total || kept + added < total) {
    list_->clear();
    added = total;
  }
  while (size_t(list_->count()) + added > total) delete list_->takeItem(0);
  for (size_t i = total - added; i < total; ++i) AddItem(list_, tape.lines[i]);
  if (added == 0) return;
  // The newest line is the current one, so the keys start from it.
  list_->setCurrentRow(list_->count() - 1, QItemSelectionModel::NoUpdate);
  list_->scrollToBottom();
}

QString TapePane::CopyText() const {
  QStringList lines;
  const bool all = list_->selectedItems().isEmpty();
  for (int i = 0; i < list_->count(); ++i) {
    if (all || list_->item(i)->isSelected()) lines << list_->item(i)->text();
  }
  return lines.isEmpty() ? QString() : lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool TapePane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      if (run_) run_(cmd::kTapeCopy);
      return true;
    }
    if (key->key() == Qt::Key_Escape && leave_) {
      leave_();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::ApplyTapePane(int height) {
  const bool on = engine_.state.tapePane;
  if (on && tapePane_ == nullptr) {  // made when first wanted
    tapePane_ = new TapePane(calcArea());
    tapePane_->SetCommandHandler([this](CommandId id) { RunCommand(id); });
    tapePane_->SetLeaveHandler([this] { FocusRadio(kRadioBase + int(engine_.state.base)); });
    tapePane_->SetLanguage(menuColumn_);
  }
  if (tapePane_ == nullptr) return;
  tapePane_->setGeometry(Zoomed(QRect(kAreaWidth, 0, kTapePaneWidth, height), look_.zoom));
  tapePane_->SetZoom(look_.zoom);
  tapePane_->setVisible(on);
  ComposeTape(engine_);
  if (on) tapePane_->Show(engine_.tape, SIZE_MAX);  // every line, those added while it was hidden too
}

void MainWindow::ToggleTapePane() {
  engine_.state.tapePane = !engine_.state.tapePane;
  ApplyPanes();
  ApplyLanguageMenu();
  if (engine_.state.tapePane) tapePane_->list()->setFocus(Qt::ShortcutFocusReason);
  else FocusRadio(kRadioBase + int(engine_.state.base));
}

bool RunTapeCommand(MainWindow& window, CommandId id) {
  TapePane* pane = window.tapePane();
  Engine& engine = window.engine();
  const int column = std::max(MenuColumnOf(engine.state.language), 0);
  switch (id) {
    case cmd::kTape: window.ToggleTapePane(); return true;
    case cmd::kTapeCopy:
      if (pane != nullptr) QGuiApplication::clipboard()->setText(pane->CopyText());
      return true;
    case cmd::kTapeClear: {
      const int lines = int(engine.tape.lines.size());
      if (lines > kClearWithoutAsking && !Dialogs().confirmClear(&window, lines, column)) return true;
      ClearTape(engine);
      return true;
    }
    case cmd::kTapeSaveAs: {
      const QString path = Dialogs().saveAsPath(&window, column);
      if (path.isEmpty()) return true;
      ComposeTape(engine);
      std::string text;
      for (const std::string& line : engine.tape.lines) text.append(line).append("\n");
      if (!WriteFileAtomic(path.toStdString(), text)) {
        QMessageBox::warning(&window, WindowTitle(), Text(kSaveFailed, column) + QLatin1Char('\n') + path);
      }
      return true;
    }
    default: return false;
  }
}

}  // namespace vxc::ui
