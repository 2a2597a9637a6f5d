// Building the window and keeping its controls in step with the state.
#include "main_window.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QRadioButton>
#include <QScreen>
#include <QToolTip>
#include <cstdio>

#include "accessibility.h"
#include "display_box.h"
#include "fonts.h"
#include "group_frame.h"
#include "keymap.h"
#include "menus.h"
#include "prompt_save.h"
#include "tape_file.h"
#include "tape_pane.h"
#include "x_panel.h"
#include "shortcut_sheet.h"

namespace vxc::ui {

// The calculator area: paints the display frame and hands the mouse to the
// window, which hit-tests the keypad itself.
class CalcArea : public QWidget {
 public:
  CalcArea(MainWindow& window, QWidget* parent) : QWidget(parent), window_(window) {
    setFixedSize(kAreaWidth, kAreaHeight);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const Look& look = window_.look();
    const int t = look.line();
    p.fillRect(QRect(0, 0, width(), t), QColor(look.colours->menuLine));  // under the menu bar
    for (const QRect& lines : {QRect(3, 6, 353, 93), QRect(3, 99, 353, 39)})  // T, Z and Y lines; X line
      FrameRing(p, Zoomed(lines, look.zoom), t, QColor(look.colours->edgeLight), QColor(look.colours->edgeShadow));
  }
  // The keypad is hit-tested in the layout's pixels.
  QPoint At(const QPointF& shown) const { return Unzoomed(shown.toPoint(), window_.look().zoom); }
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) window_.AreaMousePress(At(e->position()).x(), At(e->position()).y());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (e->buttons() & Qt::LeftButton) window_.AreaMouseMove(At(e->position()).x(), At(e->position()).y());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) window_.AreaMouseRelease(At(e->position()).x(), At(e->position()).y());
  }
  void contextMenuEvent(QContextMenuEvent* e) override { window_.AreaContextMenu(At(e->pos()), e->globalPos()); }
  bool event(QEvent* e) override {
    // The keys take no mouse input of their own, so the area shows their tooltips.
    if (e->type() == QEvent::ToolTip) {
      auto* help = static_cast<QHelpEvent*>(e);
      const QString tip = window_.AreaToolTip(At(help->pos()));
      if (tip.isEmpty()) QToolTip::hideText();
      else QToolTip::showText(help->globalPos(), tip, this);
      return true;
    }
    return QWidget::event(e);
  }

 private:
  MainWindow& window_;
};

QString WindowTitle() {
#if defined(_WIN64)
  return QStringLiteral("=VXC32= (RPN Calculator VXC32 for Win64)");
#elif defined(_WIN32)
  return QStringLiteral("=VXC32= (RPN Calculator VXC32 for Win32)");
#elif defined(__APPLE__)
  return QStringLiteral("=VXC32= (RPN Calculator VXC32 for macOS)");
#else
  return QStringLiteral("=VXC32= (RPN Calculator VXC32 for Linux)");
#endif
}

QString InitializeItemText(bool userInJapan) {
  return userInJapan ? QString::fromUtf8("初期化(&I)") : QStringLiteral("&Initialize");
}

bool UserInJapan() { return QLocale::system().territory() == QLocale::Japan; }

