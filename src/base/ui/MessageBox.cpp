#include "base/ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>

namespace zv {
namespace {

MessageAnswerer& Answerer() {
    static MessageAnswerer answerer;
    return answerer;
}

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) {
    MessageRequest request{title.isEmpty() ? QStringLiteral("Zorvex") : title, text, icon};
    if (Answerer()) {
        Answerer()(request);
        return;
    }
    QMessageBox box(ToQt(icon), request.title, request.text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

MessageAnswerer SetMessageAnswerer(MessageAnswerer answerer) {
    return std::exchange(Answerer(), std::move(answerer));
}

} // namespace zv
