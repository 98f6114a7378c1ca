#include "planner/ui/PlannerController.h"

#include "base/ProgramPaths.h"
#include "base/ui/MessageBox.h"
#include "base/ui/PictureBytes.h"
#include "planner/ItemSelection.h"
#include "planner/Totals.h"
#include "planner/Variables.h"
#include "planner/ui/MainControls.h"
#include "storage/WardrobeState.h"

#include <QApplication>
#include <QMenu>

namespace zv {
namespace {

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QPixmap PreviewPicture(const std::string& relativePath) {
    return LoadPicture(ProgramPath(relativePath));
}

} // namespace

PlannerController::PlannerController(MainControls& controls, QWidget* window)
    : QObject(window)
    , c(controls)
    , m_window(window) {
    for (ItemList* list : {c.HelmMale, c.ArmorMale, c.GogglesMale, c.HelmFemale, c.ArmorFemale,
                           c.GogglesFemale, c.Accessories}) {
        const ItemFamily* family = FindItemFamily(list->objectName().toStdString());
        if (!family)
            continue;
        m_lists[family->ListName] = list;
        connect(list, &ItemList::Click, this, [this, family] { ItemClick(*family); });
    }
    connect(c.GenderBox, &ItemList::Click, this, &PlannerController::GenderBox_Click);

    const std::pair<ImageControl*, int16_t> shopPictures[] = {
        {c.imageHelm, 1}, {c.imageArmor, 2}, {c.imageGoggles, 3}, {c.imageAccessories, 4}};
    for (const auto& [picture, slot] : shopPictures) {
        connect(picture, &ImageControl::MouseUp, this,
                [this, picture = picture, slot = slot](int button, int, int x, int y) {
                    shopPictureMouseUp(slot, picture, button, x, y);
                });
    }
    connect(c.imgSaveZone1, &ImageControl::MouseUp, this,
            [this](int button, int, int x, int y) { imgSaveZone1_MouseUp(button, x, y); });

    // The controls the tables name, looked up once.
    for (const ItemFamily& family : ItemFamilies) {
        for (std::string_view name : {family.ShopPicture, family.Layer})
            m_pictures.emplace(name, pictureControl(name));
    }
    for (size_t i = 0; i < StatDisplays.size(); ++i) {
        const StatDisplay& stat = StatDisplays[i];
        m_stats[i] = {&stat, pictureControl(stat.BarName), pictureControl(stat.MarkerName)};
    }
}

ImageControl* PlannerController::pictureControl(std::string_view name) const {
    if (const auto found = m_pictures.find(name); found != m_pictures.end())
        return found->second;
    ImageControl* control = m_window->findChild<ImageControl*>(Latin1(name));
    Q_ASSERT(control);
    return control;
}

ItemList* PlannerController::listFor(const ItemFamily& family) const {
    const auto found = m_lists.find(family.ListName);
    return found == m_lists.end() ? nullptr : found->second;
}

ItemEffects& PlannerController::effectsFor(SlotKind slot) {
    switch (slot) {
    case SlotKind::Helmet:
        return HelmetEffects;
    case SlotKind::Armor:
        return ArmorEffects;
    case SlotKind::Goggles:
        return GogglesEffects;
    case SlotKind::Accessory:
        break;
    }
    return AccessoryEffects;
}

void PlannerController::reportOnce(const std::string& error) {
    if (error.empty() || !m_reported.insert(error).second)
        return;
    ShowMessage(m_window, QString(), Latin1(error), MessageIcon::Warning);
}

void PlannerController::LoadItemLists() {
    QStringList problems;
    for (const ItemListContents& contents : LoadAllItemLists()) {
        ItemList* list = contents.Family ? listFor(*contents.Family) : nullptr;
        if (!list)
            continue;
        if (!contents.Error.empty()) {
            m_reported.insert(contents.Error);
            problems << Latin1(contents.Error);
        }
        QStringList entries;
        entries.reserve(static_cast<qsizetype>(contents.Entries.size()));
        for (const std::string& entry : contents.Entries)
            entries << Latin1(entry);
        const QString caption = list->editText();
        {
            const QSignalBlocker block(list);
            list->addItems(entries);
        }
        list->setEditText(caption); // adding entries must not choose one
    }
    if (!problems.isEmpty())
        ShowMessage(m_window, QString(), problems.join(QStringLiteral("\n")), MessageIcon::Warning);
}

void PlannerController::ItemClick(const ItemFamily& family) {
    const OutfitChange step(outfitSteps, "Choose Item");
    ItemList* list = listFor(family);
    if (!list)
        return;
    const std::string name = list->editText().toLatin1().toStdString();
    ItemEffects& effects = effectsFor(family.Slot);

    CodecHooks hooks;
    SelectionOutcome outcome = SelectItem(family, name, effects, m_imageKey, std::string(), hooks);
    reportOnce(outcome.Error);

    showPicture(pictureControl(family.ShopPicture), outcome.ItemPicture);
    showPicture(pictureControl(family.Layer), outcome.PreviewPicture);

    if (family.SnorkelRule) {
        if (IsSnorkel(list->editText().toLatin1().toStdString()))
            c.imgSpecial->setPicture(c.imgGoggles->picture());
        else
            c.imgSpecial->clearPicture();
    }
    UpdateTotals();
}

void PlannerController::showPicture(ImageControl* control,
                                    const std::optional<std::string>& bytes) {
    if (!bytes)
        return;
    // The same bytes again (the same item again, a layer two items share) give the very pixmap
    // the control shows already: nothing is decoded, nothing repainted.
    const QPixmap picture = m_decoded.picture(*bytes);
    if (!picture.isNull())
        control->setPicture(picture);
}

const QPixmap& PlannerController::barPicture(int number) {
    auto found = m_barPictures.find(number);
    if (found == m_barPictures.end())
        found = m_barPictures.emplace(number, PreviewPicture(BarPicturePath(number))).first;
    return found->second;
}

void PlannerController::UpdateTotals() {
    const TotalsDisplay shown =
        DisplayTotals(HelmetEffects, ArmorEffects, GogglesEffects, AccessoryEffects);
    StoreTotals(shown.Totals);

    // Every marker ends shown exactly when its total is negative; a bar or marker that stays as
    // it was is not touched, so that it is not repainted.
    for (size_t i = 0; i < m_stats.size(); ++i) {
        if (const auto number = shown.BarNumbers[i])
            m_stats[i].bar->setPicture(barPicture(*number));
        m_stats[i].marker->setVisible(shown.Markers[i]);
    }
    c.labelTotalCost->setText(Latin1(shown.CostText));
    c.lblAvatarEfficiency->setText(Latin1(shown.EfficiencyText));
}

void PlannerController::PlaceAvatar(int left, int top) {
    c.imgAvatarBase->moveTwips(left, top);
    for (ImageControl* layer : {c.imgAccessories, c.imgArmor, c.imgHelmet, c.imgGoggles})
        layer->moveTwips(c.imgAvatarBase->leftTwips(), c.imgAvatarBase->topTwips());
    c.imgSpecial->moveTwips(c.imgAvatarBase->leftTwips(), c.imgAvatarBase->topTwips());
}

void PlannerController::ResetPreview() {
    // 1.
    HelmetEffects = ArmorEffects = GogglesEffects = AccessoryEffects = ItemEffects{};
    // 2.
    c.HelmMale->setEditText(QStringLiteral("Helmets"));
    c.ArmorMale->setEditText(QStringLiteral("Armor"));
    c.GogglesMale->setEditText(QStringLiteral("Goggles"));
    c.Accessories->setEditText(QStringLiteral("Accessories"));
    c.HelmFemale->setEditText(QStringLiteral("Helmets"));
    c.ArmorFemale->setEditText(QStringLiteral("Armor"));
    c.GogglesFemale->setEditText(QStringLiteral("Goggles"));
    // 3.
    for (ImageControl* picture :
         {c.imageHelm, c.imageArmor, c.imageGoggles, c.imageAccessories, c.imgAccessories,
          c.imgArmor, c.imgHelmet, c.imgGoggles, c.imgAvatarBase, c.imgMobile, c.imgSpecial})
        picture->clearPicture();
    // 4.
    PlaceAvatar(360, 460);
    // 5.
    if (WardrobeOpen && reopenWardrobe)
        reopenWardrobe();
    // 6.
    const int gender = c.GenderBox->currentIndex();
    if (gender == 0) {
        c.imgHelmet->setPicture(PreviewPicture("\\avatarpreview\\VO-Male-Headnone.gif"));
        c.imgArmor->setPicture(PreviewPicture("\\avatarpreview\\VO-Male-BodyNone.gif"));
    } else if (gender == 1) {
        c.imgHelmet->setPicture(PreviewPicture("\\avatarpreview\\VO-Female-Headnone.gif"));
        c.imgArmor->setPicture(PreviewPicture("\\avatarpreview\\VO-Female-BodyNone.gif"));
    }
    // 7.
    UpdateTotals();
}

void PlannerController::GenderBox_Click() {
    const OutfitChange step(outfitSteps, "Choose Gender");
    const int gender = c.GenderBox->currentIndex();
    if (gender != 0 && gender != 1)
        return;
    c.imgAvatarBase->clearPicture();
    for (const ItemFamily& family : ItemFamilies) {
        if (ItemList* list = listFor(family))
            list->setVisible(FamilyShownFor(family, gender));
    }
    ResetPreview();
    c.mobile->menuAction()->setEnabled(true);
    c.save->menuAction()->setEnabled(true);
    c.load->menuAction()->setEnabled(true);
}

void PlannerController::shopPictureMouseUp(int16_t slot, ImageControl* picture, int button, int x,
                                           int y) {
    if (button != 2)
        return;
    WardrobeSlot = slot;
    c.wardrobe->popup(picture->mapToGlobal(QPoint(x / kTwipsPerPixel, y / kTwipsPerPixel)));
}

void PlannerController::imgSaveZone1_MouseUp(int button, int x, int y) {
    if (button != 2)
        return;
    c.savezone1->popup(c.imgSaveZone1->mapToGlobal(QPoint(x / kTwipsPerPixel, y / kTwipsPerPixel)));
}

} // namespace zv
