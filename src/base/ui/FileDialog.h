#pragma once
// Every file dialog of the program goes through here, so tests can answer it instead of a person.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace zv {

struct SaveFileRequest {
    QString title;
    QString filter; // "Bitmap (*.bmp)"
    QString folder; // where the dialog opens
};

// Shows the Save dialog. Returns the name exactly as the user chose it (no extension is added,
// an existing file is not questioned), or nothing when the user cancels.
std::optional<QString> AskSaveFileName(QWidget* parent, const QString& title,
                                       const QString& filter);

// While set, Save dialogs go to `answerer` instead of a window: it returns the chosen name or
// nothing for a cancel. Returns the previous one.
using SaveFileAnswerer = std::function<std::optional<QString>(const SaveFileRequest&)>;
SaveFileAnswerer SetSaveFileAnswerer(SaveFileAnswerer answerer);

} // namespace zv
