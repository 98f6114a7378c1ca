#include "app/ui/SoundStart.h"

#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"

namespace zv {

namespace {
bool g_tried = false;
} // namespace

bool SoundLibraryStartTried() {
    return g_tried;
}

void StartSoundLibrary(QWidget* parent) {
    g_tried = true;
    if (FSOUND_Init(44100, 32, 0) != 0)
        return;
    ShowMessage(parent, QString(),
                QStringLiteral("An error occured initializing fmod!\r\n") +
                    QString::fromStdString(FSOUND_ErrorText(FSOUND_GetError())),
                MessageIcon::None);
}

} // namespace zv
