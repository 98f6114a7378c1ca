#include "desktop/ui/FMod.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <array>
#include <climits>
#include <cstring>
#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

namespace zv {
namespace {

// A stream is a whole decoded sound on one mixer channel: several streams (the intro and the
// music) can then play at the same time, which the mixer's single music track cannot do.
struct Stream {
    std::string path;
    bool loop = false;
    Mix_Chunk* chunk = nullptr; // null after a stop; decoded again when played
    int channel = -1;           // the channel it was last started on
};

struct SoundState {
    bool open = false;
    int error = SoundErrNone;
    int nextHandle = 1;
    std::map<int, Stream> streams;
};

SoundState& State() {
    static SoundState state;
    return state;
}

int Fail(int code) {
    State().error = code;
    return 0;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The error code for a sound file that the mixer could not read.
int LoadErrorCode() {
    const std::string_view reason = SDL_GetError();
    if (Contains(reason, "Out of memory"))
        return SoundErrMemory;
    if (Contains(reason, "nrecognized") || Contains(reason, "nknown") ||
        Contains(reason, "nsupported"))
        return SoundErrFileFormat;
    return SoundErrFileBad;
}

// Decodes the stream's file into a mixer chunk. Returns an error code.
int Load(Stream& stream) {
    std::error_code ec;
    const std::filesystem::path path(stream.path);
    if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
        return SoundErrFileNotFound;
    SDL_RWops* file = SDL_RWFromFile(stream.path.c_str(), "rb");
    if (!file)
        return SoundErrFileBad;
    SDL_ClearError();
    stream.chunk = Mix_LoadWAV_RW(file, 1);
    return stream.chunk ? SoundErrNone : LoadErrorCode();
}

// Whether `stream` is what `channel` is playing now (a finished channel may have been taken
// by another stream since).
bool PlayingOn(const Stream& stream, int channel) {
    return stream.chunk && channel >= 0 && channel < Mix_AllocateChannels(-1) &&
           Mix_Playing(channel) && Mix_GetChunk(channel) == stream.chunk;
}

void Release(Stream& stream) {
    if (PlayingOn(stream, stream.channel))
        Mix_HaltChannel(stream.channel);
    if (stream.chunk)
        Mix_FreeChunk(stream.chunk);
    stream.chunk = nullptr;
    stream.channel = -1;
}

} // namespace

int FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int /*flags*/) {
    SoundState& s = State();
    if (mixrate <= 0 || maxsoftwarechannels <= 0)
        return Fail(SoundErrInvalidParam);
    if (s.open) {
        // Already running (the splash started it): keep what plays, make room for more.
        if (Mix_AllocateChannels(-1) < maxsoftwarechannels)
            Mix_AllocateChannels(maxsoftwarechannels);
        s.error = SoundErrNone;
        return 1;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return Fail(SoundErrInit);
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(mixrate, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return Fail(SoundErrInit);
    }
    Mix_AllocateChannels(maxsoftwarechannels);
    s.open = true;
    s.error = SoundErrNone;
    return 1;
}

int FSOUND_GetError() {
    return State().error;
}

std::string FSOUND_ErrorText(int code) {
    static constexpr std::array<const char*, 20> kTexts = {
        "No errors",
        "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
        "This command failed because FSOUND_Init was not called",
        "Error initializing output device.",
        "The output device is already in use and cannot be reused.",
        "Playing the sound failed.",
        "Soundcard does not support the features needed for this soundsystem (16bit stereo "
        "output)",
        "Error setting cooperative level for hardware.",
        "Error creating hardware sound buffer.",
        "File not found",
        "Unknown file format",
        "Error loading file",
        "Not enough memory ",
        "The version number of this file format is not supported",
        "An invalid parameter was passed to this function",
        "Tried to use an EAX command on a non EAX enabled channel or output.",
        "Failed to allocate a new channel",
        "Recording is not supported on this machine",
        "Required Mediaplayer codec is not installed",
        "An error occured trying to open the specified CD device",
    };
    if (code < 0 || code >= static_cast<int>(kTexts.size()))
        return "Unknown error";
    return kTexts[static_cast<size_t>(code)];
}

int FSOUND_Stream_Open(const char* name, unsigned int mode, int /*offset*/, int /*length*/) {
    SoundState& s = State();
    if (!s.open)
        return Fail(SoundErrNotInitialised);
    if (!name || !*name)
        return Fail(SoundErrInvalidParam);
    Stream stream;
    stream.path = name;
    stream.loop = (mode & (kStreamLoopNormal | kStreamLoopBidi)) != 0;
    if (const int code = Load(stream); code != SoundErrNone)
        return Fail(code);
    // Handles are never 0 (the failure value) and never reused while open.
    while (s.nextHandle <= 0 || s.streams.count(s.nextHandle))
        s.nextHandle = s.nextHandle == INT_MAX ? 1 : s.nextHandle + 1;
    const int handle = s.nextHandle;
    s.nextHandle = handle == INT_MAX ? 1 : handle + 1;
    s.streams.emplace(handle, std::move(stream));
    s.error = SoundErrNone;
    return handle;
}

int FSOUND_Stream_Play(int channel, int stream) {
    SoundState& s = State();
    if (!s.open) {
        Fail(SoundErrNotInitialised);
        return -1;
    }
    const auto it = s.streams.find(stream);
    if (it == s.streams.end() || channel < kAnyFreeChannel || channel >= Mix_AllocateChannels(-1)) {
        Fail(SoundErrInvalidParam);
        return -1;
    }
    Stream& st = it->second;
    if (!st.chunk) {
        if (const int code = Load(st); code != SoundErrNone) {
            Fail(code);
            return -1;
        }
    }
    // A stream sounds on one channel only: starting it again restarts it.
    if (PlayingOn(st, st.channel))
        Mix_HaltChannel(st.channel);
    SDL_ClearError();
    const int used = Mix_PlayChannel(channel, st.chunk, st.loop ? -1 : 0);
    if (used < 0) {
        Fail(channel == kAnyFreeChannel ? SoundErrChannelAlloc : SoundErrPlay);
        return -1;
    }
    st.channel = used;
    s.error = SoundErrNone;
    return used;
}

bool FSOUND_Stream_Stop(int stream) {
    SoundState& s = State();
    if (!s.open)
        return Fail(SoundErrNotInitialised) != 0;
    const auto it = s.streams.find(stream);
    if (it == s.streams.end())
        return Fail(SoundErrInvalidParam) != 0;
    // The music is opened anew at every switch-on; releasing the decoded sound here keeps
    // repeated switching from piling up memory.
    Release(it->second);
    s.error = SoundErrNone;
    return true;
}

bool FSOUND_IsPlaying(int channel) {
    const SoundState& s = State();
    return s.open && channel >= 0 && channel < Mix_AllocateChannels(-1) && Mix_Playing(channel);
}

void FSOUND_Close() {
    SoundState& s = State();
    if (!s.open)
        return;
    Mix_HaltChannel(-1);
    for (auto& entry : s.streams)
        Release(entry.second);
    s.streams.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.open = false;
}

} // namespace zv
