// Clicks through the item lists of the real main window until it is killed, for the test that a
// program killed in the middle of clicking leaves no decoded picture behind.
//   click_driver PROGRAM_DIR
// Writes "clicking" to standard output once the clicks have begun.
#include "app/ui/FormMain.h"
#include "base/ProgramPaths.h"
#include "base/ui/MessageBox.h"
#include "planner/ItemFamily.h"
#include "planner/ui/PlannerController.h"

#include <QApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    QApplication app(argc, argv);
    zv::SetProgramFolder(argv[1]);
    zv::SetMessageAnswerer([](const zv::MessageRequest&) {});
    auto form = std::make_unique<zv::FormMain>();
    if (!form->Form_Load())
        return 1;
    form->controls().GenderBox->selectIndex(0);
    bool told = false;
    for (int round = 0;; ++round) {
        for (const zv::ItemFamily& family : zv::ItemFamilies) {
            if (family.Gender == zv::FamilyGender::Female)
                continue;
            zv::ItemList* list = form->planner().listFor(family);
            if (list && list->count() > 0)
                list->selectIndex(round % list->count());
            QCoreApplication::processEvents();
        }
        if (!told) {
            std::puts("clicking");
            std::fflush(stdout);
            told = true;
        }
    }
}