MainWindow::MainWindow(std::string settingsPath, std::string tapePath, QWidget* parent)
    : QMainWindow(parent), settings_{std::move(settingsPath), {}}, tapePath_(std::move(tapePath)) {
  InitNumbers();
  InstallAccessibility();
  engine_.out.beep = [] { QApplication::beep(); };

  ResetCalculator(engine_, nullptr, nullptr);  // the defaults; the window does not exist yet
  focusGroup_ = FocusGroup::kBase;
  LoadSharedSettings(settings_, engine_.state, position_);
  if (!tapePath_.empty()) LoadTape(tapePath_, engine_.tape);

  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(WindowTitle());
  look_.zoom = int(NearestZoom(engine_.state.zoom));
  zoom_.Apply(look_.zoom);  // the controls are placed at it as they are made

  area_ = new CalcArea(*this, this);
  setCentralWidget(area_);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  PlaceWindow();
  ApplyLanguageMenu();

  BuildDisplay();
  keypad_.look = &look_;
  BuildKeypad(keypad_, area_);
  keypad_.activate = [this](int row) { RunCommand(kKeypad[row].commandId); };
  BuildRadios();
  for (int row = 0; row < kKeyCount; ++row) {
    if (kKeypad[row].keyClass == KeyClass::kDigitArrow) keypad_.keys[row]->raise();  // over the DISPLAY group
  }
  SyncWindowToState();
  ShowIfStale();
  FollowDesktopPalette(this, [this] {
    if (engine_.state.theme == kThemeSystem) ApplyLook();
  });

  // The keyboard table sees every key press before any widget does.
  qApp->installEventFilter(new KeyMapFilter(
      this, [this] { return ModeBitOf(engine_.state.base); }, [this](Action action) { RunAction(action); }));
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { SaveAtEnd(SaveNotice::kErrorOutput); });
  // The session is ending: save now, the process may not get another chance.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveNow(); });
  SaveSoonAfterChanges(
      this, [this] { return SharedSettingsChanged(settings_, engine_.state, CurrentPosition()); },
      [this] { SaveNow(); });
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::calcArea() const { return area_; }

FaceModes MainWindow::faceModes() const {
  const CalcState& s = engine_.state;
  return FaceModes{s.base, s.display, s.errorShown};
}

void MainWindow::PlaceWindow() {
  // As stored, unless the title bar could not be grabbed there; the place
  // it moves to is the one saved next.
  std::vector<ScreenArea> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect r = screen->geometry();
    screens.push_back(ScreenArea{r.x(), r.y(), r.width(), r.height()});
  }
  position_ = PlaceOnScreens(position_, Zoomed(kAreaWidth, look_.zoom) + 16, Zoomed(kAreaHeight, look_.zoom) + 60, screens);
  move(position_.left, position_.top);
}

void MainWindow::BuildDisplay() {
  const char* names[3] = {"T", "Z", "Y"};
  for (int line = 0; line < 4; ++line) {
    const int y = line < 3 ? 11 + 28 * line : 103;
    if (line < 3) {
      auto* label = new DisplayBox(look_, BoxEdge::kNone, Qt::AlignLeft, area_);
      zoom_.Place(label, QRect(10, y, 18, 28));
      label->SetCellPixels(kLabelFontPixels);
      label->SetText(QString::fromLatin1(names[line]));
      label->SetSpokenText(label->text());
      lineLabels_[line] = label;
    }
    values_[line] = new DisplayBox(look_, BoxEdge::kClient, Qt::AlignRight, area_);
    zoom_.Place(values_[line], QRect(29, y, 287, 28));
    values_[line]->SetCellPixels(kFontNormal);
    exponents_[line] = new DisplayBox(look_, BoxEdge::kClient, Qt::AlignRight, area_);
    zoom_.Place(exponents_[line], QRect(319, y, 34, 28));
    exponents_[line]->SetCellPixels(kFontNormal);
  }
}

namespace {

GroupFrame* MakeGroup(const char* title, QRect place, const Look& look, ZoomLayout& layout, QWidget* parent) {
  auto* group = new GroupFrame(QString::fromLatin1(title), parent, &look);
  layout.Place(group, place, kSmallFontPixels);
  group->setAccessibleName(group->title());
  return group;
}

}  // namespace

