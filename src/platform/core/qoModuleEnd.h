#pragma once
// What has to happen before the module goes away: work still queued would be
// lost, and a window whose procedure lives in the module would outlive it.
// A part registers its handler once; the module's end runs the handlers, newest
// first. On Linux that is library unload and process exit; the Windows server
// ends the module at DLL_PROCESS_DETACH and whenever DllCanUnloadNow answers yes,
// after which the module may still be used again.
//
//   AtModuleEnd<&TDoLater::Shutdown>(); // once the window and its loop exist
namespace qo {

using TModuleEndHandler = void (*)();

// Runs every registered handler; each must be harmless to run more than once.
void EndModule();

class TModuleEndEntry {
public:
    explicit TModuleEndEntry(TModuleEndHandler handler);
    // Library unload and process exit.
    ~TModuleEndEntry() { fHandler(); }
    TModuleEndEntry(const TModuleEndEntry&) = delete;
    TModuleEndEntry& operator=(const TModuleEndEntry&) = delete;

private:
    TModuleEndHandler fHandler;
};

// Registering again changes nothing. The entry is a static of the caller's
// library, destroyed in the language's order at unload and exit: before every
// object that existed when it was registered, so register it once what the
// handler needs exists.
template <TModuleEndHandler Handler> void AtModuleEnd() {
    static const TModuleEndEntry entry(Handler);
}

} // namespace qo
