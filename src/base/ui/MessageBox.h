#pragma once
// Every message box of the program goes through here, so tests (and the second-instance check of
// a test run) can answer it instead of a person.
#include <QString>
#include <functional>

class QWidget;

namespace zv {

enum class MessageIcon { None, Information, Warning, Critical };

struct MessageRequest {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::None;
};

// Shows a modal message box with an OK button. An empty title means the program's own name.
void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon);

// While set, messages go to `answer` instead of a window. Returns the previous one.
using MessageAnswerer = std::function<void(const MessageRequest&)>;
MessageAnswerer SetMessageAnswerer(MessageAnswerer answerer);

} // namespace zv
