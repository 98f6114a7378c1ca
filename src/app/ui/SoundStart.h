#pragma once
// Opening the sound library, as the splash and the main window both do at load.
class QWidget;

namespace zv {

// FSOUND_Init(44100, 32, 0); a failure is reported in a message box (OK, the program's own
// title) with the library's error text, and the program goes on without sound.
void StartSoundLibrary(QWidget* parent);

// Whether StartSoundLibrary has run in this process (the splash runs it when it shows).
bool SoundLibraryStartTried();

} // namespace zv
