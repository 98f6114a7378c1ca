#include "base/ui/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <utility>

namespace zv {
namespace {

SaveFileAnswerer& Answerer() {
    static SaveFileAnswerer answerer;
    return answerer;
}

// The folder of the last name chosen in this run; the pictures folder before that.
QString& LastFolder() {
    static QString folder;
    return folder;
}

QString StartFolder() {
    if (!LastFolder().isEmpty() && QFileInfo(LastFolder()).isDir())
        return LastFolder();
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

std::optional<QString> AskSaveFileName(QWidget* parent, const QString& title,
                                       const QString& filter) {
    const SaveFileRequest request{title, filter, StartFolder()};
    std::optional<QString> chosen;
    if (Answerer()) {
        chosen = Answerer()(request);
    } else {
        QFileDialog dialog(parent, request.title, request.folder, request.filter);
        dialog.setObjectName(QStringLiteral("CommonDialog1"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            chosen = dialog.selectedFiles().constFirst();
    }
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    LastFolder() = QFileInfo(*chosen).absolutePath();
    return chosen;
}

SaveFileAnswerer SetSaveFileAnswerer(SaveFileAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}

} // namespace zv
