#pragma once
// "Copy Outfit Code" and "Paste Outfit Code": the outfit worn now as a code on the clipboard,
// and a code (from the clipboard or the command line) put on as a slot load puts an outfit on.
// A code that cannot be put on is told in one message and changes nothing.
#include "outfit/OutfitCode.h"

#include <QObject>
#include <optional>
#include <string>

class QWidget;

namespace zv {

struct MainControls;
class PlannerController;

class OutfitCodes final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OutfitCodes)

public:
    OutfitCodes(MainControls& controls, PlannerController& planner, QWidget* window);

    void copycode_Click();
    void pastecode_Click();

    // Puts on the outfit of `code`; false (after one message that says why) when it cannot.
    bool PutOnCode(const QString& code, OutfitCodeSource source);

    // The outfit worn now; nullopt before a gender is chosen.
    std::optional<CodedOutfit> WornOutfit() const;

private:
    MainControls& c;
    PlannerController& m_planner;
    QWidget* m_window;
};

} // namespace zv