void MainWindow::BuildRadios() {
  QStyle* radioStyle = NewRadioStyle(look_, this);
  struct RadioPlace {
    const char* text;
    int x, y, w;
  };
  // clang-format off
  static constexpr RadioPlace kPlaces[kRadioCount] = {
    {"REAL", 365, 23, 48}, {"DEC", 365, 42, 48}, {"HEX", 365, 61, 48}, {"OCT", 365, 80, 48}, {"BIN", 365, 99, 48},
    {"DEG", 365, 141, 48}, {"RAD", 365, 159, 48}, {"GRAD", 365, 177, 48},
    {"0", 422, 21, 34}, {"1", 422, 38, 34}, {"2", 422, 55, 34}, {"3", 422, 72, 34}, {"4", 422, 89, 34},
    {"5", 422, 106, 34}, {"6", 422, 123, 34}, {"7", 422, 140, 34}, {"8", 422, 157, 34}, {"9", 422, 174, 34},
    {"FIX", 365, 217, 40}, {"SCI", 365, 237, 40}, {"ENG", 365, 257, 40},
    {"QW", 365, 217, 40}, {"DW", 365, 237, 40}, {"W", 413, 217, 40}, {"B", 413, 237, 40},
  };
  // clang-format on
  baseGroup_ = MakeGroup("BASE", QRect(362, 3, 53, 117), look_, zoom_, area_);
  angleGroup_ = MakeGroup("ANGLE", QRect(362, 123, 53, 72), look_, zoom_, area_);
  memGroup_ = MakeGroup("MEM", QRect(419, 3, 40, 192), look_, zoom_, area_);
  displayGroup_ = MakeGroup("DISPLAY", QRect(362, 199, 97, 81), look_, zoom_, area_);
  rangeGroup_ = MakeGroup("RANGE", QRect(362, 199, 97, 60), look_, zoom_, area_);

  const int groupStarts[6] = {kRadioBase, kRadioAngle, kRadioMem, kRadioDisplay, kRadioRange, kRadioCount};
  for (int g = 0; g < 5; ++g) {
    buttonGroups_[g] = new QButtonGroup(this);
    buttonGroups_[g]->setExclusive(true);
    for (int i = groupStarts[g]; i < groupStarts[g + 1]; ++i) {
      auto* radio = new QRadioButton(QString::fromLatin1(kPlaces[i].text), area_);
      zoom_.Place(radio, QRect(kPlaces[i].x, kPlaces[i].y, kPlaces[i].w, 14), kSmallFontPixels);
      radio->setStyle(radioStyle);
      if (g == 2) radio->setAccessibleName(QStringLiteral("MEM ") + radio->text());  // not a bare digit
      buttonGroups_[g]->addButton(radio, i);
      radios_[i] = radio;
      const uint32_t code = uint32_t(i - groupStarts[g]);
      connect(radio, &QAbstractButton::clicked, this, [this, g, code] {
        switch (g) {
          case 0: SelectBaseMode(code); break;
          case 1: SelectAngleMode(code); break;
          case 2: SelectMemoryRegister(code); break;
          case 3: SelectDisplayMode(code); break;
          default: SelectRangeMode(code); break;
        }
      });
    }
  }
  for (int i = 0; i < 3; ++i) {
    digitBoxes_[i] = new DisplayBox(look_, BoxEdge::kSunken, Qt::AlignHCenter, area_);
    zoom_.Place(digitBoxes_[i], QRect(410, 215 + 20 * i, 17, 17));
    digitBoxes_[i]->SetCellPixels(kSmallFontPixels);
  }
}

void MainWindow::ApplyLanguageMenu() {
  const int column = MenuColumnOf(engine_.state.language);
  // An unknown language code keeps the menu there is (English at first).
  const int wanted = column >= 0 ? column : menuColumn_ >= 0 ? menuColumn_ : 0;
  if (wanted != menuColumn_) {
    BuildMenuBar(menuBar(), wanted, [this](CommandId id) { RunCommand(id); });
    menuColumn_ = wanted;
    ApplyToolTips();
  }
  ApplyMenuMarks(menuBar(), CurrentMenuMarks());
}

MenuMarks MainWindow::CurrentMenuMarks() const {
  const CalcState& s = engine_.state;
  const uint8_t modes = s.errorShown ? uint8_t(0) : ModeBitOf(s.base);
  return MenuMarks{s.language, s.errorAlarm, modes, s.xPanel, s.tapePane, CanUndo(engine_), CanRedo(engine_), s.theme};
}

