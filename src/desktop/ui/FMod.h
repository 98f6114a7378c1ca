#pragma once
// The sound library interface: the program's few calls to open, play and stop music streams,
// with the library's error codes and their texts. Everything runs on the user-interface thread.
//
// Every call fails quietly (0, -1 or false, and an error code for FSOUND_GetError) when the
// library is not initialised, so a failed start leaves the program running in silence.
#include <string>

namespace zv {

// Error codes reported by FSOUND_GetError (the texts are in FSOUND_ErrorText).
enum SoundError : int {
    SoundErrNone = 0,
    SoundErrBusy = 1,
    SoundErrNotInitialised = 2,
    SoundErrInit = 3,
    SoundErrDeviceInUse = 4,
    SoundErrPlay = 5,
    SoundErrOutputFormat = 6,
    SoundErrCooperativeLevel = 7,
    SoundErrCreateBuffer = 8,
    SoundErrFileNotFound = 9,
    SoundErrFileFormat = 10,
    SoundErrFileBad = 11,
    SoundErrMemory = 12,
    SoundErrVersion = 13,
    SoundErrInvalidParam = 14,
    SoundErrNoEax = 15,
    SoundErrChannelAlloc = 16,
    SoundErrRecord = 17,
    SoundErrMediaPlayer = 18,
    SoundErrCdDevice = 19,
};

// Stream open modes (bit flags); only the loop flags change what the program hears.
// 2 = loop without end (the music), 304 = 16-bit signed mono without a loop (the intro).
constexpr unsigned int kStreamLoopOff = 0x1;
constexpr unsigned int kStreamLoopNormal = 0x2;
constexpr unsigned int kStreamLoopBidi = 0x4;
constexpr unsigned int kStream16Bits = 0x10;
constexpr unsigned int kStreamMono = 0x20;
constexpr unsigned int kStreamSigned = 0x100;

// Channel argument of FSOUND_Stream_Play: any free channel.
constexpr int kAnyFreeChannel = -1;

// The shared object of the audio back end (the SDL2 mixer), loaded by the first FSOUND_Init
// rather than with the program. For tests: a file that cannot be loaded makes FSOUND_Init fail
// with SoundErrInit, as a missing library does.
void SetSoundLibraryFile(const std::string& file);

// Opens the audio output (loading the back end first, when this is the first time). Nonzero on
// success. Calling it again while it is open succeeds and
// leaves the streams that are playing alone (the splash starts the intro, then the main window
// initialises again while the intro still plays).
int FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);

// The code of the last failure (SoundErrNone after a successful FSOUND_Init).
int FSOUND_GetError();

// The text shown to the user for an error code.
std::string FSOUND_ErrorText(int code);

// Opens a sound file (MP3, WAV, OGG ...) as a stream. `mode` with kStreamLoopNormal (or
// kStreamLoopBidi) plays it in a loop without end, otherwise once. `offset` and `length` are
// accepted for compatibility and ignored (whole files are played). Returns a nonzero handle,
// or 0 on failure.
int FSOUND_Stream_Open(const char* name, unsigned int mode, int offset, int length);

// Plays the stream on `channel` (kAnyFreeChannel = any free channel). Returns the channel used, or
// -1 on failure.
int FSOUND_Stream_Play(int channel, int stream);

// Stops the stream. Its decoded sound is released; the handle stays valid and can be played
// again (the file is then read once more).
bool FSOUND_Stream_Stop(int stream);

// Whether a channel is currently playing.
bool FSOUND_IsPlaying(int channel);

// Stops everything, releases every stream and closes the audio output. Safe to call when the
// library is not initialised.
void FSOUND_Close();

} // namespace zv
