#pragma once
// The "Outfit Finder" window: the finder's inputs, its best outfits in a table sortable by any
// column, and "Put On" for the chosen one. Every change of the inputs starts a new search off the
// user-interface thread, cancelling the one before. Below the table, the buying plan of the
// chosen outfit.
#include "finder/BuyingPlan.h"
#include "finder/Finder.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace zv {

struct MainControls;
class PlannerController;

class FormFinder final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FormFinder)

public:
    FormFinder(MainControls& controls, PlannerController& planner, QWidget* parent = nullptr);
    ~FormFinder() override;

    // Reads the inputs and starts a search; an invalid input is marked and explained instead.
    void cmdFind_Click();
    // Stops the running search; the best found so far stays on show.
    void cmdCancel_Click();
    // Puts the chosen row's outfit on in the main window.
    void cmdPutOn_Click();

    bool searching() const { return m_searching; }
    // The outfits on show, best first (the table may be sorted otherwise).
    const std::vector<FoundOutfit>& outfits() const { return m_shown.Outfits; }

signals:
    // A search has ended (done, cancelled or failed) and its outcome is on show.
    void searchFinished();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Outcome {
        uint64_t Id = 0;
        int Gender = 0;
        Objective Goal;
        std::shared_ptr<const FinderCatalog> Catalog;
        std::vector<OwnedItem> Owned; // counted as owned
        FinderResult Result;
        std::string Error; // the catalogue could not be read
    };

    void buildControls();
    void refreshLockCaptions();
    bool readRequest(FinderRequest& request);
    void startSearch(int gender, FinderRequest request);
    void searchDone(const Outcome& outcome);
    void showResults(const FinderResult& result, const Objective& goal);
    void stopWorker();
    const FoundOutfit* selectedOutfit() const;
    WornOutfit wornOutfit(bool& bare) const;
    void showBuyingPlan();
    void showSortMenu(QPoint at);

    MainControls& c;
    PlannerController& m_planner;

    QComboBox* lstGender = nullptr;
    QLineEdit* txtBudget = nullptr;
    QComboBox* lstObjective = nullptr;
    QSpinBox* txtTop = nullptr;
    QCheckBox* chkOwned = nullptr;
    std::array<QLineEdit*, kStatCount> txtMin{};
    std::array<QLineEdit*, kStatCount> txtWeight{};
    QWidget* weightsRow = nullptr;
    std::array<QComboBox*, kItemSlotCount> lstLock{};
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdPutOn = nullptr;
    QLabel* lblStatus = nullptr;
    QTableWidget* lstResults = nullptr;
    QMenu* mnuSort = nullptr;
    QWidget* picboxBuyingPlan = nullptr;
    QLabel* lblBuyingPlan = nullptr;
    QTableWidget* lstBuyingPlan = nullptr;
    QLabel* lblPlanNote = nullptr;

    std::array<std::shared_ptr<const FinderCatalog>, 2> m_catalogs;
    uint64_t m_lastId = 0;
    bool m_searching = false;
    int m_shownGender = 0;
    FinderResult m_shown;
    // What the outfits on show were found with, for their buying plans.
    std::shared_ptr<const FinderCatalog> m_shownCatalog;
    Objective m_shownGoal;
    std::vector<OwnedItem> m_shownOwned;
    // Last member: stopped and joined before anything it reports to goes away.
    std::jthread m_worker;
};

} // namespace zv
