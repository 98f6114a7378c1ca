#include "desktop/ui/FMod.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <array>
#include <climits>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

namespace zv {
namespace {

// How streams sound without ever decoding a whole file on the caller's (the window's) thread:
// - a looping stream (the music, which plays for as long as the program runs and may be long)
//   is read from its file as it plays, on the mixer's one music track; its channel number is
//   kTrackChannel, a channel kept out of the mixer's own choice;
// - any other stream (the intro, or a second loop while the track is taken) is decoded whole
//   on a worker thread. Playing it takes its channel at once with silence, which the decoded
//   sound replaces when it is ready, so that several streams still sound at the same time.
constexpr int kTrackChannel = 0;

// A stream's decoding on the worker thread; its fields are guarded by DecodeLock().
struct Decoding {
    std::thread worker;
    Mix_Chunk* chunk = nullptr; // once decoded
    int error = SoundErrNone;   // once decoding failed
    bool done = false;
    bool cancelled = false;  // the stream was stopped or closed meanwhile
    int waitingChannel = -1; // a channel holding silence until the sound is ready
    bool loop = false;
};

struct Stream {
    std::string path;
    bool loop = false;
    Mix_Music* music = nullptr;         // while it plays (or is ready to) on the track
    std::shared_ptr<Decoding> decoding; // while it plays (or played) on a channel
    int channel = -1;                   // the channel it was last started on
};

struct SoundState {
    bool open = false;
    int error = SoundErrNone;
    int nextHandle = 1;
    std::map<int, Stream> streams;
    int trackStream = 0; // the stream on the music track, 0 for none
    // One second of silence in the output's format, held by channels whose sound decodes.
    std::vector<Uint8> silenceBytes;
    Mix_Chunk* silence = nullptr;
    // Decodings of stopped streams that are still running; waited for before the mixer closes.
    std::vector<std::thread> finishing;
};

SoundState& State() {
    static SoundState state;
    return state;
}

std::mutex& DecodeLock() {
    static std::mutex lock;
    return lock;
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

// Whether the file begins like a sound file of a kind the mixer reads (MP3 with or without its
// tag, WAV, Ogg, FLAC, AIFF, MIDI): a failure to read it is then a damaged file, not an unknown
// format.
bool BeginsLikeSound(const std::string& path) {
    unsigned char head[4] = {};
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file)
        return false;
    const size_t got = SDL_RWread(file, head, 1, sizeof head);
    SDL_RWclose(file);
    if (got < 3)
        return false;
    const std::string_view magic(reinterpret_cast<const char*>(head), got);
    if (head[0] == 0xFF && (head[1] & 0xE0) == 0xE0)
        return true; // an MPEG audio frame
    for (std::string_view known : {"ID3", "RIFF", "OggS", "fLaC", "FORM", "MThd"}) {
        if (magic.substr(0, known.size()) == known)
            return true;
    }
    return false;
}

// Opens the stream's file for reading as it plays (only its beginning is read here). Returns an
// error code; on success `music` is set.
int OpenMusic(const std::string& path, Mix_Music*& music) {
    std::error_code ec;
    const std::filesystem::path file(path);
    if (!std::filesystem::exists(file, ec) || std::filesystem::is_directory(file, ec))
        return SoundErrFileNotFound;
    SDL_ClearError();
    music = Mix_LoadMUS(path.c_str());
    if (music)
        return SoundErrNone;
    const int code = LoadErrorCode();
    return code == SoundErrFileBad && !BeginsLikeSound(path) ? SoundErrFileFormat : code;
}

void MakeSilence(SoundState& s) {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    s.silenceBytes.assign(static_cast<size_t>(rate) * static_cast<size_t>(channels) *
                              (SDL_AUDIO_BITSIZE(format) / 8),
                          static_cast<Uint8>(SDL_AUDIO_ISSIGNED(format) ? 0 : 0x80));
    s.silence =
        Mix_QuickLoad_RAW(s.silenceBytes.data(), static_cast<Uint32>(s.silenceBytes.size()));
}

bool WaitingOn(const Decoding& decoding, int channel) {
    return channel >= 0 && decoding.waitingChannel == channel && Mix_Playing(channel) &&
           Mix_GetChunk(channel) == State().silence;
}

// Worker thread: decodes the file, then puts the sound on the channel that waits for it.
void Decode(std::shared_ptr<Decoding> decoding, std::string path) {
    SDL_ClearError();
    Mix_Chunk* chunk = nullptr;
    int error = SoundErrNone;
    if (SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb")) {
        chunk = Mix_LoadWAV_RW(file, 1);
        if (!chunk)
            error = LoadErrorCode();
    } else {
        error = SoundErrFileBad;
    }
    std::lock_guard<std::mutex> lock(DecodeLock());
    decoding->done = true;
    if (decoding->cancelled) {
        if (chunk)
            Mix_FreeChunk(chunk);
        return;
    }
    decoding->chunk = chunk;
    decoding->error = error;
    const int channel = decoding->waitingChannel;
    if (WaitingOn(*decoding, channel)) {
        if (!chunk || Mix_PlayChannel(channel, chunk, decoding->loop ? -1 : 0) < 0)
            Mix_HaltChannel(channel);
    }
    decoding->waitingChannel = -1;
}

// Whether `stream` is what `channel` is sounding now (a finished channel may have been taken by
// another stream since). Call with DecodeLock() held.
bool PlayingOn(const Stream& stream, int channel) {
    if (!stream.decoding || channel < 0 || channel == kTrackChannel ||
        channel >= Mix_AllocateChannels(-1) || !Mix_Playing(channel))
        return false;
    const Decoding& d = *stream.decoding;
    return (d.chunk && Mix_GetChunk(channel) == d.chunk) || WaitingOn(d, channel);
}

// Stops the stream and lets go of what it holds: its file on the track, its decoded sound (a
// decoding still under way finishes on its own and throws its result away).
void Release(Stream& stream, int handle) {
    SoundState& s = State();
    if (stream.music) {
        if (s.trackStream == handle) {
            Mix_HaltMusic();
            s.trackStream = 0;
        }
        Mix_FreeMusic(stream.music);
        stream.music = nullptr;
    }
    if (stream.decoding) {
        std::unique_lock<std::mutex> lock(DecodeLock());
        Decoding& d = *stream.decoding;
        if (PlayingOn(stream, stream.channel))
            Mix_HaltChannel(stream.channel);
        d.cancelled = true;
        d.waitingChannel = -1;
        if (d.chunk)
            Mix_FreeChunk(d.chunk);
        d.chunk = nullptr;
        lock.unlock();
        // A decoding under way finishes by itself (it holds its own share) and throws its sound
        // away; it is waited for only when the mixer closes.
        if (d.worker.joinable())
            s.finishing.push_back(std::move(d.worker));
        stream.decoding.reset();
    }
    stream.channel = -1;
}

// Plays a stream on the track. Returns the channel, or -1 with the error set.
int PlayOnTrack(int handle, Stream& stream) {
    SoundState& s = State();
    if (!stream.music) {
        if (const int code = OpenMusic(stream.path, stream.music); code != SoundErrNone) {
            Fail(code);
            return -1;
        }
    }
    if (Mix_PlayMusic(stream.music, stream.loop ? -1 : 0) != 0) {
        Fail(SoundErrPlay);
        return -1;
    }
    s.trackStream = handle;
    stream.channel = kTrackChannel;
    return kTrackChannel;
}

// Plays a stream on a channel, decoding it on the worker thread first when needed.
int PlayOnChannel(int channel, Stream& stream) {
    std::lock_guard<std::mutex> lock(DecodeLock());
    if (!stream.decoding) {
        stream.decoding = std::make_shared<Decoding>();
        stream.decoding->loop = stream.loop;
        stream.decoding->worker = std::thread(Decode, stream.decoding, stream.path);
    }
    Decoding& d = *stream.decoding;
    if (d.done && !d.chunk) {
        Fail(d.error != SoundErrNone ? d.error : SoundErrFileBad);
        return -1;
    }
    // A stream sounds on one channel only: starting it again restarts it.
    if (PlayingOn(stream, stream.channel))
        Mix_HaltChannel(stream.channel);
    d.waitingChannel = -1;
    const int loops = stream.loop ? -1 : 0;
    const int used = d.chunk ? Mix_PlayChannel(channel, d.chunk, loops)
                             : Mix_PlayChannel(channel, State().silence, -1);
    if (used < 0) {
        Fail(channel == kAnyFreeChannel ? SoundErrChannelAlloc : SoundErrPlay);
        return -1;
    }
    if (!d.chunk)
        d.waitingChannel = used;
    stream.channel = used;
    return used;
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
    // The music track's number is never handed out for other sounds.
    Mix_ReserveChannels(1);
    MakeSilence(s);
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
    // Only the file's beginning is read here, enough to know it is a sound; a loop keeps it
    // open for the track.
    if (const int code = OpenMusic(stream.path, stream.music); code != SoundErrNone)
        return Fail(code);
    if (!stream.loop) {
        Mix_FreeMusic(stream.music);
        stream.music = nullptr;
    }
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
    const bool trackFree = s.trackStream == 0 || s.trackStream == stream || !Mix_PlayingMusic();
    int used = -1;
    if (st.loop && trackFree && (channel == kAnyFreeChannel || channel == kTrackChannel)) {
        used = PlayOnTrack(stream, st);
    } else if (channel == kTrackChannel) {
        Fail(SoundErrInvalidParam); // the track's channel plays nothing else
        return -1;
    } else {
        if (st.music) { // a loop that found the track taken
            Mix_FreeMusic(st.music);
            st.music = nullptr;
        }
        used = PlayOnChannel(channel, st);
    }
    if (used >= 0)
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
    // The music is opened anew at every switch-on; letting go of the file and of any decoded
    // sound here keeps repeated switching from piling anything up.
    Release(it->second, stream);
    s.error = SoundErrNone;
    return true;
}

bool FSOUND_IsPlaying(int channel) {
    const SoundState& s = State();
    if (!s.open || channel < 0 || channel >= Mix_AllocateChannels(-1))
        return false;
    if (channel == kTrackChannel)
        return s.trackStream != 0 && Mix_PlayingMusic();
    return Mix_Playing(channel);
}

void FSOUND_Close() {
    SoundState& s = State();
    if (!s.open)
        return;
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    for (auto& [handle, stream] : s.streams)
        Release(stream, handle);
    s.streams.clear();
    s.trackStream = 0;
    // Decodings still under way convert for the mixer that closes next: they end first.
    for (std::thread& worker : s.finishing)
        worker.join();
    s.finishing.clear();
    Mix_FreeChunk(s.silence); // the chunk only points at the bytes, which stay
    s.silence = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.open = false;
}

} // namespace zv