void MainWindow::ApplyPanes() {
  const bool on = engine_.state.xPanel;
  if (on && xPanel_ == nullptr) {  // made when first wanted: most runs never show it
    xPanel_ = new XPanel(look_, area_);
    zoom_.Place(xPanel_, QRect(0, kAreaHeight, kAreaWidth, kXPanelHeight));
    xPanel_->SetBitHandler([this](int bit) { FlipPanelBit(bit); });
  }
  if (xPanel_ != nullptr) xPanel_->setVisible(on);
  const int height = kAreaHeight + (on ? kXPanelHeight : 0);
  ApplyTapePane(height);
  const int width = kAreaWidth + (engine_.state.tapePane ? kTapePaneWidth : 0);
  area_->setFixedSize(Zoomed(QRect(0, 0, width, height), look_.zoom).size());
}

void MainWindow::ApplyToolTips() {
  if (radios_[0] == nullptr) return;  // before the controls exist
  for (int row = 0; row < kKeyCount; ++row)
    keypad_.keys[size_t(row)]->setToolTip(ToolTipText(CommandAction(kKeypad[size_t(row)].commandId), menuColumn_));
  for (int i = 0; i < kRadioCount; ++i) radios_[size_t(i)]->setToolTip(ToolTipText(RadioAction(i), menuColumn_));
  if (tapePane_ != nullptr) tapePane_->SetLanguage(menuColumn_);
  if (shortcutSheet_ != nullptr && shortcutSheet_->isVisible()) {  // an open sheet follows the language
    shortcutSheet_->close();
    shortcutSheet_ = nullptr;
    ShowShortcutSheet();
  }
}

void MainWindow::ShowIfStale() {
  const DisplayMark mark = TakeDisplayMark(engine_);
  if (mark.stale) {
    ApplyFrame(Refresh(engine_.state, mark.formatEntry));
  } else {
    ApplyMenuMarks(menuBar(), CurrentMenuMarks());  // a memory store shows nothing, but can be undone
  }
  const size_t added = ComposeTape(engine_, &frame_);
  if (tapePane_ != nullptr && engine_.state.tapePane) tapePane_->Show(engine_.tape, added);
}

void MainWindow::ApplyFrame(const DisplayFrame& frame) {
  const bool errorAppears = frame.xIsError && !frame_.xIsError;
  frame_ = frame;
  if (values_[0] == nullptr) return;  // a refresh before the controls exist shows nothing
  static const char* const kLineNames[4] = {"T", "Z", "Y", "X"};
  for (int line = 0; line < 4; ++line) {
    const QString main = QString::fromUtf8(frame.lines[line].main);
    const QString exponent = QString::fromUtf8(frame.lines[line].exponent);
    const QString name = QString::fromLatin1(kLineNames[line]);
    values_[line]->SetCellPixels(frame.fontPixels);
    exponents_[line]->SetCellPixels(frame.fontPixels);
    values_[line]->SetText(main);
    exponents_[line]->SetText(exponent);
    values_[line]->SetSpokenText(SpokenLine(name, main, exponent, line == kLineX && frame.xIsError));
    exponents_[line]->SetSpokenText(SpokenLine(name + QStringLiteral(" exponent"), exponent, {}, false));
  }
  values_[kLineX]->SetErrorColour(frame.xIsError);
  static const char* const kDigitNames[3] = {"FIX digits", "SCI digits", "ENG digits"};
  for (int i = 0; i < 3; ++i) {
    const QString count = QString::fromUtf8(frame.digitCounts[i]);
    digitBoxes_[i]->SetText(count);
    digitBoxes_[i]->SetSpokenText(SpokenLine(QString::fromLatin1(kDigitNames[i]), count, {}, false));
  }
  if (xPanel_ != nullptr && engine_.state.xPanel) xPanel_->Show(frame.panel);
  ShowModes();
  if (errorAppears) NotifyScreenReader(values_[kLineX], QAccessible::Alert);
}

