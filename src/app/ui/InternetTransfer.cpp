#include "app/ui/InternetTransfer.h"

#include "base/ProgramPaths.h"

#include <dlfcn.h>

namespace zv {
namespace {

StartHttpGetFunction g_start = nullptr;

// From the program folder (the executable's); failing that, wherever the dynamic loader looks.
StartHttpGetFunction LoadModule() {
    if (g_start)
        return g_start;
    const std::string beside = (ProgramFolder() / kNetworkModuleFile).string();
    void* handle = ::dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        handle = ::dlopen(kNetworkModuleFile, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return nullptr;
    // Never unloaded: the replies it made are deleted later by the event loop.
    g_start = reinterpret_cast<StartHttpGetFunction>(::dlsym(handle, kStartHttpGetSymbol));
    return g_start;
}

} // namespace

InternetTransfer::InternetTransfer(QObject* parent)
    : QObject(parent) {}

InternetTransfer::~InternetTransfer() = default;

std::unique_ptr<HttpGet> InternetTransfer::Get(const QString& url, const QString& userAgent,
                                               qint64 bufferLimit, HttpGetEvents events) {
    const StartHttpGetFunction start = LoadModule();
    if (!start)
        return nullptr;
    return std::unique_ptr<HttpGet>(start(this, url, userAgent, bufferLimit, std::move(events)));
}

bool InternetTransfer::moduleLoaded() {
    return g_start != nullptr;
}

} // namespace zv
