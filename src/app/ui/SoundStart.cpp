#include "app/ui/SoundStart.h"

#include "base/ui/MessageBox.h"
#include "desktop/ui/FMod.h"

namespace zv {

void StartSoundLibrary(QWidget* parent) {
    if (FSOUND_Init(44100, 32, 0) != 0)
        return;
    ShowMessage(parent, QString(),
                QStringLiteral("An error occured initializing fmod!\r\n") +
                    QString::fromStdString(FSOUND_ErrorText(FSOUND_GetError())),
                MessageIcon::None);
}

} // namespace zv
