#include "outfit/ui/OutfitCodes.h"

#include "base/ui/MessageBox.h"
#include "planner/ui/MainControls.h"
#include "planner/ui/PlannerController.h"
#include "planner/ui/WearOutfit.h"
#include "storage/EightBitText.h"
#include "storage/ui/GenderLists.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

namespace zv {
namespace {

constexpr std::array<const char*, 4> kSlotCaptions{"Helmet", "Armor", "Goggles", "Accessory"};

const QString kLeftAsItIs = QStringLiteral("\n\nThe outfit was left as it is.");

} // namespace

OutfitCodes::OutfitCodes(MainControls& controls, PlannerController& planner, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_planner(planner)
    , m_window(window) {
    connect(c.copycode, &QAction::triggered, this, &OutfitCodes::copycode_Click);
    connect(c.pastecode, &QAction::triggered, this, &OutfitCodes::pastecode_Click);
}

std::optional<CodedOutfit> OutfitCodes::WornOutfit() const {
    const int gender = c.GenderBox->currentIndex();
    if (gender != 0 && gender != 1)
        return std::nullopt;
    CodedOutfit outfit;
    outfit.Gender = gender;
    for (size_t i = 0; i < kWornKinds.size(); ++i) {
        // Only an entry of the list is worn; a caption or a name the catalogue lost is not.
        const ItemList* list = GenderList(m_planner, gender, kWornKinds[i]);
        if (list && list->currentIndex() >= 0)
            outfit.Items[i] = ToEightBit(list->currentText());
    }
    return outfit;
}

void OutfitCodes::copycode_Click() {
    const std::optional<CodedOutfit> outfit = WornOutfit();
    if (!outfit) {
        ShowMessage(m_window, QString(),
                    QStringLiteral("There is no outfit to copy yet: choose a gender first."),
                    MessageIcon::Information);
        return;
    }
    const std::optional<std::string> code = EncodeOutfitCode(*outfit);
    if (!code) {
        ShowMessage(m_window, QString(),
                    QStringLiteral("The names of this outfit's items are too long for an outfit "
                                   "code."),
                    MessageIcon::Warning);
        return;
    }
    QGuiApplication::clipboard()->setText(QString::fromLatin1(*code));
}

void OutfitCodes::pastecode_Click() {
    PutOnCode(QGuiApplication::clipboard()->text(), OutfitCodeSource::Clipboard);
}

bool OutfitCodes::PutOnCode(const QString& code, OutfitCodeSource source) {
    const DecodedOutfitCode decoded = DecodeOutfitCode(code.toUtf8().toStdString());
    if (!decoded.Outfit) {
        ShowMessage(m_window, QString(),
                    QString::fromStdString(OutfitCodeProblemText(decoded, source)) + kLeftAsItIs,
                    MessageIcon::Warning);
        return false;
    }
    const CodedOutfit& outfit = *decoded.Outfit;

    // Every name must be an entry of its list in this installation.
    QStringList unknown;
    for (size_t i = 0; i < kWornKinds.size(); ++i) {
        const ItemList* list = GenderList(m_planner, outfit.Gender, kWornKinds[i]);
        const std::optional<std::string>& name = outfit.Items[i];
        if (name && (!list || list->findText(FromEightBit(*name),
                                             Qt::MatchExactly | Qt::MatchCaseSensitive) < 0))
            unknown << QLatin1String(kSlotCaptions[i]) + QStringLiteral(": ") + FromEightBit(*name);
    }
    if (!unknown.isEmpty()) {
        ShowMessage(
            m_window, QString(),
            QStringLiteral("The outfit code names %1 that %2 not in this installation's "
                           "catalogues:\n\n")
                    .arg(unknown.size() == 1 ? QStringLiteral("an item") : QStringLiteral("items"),
                         unknown.size() == 1 ? QStringLiteral("is") : QStringLiteral("are")) +
                unknown.join(QLatin1Char('\n')) + kLeftAsItIs,
            MessageIcon::Warning);
        return false;
    }

    // Put on as a slot load puts a slot on (one step of the history); an empty slot shows its
    // list's caption.
    std::array<std::string, 4> names;
    for (size_t i = 0; i < kWornKinds.size(); ++i) {
        const ItemFamily* family = ItemFamilyFor(outfit.Gender, kWornKinds[i]);
        names[i] = outfit.Items[i] ? *outfit.Items[i]
                                   : std::string(family ? family->Caption : std::string_view());
    }
    WearOutfit(c, m_planner, outfit.Gender, names);
    return true;
}

} // namespace zv
