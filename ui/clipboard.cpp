#include "clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "main_window.h"

namespace vxc::ui {

void CopyX(MainWindow& window) {
  Engine& engine = window.engine();
  if (engine.state.errorShown) return;
  const std::string text = CopyText(window.frame(), engine.state);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
}

void CopyFullX(MainWindow& window) {
  Engine& engine = window.engine();
  if (engine.state.errorShown) return;
  const std::string text = CopyFullText(window.frame(), engine.state);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
}

void PasteClipboard(MainWindow& window) {
  Engine& engine = window.engine();
  if (engine.state.errorShown) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return;
  const QByteArray bytes = data->text().toUtf8();
  PasteEntry(engine, std::string_view(bytes.constData(), size_t(bytes.size())));
}

}  // namespace vxc::ui
