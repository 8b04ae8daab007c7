// Entry of the window tests: starts the toolkit on the display, then runs the tests.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include "GuiTestSupport.h"

namespace zintor::test {

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() > deadline) return done();
        while (loop && loop->Pending()) loop->Dispatch();
        if (wxTheApp) {
            wxTheApp->ProcessPendingEvents();
            wxTheApp->ProcessIdle();
        }
        wxMilliSleep(5);
    }
}

void Pump(int ms) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    PumpUntil([&] { return std::chrono::steady_clock::now() > until; }, ms + 1000);
}

std::string ProgramPath() { return std::string(ZINTOR_BUILD_DIR) + "/zintor"; }

}  // namespace zintor::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return RUN_ALL_TESTS();
    }
    // A data folder of the tests' own: a window started without LogFile opens on the newest
    // log of the recorder's folder there, which must not be the user's.
    ::setenv("XDG_DATA_HOME", ZINTOR_BUILD_DIR "/gui-tests-data", 1);
    wxApp::SetInstance(new wxApp);
    int wxArgc = 1;
    char* wxArgv[] = {argv[0], nullptr};
    if (!wxEntryStart(wxArgc, wxArgv)) {
        std::fprintf(stderr, "gui_tests: cannot start the toolkit (no display?)\n");
        return 1;
    }
    wxTheApp->SetExitOnFrameDelete(false);
    int status;
    {
        wxGUIEventLoop loop;
        wxEventLoopActivator active(&loop);
        status = RUN_ALL_TESTS();
    }
    wxEntryCleanup();
    return status;
}
