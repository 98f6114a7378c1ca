#pragma once
// The main window with the shipped data, for the planner's helpers: what the window shows of an
// outfit, taken whole so that two moments can be compared.
#include "base/ProgramPaths.h"
#include "outfit/ui/OutfitFeatures.h"
#include "outfit/ui/OutfitHistory.h"
#include "planner/Catalog.h"
#include "planner/Variables.h"
#include "storage/ui/StorageFixture.h"

#include <QImage>
#include <QMenu>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace zvtest {

// Everything the main window shows of the outfit, and the records behind it.
struct Seen {
    std::vector<std::tuple<int, QString, bool>> lists; // index, text, visible
    std::vector<QImage> pictures;
    std::vector<QPoint> places;
    std::vector<bool> markers;
    zv::PlannerTotals totals;
    QString cost, efficiency;
    std::array<zv::ItemEffects, 4> records;
    std::array<bool, 3> menus{};

    bool operator==(const Seen&) const = default;

    // Which parts differ from `other`, for a failure message.
    std::string differences(const Seen& other) const {
        std::ostringstream out;
        for (size_t i = 0; i < lists.size() && i < other.lists.size(); ++i) {
            if (lists[i] != other.lists[i]) {
                out << "list " << i << ": " << std::get<1>(lists[i]).toStdString() << " ("
                    << std::get<0>(lists[i]) << ") / " << std::get<1>(other.lists[i]).toStdString()
                    << " (" << std::get<0>(other.lists[i]) << "); ";
            }
        }
        for (size_t i = 0; i < pictures.size() && i < other.pictures.size(); ++i) {
            if (pictures[i] != other.pictures[i])
                out << "picture " << i << "; ";
            if (places[i] != other.places[i])
                out << "place " << i << "; ";
        }
        if (markers != other.markers)
            out << "markers; ";
        if (!(totals == other.totals) || cost != other.cost || efficiency != other.efficiency)
            out << "totals " << cost.toStdString() << " / " << other.cost.toStdString() << "; ";
        if (records != other.records)
            out << "records; ";
        if (menus != other.menus)
            out << "menus; ";
        return out.str();
    }
};

class OutfitWindowTest : public StorageWindowTest {
protected:
    void SetUp() override {
        // As in a new process: the program-wide totals start at 0, not where a test left them.
        zv::StoreTotals({});
        StorageWindowTest::SetUp();
    }

    zv::OutfitFeatures& features() { return form->outfit(); }
    zv::OutfitHistory& history() { return features().history(); }
    int steps() { return history().stack().count(); }

    std::vector<zv::ImageControl*> pictureControls() {
        zv::MainControls& w = c();
        return {w.imageHelm, w.imageArmor, w.imageGoggles,   w.imageAccessories, w.imgHelmet,
                w.imgArmor,  w.imgGoggles, w.imgAccessories, w.imgSpecial,       w.imgAvatarBase,
                w.imgMobile, w.imgStars,   w.imgShield,      w.imgdelay1,        w.imgAttack,
                w.imgHearts, w.imgDelay2,  w.imgShovel,      w.imgShieldRe};
    }

    Seen seen() {
        Seen s;
        zv::MainControls& w = c();
        s.lists.emplace_back(w.GenderBox->currentIndex(), w.GenderBox->editText(),
                             w.GenderBox->isVisibleTo(form.get()));
        for (const zv::ItemFamily& family : zv::ItemFamilies) {
            const zv::ItemList* list = planner().listFor(family);
            s.lists.emplace_back(list->currentIndex(), list->editText(),
                                 list->isVisibleTo(form.get()));
        }
        for (const zv::ImageControl* control : pictureControls()) {
            s.pictures.push_back(
                control->picture().toImage().convertToFormat(QImage::Format_ARGB32));
            s.places.push_back(control->pos());
        }
        for (const zv::ImageControl* marker :
             {w.imgNegativeStar, w.imgNegativeArmor, w.imgNegativeDelay, w.imgNegativeAttack,
              w.imgNegativeHeart, w.imgNegativeDelay2, w.imgNegativeShovel,
              w.imgNegativeShieldRegen})
            s.markers.push_back(marker->isVisibleTo(form.get()));
        s.totals = zv::Totals();
        s.cost = w.labelTotalCost->text();
        s.efficiency = w.lblAvatarEfficiency->text();
        s.records = {planner().HelmetEffects, planner().ArmorEffects, planner().GogglesEffects,
                     planner().AccessoryEffects};
        s.menus = {w.mobile->menuAction()->isEnabled(), w.save->menuAction()->isEnabled(),
                   w.load->menuAction()->isEnabled()};
        return s;
    }

    // The files of the private temporary folder (pictures being unwrapped leave none).
    static std::vector<std::string> temporaryFiles() {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(zv::PrivateTempFolder()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // Lines of a catalogue of the program folder.
    std::vector<std::string> catalogue(std::string_view relative) {
        return zv::ReadListCatalog(zv::ProgramPath(relative));
    }
};

} // namespace zvtest