void MainWindow::ShowModes() {
  const CalcState& s = engine_.state;
  const bool integer = IsIntegerBase(s.base);
  const bool error = s.errorShown;
  for (int i = 0; i < kRadioRange; ++i) {
    bool enabled = !error;
    if (integer && i >= kRadioAngle && i < kRadioMem) enabled = false;
    if (integer && i >= kRadioDisplay) enabled = false;
    radios_[i]->setEnabled(enabled);
  }
  for (int i = kRadioDisplay; i < kRadioRange; ++i) radios_[i]->setVisible(!integer);
  for (int i = kRadioRange; i < kRadioCount; ++i) radios_[i]->setVisible(integer);
  for (DisplayBox* box : digitBoxes_) {
    box->setVisible(!integer);
    box->setEnabled(!integer && !error);
  }
  displayGroup_->setVisible(!integer);
  rangeGroup_->setVisible(integer);
  ApplyKeyFaces(keypad_, faceModes());
  ApplyMenuMarks(menuBar(), CurrentMenuMarks());
}

void MainWindow::ShowKeyboardFocus() {
  if (testAttribute(Qt::WA_KeyboardFocusChange)) return;
  setAttribute(Qt::WA_KeyboardFocusChange);
  if (QWidget* focused = focusWidget()) focused->update();
}

void MainWindow::CheckRadio(int index, bool focus) {
  if (index < 0 || index >= kRadioCount) return;
  radios_[index]->setChecked(true);
  if (focus) radios_[index]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::CheckModeRadios() {
  const CalcState& s = engine_.state;
  CheckRadio(kRadioBase + int(s.base), false);
  CheckRadio(kRadioAngle + int(s.angle), false);
  if (s.memoryIndex < kMemoryCount) CheckRadio(kRadioMem + int(s.memoryIndex), false);
  if (s.range < 4) CheckRadio(kRadioRange + int(s.range), false);
  if (s.display < 3) CheckRadio(kRadioDisplay + int(s.display), false);
}

void MainWindow::SyncWindowToState() {
  CheckModeRadios();
  FocusRadio(kRadioBase + int(engine_.state.base));
  focusGroup_ = FocusGroup::kBase;
  keypad_.press = KeyPressState{};
  ApplyLanguageMenu();
  ApplyLook();
  ApplyPanes();
  MarkDisplayStale(engine_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveAtEnd(SaveNotice::kMessageBox);
  QMainWindow::closeEvent(event);
}

void MainWindow::SaveAtEnd(SaveNotice notice) {
  if (savedAtEnd_) return;
  savedAtEnd_ = true;
  SaveNow(notice);
}

const WindowPosition& MainWindow::CurrentPosition() {
  if (isVisible()) position_ = WindowPosition{x(), y()};
  return position_;
}

bool MainWindow::SaveNow(SaveNotice notice) {
  CurrentPosition();
  return WriteSettings(notice);
}

bool MainWindow::WriteSettings(SaveNotice notice, SaveScope scope) {
  // The tape is saved with the settings; a failure of either is told the
  // same way, and one that lasts only once.
  auto failed = [this, notice](const char* what, const char* verb, const std::string& why) {
    if (why != lastSaveFailure_) std::fprintf(stderr, "vxc32: the %s %s not saved: %s\n", what, verb, why.c_str());
    lastSaveFailure_ = why;
    if (notice != SaveNotice::kMessageBox) return;
    const QString text = QStringLiteral("The %1 could not be saved; the %1 file keeps its previous contents.\n\n")
                             .arg(QString::fromLatin1(what)) +
                         QString::fromStdString(why);
    if (saveFailureBox_) saveFailureBox_(text);
    else QMessageBox::warning(this, WindowTitle(), text);
  };
  std::string why;
  const bool settings = SaveSharedSettings(settings_, engine_.state, position_, scope, &why) == SaveOutcome::kSaved;
  if (!settings) failed("settings", "were", why);
  ComposeTape(engine_);
  const bool tape = tapePath_.empty() || SaveTape(tapePath_, engine_.tape, &why);
  if (!tape) failed("tape", "was", why);
  if (settings && tape) lastSaveFailure_.clear();
  return settings && tape;
}

}  // namespace vxc::ui
